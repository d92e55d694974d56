#pragma once
#include "CliCommand.h"

#include <optional>
#include <string>

class DocumentIo;
class ZBalanceRun;
class ZDocument;

// `balance FILE`: checks connectivity, balances the network in the chosen case and reports the
// outcome; optionally writes node and link results as CSV and saves the balanced document.
class BalanceCommand : public CliCommand {
public:
    // Exit statuses beyond the common ones.
    enum { ExitNotConverged = 3, ExitNoKnownHead = 4, ExitSplitNetwork = 5, ExitDiverged = 6 };
    // Invalid physical data and unreadable files exit with ExitBadFile (2).

    explicit BalanceCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "balance"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    void PrintSummary(const ZDocument& doc, const ZBalanceRun& run) const;
    void WriteNodesCsv(const ZDocument& doc) const;
    void WriteLinksCsv(const ZDocument& doc) const;
    // Puts the demand model options into the document's parameters; false (and said why) when
    // the pressures do not rise from minimum to required.
    bool ApplyDemandModel(ZDocument& doc) const;

    const DocumentIo& m_io;
    std::string m_file;
    std::string m_case;
    double m_accidentFactor = -1.0;
    int m_precision = -1;
    int m_maxIterations = -2;
    std::string m_demandModel;
    std::optional<double> m_minPressure, m_requiredPressure, m_pressureExponent;
    std::string m_nodesCsv, m_linksCsv, m_save;
};
