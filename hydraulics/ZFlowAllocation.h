#pragma once
#include <vector>

class ZNetwork;
class ZPipeLink;

// Spreads a total water use over the nodes by supplying pipe length: every pipe's share goes
// half to each end, carried past pumps, valves and tanks to the first ordinary node beyond.
class ZFlowAllocation {
public:
    static constexpr double MaxTotal = 1e10;   // m3/s, what the dialog accepts

    // Sum of the demands of flow-known nodes that are not device ends.
    static double CurrentTotal(const ZNetwork& network);
    // Length the pipe supplies by its supply mode: none, half (one side) or all (both sides).
    static double SupplyLength(const ZPipeLink& pipe);

    // The new demand of every node by list position; false (and `flows` untouched) when no pipe
    // supplies any length.
    static bool Compute(const ZNetwork& network, double total, std::vector<double>& flows);
    // Compute and write the demands straight into the network (tools without edit history).
    static bool Allocate(ZNetwork& network, double total);
};
