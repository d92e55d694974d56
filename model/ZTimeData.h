#pragma once
#include "CurvePoint.h"
#include "GbkString.h"

#include <cstdint>
#include <string>
#include <vector>

// What a network needs beside its objects to be followed over a day: time options, demand and
// pump speed patterns, tank volume curves, simple controls and energy prices. Objects are named
// by identifier, so the data outlives edits of the network; the simulation resolves the names and
// refuses one that leads nowhere. Times are whole seconds; flows m3/s; levels and heads m.
class ZTimeData {
public:
    struct Pattern {
        GbkString id;
        std::vector<double> factors;
        bool operator==(const Pattern&) const = default;
    };
    // One demand of a node that follows a pattern (empty: the default pattern). A node with such
    // demands takes their sum over time instead of its own demand times the default pattern.
    struct NodeDemand {
        GbkString node;
        double base = 0.0;
        GbkString pattern;
        bool operator==(const NodeDemand&) const = default;
    };
    // A pump's relative speed over time; a factor 0 stops it.
    struct PumpPattern {
        GbkString pump;
        GbkString pattern;
        bool operator==(const PumpPattern&) const = default;
    };
    // Level above the tank's bottom (m) -> volume (m3), levels ascending; replaces TankArea.
    struct TankCurve {
        GbkString tank;
        std::vector<CurvePoint> points;   // flow: level, head: volume
        bool operator==(const TankCurve&) const = default;
    };
    struct Control {
        enum Action { Open = 0, Close = 1, Setting = 2 };
        // At a time since the start, at a clock time of every day, or when the node's level
        // (a tank's outlet: level above its bottom) or pressure (other nodes: free head)
        // rises above or falls below a value.
        enum Trigger { AtTime = 0, AtClockTime = 1, Above = 2, Below = 3 };
        GbkString link;
        int32_t action = Open;
        double setting = 0.0;   // pump speed, or the valve's setting in its own unit
        int32_t trigger = AtTime;
        int64_t time = 0;
        GbkString node;
        double value = 0.0;
        bool operator==(const Control&) const = default;
    };

    int64_t Duration = 0;   // 0: one balance, no time data in use
    int64_t HydraulicStep = 3600;
    int64_t PatternStep = 3600;
    int64_t PatternStart = 0;
    int64_t ReportStep = 3600;
    int64_t ReportStart = 0;
    int64_t StartClock = 0;   // clock time of the start, 0..86399
    GbkString DefaultPattern;
    std::vector<Pattern> Patterns;
    std::vector<NodeDemand> Demands;
    std::vector<PumpPattern> PumpPatterns;
    std::vector<TankCurve> TankCurves;
    std::vector<Control> Controls;
    double EnergyPrice = 0.0;       // per kWh
    GbkString PricePattern;         // multiplies the price over time
    double PumpEfficiency = 75.0;   // percent, for the pumps' energy

    bool operator==(const ZTimeData&) const = default;
    // Nothing differs from a new network's: files leave it out.
    bool IsEmpty() const { return *this == ZTimeData(); }

    const Pattern* FindPattern(GbkView id) const;
    // The factor of the pattern for the time since the start (patterns repeat).
    double Factor(const Pattern& pattern, int64_t time) const;

    // The first fault a reader or the simulation must refuse: the object, the field and what is
    // wrong (UTF-8). Empty when there is none. Names of network objects are checked elsewhere.
    struct Fault {
        std::string object, field, what;
        bool Empty() const { return field.empty(); }
        std::string Text() const;
    };
    Fault Check() const;
    static constexpr int64_t MaxSeconds = int64_t(1) << 40;   // ~35,000 years: sums never overflow
};
