#include "ImportInpCommand.h"
#include "OutputTarget.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "NumberOptions.h"
#include "model/ZDocument.h"
#include "persist/AtomicFileWriter.h"
#include "persist/epanet/EpanetFile.h"
#include "text/TextLanguage.h"

#include <iostream>

#include <CLI/CLI.hpp>

void ImportInpCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Read an EPANET .inp file and write it as a QEN project or text file");
    sub->add_option("IN", m_in, "EPANET input file")->required();
    sub->add_option("OUT", m_out, "Output network file (.wnp or .txt)")->required();
    NumberOptions::Add(sub, "--hour", m_hour, {0.0, 1e6}, "Hour of the demand patterns to take (default 0)");
}

int ImportInpCommand::Run()
{
    if (!DocumentIo::CheckSaveName(Name(), "OUT", m_out))
        return ExitUsage;
    if (OutputTarget::IsInput(Name(), "OUT", m_out, m_in) ||
        OutputTarget::IsInput(Name(), "the identifier map", EpanetFile::IdMapPath(m_out), m_in))
        return ExitUsage;
    ZDocument doc;
    EpanetFile::ImportResult result = EpanetFile::LoadFile(m_in, doc, m_io.Templates(), m_hour);
    m_io.Save(m_out, doc);
    const std::string mapPath = EpanetFile::IdMapPath(m_out);
    AtomicFileWriter::Write(mapPath, result.idMapCsv);
    std::cout << TextLanguage::Tr(result.report.Text()) << TextLanguage::Tr("写出 " + m_out + " 和 " + mapPath) << "\n";
    return ExitOk;
}
