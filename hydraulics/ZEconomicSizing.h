#pragma once
#include <string>
#include <vector>

class ZSizingEvaluator;
struct ZSizingProblem;

// Sizing by economic velocity: each free pipe gets the smallest candidate whose velocity at the
// balanced flow stays within the economic velocity of its diameter range. Flows move as pipes
// change in loops, so the choice is balanced and made again a few times.
class ZEconomicSizing {
public:
    struct Range {
        double upTo = 0.0;       // m: diameters up to this one (the last range takes every larger)
        double velocity = 0.0;   // m/s
    };
    // Common practice for municipal mains: slower in small pipes, where the loss per metre is high.
    static std::vector<Range> DefaultTable();
    // Empty when usable, else the message (UTF-8): rising limits, positive finite velocities.
    static std::string Check(const std::vector<Range>& table);
    static double VelocityFor(const std::vector<Range>& table, double diameter);
    // A candidate index per free pipe of the evaluator.
    static std::vector<int> Design(ZSizingEvaluator& evaluator, const ZSizingProblem& problem,
                                   const std::vector<Range>& table, int passes = 4);
};
