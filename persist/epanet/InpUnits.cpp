#include "InpUnits.h"

namespace {
struct FlowUnitRow {
    const char* name;
    bool us;
    double toCubicMetresPerSecond;
};
constexpr double kUsGallon = 0.003785411784;
constexpr FlowUnitRow kFlowUnits[] = {
    {"CFS", true, 0.028316846592},
    {"GPM", true, kUsGallon / 60.0},
    {"MGD", true, 1e6 * kUsGallon / 86400.0},
    {"IMGD", true, 1e6 * 0.00454609 / 86400.0},
    {"AFD", true, 1233.48183754752 / 86400.0},
    {"LPS", false, 0.001},
    {"LPM", false, 0.001 / 60.0},
    {"MLD", false, 1000.0 / 86400.0},
    {"CMH", false, 1.0 / 3600.0},
    {"CMD", false, 1.0 / 86400.0},
};
}   // namespace

bool InpUnits::SetFlowUnit(const std::string& name)
{
    for (const FlowUnitRow& row : kFlowUnits) {
        if (name == row.name) {
            m_flowUnit = name;
            m_us = row.us;
            m_flow = row.toCubicMetresPerSecond;
            return true;
        }
    }
    return false;
}
