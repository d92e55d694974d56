#include "ZPipeLink.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZDrawContext.h"
#include "ZDrawGeometry.h"
#include "ZFlowNode.h"
#include "ZLabelLayout.h"
#include "ZNetView.h"

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
    const auto& p = static_cast<const ZPipeLink&>(other);
    m_vertices = p.m_vertices;
    PipeMinorLoss = p.PipeMinorLoss;
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

double ZPipeLink::LawFlowWithMinorLoss(double dh, double resistance, double exponent, double minor)
{
    dh = ClampHeadDifference(dh);
    const double a = std::fabs(dh);
    double q;
    if (exponent == 2.0) {
        q = std::sqrt(a / (resistance + minor));
    } else {
        // s q^e + m q^2 = |dh| is increasing and convex in q: Newton from the smaller of the two
        // single-term flows (each above the answer) comes down onto it without overshooting.
        q = std::min(std::pow(a / resistance, 1.0 / exponent), std::sqrt(a / minor));
        for (int i = 0; i < 60; ++i) {
            const double qe1 = std::pow(q, exponent - 1.0);
            const double f = resistance * qe1 * q + minor * q * q - a;
            const double step = f / (exponent * resistance * qe1 + 2.0 * minor * q);
            q -= step;
            if (!(step > 1e-15 * q))
                break;
        }
    }
    return dh <= 0.0 ? -q : q;
}

double ZPipeLink::CalcFlow(const ZBalanceContext& ctx)
{
    const double dh = From()->NodeHydrElev - To()->NodeHydrElev;
    const double minor = MinorLossResistance();
    double q = minor > 0.0 ? LawFlowWithMinorLoss(dh, Resistance, FlowExponent(), minor)
                           : LawFlow(dh, Resistance, FlowExponent());
    if (IsShutInCase(ctx))
        q = 0.0;
    Flow = q;
    return (PipeParallel + 1) * q;
}

double ZPipeLink::CalcConductance(const ZBalanceContext& ctx) const
{
    if (IsShutInCase(ctx))
        return 0.0;
    const double minor = MinorLossResistance();
    if (minor > 0.0)
        return (PipeParallel + 1) * LawConductanceWithMinorLoss(Flow, Resistance, FlowExponent(), minor);
    return (PipeParallel + 1) * LawConductance(Flow, Resistance, FlowExponent());
}

double ZPipeLink::HeadLoss() const
{
    return From()->NodeHydrElev - To()->NodeHydrElev;
}

void ZPipeLink::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PipeTip(view, *this);
}

void ZPipeLink::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::PipeGrade(view, *this);
}

template <class Fn>
bool ZPipeLink::AnySegment(const ZNetView& view, Fn&& fn) const
{
    // Walked in place: hit tests and draws run for every pipe of a view, often.
    const ZFlowNode* s = From();
    const ZFlowNode* e = To();
    if (!s || !e)
        return false;
    PipePoint prev = s->GetPosition(view);
    for (const PipePoint& v : m_vertices) {
        if (fn(prev, v))
            return true;
        prev = v;
    }
    return fn(prev, e->GetPosition(view));
}

ViewExtent ZPipeLink::GetBoundRect(const ZNetView& view) const
{
    ViewExtent r = ViewExtent::Empty();
    AnySegment(view, [&r](const PipePoint& a, const PipePoint& b) {
        r.Include(a.x, a.y);
        r.Include(b.x, b.y);
        return false;
    });
    return r;
}

void ZPipeLink::AddLabels(const ZNetView& view, ViewExtent* bounds, ZDrawContext* dc) const
{
    if (!view.LabelsShown())
        return;
    const bool multi = view.LabelTip().IsMultiLine();
    if (multi && view.IsWorkshopActive())
        return;
    PipePoint a, b;
    if (!ZLabelLayout::PipeLabelSegment(view, *this, a, b))
        return;
    ZTextPlacement parts[2];
    if (multi) {
        GbkString upper, lower;
        ZObjectLabels::PipeMultiLabel(view, *this, upper, lower);
        parts[0] = ZLabelLayout::AlongSegment(view, a, b, std::move(upper), true);
        parts[1] = ZLabelLayout::AlongSegment(view, a, b, std::move(lower), false);
    } else {
        GbkString text;
        GetGradeText(view, text);
        parts[0] = ZLabelLayout::AlongSegment(view, a, b, std::move(text), true);
    }
    ViewExtent all = ViewExtent::Empty();
    for (const ZTextPlacement& t : parts)
        if (!t.IsEmpty())
            all.Include(t.Bounds());
    if (all.IsEmpty())
        return;
    if (bounds)
        bounds->Include(all);
    if (dc) {
        dc->BeginLabel(all);
        for (const ZTextPlacement& t : parts)
            if (!t.IsEmpty())
                t.Draw(*dc);
        dc->EndLabel();
    }
}

