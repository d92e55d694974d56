#pragma once
#include "model/ZDrawSettings.h"

#include <memory>
#include <vector>

class ProgressObserver;
class ZNetwork;
class ZCutOffParts;
class ZSweepNetwork;

// Single-pipe failure (N-1): for each chosen pipe, the accident case (every demand times the
// accident factor) with that pipe shut and no other: the nodes it cuts off from every head, found
// by a search over the open links before the balance (their demands are left out of it), the
// nodes below the minimum free head H and the node of the lowest free head. Demand-driven
// whatever the network's demand model; the network's own accident pipes are not shut. Nodes are
// those a demand can be put on (flow-known, not inside a device); nodes cut off in the base case
// are counted in no pipe's result.
class ZCriticality {
public:
    struct Params {
        double AccidentFactor = 0.75;   // 0..1
        double MinFreeHead = 10.0;      // H, m
        int Jobs = 0;                   // worker threads, 0: every core
    };
    struct Result {
        int pipe = -1;        // link list position
        int cutOff = 0;       // nodes losing every head
        int nodesBelow = 0;   // nodes still fed but below H
        int worst = -1;       // list position, -1 when every node is cut off or the balance failed
        double worstFreeHead = 0.0;
        bool failed = false;   // the balance did not converge
    };

    ZCriticality(const ZNetwork& network, const ZDrawSettings& settings, const Params& params);
    ~ZCriticality();

    // Balances the accident case with no pipe out. Returns the ZBalanceInfo status; Run needs
    // Converged.
    int Prepare();
    // Runs the pipes (link list positions of pipes) on Params::Jobs workers. False when the
    // observer stopped it; Results then holds nothing.
    bool Run(const std::vector<int>& pipes, ProgressObserver* observer = nullptr);
    const std::vector<Result>& Results() const { return m_results; }

private:
    Result Fail(ZSweepNetwork& net, int pipe, std::vector<char>& shut) const;

    const ZNetwork& m_source;
    ZDrawSettings m_settings;
    Params m_params;
    std::unique_ptr<ZSweepNetwork> m_base;
    std::unique_ptr<ZCutOffParts> m_parts;
    std::vector<Result> m_results;
};
