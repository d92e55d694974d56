#include "ZDeviceLink.h"

#include "ZDeviceSymbolSet.h"
#include "ZDrawContext.h"
#include "ZFlowNode.h"
#include "ZLabelLayout.h"
#include "ZNetView.h"

#include <cmath>

void ZDeviceLink::CopyFrom(const ZNetObject& other)
{
    ZFlowLink::CopyFrom(other);
    m_symbolIndex = static_cast<const ZDeviceLink&>(other).m_symbolIndex;
}

void ZDeviceLink::Connect(ZNetNode* start, ZNetNode* end)
{
    ZFlowLink::Connect(start, end);
    start->SetFlag(qen::FLAG_DEVICE_NODE);
    end->SetFlag(qen::FLAG_DEVICE_NODE | qen::FLAG_DEVICE_OUTLET);
    auto* s = static_cast<ZFlowNode*>(start);
    auto* e = static_cast<ZFlowNode*>(end);
    e->X = s->X;
    e->Y = s->Y;
}

void ZDeviceLink::Disconnect()
{
    if (StartNode())
        StartNode()->ClearFlag(qen::FLAG_DEVICE_NODE);
    if (EndNode())
        EndNode()->ClearFlag(qen::FLAG_DEVICE_NODE | qen::FLAG_DEVICE_OUTLET);
    ZFlowLink::Disconnect();
}

void ZDeviceLink::Reverse()
{
    if (EndNode())
        EndNode()->ClearFlag(qen::FLAG_DEVICE_OUTLET);
    if (StartNode())
        StartNode()->SetFlag(qen::FLAG_DEVICE_OUTLET);
    ZFlowLink::Reverse();
}

double ZDeviceLink::SquareLawFlow(double dh, bool open)
{
    dh = ClampHeadDifference(dh);
    double q = std::sqrt(std::fabs(dh) / Resistance);
    if (dh <= 0.0)
        q = -q;
    if (!open)
        q = 0.0;
    Flow = q;
    return q;
}

double ZDeviceLink::SquareLawConductance(bool open) const
{
    return open ? 1.0 / (2.0 * Resistance * std::fabs(Flow)) : 0.0;
}

ViewExtent ZDeviceLink::SymbolRect(const ZNetView& view) const
{
    const ZDeviceSymbolSet* sym = ZDeviceSymbolSet::For(GetKind());
    const auto* start = static_cast<const ZFlowNode*>(StartNode());
    if (!sym || !start)
        return ViewExtent::Empty();
    auto px = [&](int n) { return (view.IsPrinting() ? view.DeviceSize(n) : n) * view.GetScale(); };
    const double left = start->X - px(sym->inlet.x);
    const double top = start->Y + px(sym->inlet.y);
    return {left, top - px(sym->height), left + px(sym->width), top};
}

ViewExtent ZDeviceLink::GetBoundRect(const ZNetView& view) const
{
    return SymbolRect(view);
}

ViewExtent ZDeviceLink::GetDisplayRect(const ZNetView& view) const
{
    ViewExtent r = SymbolRect(view);
    if (r.IsEmpty() || !view.LabelsShown())
        return r;
    GbkString text;
    GetGradeText(view, text);
    if (!text.empty())
        r.Include(ZLabelLayout::UnderSymbol(view, r, std::move(text)).Bounds());
    return r;
}

void ZDeviceLink::Draw(const ZNetView& view, ZDrawContext& dc) const
{
    if (IsFiltered() || IsHidden())
        return;
    const ViewExtent r = SymbolRect(view);
    if (r.IsEmpty() || !GetDisplayRect(view).Intersects(dc.ClipRect()))
        return;
    dc.SelectDevice(*this);
    dc.Symbol(*this, r.left, r.top);
    if (view.LabelsShown()) {
        GbkString text;
        GetGradeText(view, text);
        const ZTextPlacement t = ZLabelLayout::UnderSymbol(view, r, std::move(text));
        if (!t.IsEmpty()) {
            dc.BeginLabel(t.Bounds());
            t.Draw(dc);
            dc.EndLabel();
        }
    }
    dc.Restore();
}
