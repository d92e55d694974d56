#pragma once
#include "CliCommand.h"

#include <string>
#include <vector>

// `size FILE`: least-cost diameters from a candidate list for every pipe not locked, keeping the
// minimum free head at every demand node; saves the sized, balanced network.
class SizeCommand : public CliCommand {
public:
    // No design keeps every limit: the best one found is reported, nothing is saved.
    enum { ExitInfeasible = 3 };

    explicit SizeCommand(const class DocumentIo& io) : m_io(io) {}
    std::string Name() const override { return "size"; }
    void Register(CLI::App& app) override;
    int Run() override;
    std::string InputFile() const override { return m_file; }

private:
    const DocumentIo& m_io;
    std::string m_file, m_save, m_case = "peak", m_lock;
    double m_minFreeHead = 0.0;
    std::vector<double> m_diameters, m_unitCosts;
    bool m_costLaw = false;
    double m_maxVelocity = 0.0;
    double m_timeLimit = 60.0;
    int m_seed = 1;
    int m_jobs = 0;
};
