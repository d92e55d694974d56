#pragma once
#include "ZBalanceInfo.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"

#include <vector>

// One worker's private copy of a balanced network for the sweeps (fire flow at every node, every
// pipe's failure): its own objects, settings and solver, so that workers balance side by side
// without sharing anything a balance writes. The solver keeps its ordering and symbolic
// factorisation for all the runs; RestoreBase puts back the state a balance writes (heads, flows,
// resistances, valve states, cut-off marks), so that each item starts from the same base solution whatever the
// worker did before, and the sweeps' results do not depend on how items fall to workers.
class ZSweepNetwork {
public:
    ZSweepNetwork(const ZNetwork& source, const ZDrawSettings& settings);
    ZSweepNetwork(const ZSweepNetwork&) = delete;
    ZSweepNetwork& operator=(const ZSweepNetwork&) = delete;

    ZNetwork& Network() { return m_network; }
    const ZNetwork& Network() const { return m_network; }
    const ZDrawSettings& Settings() const { return m_settings; }

    // Balances with the link list positions marked in `shut` (null: none) held shut, from the heads
    // the copy holds (warm) or from the solver's first guess. Returns the ZBalanceInfo status.
    int Balance(const std::vector<char>* shut = nullptr, bool warm = true);
    // See ZBalanceInfo::ReusePreparation: for items that change node demands only.
    void ReusePreparation(bool on) { m_info.ReusePreparation(on); }
    // See ZBalanceInfo::HeadsOnly and PredictLastPass: for searches that read free heads alone.
    void HeadsOnly(bool on)
    {
        m_info.HeadsOnly(on);
        m_info.PredictLastPass(on);
    }
    // See ZBalanceInfo::DemandSensitivity (of the last balance).
    bool DemandSensitivity(int node, std::vector<double>& drop, std::vector<double>& scratch) const
    {
        return m_info.DemandSensitivity(node, drop, scratch);
    }
    void StartFromFlows(const std::vector<double>* flows) { m_info.StartFromFlows(flows); }
    // Passes of the last balance.
    int Passes() const { return m_info.GetIterationCount(); }
    // Takes the present state as the base (after the copy, or once the base case is balanced).
    void KeepAsBase();
    void RestoreBase();

private:
    struct NodeState {
        double head, flow, fireFlow, delivered;
        uint32_t flags;
    };
    struct LinkState {
        double flow, resistance;
        int valveState;
    };

    ZNetwork m_network;
    ZDrawSettings m_settings;
    ZBalanceInfo m_info;
    std::vector<NodeState> m_baseNodes;
    std::vector<LinkState> m_baseLinks;
};
