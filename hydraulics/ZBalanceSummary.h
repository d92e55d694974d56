#pragma once
#include "model/GbkString.h"

#include <string>
#include <vector>

class UnitSystem;
class ZBalanceRun;
class ZNetwork;

// What an engineer reads after a balancing run: how it ended (status, passes, time, last
// correction), what each source and tank supplied, the lowest free head and where, and the nodes
// below the minimum service head. Texts are UTF-8 in the display units.
class ZBalanceSummary {
public:
    struct Supply {
        GbkString id;
        bool tank = false;
        double flow = 0.0;   // m3/s into the network
    };
    struct NodeHead {
        GbkString id;
        double freeHead = 0.0;   // m
    };
    // At most this many nodes below the minimum are named; the rest are counted.
    static constexpr size_t MaxListed = 20;

    // Read after `run` ended on `network`; `minFreeHead` in metres.
    ZBalanceSummary(const ZBalanceRun& run, const ZNetwork& network, double headTolerance, double minFreeHead);

    bool Converged() const { return m_converged; }
    const std::vector<Supply>& Supplies() const { return m_supplies; }
    double TotalSupply() const { return m_total; }
    // Flow-known nodes that show, lowest free head first; empty when the run did not converge.
    bool HasLowest() const { return !m_lowest.id.empty(); }
    const NodeHead& Lowest() const { return m_lowest; }
    const std::vector<NodeHead>& BelowMinimum() const { return m_below; }
    int NegativeCount() const { return m_negative; }
    // Pressure-driven runs: whether the line on deficient nodes is given, their count and the
    // demand they lack in all (m3/s).
    bool PressureDriven() const { return m_pressureDriven; }
    int DeficientCount() const { return m_deficient; }
    double Shortage() const { return m_shortage; }

    // The report window's section, without its heading.
    std::string Text(const UnitSystem& units) const;
    // The message when some node has a negative free head; empty when none has.
    std::string NegativeWarning(const UnitSystem& units) const;
    // "收敛", "用户中止", ... for a run status.
    static std::string StatusText(int status);

private:
    int m_status = 0;
    bool m_converged = false;
    int m_passes = 0;
    double m_seconds = 0.0;
    double m_correction = 0.0;
    double m_tolerance = 0.0;
    double m_minFreeHead = 0.0;
    std::vector<Supply> m_supplies;
    double m_total = 0.0;
    NodeHead m_lowest;
    std::vector<NodeHead> m_below;   // all of them, lowest first
    int m_negative = 0;
    bool m_pressureDriven = false;
    int m_deficient = 0;
    double m_shortage = 0.0;
};
