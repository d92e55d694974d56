#pragma once
#include "ZPipeSizing.h"

#include <string>
#include <vector>

class ZNetwork;

// What a sizing result changes in the network: each pipe whose diameter moves, with the cost
// change, and the report text the program shows.
class ZSizingReport {
public:
    struct Change {
        int link = 0;                                  // list position
        double oldDiameter = 0.0, newDiameter = 0.0;   // m
        double costChange = 0.0;
    };
    // Pipes of the result whose diameter differs from the network's (over 0.01 mm).
    static std::vector<Change> Changes(const ZNetwork& network, const ZSizingProblem& problem,
                                       const ZPipeSizing::Result& result);
    // Cost per metre of a diameter: the candidate's, else straight between the neighbouring
    // candidates (the end ones beyond them), so a pipe laid outside the list is still costed.
    static double UnitCost(const ZSizingProblem& problem, double diameter);
    // UTF-8 lines: the outcome, then "P12: 400 → 300 mm, 造价 -12345" per changed pipe.
    static std::string Text(const ZNetwork& network, const ZSizingProblem& problem, const ZPipeSizing::Result& result,
                            const std::vector<Change>& changes);
};
