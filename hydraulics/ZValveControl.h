#pragma once
#include <cstddef>
#include <vector>

class ZBalanceContext;
class ZNetwork;
class ZNodalSystem;
class ZValveLink;

// The control valves (PRV, PSV, FCV, TCV, PBV, GPV) of one balancing run: their states, what an
// active one puts into the nodal system, and the rules by which states change.
//
// Node-head formulation. Every state is a law the Newton pass can assemble symmetrically:
// - closed: a vanishing conductance (a valve shut by the user leaves the system, as a gate);
// - open: the square law of its minor loss ValveSCoef, or without one a linear law of tiny
//   resistance (a square law about zero loss makes Newton steps swing); a GPV follows its curve;
// - active PRV (u -> d): d's head is held at its ground plus the setting, as a known head is
//   (a huge diagonal, the right-hand side asking for the setting head), and the valve carries
//   no conductance but exactly the flow d's other links and demand take at the pass's heads:
//   that flow leaves u as a demand would. The held node's equation is thus replaced by the
//   setting, and its mass balance moves to u. An active PSV holds u instead and passes on to d
//   what u receives beyond its own outflow;
// - active FCV: a known flow (the setting) leaving u and entering d, with a vanishing
//   conductance; TCV: the square law of its setting; PBV: a fixed loss, the setting.
// States follow EPANET's rules: a PRV closes on reverse flow, opens when its upstream head
// falls below the setting head, becomes active again when its downstream head rises above it;
// a PSV the same about its upstream side; an FCV opens fully (short of its setting) when the
// heads turn against it and is active again once its open flow reaches the setting; a PBV opens
// when its minor loss exceeds the setting. They are tested whenever the heads have converged
// (earlier, the flows of a pass are not yet the network's); a change means more passes. A valve that changes state
// more than MaxSwitches times is left open for the rest of the run and reported as one that
// cannot hold its setting, so that no pair of states can make the run cycle; so is one whose
// held head or imposed flow cuts a pocket of nodes off every head (ReleaseIsolating). Check valves that
// shut against reverse flow are open or shut the same way (EPANET's rule: shut when the head
// turns against them or their flow does).
class ZValveControl {
public:
    static constexpr int MaxSwitches = 12;
    static constexpr double HeadTolerance = 1.5e-4;   // m (EPANET's 0.0005 ft)
    static constexpr double FlowTolerance = 2.8e-6;   // m3/s (EPANET's 0.0001 cfs)

    // Takes the network's control valves not shut by the user, each in its start state, and the
    // open check valves when they shut against reverse flow (starting open).
    void Gather(ZNetwork& network, const ZBalanceContext& ctx);
    bool Empty() const { return m_valves.empty(); }

    // After every link is assembled, with rhs in the system's internal order: active PRVs and
    // PSVs hold their node and take the flow it needs or spares.
    void AssembleActive(ZNodalSystem& system, double* rhs, const std::vector<int>& perm, double heldDiagonal);
    // Whether an active valve held the node in the last assembly.
    bool IsHeld(int node) const { return !m_held.empty() && m_held[static_cast<size_t>(node)]; }

    // Applies the state rules to the current heads and flows; true when a state changed.
    bool UpdateStates();
    // Only the rules that let an active valve go (open, or short of its setting), for a pass whose
    // corrections say it is off course: a held head or imposed flow that cannot be had (a branch
    // with no other supply behind the valve) drives heads out of range within a few passes.
    bool ReleaseActive();
    // Counts the state changes: what holds and what is shut changes with it and nothing else.
    int Revision() const { return m_revision; }
    // Whether any PRV, PSV or FCV is active (and may leave nodes between them without a head).
    bool AnyHolding() const;
    // The first active PRV, PSV or FCV with an end that `anchored` (per node, from the last
    // assembly) leaves without a path to a known or held head: between two of them held heads and
    // imposed flows leave a pocket whose balance no head can meet (the matrix is singular or its
    // heads run off). It is left open for the rest of the run and reported as unable to hold its
    // setting. True when one was; call again after assembling.
    bool ReleaseIsolating(const std::vector<char>& anchored);
    // Corrections above this (m) call for ReleaseActive; this many passes without the largest
    // correction halving, for all the rules.
    static constexpr double OffCourseCorrection = 100.0;
    static constexpr int StalledPasses = 20;
    // After convergence, once the other links' flows are final: the flows of active PRVs and
    // PSVs from their held node's balance, and every valve's ValveState (check valves and gates
    // included).
    void Finish(ZNetwork& network);

private:
    struct Entry {
        ZValveLink* valve;
        int switches = 0;
        bool fixedOpen = false;   // the user's status: open, not controlling
        bool gaveUp = false;      // switched too often: left open
        double heldFlow = 0.0;    // active PRV/PSV: the flow its held node asked for, either sign
    };
    int NextState(const Entry& e) const;
    bool Switch(Entry& e, int next);

    std::vector<Entry> m_valves;
    std::vector<char> m_held;   // per node, when any valve holds one
    int m_revision = 0;
};
