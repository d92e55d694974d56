#pragma once
#include "CliCommand.h"
#include "SweepOptions.h"

#include <optional>
#include <string>
#include <vector>

class DocumentIo;

// `criticality FILE`: every pipe's failure (or the named pipes'), one at a time, in the accident
// case: the nodes cut off, the nodes below the minimum free head, the worst node.
class CriticalityCommand : public CliCommand {
public:
    enum { ExitNotConverged = 3, ExitNoKnownHead = 4, ExitSplitNetwork = 5, ExitDiverged = 6 };

    explicit CriticalityCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "criticality"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::vector<std::string> m_pipes;
    bool m_all = false;
    std::optional<double> m_accidentFactor;
    double m_minFreeHead = 10.0;
    SweepOptions m_sweep;
};
