#pragma once
#include "ZDesignCheckSection.h"
#include "ZSimulationSection.h"

#include <memory>

class ProgressObserver;
class ZDocument;
class ZSimulation;

// Runs for a report what a document does not keep (qen-cli report, qen --report): the
// simulation of its time data on a copy, and the fire-flow and pipe-failure checks over every
// node and pipe a check applies to. The results stay here for the report's options to point at.
class ZReportRuns {
public:
    explicit ZReportRuns(const ZDocument& doc);
    ~ZReportRuns();

    // Each returns ZBalanceInfo's status, -1 when the network is not connected; the section is
    // there when Converged (the simulation's also when it failed part way: its results show how
    // the network got there).
    int Simulate(ProgressObserver* progress = nullptr);
    int FireFlow(const ZFireFlow::Params& params, ProgressObserver* progress = nullptr);
    int Criticality(const ZCriticality::Params& params, ProgressObserver* progress = nullptr);

    const ZSimulationSection::Input* Simulation() const { return m_simulation.get(); }
    const ZDesignCheckSection::FireFlowInput* FireFlowResults() const { return m_fire.get(); }
    const ZDesignCheckSection::CriticalityInput* CriticalityResults() const { return m_criticality.get(); }

private:
    const ZDocument& m_doc;
    std::unique_ptr<ZDocument> m_copy;   // the simulated network: its demands are the run's
    std::unique_ptr<ZSimulation> m_sim;
    std::unique_ptr<ZSimulationSection::Input> m_simulation;
    std::unique_ptr<ZDesignCheckSection::FireFlowInput> m_fire;
    std::unique_ptr<ZDesignCheckSection::CriticalityInput> m_criticality;
};
