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
    double q = LawFlow(From()->NodeHydrElev - To()->NodeHydrElev, Resistance, FlowExponent());
    if (IsShutInCase(ctx))
        q = 0.0;
    Flow = q;
    return (PipeParallel + 1) * q;
}

double ZPipeLink::CalcConductance(const ZBalanceContext& ctx) const
{
    if (IsShutInCase(ctx))
        return 0.0;
    return (PipeParallel + 1) * LawConductance(Flow, Resistance, FlowExponent());
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

std::vector<PipePoint> ZPipeLink::DisplayPoints(const ZNetView& view) const
{
    std::vector<PipePoint> pts;
    const ZFlowNode* a = From();
    const ZFlowNode* b = To();
    if (!a || !b)
        return pts;
    pts.reserve(m_vertices.size() + 2);
    pts.push_back(a->GetPosition(view));
    pts.insert(pts.end(), m_vertices.begin(), m_vertices.end());
    pts.push_back(b->GetPosition(view));
    return pts;
}

ViewExtent ZPipeLink::GetBoundRect(const ZNetView& view) const
{
    ViewExtent r = ViewExtent::Empty();
    for (const PipePoint& p : DisplayPoints(view))
        r.Include(p.x, p.y);
    return r;
}

void ZPipeLink::AddLabels(const ZNetView& view, ViewExtent* bounds, ZDrawContext* dc) const
{
    if (!view.Settings().LabelOn)
        return;
    const bool multi = view.LabelTip().IsMultiLine();
    if (multi && view.IsWorkshopActive())
        return;
    PipePoint a, b;
    if (!ZLabelLayout::PipeLabelSegment(view, *this, a, b))
        return;
    ZTextPlacement parts[2];
    if (multi) {
        std::string upper, lower;
        ZObjectLabels::PipeMultiLabel(view, *this, upper, lower);
        parts[0] = ZLabelLayout::AlongSegment(view, a, b, std::move(upper), true);
        parts[1] = ZLabelLayout::AlongSegment(view, a, b, std::move(lower), false);
    } else {
        std::string text;
        GetGradeText(view, text);
        parts[0] = ZLabelLayout::AlongSegment(view, a, b, std::move(text), true);
    }
    for (const ZTextPlacement& t : parts) {
        if (t.IsEmpty())
            continue;
        if (bounds)
            bounds->Include(t.Bounds());
        if (dc)
            t.Draw(*dc);
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
    const std::vector<PipePoint> pts = DisplayPoints(view);
    for (size_t i = 1; i < pts.size(); ++i)
        if (ZDrawGeometry::SegmentHitsRect(pick, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y))
            return true;
    if (pts.empty() || !view.Settings().LabelOn)
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
    const std::vector<PipePoint> pts = DisplayPoints(view);
    double best = HUGE_VAL;
    for (size_t i = 1; i < pts.size(); ++i) {
        const PipePoint& a = pts[i - 1];
        const PipePoint& b = pts[i];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 > 0.0 ? std::clamp(((cx - a.x) * dx + (cy - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
        const PipePoint q{a.x + t * dx, a.y + t * dy};
        const double d = std::hypot(q.x - cx, q.y - cy);
        if (d < best) {
            best = d;
            snapped = q;
        }
    }
    return best < HUGE_VAL;
}

void ZPipeLink::Draw(const ZNetView& view, ZDrawContext& dc) const
{
    if (IsFiltered() || IsHidden())
        return;
    const std::vector<PipePoint> pts = DisplayPoints(view);
    const ViewExtent& clip = dc.ClipRect();
    bool any = false;
    for (size_t i = 1; i < pts.size() && !any; ++i)
        any = ZDrawGeometry::SegmentHitsRect(clip, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y);
    if (!any && !HitTestPoint(view, clip))
        return;
    dc.SelectPipe(*this);
    const double dh = From()->NodeHydrElev - To()->NodeHydrElev;
    const bool arrows = view.DrawSettings().Balanced && dh + 1.0 != 1.0;
    const int arrowPx = dc.DeviceSize(view.Settings().Sizes().ArrawLength);
    for (size_t i = 1; i < pts.size(); ++i) {
        double x1 = pts[i - 1].x, y1 = pts[i - 1].y, x2 = pts[i].x, y2 = pts[i].y;
        if (!ZDrawGeometry::ClipSegment(clip, x1, y1, x2, y2))
            continue;
        dc.Line(x1, y1, x2, y2);
        if (!arrows)
            continue;
        const PipePoint& a = pts[i - 1];
        const PipePoint& b = pts[i];
        const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        if (!clip.Contains(mx, my) || (a.x == b.x && a.y == b.y))
            continue;
        double theta = ZDrawGeometry::Direction(b.x - a.x, b.y - a.y);
        if (dh < 0.0)
            theta += ZDrawGeometry::Pi;
        PipePoint tri[3];
        ZDrawGeometry::ArrowTriangle(mx, my, theta, arrowPx * dc.Scale(), (arrowPx / 2) * dc.Scale(), tri);
        dc.Polygon(tri, 3);
    }
    AddLabels(view, nullptr, &dc);
    dc.Restore();
}
