#pragma once
#include "ZEconomicSizing.h"
#include "ZSizingEvaluator.h"
#include "ZSizingProblem.h"

#include <atomic>
#include <functional>
#include <vector>

class ProgressObserver;
class ZDrawSettings;
class ZNetwork;

// Least-cost choice of candidate diameters for every pipe not locked, keeping every demand node's
// free head (and the velocities) within the limits in each case.
//
// The search starts from the cheaper feasible one of all pipes at the largest candidate and the
// economic-velocity design. A descent takes pipes one size down in the order the balanced
// solution's sensitivities suggest (cost saved per metre of head loss added, pipes whose
// downstream free head reserve covers that loss first), each step checked by a full balance.
// Rounds of an iterated local search follow: each round runs a fixed number of searches in
// parallel from the best design so far, each kicking a few random pipes up and descending again;
// the cheapest result is kept. A search's random numbers come from the seed, the round and its
// number, and every search starts its balances cold, so the outcome does not depend on how many
// threads run them.
class ZPipeSizing {
public:
    struct Point {
        double seconds = 0.0;
        double cost = 0.0;
        bool feasible = false;
        long long evaluations = 0;
    };
    struct Result {
        std::vector<int> freePipes;   // link positions
        std::vector<int> design;      // candidate index per free pipe
        double cost = 0.0;
        bool feasible = false;
        double lowestSlack = 0.0;   // lowest free head above the minimum
        int worstNode = -1;
        int worstCase = 0;
        std::vector<ZSizingEvaluator::Shortfall> shortfalls;   // of the design returned
        std::vector<int> economicDesign;
        double economicCost = 0.0;
        bool economicFeasible = false;
        long long evaluations = 0;
        int rounds = 0;
        double seconds = 0.0;
        bool stopped = false;         // asked to stop or out of time
        std::vector<Point> history;   // each better design as found
    };

    ZPipeSizing(const ZNetwork& network, const ZDrawSettings& settings, ZSizingProblem problem);
    void SetEconomicTable(std::vector<ZEconomicSizing::Range> table) { m_table = std::move(table); }
    // Told on the calling thread each time a better design is found.
    void SetListener(std::function<void(const Point&)> listener) { m_listener = std::move(listener); }
    // The observer is asked on the calling thread only; its fraction is the share of the time used.
    Result Run(ProgressObserver* progress = nullptr);

    // Pipes of the network not among the locked link positions.
    static std::vector<int> FreePipes(const ZNetwork& network, const std::vector<int>& locked);

private:
    struct Found {
        std::vector<int> design;
        ZSizingEvaluator::Outcome outcome;
        bool done = false;
    };
    Found Search(ZSizingEvaluator& e, int round, int task, const std::vector<int>& from, int stall) const;
    // Pipes a kick raised stay up through the descent after it (tabu +1), pipes it lowered stay
    // down through the repair and the descent (-1): otherwise the search undoes its own kick.
    void Descend(ZSizingEvaluator& e, std::vector<int>& design, ZSizingEvaluator::Outcome& current, double noise,
                 uint64_t& rng, const std::vector<signed char>& tabu) const;
    // Raises pipes upstream of the nodes short of head, most loss taken away per cost first, until
    // the design is feasible; false when it never is.
    bool Repair(ZSizingEvaluator& e, std::vector<int>& design, ZSizingEvaluator::Outcome& current, double noise,
                uint64_t& rng, const std::vector<signed char>& tabu) const;

    const ZNetwork& m_network;
    const ZDrawSettings& m_settings;
    ZSizingProblem m_problem;
    std::vector<ZEconomicSizing::Range> m_table = ZEconomicSizing::DefaultTable();
    std::function<void(const Point&)> m_listener;
    std::vector<int> m_free;
    mutable std::atomic<bool> m_stop{false};
};
