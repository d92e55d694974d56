#include "ZPipeTeeSplitter.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace {

std::vector<PipePoint> Points(const ZPipeLink& p)
{
    std::vector<PipePoint> pts;
    pts.push_back({p.From()->X, p.From()->Y});
    pts.insert(pts.end(), p.Vertices().begin(), p.Vertices().end());
    pts.push_back({p.To()->X, p.To()->Y});
    return pts;
}

} // namespace

ZPipeTeeSplitter::ZPipeTeeSplitter(ZNetwork& network, double tolerance, ZEditTransaction* transaction)
    : m_network(network), m_tolerance(tolerance), m_tx(transaction)
{
}

int ZPipeTeeSplitter::Split(const std::vector<ZConsumeNode*>& nodes, std::vector<ZNetObject*>& added,
                            std::vector<ZNetObject*>& changed)
{
    if (nodes.empty())
        return 0;
    // Segments of every pipe in a grid of cells about one average segment long.
    struct Seg {
        ZPipeLink* pipe;
        int index;
        PipePoint a, b;
    };
    std::vector<Seg> segs;
    double total = 0.0;
    for (ZFlowLink* l : m_network.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        auto* p = static_cast<ZPipeLink*>(l);
        const auto pts = Points(*p);
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            segs.push_back({p, static_cast<int>(i), pts[i], pts[i + 1]});
            total += std::hypot(pts[i + 1].x - pts[i].x, pts[i + 1].y - pts[i].y);
        }
    }
    if (segs.empty())
        return 0;
    const double cell = std::max({total / static_cast<double>(segs.size()), 4 * m_tolerance, 1e-3});
    auto key = [cell](double x, double y) {
        const auto cx = static_cast<int64_t>(std::clamp(std::floor(x / cell), -1.0e15, 1.0e15));
        const auto cy = static_cast<int64_t>(std::clamp(std::floor(y / cell), -1.0e15, 1.0e15));
        return static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(cy);
    };
    std::unordered_multimap<uint64_t, size_t> grid;
    for (size_t s = 0; s < segs.size(); ++s) {
        const Seg& g = segs[s];
        const double x0 = std::min(g.a.x, g.b.x) - m_tolerance, x1 = std::max(g.a.x, g.b.x) + m_tolerance;
        const double y0 = std::min(g.a.y, g.b.y) - m_tolerance, y1 = std::max(g.a.y, g.b.y) + m_tolerance;
        const double cells = std::ceil((x1 - x0) / cell + 1) * std::ceil((y1 - y0) / cell + 1);
        if (cells > 1e6)   // an absurdly long segment: checked against every node below
            continue;
        for (double x = std::floor(x0 / cell) * cell; x <= x1; x += cell)
            for (double y = std::floor(y0 / cell) * cell; y <= y1; y += cell)
                grid.emplace(key(x + cell / 2, y + cell / 2), s);
    }

    std::map<ZPipeLink*, std::vector<Hit>> hits;
    for (ZConsumeNode* n : nodes) {
        auto [b, e] = grid.equal_range(key(n->X, n->Y));
        for (auto it = b; it != e; ++it) {
            const Seg& g = segs[it->second];
            const ZPipeLink* p = g.pipe;
            if (p->From() == n || p->To() == n)
                continue;
            if (std::hypot(p->From()->X - n->X, p->From()->Y - n->Y) <= m_tolerance
                || std::hypot(p->To()->X - n->X, p->To()->Y - n->Y) <= m_tolerance)
                continue;
            const double dx = g.b.x - g.a.x, dy = g.b.y - g.a.y, len2 = dx * dx + dy * dy;
            if (!(len2 > 0))
                continue;
            const double t = std::clamp(((n->X - g.a.x) * dx + (n->Y - g.a.y) * dy) / len2, 0.0, 1.0);
            const double dist = std::hypot(g.a.x + t * dx - n->X, g.a.y + t * dy - n->Y);
            if (dist > m_tolerance)
                continue;
            // One split per node and pipe: on the nearest segment, the first of equally near ones.
            const Hit hit{g.pipe, g.index, t, dist, n};
            auto& list = hits[g.pipe];
            auto same = std::find_if(list.begin(), list.end(), [n](const Hit& h) { return h.node == n; });
            if (same == list.end())
                list.push_back(hit);
            else if (dist < same->distance || (dist == same->distance && g.index < same->segment))
                *same = hit;
        }
    }
    int count = 0;
    for (auto& [pipe, list] : hits) {
        count += static_cast<int>(list.size());
        SplitPipe(pipe, list, added);
        changed.push_back(pipe);
    }
    return count;
}

void ZPipeTeeSplitter::SplitPipe(ZPipeLink* pipe, std::vector<Hit>& hits, std::vector<ZNetObject*>& added)
{
    // From the far end back, so the bend points before each split keep their places.
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return a.segment != b.segment ? a.segment > b.segment : a.along > b.along;
    });
    for (const Hit& h : hits) {
        std::vector<PipePoint> v = pipe->Vertices();
        const auto cut = v.begin() + std::min<long>(h.segment, static_cast<long>(v.size()));
        auto* rest = pipe->Clone();
        rest->ClearFlag(qen::FLAG_TRANSIENT);
        m_network.MakeDefaultId(rest);
        rest->SetVertices(std::vector<PipePoint>(cut, v.end()));
        ZConsumeNode* start = static_cast<ZConsumeNode*>(pipe->StartNode());
        ZConsumeNode* end = static_cast<ZConsumeNode*>(pipe->EndNode());
        // The pipe is reconnected by hand: it and the nodes whose link lists change are recorded.
        if (m_tx)
            for (ZNetObject* o : {static_cast<ZNetObject*>(pipe), static_cast<ZNetObject*>(start),
                                  static_cast<ZNetObject*>(end), static_cast<ZNetObject*>(h.node)})
                m_tx->Touch(o);
        pipe->Disconnect();
        pipe->SetVertices(std::vector<PipePoint>(v.begin(), cut));
        pipe->Connect(start, h.node);
        m_network.AddLink(h.node, end, rest);
        if (m_tx)
            m_tx->Added(rest);
        pipe->UpdateAutoLength();
        rest->UpdateAutoLength();
        added.push_back(rest);
    }
}
