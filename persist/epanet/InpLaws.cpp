#include "InpLaws.h"

#include "InpUnits.h"

#include <algorithm>
#include <cmath>

namespace InpLaws {
namespace {
constexpr double kCfs = 0.028316846592;   // one cubic foot per second in m3/s
constexpr double kFt = InpUnits::kFoot;
constexpr double kPiSquared = 9.869604401089358;

// EPANET's Hazen-Williams law h = 4.727 L q^1.852 / (C^1.852 d^4.871) in feet and cfs, as a constant
// for metres and m3/s.
double EpanetHwConstant()
{
    static const double k = 4.727 * std::pow(kFt, 4.871) / std::pow(kCfs, 1.852);
    return k;
}

// EPANET's Chezy-Manning law h = 4.66 n^2 L q^2 / d^5.33 in feet and cfs, for metres and m3/s.
double EpanetManningConstant()
{
    static const double k = 4.66 * std::pow(kFt, 5.33) / (kCfs * kCfs);
    return k;
}
}   // namespace

double QenHazenWilliams(double c, double d)
{
    // 10.67 / (Cq^1.852 d^4.87) = K / (C^1.852 d^4.871)
    return c * std::pow(10.67 * std::pow(d, 0.001) / EpanetHwConstant(), 1.0 / 1.852);
}

double EpanetHazenWilliams(double cq, double d)
{
    return cq / std::pow(10.67 * std::pow(d, 0.001) / EpanetHwConstant(), 1.0 / 1.852);
}

double EpanetManningResistance(double n, double length, double d)
{
    return EpanetManningConstant() * n * n * length / std::pow(d, 5.33);
}

double QenManningResistance(double n, double length, double d)
{
    const double r = d * 0.25;
    const double sn = std::sqrt(n);
    const double y = 2.5 * sn - 0.13 - 0.75 * std::sqrt(r) * (sn - 0.1);
    const double cz = std::pow(r, y) / n;
    return 64.0 * length / (kPiSquared * cz * cz * std::pow(d, 5.0));
}

double QenManningForResistance(double resistance, double length, double d)
{
    if (!(resistance > 0.0) || !(length > 0.0) || !(d > 0.0) || d >= 4.0)
        return 0.0;
    // QEN's resistance grows with n for hydraulic radii under 1 m: bisect on a log scale.
    double lo = 1e-4, hi = 1.0;
    if (QenManningResistance(lo, length, d) > resistance || QenManningResistance(hi, length, d) < resistance)
        return 0.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = std::sqrt(lo * hi);
        (QenManningResistance(mid, length, d) < resistance ? lo : hi) = mid;
    }
    return std::sqrt(lo * hi);
}

double EpanetManningForResistance(double resistance, double length, double d)
{
    if (!(resistance > 0.0) || !(length > 0.0))
        return 0.0;
    return std::sqrt(resistance * std::pow(d, 5.33) / (EpanetManningConstant() * length));
}

double QenHazenWilliamsForDarcy(double roughness, double d, double viscosity, double velocity)
{
    const double re = velocity * d / viscosity;
    double f;
    if (re < 2000.0) {
        f = 64.0 / re;
    } else {
        // Swamee-Jain, as EPANET uses for turbulent flow.
        const double t = std::log10(roughness / (3.7 * d) + 5.74 / std::pow(re, 0.9));
        f = 0.25 / (t * t);
    }
    const double area = d * d * 0.7853981633974483;
    const double q = velocity * area;
    const double h = f * velocity * velocity / (2.0 * 9.80665 * d);   // per metre of pipe
    // 10.67 q^1.852 / (C^1.852 d^4.87) = h
    return std::pow(10.67 * std::pow(q, 1.852) / (std::pow(d, 4.87) * h), 1.0 / 1.852);
}

PumpFit FitPump(const std::vector<std::pair<double, double>>& pts)
{
    PumpFit fit;
    if (pts.empty())
        return fit;
    if (pts.size() == 1) {
        const auto [q, h] = pts.front();
        if (!(q > 0.0) || !(h > 0.0))
            return fit;
        fit.h0 = 1.33334 * h;
        fit.s = 0.33334 * h / (q * q);
        fit.ok = true;
        return fit;
    }
    // Least squares of h = h0 - s x with x = q^2.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [q, h] : pts) {
        const double x = q * q;
        sx += x;
        sy += h;
        sxx += x * x;
        sxy += x * h;
    }
    const double n = static_cast<double>(pts.size());
    const double det = n * sxx - sx * sx;
    if (!(std::fabs(det) > 0.0))
        return fit;
    fit.s = -(n * sxy - sx * sy) / det;
    fit.h0 = (sy + fit.s * sx) / n;
    if (!(fit.s > 0.0) || !(fit.h0 > 0.0) || !std::isfinite(fit.s) || !std::isfinite(fit.h0))
        return fit;
    for (const auto& [q, h] : pts)
        fit.maxError = std::max(fit.maxError, std::fabs(fit.h0 - fit.s * q * q - h));
    fit.ok = true;
    return fit;
}
}   // namespace InpLaws
