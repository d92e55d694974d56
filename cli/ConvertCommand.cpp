#include "ConvertCommand.h"

#include "DocumentIo.h"
#include "ExitCode.h"
#include "model/ZDocument.h"

#include <CLI/CLI.hpp>

void ConvertCommand::Register(CLI::App& app)
{
    CLI::App* sub = app.add_subcommand(Name(), "Read a network file and write it out; the output's name picks its kind");
    sub->add_option("IN", m_in, "Input network file")->required();
    sub->add_option("OUT", m_out, "Output network file")->required();
    sub->add_flag("--keep-version", m_keepVersion, "Write a version 1.0 project file as 1.0 instead of upgrading it to 2.0");
}

int ConvertCommand::Run()
{
    ZDocument doc;
    m_io.Load(m_in, doc);
    m_io.Save(m_out, doc, m_keepVersion);
    return ExitOk;
}
