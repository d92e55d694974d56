#pragma once
#include <cstdint>

// Balancing parameters stored with each document.
struct ZBalanceParams {
    enum CheckBits : uint32_t { CheckFlow = 1, CheckHead = 2 };

    uint32_t CheckFlags = CheckHead;
    int32_t MaxIterations = -1;      // -1: no limit
    double ParamA = 100.0;           // pipe cost per metre, fixed part
    double ParamB = 2.0;             // pipe cost per metre, diameter coefficient
    double FlowTolerance = 0.0001;
    double HeadTolerance = 0.001;
    double AccidentFactor = 0.75;
    double ElecPrice = 1.0;          // yuan per kWh for the pumps' running cost; not saved
};
