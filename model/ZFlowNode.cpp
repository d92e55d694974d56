#include "ZFlowNode.h"

#include "ZObjectLabels.h"
#include "ZBalanceContext.h"
#include "ZDeviceLink.h"
#include "ZDeviceSymbolSet.h"
#include "ZDrawContext.h"
#include "ZLabelLayout.h"
#include "ZNetView.h"

// The delivered demand is a result: a clone starts without it, as it starts without flows.
void ZFlowNode::CopyFrom(const ZNetObject& other)
{
    ZNetNode::CopyFrom(other);
}

double ZFlowNode::CaseDemand(const ZBalanceContext& ctx) const
{
    switch (ctx.CalcCase()) {
    case ZBalanceContext::Fire:
        return IsFireNode() ? NodeFlow + NodeFireFlow : NodeFlow;
    case ZBalanceContext::Accident:
        return NodeFlow * ctx.AccidentFactor();
    default:
        return NodeFlow;
    }
}

void ZFlowNode::SetHeadKnown(bool headKnown)
{
    if (headKnown) {
        SetFlag(qen::FLAG_HEAD_KNOWN);
        ClearFlag(qen::FLAG_FLOW_KNOWN);
    } else {
        SetFlag(qen::FLAG_FLOW_KNOWN);
        ClearFlag(qen::FLAG_HEAD_KNOWN);
    }
}

void ZFlowNode::SetPosition(double x, double y)
{
    X = x;
    Y = y;
    if (!IsDeviceNode())
        return;
    if (ZDeviceLink* dev = GetDevice()) {
        if (auto* other = static_cast<ZFlowNode*>(dev->OtherNode(this))) {
            other->X = x;
            other->Y = y;
        }
    }
}

ZDeviceLink* ZFlowNode::GetDevice() const
{
    ZNetLink* first = FirstLink();
    if (!first)
        return nullptr;
    if (first->IsDevice())
        return static_cast<ZDeviceLink*>(first);
    ZNetLink* second = first->NextLinkAt(this);
    if (second && second->IsDevice())
        return static_cast<ZDeviceLink*>(second);
    return nullptr;
}

bool ZFlowNode::CanMergeWith(const ZFlowNode& other) const
{
    if (IncidentLinkCount() < 2 && other.IncidentLinkCount() < 2)
        return !(IsDeviceNode() && other.IsDeviceNode());
    return !IsDeviceNode() && !other.IsDeviceNode();
}

bool ZFlowNode::CanAcceptLink(const ZNetLink& link) const
{
    const int count = IncidentLinkCount();
    if (IsDeviceNode())
        return count <= 1 && link.GetKind() == Kind::Pipe;
    return count < 2 || !link.IsDevice();
}

void ZFlowNode::GetTipText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::NodeTip(view, *this);
}

void ZFlowNode::GetGradeText(const ZNetView& view, GbkString& text) const
{
    text = ZObjectLabels::NodeGrade(view, *this);
}

PipePoint ZFlowNode::GetPosition(const ZNetView& view) const
{
    if (!HasFlag(qen::FLAG_DEVICE_OUTLET))
        return {X, Y};
    const ZDeviceLink* dev = GetDevice();
    const ZDeviceSymbolSet* sym = dev ? ZDeviceSymbolSet::For(dev->GetKind()) : nullptr;
    if (!sym || dev->EndNode() != this)
        return {X, Y};
    const auto* start = static_cast<const ZFlowNode*>(dev->StartNode());
    auto px = [&](int n) { return (view.IsPrinting() ? view.DeviceSize(n) : n) * view.GetScale(); };
    return {start->X + px(sym->outlet.x - sym->inlet.x), start->Y - px(sym->outlet.y - sym->inlet.y)};
}

ViewExtent ZFlowNode::GetBoundRect(const ZNetView& view) const
{
    const PipePoint p = GetPosition(view);
    return {p.x, p.y, p.x, p.y};
}

namespace {
ViewExtent NodeSquare(const ZNetView& view, const PipePoint& p)
{
    const double h = view.DeviceSize(view.Settings().Sizes().NodeWidth) * view.GetScale() / 2;
    return {p.x - h, p.y - h, p.x + h, p.y + h};
}

bool ShowsProjectLabel(const ZNetView& view)
{
    return view.LabelTip().IsMultiLine() && !view.IsWorkshopActive();
}
}   // namespace

ViewExtent ZFlowNode::GetDisplayRect(const ZNetView& view) const
{
    const PipePoint p = GetPosition(view);
    ViewExtent r = NodeSquare(view, p);
    if (!view.LabelsShown() || IsDeviceNode())
        return r;
    if (view.LabelTip().IsMultiLine()) {
        if (ShowsProjectLabel(view))
            r.Include(ZLabelLayout::NodeMulti(view, *this, p, ZObjectLabels::NodeMultiLabel(view, *this)).box);
    } else {
        GbkString text;
        GetGradeText(view, text);
        if (!text.empty())
            r.Include(ZLabelLayout::NodeSingle(view, p, std::move(text)).Bounds());
    }
    return r;
}

bool ZFlowNode::HitTestPoint(const ZNetView& view, const ViewExtent& pick) const
{
    // The square decides most cases without composing the label.
    if (NodeSquare(view, GetPosition(view)).Intersects(pick))
        return true;
    return GetDisplayRect(view).Intersects(pick);
}

bool ZFlowNode::SnapPoint(const ZNetView& view, const ViewExtent& pick, PipePoint& snapped) const
{
    if (!HitTestPoint(view, pick))
        return false;
    snapped = GetPosition(view);
    return true;
}

void ZFlowNode::Draw(const ZNetView& view, ZDrawContext& dc) const
{
    if (IsFiltered() || IsHidden() || !HitTestPoint(view, dc.ClipRect()))
        return;
    dc.SelectNode(*this);
    const PipePoint p = GetPosition(view);
    ViewExtent sq = NodeSquare(view, p);
    if (IsSelected() && !HasFlag(qen::FLAG_ERASE)) {
        const double step = dc.DeviceSize(view.Settings().Sizes().NodePenWidth) * dc.Scale();
        while (sq.Width() > 0.0 && sq.Height() > 0.0) {
            dc.Rectangle(sq);
            if (!(step > 0.0))
                break;
            sq = {sq.left + step, sq.bottom + step, sq.right - step, sq.top - step};
        }
    } else {
        dc.Rectangle(sq);
    }
    if (view.LabelsShown() && !IsDeviceNode()) {
        if (view.LabelTip().IsMultiLine()) {
            if (ShowsProjectLabel(view)) {
                const ZNodeLabelBox box =
                    ZLabelLayout::NodeMulti(view, *this, p, ZObjectLabels::NodeMultiLabel(view, *this));
                if (!box.IsEmpty()) {
                    dc.BeginLabel(box.box);
                    box.Draw(dc);
                    dc.EndLabel();
                }
            }
        } else {
            GbkString text;
            GetGradeText(view, text);
            const ZTextPlacement t = ZLabelLayout::NodeSingle(view, p, std::move(text));
            if (!t.IsEmpty()) {
                dc.BeginLabel(t.Bounds());
                t.Draw(dc);
                dc.EndLabel();
            }
        }
    }
    dc.Restore();
}
