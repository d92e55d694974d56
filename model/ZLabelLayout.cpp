#include "ZLabelLayout.h"

#include "ZDrawContext.h"
#include "ZDrawGeometry.h"
#include "ZFlowNode.h"
#include "ZNetView.h"
#include "ZPipeLink.h"

#include <algorithm>
#include <cmath>

ViewExtent ZTextPlacement::Bounds() const
{
    // The text body runs along (cos, sin) and "down" the page along (sin, -cos).
    const double c = std::cos(angle), s = std::sin(angle);
    ViewExtent r = ViewExtent::Empty();
    r.Include(x, y);
    r.Include(x + width * c, y + width * s);
    r.Include(x + height * s, y - height * c);
    r.Include(x + width * c + height * s, y + width * s - height * c);
    return r;
}

void ZTextPlacement::Draw(ZDrawContext& dc) const
{
    if (!text.empty())
        dc.Text(x, y, angle, text);
}

void ZNodeLabelBox::Draw(ZDrawContext& dc) const
{
    if (lines.empty())
        return;
    dc.RectangleOutline(box);
    for (size_t i = 0; i < lines.size(); ++i) {
        const double top = box.top - static_cast<double>(i) * lineHeight;
        if (i > 0)
            dc.Line(box.left, top, box.right, top);
        dc.Text(box.left + margin, top, 0.0, lines[i]);
    }
}

ZTextPlacement ZLabelLayout::NodeSingle(const ZNetView& view, const PipePoint& pos, GbkString text)
{
    ZTextPlacement t;
    if (text.empty())
        return t;
    const auto& sz = view.Settings().Sizes();
    const double scale = view.GetScale();
    view.TextExtent(text, t.width, t.height);
    t.x = pos.x - t.width / 2;
    t.y = pos.y + (view.DeviceSize(sz.NodeWidth) + view.DeviceSize(sz.NodePenWidth)) * scale / 2 + t.height +
          view.DeviceSize(sz.LabelLead) * scale;
    t.text = std::move(text);
    return t;
}

ZNodeLabelBox ZLabelLayout::NodeMulti(const ZNetView& view, const ZFlowNode& node, const PipePoint& pos, GbkView text)
{
    ZNodeLabelBox b;
    size_t start = 0;
    while (start <= text.size() && b.lines.size() < MaxLines) {
        size_t end = text.Bytes().find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.Bytes().substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        b.lines.emplace_back(GbkView(line));
        start = end + 1;
    }
    if (text.empty())
        b.lines.clear();
    if (b.lines.empty())
        return b;

    double widest = 0.0;
    for (const GbkString& l : b.lines) {
        double w = 0.0, h = 0.0;
        view.TextExtent(l, w, h);
        widest = std::max(widest, w);
        b.lineHeight = std::max(b.lineHeight, h);
    }
    b.margin = 0.2 * b.lineHeight;
    const double W = widest + 2 * b.margin;
    const double H = static_cast<double>(b.lines.size()) * b.lineHeight;

    std::vector<double> dirs;
    for (const ZNetLink* l = node.FirstLink(); l; l = l->NextLinkAt(&node)) {
        PipePoint toward;
        const auto* other = static_cast<const ZFlowNode*>(l->OtherNode(&node));
        if (l->GetKind() == ZNetObject::Kind::Pipe && static_cast<const ZPipeLink*>(l)->VertexCount() > 0) {
            const auto* p = static_cast<const ZPipeLink*>(l);
            toward = l->StartNode() == &node ? p->VertexAt(0) : p->VertexAt(p->VertexCount() - 1);
        } else if (other) {
            toward = other->GetPosition(view);
        } else {
            continue;
        }
        if (toward.x != pos.x || toward.y != pos.y)
            dirs.push_back(ZDrawGeometry::Direction(toward.x - pos.x, toward.y - pos.y));
    }
    const double theta = ZDrawGeometry::FreeDirection(std::move(dirs));
    const double half = view.DeviceSize(view.Settings().Sizes().NodeWidth) * view.GetScale() / 2;
    auto boxAt = [&](double angle) {
        const double dist = half + 0.2 * std::min(W, H) + ZDrawGeometry::BoxEdgeDistance(W, H, angle);
        const double cx = pos.x + dist * std::cos(angle), cy = pos.y + dist * std::sin(angle);
        return ViewExtent{cx - W / 2, cy - H / 2, cx + W / 2, cy + H / 2};
    };
    b.box = boxAt(theta);
    ViewExtent area;
    if (!view.LabelArea(area) || !area.Contains(pos.x, pos.y))
        return b;
    auto inside = [&area](const ViewExtent& r) {
        return r.left >= area.left && r.right <= area.right && r.bottom >= area.bottom && r.top <= area.top;
    };
    // A box the window or page edge would cut turns about its node, nearest directions first,
    // until it lies whole inside; failing that it is pushed in.
    for (int k = 1; k <= 8 && !inside(b.box); ++k)
        for (double sign : {1.0, -1.0}) {
            const ViewExtent r = boxAt(theta + sign * k * ZDrawGeometry::Pi / 8);
            if (inside(r)) {
                b.box = r;
                break;
            }
        }
    if (!inside(b.box) && W <= area.Width() && H <= area.Height()) {
        const double dx = std::max(0.0, area.left - b.box.left) - std::max(0.0, b.box.right - area.right);
        const double dy = std::max(0.0, area.bottom - b.box.bottom) - std::max(0.0, b.box.top - area.top);
        b.box = {b.box.left + dx, b.box.bottom + dy, b.box.right + dx, b.box.top + dy};
    }
    return b;
}

