#include "ZPipeTeeSplitter.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetNode.h"
#include "model/ZNetwork.h"
#include "model/ZNetworkRecorder.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace {

std::vector<PipePoint> Points(const ZPipeLink& p)
{
    std::vector<PipePoint> pts;
    pts.push_back({p.From()->X, p.From()->Y});
    pts.insert(pts.end(), p.Vertices().begin(), p.Vertices().end());
    pts.push_back({p.To()->X, p.To()->Y});
    return pts;
}

uint64_t Bits(double v)
{
    uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Pipes of one shape: the same two nodes and the same bend points.
uint64_t ShapeKey(const ZPipeLink& p)
{
    uint64_t h = reinterpret_cast<uintptr_t>(p.From()) * 0x9E3779B97F4A7C15ULL ^ reinterpret_cast<uintptr_t>(p.To());
    for (const PipePoint& v : p.Vertices())
        h = (h ^ Bits(v.x)) * 0x100000001B3ULL ^ Bits(v.y);
    return h;
}

bool SameShape(const ZPipeLink& a, const ZPipeLink& b)
{
    if (a.From() != b.From() || a.To() != b.To() || a.Vertices().size() != b.Vertices().size())
        return false;
    for (size_t i = 0; i < a.Vertices().size(); ++i)
        if (Bits(a.Vertices()[i].x) != Bits(b.Vertices()[i].x) || Bits(a.Vertices()[i].y) != Bits(b.Vertices()[i].y))
            return false;
    return true;
}

struct PairHash {
    size_t operator()(const std::pair<const ZPipeLink*, const ZPipeLink*>& p) const
    {
        return std::hash<const void*>()(p.first) * 31 ^ std::hash<const void*>()(p.second);
    }
};

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
    // Pipes drawn over each other between the same two nodes (a block inserted many times at one
    // place) are tried once: the first of each group stands for all, and all split alike.
    std::vector<std::vector<ZPipeLink*>> groups;
    {
        std::unordered_map<uint64_t, std::vector<size_t>> byShape;
        for (ZFlowLink* l : m_network.Links()) {
            if (l->GetKind() != ZNetObject::Kind::Pipe)
                continue;
            auto* p = static_cast<ZPipeLink*>(l);
            auto& candidates = byShape[ShapeKey(*p)];
            auto same = std::find_if(candidates.begin(), candidates.end(),
                                     [&](size_t g) { return SameShape(*groups[g].front(), *p); });
            if (same != candidates.end()) {
                groups[*same].push_back(p);
            } else {
                candidates.push_back(groups.size());
                groups.push_back({p});
            }
        }
    }
    // Segments of each group's first pipe in grids of cells: the finest about one median segment
    // long, each further one 64 times coarser. A segment goes into the finest grid in which it
    // crosses at most a few hundred cells, so that a few lines far longer than the rest (a stray
    // line across the world) neither swell the cells of all nor walk billions of them.
    struct Seg {
        size_t group;
        int index;
        PipePoint a, b;
        double length;
    };
    std::vector<Seg> segs;
    for (size_t g = 0; g < groups.size(); ++g) {
        const auto pts = Points(*groups[g].front());
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const double len = std::hypot(pts[i + 1].x - pts[i].x, pts[i + 1].y - pts[i].y);
            // No node can lie on a segment without a finite length (see tryHit).
            if (len > 0 && std::isfinite(len))
                segs.push_back({g, static_cast<int>(i), pts[i], pts[i + 1], len});
        }
    }
    if (segs.empty())
        return 0;
    double median;
    {
        std::vector<double> lengths(segs.size());
        for (size_t k = 0; k < segs.size(); ++k)
            lengths[k] = segs[k].length;
        std::nth_element(lengths.begin(), lengths.begin() + static_cast<long>(lengths.size() / 2), lengths.end());
        median = lengths[lengths.size() / 2];
    }
    const double finest = std::max({median, 4 * m_tolerance, 1e-3});
    constexpr double Coarser = 64.0, MaxSteps = 512.0;
    // Far-off coordinates share the outermost cells; the distance test still decides.
    auto index = [](double v, double cell) {
        return static_cast<int64_t>(std::clamp(std::floor(v / cell), -1.0e15, 1.0e15));
    };
    auto key = [](int level, int64_t cx, int64_t cy) {
        return (static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(cy)) +
               static_cast<uint64_t>(level) * 0xC2B2AE3D27D4EB4FULL;
    };
    // A segment goes into the cells along it and their neighbours (the tolerance is at most a
    // quarter cell), walked in half-cell steps.
    std::unordered_multimap<uint64_t, size_t> grid;
    std::vector<std::pair<int, double>> levels;   // used, with their cell sizes
    std::vector<uint64_t> keys;
    for (size_t s = 0; s < segs.size(); ++s) {
        const Seg& g = segs[s];
        int level = 0;
        double cell = finest;
        while (2.0 * g.length / cell > MaxSteps) {
            ++level;
            cell *= Coarser;
        }
        if (std::find_if(levels.begin(), levels.end(), [level](const auto& l) { return l.first == level; }) ==
            levels.end())
            levels.emplace_back(level, cell);
        const int64_t n = static_cast<int64_t>(std::max(1.0, std::ceil(2.0 * g.length / cell)));
        keys.clear();
        for (int64_t k = 0; k <= n; ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(n);
            const int64_t cx = index(g.a.x + (g.b.x - g.a.x) * t, cell), cy = index(g.a.y + (g.b.y - g.a.y) * t, cell);
            for (int64_t dx = -1; dx <= 1; ++dx)
                for (int64_t dy = -1; dy <= 1; ++dy)
                    keys.push_back(key(level, cx + dx, cy + dy));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        for (uint64_t k : keys)
            grid.emplace(k, s);
    }

    std::vector<std::pair<ZPipeLink*, std::vector<Hit>>> hits;
    std::unordered_map<ZPipeLink*, size_t> hitIndex;
    std::unordered_set<std::pair<const ZPipeLink*, const ZPipeLink*>, PairHash> overlaps;
    m_measured = 0;
    auto tryHit = [&](ZConsumeNode* n, const Seg& g) {
        ++m_measured;
        const ZPipeLink* p = groups[g.group].front();
        if (p->From() == n || p->To() == n)
            return;
        if (std::hypot(p->From()->X - n->X, p->From()->Y - n->Y) <= m_tolerance ||
            std::hypot(p->To()->X - n->X, p->To()->Y - n->Y) <= m_tolerance)
            return;
        // Unit direction first, so far-off or huge coordinates give no infinities; a test that
        // is not plainly within the tolerance (NaN included) is no hit.
        const double len = g.length;
        const double ux = (g.b.x - g.a.x) / len, uy = (g.b.y - g.a.y) / len;
        const double along = std::clamp((n->X - g.a.x) * ux + (n->Y - g.a.y) * uy, 0.0, len);
        const double dist = std::hypot(g.a.x + along * ux - n->X, g.a.y + along * uy - n->Y);
        if (!(dist <= m_tolerance))
            return;
        // A pipe leaving the node along this segment overlaps it: reported, not split. (No pipe
        // of the group ends at the node, so none of them is among the node's own.)
        for (const ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
            if (l->GetKind() != ZNetObject::Kind::Pipe)
                continue;
            const auto* q = static_cast<const ZPipeLink*>(l);
            const ZFlowNode* far = q->From() == n ? q->To() : q->From();
            const PipePoint next = q->Vertices().empty() ? PipePoint{far->X, far->Y}
                                   : q->From() == n      ? q->Vertices().front()
                                                         : q->Vertices().back();
            const double off = std::fabs((next.x - n->X) * uy - (next.y - n->Y) * ux);
            if (off <= m_tolerance && std::hypot(next.x - n->X, next.y - n->Y) > m_tolerance) {
                for (const ZPipeLink* m : groups[g.group])
                    overlaps.insert(std::minmax(m, q));
                return;
            }
        }
        // One split per node and pipe: on the nearest segment, the first of equally near ones.
        // Nodes are taken one after the other, so an earlier hit of this node is the last one.
        for (ZPipeLink* m : groups[g.group]) {
            const Hit hit{m, g.index, along / len, dist, n};
            auto [at, fresh] = hitIndex.emplace(m, hits.size());
            if (fresh)
                hits.push_back({m, {}});
            auto& list = hits[at->second].second;
            if (list.empty() || list.back().node != n)
                list.push_back(hit);
            else if (dist < list.back().distance || (dist == list.back().distance && g.index < list.back().segment))
                list.back() = hit;
        }
    };
    for (ZConsumeNode* n : nodes) {
        for (const auto& [level, cell] : levels) {
            auto [b, e] = grid.equal_range(key(level, index(n->X, cell), index(n->Y, cell)));
            for (auto it = b; it != e; ++it)
                tryHit(n, segs[it->second]);
        }
    }
    m_overlaps = static_cast<int>(overlaps.size());
    // In the network's order, so that the new pipes' identifiers do not depend on the grid.
    std::sort(hits.begin(), hits.end(),
              [](const auto& a, const auto& b) { return a.first->GetIndex() < b.first->GetIndex(); });
    // The split pipes leave their far ends' lists in one pass per node: taking them out one at a
    // time walks the list each time, quadratic where thousands of pipes end at one node.
    std::unordered_map<ZNetNode*, std::unordered_set<const ZNetLink*>> leaving;
    for (auto& [pipe, list] : hits) {
        if (m_tx)
            for (ZNetObject* o : {static_cast<ZNetObject*>(pipe), static_cast<ZNetObject*>(pipe->StartNode()),
                                  static_cast<ZNetObject*>(pipe->EndNode())})
                m_tx->Touch(o);
        leaving[pipe->EndNode()].insert(pipe);
    }
    for (auto& [node, links] : leaving) {
        ZNetLink* prev = nullptr;
        for (ZNetLink* l = node->FirstLink(); l;) {
            ZNetLink* next = l->NextLinkAt(node);
            if (!links.count(l))
                prev = l;
            else if (prev)
                prev->SetNextLinkAt(node, next);
            else
                node->SetFirstLink(next);
            l = next;
        }
    }
    int count = 0;
    m_newLinks.clear();
    m_pendingIds.clear();
    for (auto& [pipe, list] : hits) {
        count += static_cast<int>(list.size());
        SplitPipe(pipe, list, added);
        changed.push_back(pipe);
    }
    // One sorted merge: inserting each new half at its place shifts everything after it,
    // quadratic when a drawing has tens of thousands of tees.
    m_network.MergeIntoArrays({}, std::move(m_newLinks));
    m_newLinks.clear();
    m_pendingIds.clear();
    return count;
}

