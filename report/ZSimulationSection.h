#pragma once
#include "ZReport.h"

#include "hydraulics/ZSimulation.h"

#include <cstdint>
#include <string>
#include <vector>

class UnitSystem;
class ZNetwork;
class ZTimeData;

// The extended-period simulation in the report: a summary (period, report times, lowest free
// head with its node and time, tanks filled or emptied, pump energy), each node's lowest and
// highest free head over the report times with their times, the tanks' levels at each report
// time and the pumps' running hours. What a design report needs, not every value at every time.
class ZSimulationSection {
public:
    struct Input {
        const ZSimulationResults* results = nullptr;   // report times, in the network's order
        int64_t duration = 0;                          // s
        int64_t startClock = 0;                        // s, the clock time of time 0
        // What only the run itself knows; the program keeps the results alone (`fromRun` false):
        // the lowest free head is then that of the report times and the pump hours are counted
        // from the statuses at the report times.
        bool fromRun = false;
        int status = ZBalanceInfo::Converged;
        int steps = 0;
        double lowestFreeHead = 0.0;   // m, over every balance
        std::string lowestNode;        // UTF-8
        int64_t lowestTime = 0;
        std::vector<ZSimulation::TankEvent> tankEvents;
        std::vector<ZSimulation::PumpEnergy> energy;
        double energyPrice = 0.0;   // per kWh; 0: no costs

        // Everything a finished run knows.
        static Input Of(const ZSimulation& sim, const ZTimeData& data);
    };

    ZSimulationSection(const ZNetwork& network, const UnitSystem& units, double minFreeHead, ZReportText text = {})
        : m_net(network), m_units(units), m_minFreeHead(minFreeHead), m_text(std::move(text))
    {
    }

    // An empty section (no name) when the results do not fit the network.
    ZReportSection Build(const Input& in) const;

private:
    void Summary(const Input& in, ZReportSection& s) const;
    ZReportTable Nodes(const ZSimulationResults& r) const;
    ZReportTable Tanks(const ZSimulationResults& r) const;
    ZReportTable Pumps(const Input& in) const;
    ZReportCell Clock(int64_t t) const { return ZReportCell::Str(ZSimulation::ClockText(m_startClock + t)); }

    const ZNetwork& m_net;
    const UnitSystem& m_units;
    double m_minFreeHead;
    ZReportText m_text;
    mutable int64_t m_startClock = 0;   // of the input being built
};
