#pragma once
#include "ZBalanceInfo.h"
#include "ZSimulationResults.h"
#include "model/GbkString.h"
#include "model/ZTimeData.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ProgressObserver;
class ZDrawSettings;
class ZNetwork;
class ZPumpLink;
class ZTankLink;

// Extended-period simulation: a sequence of balances over the network's time data, by EPANET
// 2.2's rules.
//
// Time: whole seconds from 0 to Duration. At each time t the demands take their pattern factors
// for period (t + PatternStart) / PatternStep, pump speed patterns likewise; controls whose time
// or tank level is reached fire (a tank control fires when the tank's volume is within one
// second's flow of the control level's); then the network is balanced. The next time is t plus
// the smallest of the hydraulic step, the time to the next pattern period, to the next report
// time, to the instant a tank fills or empties, and to the instant a control would fire and
// change its link (a tank control level crossed at the present net inflow, rounded to the
// second; a time or clock-time control) — the same steps EPANET takes, so that controls fire at
// the same instants. Between two times every tank's volume changes by its net inflow times the
// step (a volume within one second's flow of full or empty is taken as full or empty); its
// level follows from its area or its volume curve.
//
// A tank at its highest level (less 0.00015 m) takes no more water: after a balance, each link at
// its outlet that would fill it (a pump delivering into it; another link whose far head lies
// above the tank's) is held shut and the network balanced again, and a held link whose far head
// fell below the tank's is let go; an empty tank likewise gives no water. Node-pressure controls
// are checked after each balance the same way and, when one changes its link, balanced again (at
// most 10 balances an instant: a switch that undoes itself keeps its last state and is reported).
// Each balance starts from the heads of the one before and keeps the matrix ordering and the
// symbolic factorisation (ZBalanceInfo::KeepSystem).
//
// The network's own demands, tank levels, pump and valve statuses are put back when Run ends;
// flows and heads are those of the last balance.
class ZSimulation {
public:
    ZSimulation(const ZDrawSettings& calcData, ZNetwork& network, const ZTimeData& timeData);
    ~ZSimulation();

    void SetProgressObserver(ProgressObserver* observer) { m_progress = observer; }
    // Returns ZBalanceInfo's status: Converged when the whole period balanced, InvalidData when the
    // time data do not fit the network (Fault names the object and field), else the status of the
    // balance that failed at FailTime.
    int Run();

    int Status() const { return m_status; }
    const ZTimeData::Fault& Fault() const { return m_fault; }
    int64_t FailTime() const { return m_time; }
    // The node a failed balance names (empty when none).
    const GbkString& FailNode() const { return m_failNode; }
    int DivergeReason() const { return m_divergeReason; }
    const ZSimulationResults& Results() const { return m_results; }

    int Steps() const { return m_steps; }
    int Balances() const { return m_balances; }
    long long Passes() const { return m_passes; }
    // Lowest free head of any flow-known visible node over every balance.
    double LowestFreeHead() const { return m_lowestFreeHead; }
    const GbkString& LowestNode() const { return m_lowestNode; }
    int64_t LowestTime() const { return m_lowestTime; }
    struct TankEvent {
        GbkString tank;
        int64_t time;
        bool filled;   // else emptied
    };
    const std::vector<TankEvent>& TankEvents() const { return m_tankEvents; }
    struct PumpEnergy {
        GbkString pump;
        double kwh = 0.0, cost = 0.0, hours = 0.0;
    };
    const std::vector<PumpEnergy>& Energy() const { return m_energy; }
    // Times at which full or empty tanks or pressure controls kept switching links back and forth
    // through every balance allowed at one instant; the last state was kept.
    const std::vector<int64_t>& UnsettledTimes() const { return m_unsettled; }

    // Seconds to a clock text "H:MM:SS" of the period (hours past 24 go on counting).
    static std::string ClockText(int64_t seconds);
    // The report times a run of this time data keeps. Every one is held in memory, so a run of more
    // than MaxReportTimes, or whose results would take more than MaxResultBytes, is refused.
    static int64_t ReportTimes(const ZTimeData& data);
    static constexpr int64_t MaxReportTimes = 1000000;
    static constexpr int64_t MaxResultBytes = int64_t(2048) << 20;

private:
    struct Tank;
    struct Control;
    struct Saved;

    bool Resolve();
    void SetDemands(int64_t t);
    bool ApplyTimeControls(int64_t t);
    bool Solve(int64_t t);
    bool SettleTanks();
    bool PressureControls();
    bool WouldChange(const Control& c) const;
    bool ApplyControl(const Control& c);
    int64_t NextStep(int64_t t) const;
    void AdvanceTanks(int64_t step);
    void AddEnergy(int64_t t, int64_t step);
    void Observe(int64_t t);
    std::vector<uint8_t> LinkStatuses() const;
    bool LinkOpen(int link) const;
    double TankVolume(const Tank& tank, double level) const;
    double TankLevel(const Tank& tank, double volume) const;
    double NetInflow(const Tank& tank) const;

    const ZDrawSettings& m_calcData;
    ZNetwork& m_network;
    const ZTimeData& m_data;
    ProgressObserver* m_progress = nullptr;
    std::unique_ptr<ZBalanceInfo> m_balance;
    std::unique_ptr<Saved> m_saved;

    std::vector<Tank> m_tanks;
    std::vector<Control> m_controls;
    std::vector<std::vector<std::pair<double, const ZTimeData::Pattern*>>> m_nodeDemands;   // per node
    std::vector<double> m_baseDemand;                                                       // per node
    std::vector<std::pair<ZPumpLink*, const ZTimeData::Pattern*>> m_pumpPatterns;
    const ZTimeData::Pattern* m_defaultPattern = nullptr;
    const ZTimeData::Pattern* m_pricePattern = nullptr;
    std::vector<char> m_closed;     // pipes closed by controls
    std::vector<char> m_tankShut;   // links held shut at full or empty tanks
    std::vector<char> m_shut;       // the union, for the balance

    int m_status = ZBalanceInfo::Converged;
    ZTimeData::Fault m_fault;
    int64_t m_time = 0;
    GbkString m_failNode;
    int m_divergeReason = 0;
    ZSimulationResults m_results;
    int m_steps = 0, m_balances = 0;
    long long m_passes = 0;
    double m_lowestFreeHead = 0.0;
    GbkString m_lowestNode;
    int64_t m_lowestTime = 0;
    bool m_anyLowest = false;
    std::vector<TankEvent> m_tankEvents;
    std::vector<int64_t> m_unsettled;
    std::vector<PumpEnergy> m_energy;
};
