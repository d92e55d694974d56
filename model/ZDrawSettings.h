#pragma once
#include "ZBalanceParams.h"

#include <cstdint>
#include <vector>

// One document's display and calculation record: grade tables (class boundaries in base units,
// ascending), grading switches and modes, the calculation case, balancing parameters and results flag.
class ZDrawSettings {
public:
    enum CalcCaseValue { PeakHour = 0, Fire = 1, Accident = 2 };
    enum NodeGrade { NodeByElevation = 0, NodeByHead = 1, NodeByFreeHead = 2, NodeByDemand = 3 };
    enum PipeGrade { PipeByFlow = 0, PipeByHeadLoss = 1, PipeByVelocity = 2, PipeByDiameter = 3, PipeBySlope = 4 };

    // Tables get one entry fewer than the application's grade colours.
    explicit ZDrawSettings(int nodeGradeColors = 5, int pipeGradeColors = 5);

    // Entry k of n: first + k (last - first) / (n - 1).
    static std::vector<double> EvenTable(int entries, double first, double last);

    std::vector<double> NodeElevGrades, NodeFlowGrades, NodeFreeHeadGrades, NodeHeadGrades;
    std::vector<double> PipeDiamGrades, PipeFlowGrades, PipeHLossGrades, PipeSlopeGrades, PipeVeloGrades;
    ZBalanceParams Params;
    uint32_t Balanced = 0;
    uint32_t SpareWord1 = 0;
    uint32_t SpareWord2 = 0;
    uint32_t NodeGradeOn = 0;
    uint32_t PipeGradeOn = 0;
    uint32_t SpareWord3 = 0;
    int32_t CalcCase = PeakHour;
    int32_t NodeGradeMode = NodeByHead;
    int32_t PipeGradeMode = PipeByDiameter;
    int32_t ContourKind = 0;   // 0 absolute head lines, 1 free head lines
    uint32_t ContourOption = 0;
    double ContourInterval = 0.2;   // m
};
