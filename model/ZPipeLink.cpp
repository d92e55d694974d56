#include "ZPipeLink.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZFlowNode.h"

#include <algorithm>
#include <cmath>

ZPipeLink* ZPipeLink::Clone() const
{
    auto* p = new ZPipeLink;
    p->CopyFrom(*this);
    return p;
}

void ZPipeLink::CopyFrom(const ZNetObject& other)
{
    ZFlowLink::CopyFrom(other);
    const auto& o = static_cast<const ZPipeLink&>(other);
    PipeDiam = o.PipeDiam;
    PipeInDiam = o.PipeInDiam;
    PipeLength = o.PipeLength;
    PipeRougCeof = o.PipeRougCeof;
    PipeParallel = o.PipeParallel;
    PipeDate = o.PipeDate;
    PipeType = o.PipeType;
    PipeSideType = o.PipeSideType;
    m_vertices = o.m_vertices;
}

void ZPipeLink::Reverse()
{
    ZFlowLink::Reverse();
    std::reverse(m_vertices.begin(), m_vertices.end());
}

double ZPipeLink::PolylineLength() const
{
    const ZFlowNode* a = From();
    const ZFlowNode* b = To();
    if (!a || !b)
        return 0.0;
    double len = 0.0;
    double px = a->X, py = a->Y;
    for (const PipePoint& v : m_vertices) {
        len += std::hypot(v.x - px, v.y - py);
        px = v.x;
        py = v.y;
    }
    return len + std::hypot(b->X - px, b->Y - py);
}

bool ZPipeLink::UpdateAutoLength()
{
    if (!IsAutoLength())
        return false;
    PipeLength = PolylineLength();
    return true;
}

bool ZPipeLink::IsShutInCase(const ZBalanceContext& ctx) const
{
    return ctx.CalcCase() == ZBalanceContext::Accident && IsAccidentPipe();
}

double ZPipeLink::CalcResistance(const ZBalanceContext&)
{
    const double L = PipeLength;
    const double D = PipeInDiam;
    if (PipeType == HazenWilliams) {
        Resistance = 10.67 * L / (std::pow(PipeRougCeof, 1.852) * std::pow(D, 4.87));
    } else {
        // Manning roughness through Pavlovsky's exponent for the Chezy coefficient.
        const double n = PipeRougCeof;
        const double R = D * 0.25;
        const double sn = std::sqrt(n);
        const double y = 2.5 * sn - 0.13 - 0.75 * std::sqrt(R) * (sn - 0.1);
        const double cz = std::pow(R, y) / n;
        Resistance = 64.0 * L / (9.869604401089358 * cz * cz * std::pow(D, 5.0));
    }
    return Resistance;
}

double ZPipeLink::CalcFlow(const ZBalanceContext& ctx)
{
    const double dh = ClampHeadDifference(From()->NodeHydrElev - To()->NodeHydrElev);
    double q = std::pow(std::fabs(dh) / Resistance, 1.0 / FlowExponent());
    if (dh <= 0.0)
        q = -q;
    if (IsShutInCase(ctx))
        q = 0.0;
    Flow = q;
    return (PipeParallel + 1) * q;
}

double ZPipeLink::CalcConductance(const ZBalanceContext& ctx) const
{
    if (IsShutInCase(ctx))
        return 0.0;
    const double e = FlowExponent();
    const double g = 1.0 / (e * Resistance * std::pow(std::fabs(Flow), e - 1.0));
    return (PipeParallel + 1) * g;
}

double ZPipeLink::HeadLoss() const
{
    return From()->NodeHydrElev - To()->NodeHydrElev;
}

void ZPipeLink::GetTipText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::PipeTip(view, *this);
}

void ZPipeLink::GetGradeText(const ZNetView& view, std::string& text) const
{
    text = ZObjectLabels::PipeGrade(view, *this);
}
