#pragma once
#include <cstdint>
#include <string>
#include <vector>

class ZNetwork;

// Construction cost of the pipes, (a + b D^alpha) L (parallel + 1) each, and the hourly running
// cost of the running pumps from their last balancing results.
class ZNetCost {
public:
    // Largest a and b, alpha and price taken: well inside the double range for any stored pipe.
    static constexpr double MaxCoefficient = 1e9;
    static constexpr double MaxAlpha = 10.0;
    static constexpr double MaxPrice = 1e6;

    struct Params {
        double a = 100.0;
        double b = 2.0;
        double alpha = 1.0;
        double price = 1.0;          // yuan per kWh
        bool wholeNetwork = false;   // else only pipes laid on or after `since`
        int64_t since = 0;           // seconds since 1970
        bool balanced = true;        // else the pumps have no results to cost
    };
    struct Result {
        int pipes = 0;
        double pipeCost = 0.0;
        int pumps = 0;
        double runningCost = 0.0;
        // Running pumps whose efficiency is not a positive number: left out of the count and the
        // total, which would otherwise be infinite.
        std::vector<std::string> badPumps;
        // Running pumps left out because the network holds no balancing results.
        int unbalancedPumps = 0;
    };

    static Result Compute(const ZNetwork& network, const Params& params);
    // The report's lines (UTF-8), each followed by an empty line.
    static std::string Report(const Result& result);
};
