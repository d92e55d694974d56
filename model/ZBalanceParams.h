#pragma once
#include <cstdint>

// Balancing parameters stored with each document.
struct ZBalanceParams {
    enum CheckBits : uint32_t { CheckFlow = 1, CheckHead = 2 };

    uint32_t CheckFlags = CheckHead;
    int32_t MaxIterations = -1;      // -1: no limit
    double ParamA = 100.0;           // kept as read, unused
    double ParamB = 2.0;             // kept as read, unused
    double FlowTolerance = 0.0001;
    double HeadTolerance = 0.001;
    double AccidentFactor = 0.75;
};
