#include "AllocateCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "hydraulics/ZFlowAllocation.h"
#include "model/NumberOption.h"
#include "model/ZDocument.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

void AllocateCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Spread a total water use over the nodes by supplying pipe length");
    sub->add_option("FILE", m_file, "Network file")->required();
    // Read in Run, under the one number rule, once --unit gives its range.
    sub->add_option("--total", m_totalText, "Total water use of the network, in --unit")
        ->required()
        ->type_name("NUMBER");   // read as a number in Run, under the numeric options' rule
    sub->add_option("--unit", m_unit, "Unit of the total (default l/s)")->check(CLI::IsMember({"l/s", "m3/s", "m3/h"}));
    sub->add_option("--save", m_save, "Save the network with its new node demands to this file")->required();
}

int AllocateCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "--save", m_save))
        return ExitUsage;
    const double perBase = m_unit == "m3/s" ? 1.0 : (m_unit == "m3/h" ? 3600.0 : 1000.0);
    double inUnit = 0.0;
    const std::string error =
        NumberOption::Parse("--total", m_totalText, {0.0, ZFlowAllocation::MaxTotal * perBase}, inUnit);
    if (!error.empty()) {
        std::cerr << "qen-cli allocate: " << TextLanguage::Tr(error) << " (" << m_unit << ")\n";
        return ExitUsage;
    }
    const double total = inUnit / perBase;
    ZDocument doc;
    m_io.Load(m_file, doc);
    const double before = ZFlowAllocation::CurrentTotal(doc.GetNetwork());
    if (!ZFlowAllocation::Allocate(doc.GetNetwork(), total)) {
        std::cerr << "qen-cli allocate: " << TextLanguage::Tr("节点流量分配失败,可能没有供水管道!") << "\n";
        return ExitNoSupplyingPipe;
    }
    std::printf("total before:    %.6f m3/s\n", before);
    std::printf("total allocated: %.6f m3/s\n", total);
    std::printf("total now:       %.6f m3/s (ordinary flow-known nodes)\n",
                ZFlowAllocation::CurrentTotal(doc.GetNetwork()));
    m_io.Save(m_save, doc);
    return ExitOk;
}
