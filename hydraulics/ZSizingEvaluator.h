#pragma once
#include "ZSizingProblem.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"

#include <memory>
#include <vector>

class ZBalanceInfo;

// One thread's view of a sizing problem: its own copy of the network, balanced in every case the
// problem names for a design (a candidate index per free pipe). Runs after Restart warm-start from
// the last, so a sequence of evaluations depends only on the designs since the Restart.
class ZSizingEvaluator {
public:
    struct Outcome {
        bool balanced = false;      // every case converged
        bool feasible = false;      // balanced and within every limit
        double cost = 0.0;          // of the free pipes
        double violation = 0.0;     // m of free head short plus m/s past the velocity limits, summed
        double lowestSlack = 0.0;   // free head above the minimum at the worst node (m)
        int worstNode = -1;         // its list position
        int worstCase = 0;
    };
    // Taking pipe `pipe` (free pipe number) one size down: the cost saved, the head loss it adds
    // with the flow unchanged (the first-order change of every head downstream) and the smallest
    // free head reserve downstream less that loss, over the cases. One size up: what it costs and
    // the loss it takes away. Pipes at the smallest size save nothing; at the largest, rising
    // costs infinitely much.
    struct Move {
        int pipe = 0;
        double saving = 0.0;
        double lossRise = 0.0;
        double margin = 0.0;
        double raiseCost = 0.0;
        double lossDrop = 0.0;
        double reserve = 0.0;   // smallest free head reserve downstream, before any change
    };
    struct Shortfall {
        int node = 0;   // list position
        int calcCase = 0;
        double freeHead = 0.0;
    };

    ZSizingEvaluator(const ZNetwork& source, const ZDrawSettings& settings, const ZSizingProblem& problem,
                     const std::vector<int>& freePipes);
    ~ZSizingEvaluator();
    ZSizingEvaluator(const ZSizingEvaluator&) = delete;
    ZSizingEvaluator& operator=(const ZSizingEvaluator&) = delete;

    void Restart();
    Outcome Evaluate(const std::vector<int>& design, std::vector<Move>* moves = nullptr);
    // The nodes below the minimum in the last evaluation, and pipes past the velocity limits.
    const std::vector<Shortfall>& Shortfalls() const { return m_shortfalls; }
    // Cost of the free pipes in a design.
    double Cost(const std::vector<int>& design) const;
    // The copy, holding the first case's results after Evaluate.
    ZNetwork& Network() { return m_network; }
    long long Evaluations() const { return m_evaluations; }
    const std::vector<int>& FreePipes() const { return m_freePipes; }

private:
    void SetDiameters(const std::vector<int>& design);
    void GatherMoves(const std::vector<int>& design, std::vector<Move>& moves, bool first);

    const ZSizingProblem& m_problem;
    const std::vector<int>& m_freePipes;
    ZNetwork m_network;
    std::vector<std::unique_ptr<ZDrawSettings>> m_settings;   // one per case
    std::vector<std::unique_ptr<ZBalanceInfo>> m_runs;
    std::vector<char> m_constrained;                            // per node: has demand
    std::vector<double> m_pipeLength;                           // per free pipe, times the parallels
    std::vector<std::vector<std::pair<int, int>>> m_adjacent;   // per node: (link, other node)
    std::vector<double> m_reserve;                              // per node, scratch
    std::vector<int> m_order;                                   // scratch
    std::vector<Shortfall> m_shortfalls;
    long long m_evaluations = 0;
};
