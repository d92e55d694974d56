#pragma once
#include "CliCommand.h"

#include <string>

class DocumentIo;

// `report FILE OUT.xlsx|OUT.pdf`: balances each case on its own and writes the calculation
// report. The workbook is written here; a PDF needs Qt's drawing, so the program `qen` beside
// this tool writes it (`qen --report`), and its exit status is passed on.
class ReportCommand : public CliCommand {
public:
    explicit ReportCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "report"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    int RunProgram() const;
    // Runs what --simulate, --fireflow and --criticality ask for into `runs`; 0, or the exit
    // status `balance` gives (the reason on stderr) when one cannot be done.
    int RunChecks(class ZReportRuns& runs, const class ZDocument& doc) const;

    const DocumentIo& m_io;
    std::string m_file, m_out, m_cases, m_title;
    bool m_simulate = false, m_fireFlow = false, m_criticality = false;
};
