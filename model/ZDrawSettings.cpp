#include "ZDrawSettings.h"

#include <cstddef>

ZDrawSettings::ZDrawSettings(int nodeGradeColors, int pipeGradeColors)
{
    const int n = nodeGradeColors - 1;
    const int p = pipeGradeColors - 1;
    NodeElevGrades = EvenTable(n, 0.0, 30.0);
    NodeHeadGrades = EvenTable(n, 0.0, 30.0);
    NodeFreeHeadGrades = EvenTable(n, 0.0, 30.0);
    NodeFlowGrades = EvenTable(n, 0.0, 0.3);
    PipeDiamGrades = EvenTable(p, 0.0, 0.9);
    PipeFlowGrades = EvenTable(p, 0.0, 0.3);
    PipeHLossGrades = EvenTable(p, 0.0, 3.0);
    PipeVeloGrades = EvenTable(p, 0.0, 3.0);
    PipeSlopeGrades = EvenTable(p, 0.0, 0.03);
}

std::vector<double> ZDrawSettings::EvenTable(int entries, double first, double last)
{
    std::vector<double> t;
    if (entries <= 0)
        return t;
    if (entries == 1)
        return {first};   // n - 1 would divide by zero; one boundary sits at the start
    t.reserve(static_cast<std::size_t>(entries));
    for (int k = 0; k < entries; ++k)
        t.push_back(first + k * (last - first) / (entries - 1));
    return t;
}
