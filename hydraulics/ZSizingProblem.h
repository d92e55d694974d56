#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What least-cost sizing is asked: the candidate diameters with their cost per metre, the limits
// every design must keep and how long to look.
struct ZSizingProblem {
    struct Candidate {
        double diameter = 0.0;   // m
        double unitCost = 0.0;   // per metre of one pipe
    };
    std::vector<Candidate> candidates;   // rising diameters
    double minFreeHead = 10.0;           // m, at every node with demand
    double maxVelocity = 0.0;            // m/s, 0: none
    double minVelocity = 0.0;            // m/s, 0: none
    std::vector<int> cases{0};           // calculation cases the design must pass (0 peak, 1 fire, 2 accident)
    std::vector<int> locked;             // link positions of pipes kept as they are
    uint64_t seed = 1;
    int jobs = 1;
    double timeLimit = 60.0;   // s
    // Rounds of the search without a cheaper design before it ends on its own.
    int stallRounds = 300;
    int roundTasks = 8;   // searches per round, whatever the number of threads

    // The candidates' costs from the cost law a + b D^alpha (D in m).
    static std::vector<Candidate> FromCostLaw(const std::vector<double>& diameters, double a, double b, double alpha);
    // Empty when the candidates are usable, else the message (UTF-8). `warning` gets a note when
    // a larger diameter does not cost more.
    std::string Check(std::string* warning = nullptr) const;
};
