#include "ZPipeTeeSplitter.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
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

}   // namespace

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
    // Far-off coordinates share the outermost cells; the distance test still decides.
    auto index = [cell](double v) { return static_cast<int64_t>(std::clamp(std::floor(v / cell), -1.0e15, 1.0e15)); };
    auto key = [](int64_t cx, int64_t cy) {
        return static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(cy);
    };
    std::unordered_multimap<uint64_t, size_t> grid;
    std::vector<size_t> huge;   // segments over too many cells: tried against every node
    for (size_t s = 0; s < segs.size(); ++s) {
        const Seg& g = segs[s];
        const int64_t x0 = index(std::min(g.a.x, g.b.x) - m_tolerance),
                      x1 = index(std::max(g.a.x, g.b.x) + m_tolerance);
        const int64_t y0 = index(std::min(g.a.y, g.b.y) - m_tolerance),
                      y1 = index(std::max(g.a.y, g.b.y) + m_tolerance);
        if (static_cast<double>(x1 - x0 + 1) * static_cast<double>(y1 - y0 + 1) > 1e4) {
            huge.push_back(s);
            continue;
        }
        for (int64_t x = x0; x <= x1; ++x)
            for (int64_t y = y0; y <= y1; ++y)
                grid.emplace(key(x, y), s);
    }

    std::vector<std::pair<ZPipeLink*, std::vector<Hit>>> hits;
    std::unordered_map<ZPipeLink*, size_t> hitIndex;
    std::vector<std::pair<const ZPipeLink*, const ZPipeLink*>> overlaps;
    auto tryHit = [&](ZConsumeNode* n, const Seg& g) {
        const ZPipeLink* p = g.pipe;
        if (p->From() == n || p->To() == n)
            return;
        if (std::hypot(p->From()->X - n->X, p->From()->Y - n->Y) <= m_tolerance ||
            std::hypot(p->To()->X - n->X, p->To()->Y - n->Y) <= m_tolerance)
            return;
        // Unit direction first, so far-off or huge coordinates give no infinities; a test that
        // is not plainly within the tolerance (NaN included) is no hit.
        const double len = std::hypot(g.b.x - g.a.x, g.b.y - g.a.y);
        if (!(len > 0) || !std::isfinite(len))
            return;
        const double ux = (g.b.x - g.a.x) / len, uy = (g.b.y - g.a.y) / len;
        const double along = std::clamp((n->X - g.a.x) * ux + (n->Y - g.a.y) * uy, 0.0, len);
        const double dist = std::hypot(g.a.x + along * ux - n->X, g.a.y + along * uy - n->Y);
        if (!(dist <= m_tolerance))
            return;
        // A pipe leaving the node along this segment overlaps it: reported, not split.
        for (const ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
            if (l == p || l->GetKind() != ZNetObject::Kind::Pipe)
                continue;
            const auto* q = static_cast<const ZPipeLink*>(l);
            const ZFlowNode* far = q->From() == n ? q->To() : q->From();
            const PipePoint next = q->Vertices().empty() ? PipePoint{far->X, far->Y}
                                   : q->From() == n      ? q->Vertices().front()
                                                         : q->Vertices().back();
            const double off = std::fabs((next.x - n->X) * uy - (next.y - n->Y) * ux);
            if (off <= m_tolerance && std::hypot(next.x - n->X, next.y - n->Y) > m_tolerance) {
                const std::pair<const ZPipeLink*, const ZPipeLink*> pair =
                    std::minmax(static_cast<const ZPipeLink*>(p), q);
                if (std::find(overlaps.begin(), overlaps.end(), pair) == overlaps.end())
                    overlaps.push_back(pair);
                return;
            }
        }
        // One split per node and pipe: on the nearest segment, the first of equally near ones.
        const Hit hit{g.pipe, g.index, along / len, dist, n};
        auto [at, fresh] = hitIndex.emplace(g.pipe, hits.size());
        if (fresh)
            hits.push_back({g.pipe, {}});
        auto& list = hits[at->second].second;
        auto same = std::find_if(list.begin(), list.end(), [n](const Hit& h) { return h.node == n; });
        if (same == list.end())
            list.push_back(hit);
        else if (dist < same->distance || (dist == same->distance && g.index < same->segment))
            *same = hit;
    };
    for (ZConsumeNode* n : nodes) {
        auto [b, e] = grid.equal_range(key(index(n->X), index(n->Y)));
        for (auto it = b; it != e; ++it)
            tryHit(n, segs[it->second]);
        for (size_t s : huge)
            tryHit(n, segs[s]);
    }
    m_overlaps = static_cast<int>(overlaps.size());
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
    // A length drawn on arcs (longer than the chords) is shared out by the chords' lengths.
    const double polyline = pipe->PolylineLength();
    const double factor = pipe->IsAutoLength() && polyline > 0 ? pipe->PipeLength / polyline : 1.0;
    for (const Hit& h : hits) {
        std::vector<PipePoint> v = pipe->Vertices();
        auto cut = v.begin() + std::min<long>(h.segment, static_cast<long>(v.size()));
        // A bend point on the split node would leave a segment of no length on either side.
        auto near = [&](const PipePoint& q) { return std::hypot(q.x - h.node->X, q.y - h.node->Y) <= m_tolerance; };
        auto restBegin = cut;
        while (restBegin != v.end() && near(*restBegin))
            ++restBegin;
        while (cut != v.begin() && near(*(cut - 1)))
            --cut;
        auto* rest = pipe->Clone();
        rest->ClearFlag(qen::FLAG_TRANSIENT);
        m_network.MakeDefaultId(rest);
        rest->SetVertices(std::vector<PipePoint>(restBegin, v.end()));
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
        if (pipe->UpdateAutoLength())
            pipe->PipeLength *= factor;
        if (rest->UpdateAutoLength())
            rest->PipeLength *= factor;
        added.push_back(rest);
    }
}
