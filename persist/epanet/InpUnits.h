#pragma once
#include <string>

// The unit system an EPANET file is written in, chosen by its flow unit: US customary units
// (feet, inches, psi) go with CFS, GPM, MGD, IMGD and AFD, metric units (metres, millimetres)
// with LPS, LPM, MLD, CMH and CMD. Factors turn file values into QEN's base units.
class InpUnits {
public:
    // False for a flow unit EPANET does not have.
    bool SetFlowUnit(const std::string& upperName);
    const std::string& FlowUnit() const { return m_flowUnit; }
    bool IsUs() const { return m_us; }

    double Flow() const { return m_flow; }                      // to m3/s
    double Length() const { return m_us ? kFoot : 1.0; }        // lengths, elevations, heads, levels to m
    double Diameter() const { return m_us ? kInch : 0.001; }    // pipe and valve diameters to m
    double Pressure() const { return m_us ? kPsiHead : 1.0; }   // valve pressure settings to m of water
    // Darcy-Weisbach roughness to m: millifeet or millimetres.
    double Roughness() const { return m_us ? kFoot * 0.001 : 0.001; }
    // Constant-power pump power to kW (horsepower in US files).
    double Power() const { return m_us ? 0.745699872 : 1.0; }

    static constexpr double kFoot = 0.3048;
    static constexpr double kInch = 0.0254;
    static constexpr double kPsiHead = 0.3048 / 0.4333;   // one psi of water in metres, as EPANET counts it

private:
    std::string m_flowUnit = "GPM";
    bool m_us = true;
    double m_flow = 6.30901964e-5;
};
