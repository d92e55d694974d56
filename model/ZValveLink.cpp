#include "ZValveLink.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZFlowNode.h"
#include "ZPipeLink.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double MinResistance = 1e-6;
}   // namespace

ZValveLink* ZValveLink::Clone() const
{
    auto* v = new ZValveLink;
    v->CopyFrom(*this);
    return v;
}

void ZValveLink::CopyFrom(const ZNetObject& other)
{
    ZDeviceLink::CopyFrom(other);
    const auto& v = static_cast<const ZValveLink&>(other);
    ValveSetting = v.ValveSetting;
    ValveDiam = v.ValveDiam;
    ValveInitStatus = v.ValveInitStatus;
    ValveCurve = v.ValveCurve;
}

int32_t ZValveLink::WorkingState() const
{
    if (ValveState != StateNone)
        return ValveState;
    switch (StartStatus()) {
    case StatusOpen:
        return StateOpen;
    case StatusClosed:
        return StateClosed;
    default:
        return StateActive;
    }
}

double ZValveLink::SettingHead() const
{
    const ZFlowNode* held = m_valveType == Psv ? From() : To();
    return held->NodeGrunElev + ValveSetting;
}

double ZValveLink::CurveLossAt(double flow) const
{
    const Curve& c = ValveCurve;
    if (c.size() < 2)
        return 0.0;
    size_t k = 1;
    while (k + 1 < c.size() && c[k].flow < flow)
        ++k;
    const double slope = (c[k].head - c[k - 1].head) / (c[k].flow - c[k - 1].flow);
    return std::max(0.0, c[k - 1].head + slope * (flow - c[k - 1].flow));
}

double ZValveLink::CalcResistance(const ZBalanceContext&)
{
    Resistance = ValveSCoef;
    if (m_valveType == Tcv && ValveDiam > 0.0) {
        const double d2 = ValveDiam * ValveDiam;
        m_tcvResistance = std::max(ZPipeLink::MinorLossFactor * ValveSetting / (d2 * d2), MinResistance);
    }
    return Resistance;
}

double ZValveLink::ShutFlow(double dh)
{
    m_conductance = ShutConductance;
    Flow = ShutConductance * dh;
    return Flow;
}

double ZValveLink::SquareFlow(double dh, double resistance)
{
    dh = ClampHeadDifference(dh);
    const double q = std::sqrt(std::fabs(dh) / resistance);
    Flow = dh <= 0.0 ? -q : q;
    m_conductance = 1.0 / (2.0 * resistance * q);
    return Flow;
}

// The inverse of the loss curve: the flow whose loss is |dh|, on the segment that spans it.
double ZValveLink::CurveFlow(double dh)
{
    const Curve& c = ValveCurve;
    const double a = std::fabs(dh);
    if (c.size() < 2 || a <= CurveLossAt(0.0))
        return ShutFlow(dh);
    size_t k = 1;
    while (k + 1 < c.size() && c[k].head < a)
        ++k;
    const double slope = (c[k].head - c[k - 1].head) / (c[k].flow - c[k - 1].flow);
    const double q = std::max(0.0, c[k - 1].flow + (a - c[k - 1].head) / slope);
    Flow = dh < 0.0 ? -q : q;
    m_conductance = slope > 0.0 ? std::min(1.0 / slope, MaxConductance) : MaxConductance;
    return Flow;
}

double ZValveLink::CalcFlow(const ZBalanceContext& ctx)
{
    const double dh = From()->NodeHydrElev - To()->NodeHydrElev;
    if (m_valveType == Check && ctx.CheckValvesClose() && ValveOpen) {
        // Open or shut as the balancing's state rules last found it: a law that shut itself
        // whenever the heads turned would make the Newton steps swing between the two.
        if (WorkingState() == StateReverseClosed)
            return ShutFlow(dh);
        return OpenFlow(dh);
    }
    if (!IsControlValve())
        return SquareLawFlow(HeadLoss(), ValveOpen);
    switch (WorkingState()) {
    case StateClosed:
        if (StartStatus() == StatusClosed) {   // shut by the user: out of the system, as a gate
            m_conductance = 0.0;
            Flow = 0.0;
            return 0.0;
        }
        return ShutFlow(dh);
    case StateReverseClosed:
        return ShutFlow(dh);
    case StateActive:
        switch (m_valveType) {
        case Prv:
        case Psv:
            m_conductance = 0.0;
            return 0.0;
        case Fcv:
            m_conductance = ShutConductance;
            Flow = ValveSetting;
            return Flow;
        case Tcv:
            return SquareFlow(dh, m_tcvResistance > 0.0 ? m_tcvResistance : std::max(Resistance, MinResistance));
        case Pbv:
            return SquareFlow(dh - ValveSetting, MinResistance);
        default:
            return CurveFlow(dh);
        }
    default:   // open, or open and short of the setting
        if (m_valveType == Gpv)
            return CurveFlow(dh);
        return OpenFlow(dh);
    }
}

// Without a minor loss EPANET's linear law, h = 1e-6 q: a square law about a vanishing loss makes
// each Newton step undo only part of the last (the passes then shrink by a constant ratio).
double ZValveLink::OpenFlow(double dh)
{
    if (!(ValveSCoef > MinResistance)) {
        m_conductance = 1.0 / MinResistance;
        Flow = dh * m_conductance;
        return Flow;
    }
    return SquareFlow(dh, Resistance);
}

double ZValveLink::CalcConductance(const ZBalanceContext& ctx) const
{
    if (IsControlValve() || (m_valveType == Check && ctx.CheckValvesClose() && ValveOpen))
        return m_conductance;
    return SquareLawConductance(ValveOpen);
}

double ZValveLink::HeadLoss() const
{
    double dh = From()->NodeHydrElev - To()->NodeHydrElev;
    if (m_valveType == PressureReducing)
        dh -= ValveHLess;
    return dh;
}

void ZValveLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::ValveTip(view, *this);
}

void ZValveLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::ValveGrade(view, *this);
}
