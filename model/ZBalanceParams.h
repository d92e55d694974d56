#pragma once
#include <cstdint>

// Balancing parameters stored with each document.
struct ZBalanceParams {
    enum CheckBits : uint32_t { CheckFlow = 1, CheckHead = 2 };
    enum DemandModelValue : int32_t { DemandDriven = 0, PressureDriven = 1 };

    uint32_t CheckFlags = CheckHead;
    int32_t MaxIterations = -1;   // -1: no limit
    double ParamA = 100.0;        // pipe cost per metre, fixed part
    double ParamB = 2.0;          // pipe cost per metre, diameter coefficient
    double FlowTolerance = 0.0001;
    double HeadTolerance = 0.001;
    double AccidentFactor = 0.75;
    double ElecPrice = 1.0;   // yuan per kWh for the pumps' running cost; not saved

    // "止回阀防止倒流": check valves shut against reverse flow. Off keeps the original law (a check
    // valve passes both ways), as files that do not carry the option were balanced; new networks
    // turn it on (ForNewNetwork).
    bool CheckValvesClose = false;
    // Pressure-driven demand: a node delivers D ((p - P0) / (PR - P0))^E of its demand D at
    // pressure p between MinPressure P0 and RequiredPressure PR (m), nothing below, D above.
    int32_t DemandModel = DemandDriven;
    double MinPressure = 0.0;
    double RequiredPressure = 0.1;
    double PressureExponent = 0.5;

    // The parameters a network drawn from scratch starts with.
    static ZBalanceParams ForNewNetwork()
    {
        ZBalanceParams p;
        p.CheckValvesClose = true;
        return p;
    }
};
