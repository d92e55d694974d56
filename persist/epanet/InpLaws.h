#pragma once
#include <utility>
#include <vector>

// The head-loss and pump laws of EPANET against QEN's, in base units (m, m3/s). EPANET computes
// in US units with its own constants; these give the QEN coefficients that reproduce its losses.
namespace InpLaws {
// QEN's Hazen-Williams coefficient that gives EPANET's head loss for the same flow exactly:
// both laws use the exponent 1.852 but differ in the constant and the diameter's exponent.
double QenHazenWilliams(double epanetC, double diameter);
double EpanetHazenWilliams(double qenC, double diameter);

// EPANET's Chezy-Manning resistance (h = r q^2) of a pipe, and the Manning roughness for which
// QEN's law (Chezy coefficient with a roughness-dependent exponent) gives the same resistance;
// 0 when none in the physical range does.
double EpanetManningResistance(double n, double length, double diameter);
double QenManningResistance(double n, double length, double diameter);
double QenManningForResistance(double resistance, double length, double diameter);
// The inverse: EPANET's Manning n that gives `resistance`.
double EpanetManningForResistance(double resistance, double length, double diameter);

// The Hazen-Williams coefficient of QEN's law matching a Darcy-Weisbach pipe (roughness and
// kinematic viscosity in m, m2/s) at the given velocity.
double QenHazenWilliamsForDarcy(double roughness, double diameter, double viscosity, double velocity);

// Pump law h = h0 - s q^2 through a pump curve's points (flow m3/s, head m), as EPANET reads a
// one-point curve (shut-off head 4/3 of the design head, zero head at twice its flow) and by least
// squares otherwise. maxError: the largest head difference at the curve's points.
struct PumpFit {
    double h0 = 0, s = 0, maxError = 0;
    bool ok = false;
};
PumpFit FitPump(const std::vector<std::pair<double, double>>& points);
}   // namespace InpLaws
