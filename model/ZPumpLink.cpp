#include "ZPumpLink.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZFlowNode.h"

#include <algorithm>
#include <cmath>

namespace {
// A pump past its shut-off head is shut: this conductance keeps its nodes in the system.
constexpr double ShutConductance = 1e-8;
// h = ConstantPowerFactor P / q, P in kW: EPANET's 8.814 hp ft/cfs in SI units.
constexpr double ConstantPowerFactor = 8.814 * 0.3048 * 0.3048 * 0.3048 * 0.3048 / 0.7457;
// Below this rise a constant-power pump's flow grows linearly, not without bound.
constexpr double ConstantPowerMinRise = 0.5;
}   // namespace

ZPumpLink* ZPumpLink::Clone() const
{
    auto* p = new ZPumpLink;
    p->CopyFrom(*this);
    return p;
}

void ZPumpLink::CopyFrom(const ZNetObject& other)
{
    ZDeviceLink::CopyFrom(other);
    const auto& p = static_cast<const ZPumpLink&>(other);
    PumpCurveKind = p.PumpCurveKind;
    PumpCurve = p.PumpCurve;
    PumpPower = p.PumpPower;
    PumpSpeed = p.PumpSpeed;
}

int ZPumpLink::PointsNeeded(int32_t curveKind)
{
    switch (curveKind) {
    case OnePoint:
        return 1;
    case ThreePoint:
        return 3;
    case MultiPoint:
        return 2;
    default:
        return 0;
    }
}

bool ZPumpLink::FitCurve(double& a, double& b, double& cExp) const
{
    const Curve& c = PumpCurve;
    if (static_cast<int>(c.size()) < PointsNeeded(PumpCurveKind))
        return false;
    for (const CurvePoint& p : c)
        if (!std::isfinite(p.flow) || !std::isfinite(p.head) || p.flow < 0.0)
            return false;
    switch (PumpCurveKind) {
    case OnePoint:
    case ThreePoint: {
        double h0, h1, h2, q1, q2;
        if (PumpCurveKind == OnePoint) {
            q1 = c[0].flow;
            h1 = c[0].head;
            h0 = 1.33334 * h1;
            q2 = 2.0 * q1;
            h2 = 0.0;
        } else {
            if (c.size() != 3 || c[0].flow != 0.0)
                return false;
            h0 = c[0].head;
            q1 = c[1].flow;
            h1 = c[1].head;
            q2 = c[2].flow;
            h2 = c[2].head;
        }
        constexpr double tiny = 1e-6;
        if (h0 < tiny || h0 - h1 < tiny || h1 - h2 < tiny || q1 < tiny || q2 - q1 < tiny)
            return false;
        a = h0;
        cExp = std::log((h0 - h2) / (h0 - h1)) / std::log(q2 / q1);
        if (!(cExp > 0.0 && cExp <= 20.0))
            return false;
        b = (h0 - h1) / std::pow(q1, cExp);
        return b > 0.0 && std::isfinite(b);
    }
    case MultiPoint:
        for (size_t i = 1; i < c.size(); ++i)
            if (!(c[i].flow > c[i - 1].flow) || !(c[i].head < c[i - 1].head))
                return false;
        return true;
    case ConstantPower:
        a = ConstantPowerFactor * PumpPower;
        return PumpPower > 0.0 && std::isfinite(a);
    default:
        return true;
    }
}

double ZPumpLink::CurveHead(double q) const
{
    const double w = PumpSpeed;
    if (!(w > 0.0))
        return 0.0;
    const double x = q / w;   // affinity: h(q) = w^2 h1(q / w)
    switch (PumpCurveKind) {
    case OnePoint:
    case ThreePoint:
        return w * w * (m_a - m_b * std::pow(x, m_c));
    case MultiPoint: {
        const Curve& c = PumpCurve;
        size_t k = 1;
        while (k + 1 < c.size() && c[k].flow < x)
            ++k;
        const double slope = (c[k].head - c[k - 1].head) / (c[k].flow - c[k - 1].flow);
        return w * w * (c[k - 1].head + slope * (x - c[k - 1].flow));
    }
    case ConstantPower:
        return x > 0.0 ? w * w * m_a / x : HUGE_VAL;
    default:
        return PumpStaticH - PumpSCoef * q * std::fabs(q);
    }
}