std::string ZPipeTeeSplitter::NewId()
{
    // The network's rule (its count, else the lowest free number) over the network and the new
    // halves not merged into it yet.
    const int count = m_network.LinkCount() + static_cast<int>(m_pendingIds.size());
    auto taken = [&](const std::string& id) {
        return m_pendingIds.count(id) > 0 || m_network.FindLink(GbkView(id)) != nullptr;
    };
    std::string id = std::to_string(count);
    for (int i = 0; taken(id) && i < count; ++i)
        id = std::to_string(i);
    m_pendingIds.insert(id);
    return id;
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
    // The pipe has already left its far end's list (see Split); later splits move it off the
    // node of the one before, where it sits at the head.
    bool offItsEnd = true;
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
        rest->SetId(GbkView(NewId()));
        rest->SetVertices(std::vector<PipePoint>(restBegin, v.end()));
        ZConsumeNode* start = static_cast<ZConsumeNode*>(pipe->StartNode());
        ZConsumeNode* end = static_cast<ZConsumeNode*>(pipe->EndNode());
        // The pipe is reconnected by hand: it and the nodes whose link lists change are recorded.
        if (m_tx)
            for (ZNetObject* o : {static_cast<ZNetObject*>(pipe), static_cast<ZNetObject*>(start),
                                  static_cast<ZNetObject*>(end), static_cast<ZNetObject*>(h.node)})
                m_tx->Touch(o);
        if (!offItsEnd)
            end->DetachLink(pipe);
        offItsEnd = false;
        pipe->SetVertices(std::vector<PipePoint>(v.begin(), cut));
        pipe->SetEndNode(h.node);
        h.node->AttachLink(pipe);
        if (ZNetworkRecorder* r = m_network.Recorder())
            r->WillChange(rest);
        rest->Connect(h.node, end);
        m_newLinks.push_back(rest);
        if (m_tx)
            m_tx->Added(rest);
        if (pipe->UpdateAutoLength())
            pipe->PipeLength *= factor;
        if (rest->UpdateAutoLength())
            rest->PipeLength *= factor;
        added.push_back(rest);
    }
}
