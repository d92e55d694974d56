#pragma once
#include "CliCommand.h"
#include "SweepOptions.h"

#include <optional>
#include <string>
#include <vector>

class DocumentIo;

// `fireflow FILE`: the available fire flow at every node (or the named ones): the largest extra
// demand each can take with its free head at least R and every other node's at least S.
class FireFlowCommand : public CliCommand {
public:
    // As balance: the base case did not converge or was stopped, no known head, split, diverged.
    enum { ExitNotConverged = 3, ExitNoKnownHead = 4, ExitSplitNetwork = 5, ExitDiverged = 6 };

    explicit FireFlowCommand(const DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "fireflow"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file;
    std::vector<std::string> m_nodes;
    bool m_all = false;
    std::string m_case = "peak";
    double m_residualHead = 10.0;
    double m_systemMinHead = 0.0;
    std::optional<double> m_requiredFlow;
    SweepOptions m_sweep;
};