bool ZLabelLayout::PipeLabelSegment(const ZNetView& view, const ZPipeLink& pipe, PipePoint& a, PipePoint& b)
{
    const ZFlowNode* s = pipe.From();
    const ZFlowNode* e = pipe.To();
    if (!s || !e)
        return false;
    PipePoint prev = s->GetPosition(view);
    const PipePoint last = e->GetPosition(view);
    double best = -1.0;
    const int n = pipe.VertexCount();
    for (int i = 0; i <= n; ++i) {
        const PipePoint next = i < n ? pipe.VertexAt(i) : last;
        const double len = std::hypot(next.x - prev.x, next.y - prev.y);
        if (len > best) {
            best = len;
            a = prev;
            b = next;
        }
        prev = next;
    }
    return true;
}

ZTextPlacement ZLabelLayout::AlongSegment(const ZNetView& view, const PipePoint& a, const PipePoint& b, GbkString text,
                                          bool above)
{
    ZTextPlacement t;
    if (text.empty())
        return t;
    const auto& sz = view.Settings().Sizes();
    t.angle = ZDrawGeometry::UprightAngle(ZDrawGeometry::Direction(b.x - a.x, b.y - a.y));
    view.TextExtent(text, t.width, t.height);
    const double c = std::cos(t.angle), s = std::sin(t.angle);
    const double lead = (view.DeviceSize(sz.PipePenWidth) / 2 + view.DeviceSize(sz.LabelLead)) * view.GetScale();
    // Across the line: up the page is (-sin, cos); the top-left sits lead + height above, or lead below.
    const double across = above ? lead + t.height : -lead;
    t.x = (a.x + b.x) / 2 - t.width / 2 * c - across * s;
    t.y = (a.y + b.y) / 2 - t.width / 2 * s + across * c;
    t.text = std::move(text);
    return t;
}

ZTextPlacement ZLabelLayout::UnderSymbol(const ZNetView& view, const ViewExtent& symbol, GbkString text)
{
    ZTextPlacement t;
    if (text.empty())
        return t;
    view.TextExtent(text, t.width, t.height);
    t.x = (symbol.left + symbol.right) / 2 - t.width / 2;
    t.y = symbol.bottom - view.DeviceSize(view.Settings().Sizes().LabelLead) * view.GetScale();
    t.text = std::move(text);
    return t;
}
