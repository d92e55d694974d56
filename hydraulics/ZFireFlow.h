#pragma once
#include "model/ZDrawSettings.h"

#include <memory>
#include <vector>

class ProgressObserver;
class ZFlowNode;
class ZNetwork;
class ZSweepNetwork;

// Available fire flow: for each chosen node k, the largest extra demand Q >= 0 added at k to the
// case's demands such that k keeps at least the residual free head R and no other node falls
// below the system minimum S (nodes already below S without the extra flow are left out and
// listed). Demand-driven whatever the network's demand model: a hydrant draws what it is asked.
//
// The search per node: the base solution (Q = 0) tells whether any flow is available at all, and
// its Jacobian how fast every head falls with a demand at k (one solve with the base factors).
// Every node's margin is modelled as m0 - a Q - b Q^1.852 (the losses of the flows the pipes
// already carry grow about linearly with the extra flow, its own as the law), first through that
// slope alone, then through the slope and one trial, then through the last two trials; the next
// trial is the smallest zero of those models, a little beyond it or short of it so as to land on
// the other side of the limit than the trial before; bisection when a step fails to halve the
// bracket. The first trial is balanced from the base flows with the extra demand on the paths
// the base matrix gives it, later ones from heads predicted the same way (the solver keeps its
// ordering, factorisation, data check, resistances and pipe list, and reads the heads alone).
// It ends when the bracket is within 0.1 % of Q or 0.01 l/s; the feasible end is the answer and
// the node of the smallest margin there the limiting node.
class ZFireFlow {
public:
    struct Params {
        int CalcCase = ZDrawSettings::PeakHour;   // peak hour or fire
        double ResidualHead = 10.0;               // R, m
        double SystemMinHead = 0.0;               // S, m
        int Jobs = 0;                             // worker threads, 0: every core
    };
    struct Result {
        int node = -1;            // list position
        double available = 0.0;   // m3/s
        int limiting = -1;        // list position, -1 when no node limits (the search's cap)
        double limitingFreeHead = 0.0;
        int balances = 0;
        int passes = 0;        // of all its balances
        bool noHead = false;   // the node is cut off from every head in the base case: nothing
    };
    static constexpr double RelativeTolerance = 0.001;
    static constexpr double AbsoluteTolerance = 1e-5;   // m3/s
    static constexpr double MaxFlow = 100.0;            // m3/s, the search's cap

    // The network and settings are copied by Prepare; neither is changed.
    ZFireFlow(const ZNetwork& network, const ZDrawSettings& settings, const Params& params);
    ~ZFireFlow();

    // Nodes a fire flow can be asked of: flow-known, not inside a device.
    static bool IsCandidate(const ZFlowNode& node);
    // Balances the base case. Returns the ZBalanceInfo status; the sweep needs Converged.
    int Prepare();
    // Nodes below S in the base case, left out of the check (list positions).
    const std::vector<int>& LowBaseNodes() const { return m_lowBase; }

    // Runs the search for the nodes (list positions, candidates only) on Params::Jobs workers.
    // False when the observer stopped it; Results then holds nothing.
    bool Run(const std::vector<int>& nodes, ProgressObserver* observer = nullptr);
    const std::vector<Result>& Results() const { return m_results; }

private:
    struct Workspace;
    Result Search(ZSweepNetwork& net, Workspace& w, int node) const;
    // The first trial's head models (Workspace::alpha, beta) from the base slope and the losses'
    // growth in the pipes the extra flow takes.
    void FirstModels(Workspace& w, int node) const;

    const ZNetwork& m_source;
    ZDrawSettings m_settings;
    Params m_params;
    std::unique_ptr<ZSweepNetwork> m_base;   // the balanced base case
    std::vector<int> m_checked;              // list positions held to S
    std::vector<double> m_baseHeads;         // per node, of the base case
    // The open pipes at the base solution, for the first trial's guess of the losses' growth.
    struct BasePipe {
        int link, from, to;
        double resistance, exponent, parallel;
        double flow;          // of one of the parallel pipes, from -> to
        double conductance;   // of all of them, as the solver's last matrix has it
        double loss, slope;   // of one of them at that flow: the law and its derivative
    };
    std::vector<BasePipe> m_basePipes;
    std::vector<int> m_lowBase;
    std::vector<Result> m_results;
};