double ZPumpLink::ShutOffHead() const
{
    const Curve& c = PumpCurve;
    const double w2 = PumpSpeed * PumpSpeed;
    if (PumpCurveKind == ConstantPower)
        return HUGE_VAL;
    if (static_cast<int>(c.size()) < PointsNeeded(PumpCurveKind))
        return 0.0;
    switch (PumpCurveKind) {
    case OnePoint:
        return w2 * 1.33334 * c[0].head;
    case ThreePoint:
        return w2 * c[0].head;
    case MultiPoint: {
        const double slope = (c[1].head - c[0].head) / (c[1].flow - c[0].flow);
        return w2 * (c[0].head - slope * c[0].flow);
    }
    default:
        return PumpStaticH;
    }
}

double ZPumpLink::CurveFlow(double rise, double& slope) const
{
    switch (PumpCurveKind) {
    case OnePoint:
    case ThreePoint: {
        const double x = std::pow((m_a - rise) / m_b, 1.0 / m_c);
        slope = -m_b * m_c * std::pow(x, m_c - 1.0);
        return x;
    }
    case MultiPoint: {
        // The segment whose heads span the rise; the end segments go on beyond their points.
        const Curve& c = PumpCurve;
        size_t k = 1;
        while (k + 1 < c.size() && c[k].head > rise)
            ++k;
        slope = (c[k].head - c[k - 1].head) / (c[k].flow - c[k - 1].flow);
        return c[k - 1].flow + (rise - c[k - 1].head) / slope;
    }
    default: {   // constant power
        const double r = std::max(rise, ConstantPowerMinRise);
        const double x = m_a / r;
        slope = -m_a / (x * x);
        return x + (r - rise) / -slope;
    }
    }
}

double ZPumpLink::CalcResistance(const ZBalanceContext&)
{
    Resistance = PumpSCoef;
    if (HasCurve())
        FitCurve(m_a, m_b, m_c);
    return Resistance;
}

double ZPumpLink::CalcFlow(const ZBalanceContext&)
{
    if (!HasCurve())
        return SquareLawFlow(HeadLoss(), PumpOpen);
    m_shutByHead = false;
    const double w = PumpSpeed;
    if (!PumpOpen || !(w > 0.0)) {
        m_conductance = 0.0;
        Flow = 0.0;
        return 0.0;
    }
    // Node-head form of h = w^2 h1(q / w): the rise across the pump picks the flow. Past the
    // shut-off head the pump does not run backwards but shuts, with a vanishing conductance.
    const double rise = To()->NodeHydrElev - From()->NodeHydrElev;
    const double shutOff = ShutOffHead();
    if (rise >= shutOff) {
        m_shutByHead = true;
        m_conductance = ShutConductance;
        Flow = ShutConductance * (shutOff - rise);
        return Flow;
    }
    double slope = 0.0;
    Flow = w * CurveFlow(rise / (w * w), slope);
    m_conductance = std::min(-1.0 / (w * slope), MaxConductance);
    return Flow;
}

double ZPumpLink::CalcConductance(const ZBalanceContext&) const
{
    return HasCurve() ? m_conductance : SquareLawConductance(PumpOpen);
}

double ZPumpLink::HeadLoss() const
{
    // The curve kinds, as the law: the shut-off head less the rise (constant power: no shut-off).
    const double shutOff = HasCurve() ? ShutOffHead() : PumpStaticH;
    if (!std::isfinite(shutOff))
        return From()->NodeHydrElev - To()->NodeHydrElev;
    return From()->NodeHydrElev - To()->NodeHydrElev + shutOff;
}

void ZPumpLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PumpTip(view, *this);
}

void ZPumpLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PumpGrade(view, *this);
}