ViewExtent ZPipeLink::GetDisplayRect(const ZNetView& view) const
{
    ViewExtent r = GetBoundRect(view);
    if (r.IsEmpty())
        return r;
    const double pen = view.DeviceSize(view.Settings().Sizes().PipePenWidth) * view.GetScale() / 2;
    r = {r.left - pen, r.bottom - pen, r.right + pen, r.top + pen};
    AddLabels(view, &r, nullptr);
    return r;
}

bool ZPipeLink::HitTestPoint(const ZNetView& view, const ViewExtent& pick) const
{
    // A long diagonal pipe's rectangle covers much it does not draw on: test the segments.
    if (AnySegment(view, [&pick](const PipePoint& a, const PipePoint& b) {
            return ZDrawGeometry::SegmentHitsRect(pick, a.x, a.y, b.x, b.y);
        }))
        return true;
    if (!From() || !To() || !view.LabelsShown())
        return false;
    ViewExtent labels = ViewExtent::Empty();
    AddLabels(view, &labels, nullptr);
    return labels.Intersects(pick);
}

bool ZPipeLink::SnapPoint(const ZNetView& view, const ViewExtent& pick, PipePoint& snapped) const
{
    if (!HitTestPoint(view, pick))
        return false;
    const double cx = (pick.left + pick.right) / 2, cy = (pick.bottom + pick.top) / 2;
    double best = HUGE_VAL;
    AnySegment(view, [&](const PipePoint& a, const PipePoint& b) {
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 > 0.0 ? std::clamp(((cx - a.x) * dx + (cy - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
        const PipePoint q{a.x + t * dx, a.y + t * dy};
        const double d = std::hypot(q.x - cx, q.y - cy);
        if (d < best) {
            best = d;
            snapped = q;
        }
        return false;
    });
    return best < HUGE_VAL;
}

void ZPipeLink::Draw(const ZNetView& view, ZDrawContext& dc) const
{
    if (IsFiltered() || IsHidden())
        return;
    const ViewExtent& clip = dc.ClipRect();
    const double dh = From() && To() ? From()->NodeHydrElev - To()->NodeHydrElev : 0.0;
    // No direction is known for a pipe whose results (or its ends' heads) are stale.
    const bool arrows = view.DrawSettings().Balanced && dh + 1.0 != 1.0 && !view.IsResultStale(*this);
    int arrowPx = 0;
    bool selected = false;
    // One walk: the style is taken at the first segment that shows.
    AnySegment(view, [&](const PipePoint& a, const PipePoint& b) {
        double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
        if (!ZDrawGeometry::ClipSegment(clip, x1, y1, x2, y2))
            return false;
        if (!selected) {
            dc.SelectPipe(*this);
            arrowPx = dc.DeviceSize(view.Settings().Sizes().ArrawLength);
            selected = true;
        }
        dc.Line(x1, y1, x2, y2);
        if (!arrows)
            return false;
        const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        if (!clip.Contains(mx, my) || (a.x == b.x && a.y == b.y))
            return false;
        double theta = ZDrawGeometry::Direction(b.x - a.x, b.y - a.y);
        if (dh < 0.0)
            theta += ZDrawGeometry::Pi;
        PipePoint tri[3];
        ZDrawGeometry::ArrowTriangle(mx, my, theta, arrowPx * dc.Scale(), (arrowPx / 2) * dc.Scale(), tri);
        dc.Polygon(tri, 3);
        return false;
    });
    if (!selected) {
        // No line shows; the label may still reach into the clip.
        if (!HitTestPoint(view, clip))
            return;
        dc.SelectPipe(*this);
    }
    AddLabels(view, nullptr, &dc);
    dc.Restore();
}
