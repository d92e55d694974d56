// qen-cli: the network files and calculations of QEN without the desktop program.
#include "AllocateCommand.h"
#include "BalanceCommand.h"
#include "ControlByteFilter.h"
#include "ConvertCommand.h"
#include "CostCommand.h"
#include "CriticalityCommand.h"
#include "DocumentIo.h"
#include "DxfExportCommand.h"
#include "DxfImportCommand.h"
#include "ExitCode.h"
#include "ElevationsCommand.h"
#include "EmptyTexts.h"
#include "ExportInpCommand.h"
#include "GisExportCommand.h"
#include "GisImportCommand.h"
#include "FireFlowCommand.h"
#include "HugePageHeap.h"
#include "ImportInpCommand.h"
#include "InfoCommand.h"
#include "ReportCommand.h"
#include "SimulateCommand.h"
#include "SizeCommand.h"
#include "persist/ArchiveError.h"
#include "text/TextLanguage.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <new>
#include <vector>

int main(int argc, char** argv)
{
    HugePageHeap::Reserve();
    ControlByteFilter outFilter(std::cout), errFilter(std::cerr);
    DocumentIo io;
    // Add a command here: one class per command, deriving from CliCommand.
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back(std::make_unique<InfoCommand>(io));
    commands.push_back(std::make_unique<ConvertCommand>(io));
    commands.push_back(std::make_unique<BalanceCommand>(io));
    commands.push_back(std::make_unique<SimulateCommand>(io));
    commands.push_back(std::make_unique<AllocateCommand>(io));
    commands.push_back(std::make_unique<CostCommand>(io));
    commands.push_back(std::make_unique<DxfImportCommand>(io));
    commands.push_back(std::make_unique<DxfExportCommand>(io));
    commands.push_back(std::make_unique<ImportInpCommand>(io));
    commands.push_back(std::make_unique<ExportInpCommand>(io));
    commands.push_back(std::make_unique<ReportCommand>(io));
    commands.push_back(std::make_unique<GisImportCommand>(io));
    commands.push_back(std::make_unique<GisExportCommand>(io));
    commands.push_back(std::make_unique<ElevationsCommand>(io));
    commands.push_back(std::make_unique<SizeCommand>(io));
    commands.push_back(std::make_unique<FireFlowCommand>(io));
    commands.push_back(std::make_unique<CriticalityCommand>(io));

    CLI::App app{"qen-cli - read, convert and calculate QEN water-supply networks"};
    app.require_subcommand(1, 1);
    app.fallthrough();   // --language also after the command's name
    std::string language;
    app.add_option("--language", language,
                   "Language of the messages from the calculations and files: zh or en (default: the system's "
                   "when it is Chinese or English, else zh). The tool's own texts and CSV files stay English")
        ->check(CLI::IsMember({"zh", "en"}));
    for (auto& c : commands)
        c->Register(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);   // prints the message and usage to stderr
        return ExitUsage;
    }
    if (!EmptyTexts::Check(app))
        return ExitUsage;
    bool english = false;
    if (!TextLanguage::Parse(language, english))
        english = TextLanguage::SystemIsEnglish();
    if (english && !TextLanguage::UseEnglish())
        std::cerr << "qen-cli: the English translation cannot be read; messages stay Chinese\n";

    for (auto& c : commands) {
        if (!app.got_subcommand(c->Name()))
            continue;
        try {
            return c->Run();
        } catch (const ArchiveError& e) {
            std::cerr << "qen-cli " << c->Name() << ": " << TextLanguage::Tr(e.what()) << "\n";
            return ExitBadFile;
        } catch (const std::bad_alloc&) {
            std::cerr << "qen-cli " << c->Name() << ": " << c->InputFile() << ": not enough memory\n";
            return ExitBadFile;
        } catch (const std::exception& e) {
            std::cerr << "qen-cli " << c->Name() << ": " << c->InputFile() << ": " << TextLanguage::Tr(e.what())
                      << "\n";
            return ExitBadFile;
        }
    }
    return ExitUsage;
}
