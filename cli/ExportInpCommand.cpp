#include "ExportInpCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "model/ZDocument.h"
#include "persist/epanet/EpanetFile.h"
#include "text/TextLanguage.h"

#include <iostream>

#include <CLI/CLI.hpp>

void ExportInpCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Write a QEN network as an EPANET .inp file (SI units, LPS)");
    sub->add_option("IN", m_in, "Network file")->required();
    sub->add_option("OUT", m_out, "EPANET input file to write")->required();
}

int ExportInpCommand::Run()
{
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_in))
        return ExitUsage;
    ZDocument doc;
    m_io.Load(m_in, doc);
    const InpReport report = EpanetFile::SaveFile(m_out, doc);
    std::cout << TextLanguage::Tr(report.Text()) << TextLanguage::Tr("写出 " + m_out) << "\n";
    return ExitOk;
}
