#include "ZSpatialGrid.h"

#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>

namespace {
ViewExtent ModelBox(const ZNetObject* o)
{
    ViewExtent r = ViewExtent::Empty();
    if (o->IsNode()) {
        const auto* n = static_cast<const ZFlowNode*>(o);
        r.Include(n->X, n->Y);
        return r;
    }
    const auto* l = static_cast<const ZFlowLink*>(o);
    if (const ZFlowNode* a = l->From())
        r.Include(a->X, a->Y);
    if (const ZFlowNode* b = l->To())
        r.Include(b->X, b->Y);
    if (l->GetKind() == ZNetObject::Kind::Pipe)
        for (const PipePoint& p : static_cast<const ZPipeLink*>(l)->Vertices())
            r.Include(p.x, p.y);
    return r;
}
} // namespace

void ZSpatialGrid::Clear()
{
    m_entries.clear();
    m_cellStart.clear();
    m_cellItems.clear();
    m_stamp.clear();
    m_built = false;
}

void ZSpatialGrid::Build(const ZNetwork& net)
{
    Clear();
    m_entries.reserve(static_cast<size_t>(net.NodeCount() + net.LinkCount()));
    m_bounds = ViewExtent::Empty();
    for (int i = 0; i < net.LinkCount(); ++i) {
        ZNetObject* o = net.LinkAt(i);
        const ViewExtent b = ModelBox(o);
        if (b.IsEmpty())
            continue;
        m_entries.push_back({o, b, true, i});
        m_bounds.Include(b);
    }
    for (int i = 0; i < net.NodeCount(); ++i) {
        ZNetObject* o = net.NodeAt(i);
        const ViewExtent b = ModelBox(o);
        m_entries.push_back({o, b, false, i});
        m_bounds.Include(b);
    }
    m_built = true;
    if (m_entries.empty())
        return;
    // About two objects per cell, at most 1024 cells a side.
    const double w = std::max(m_bounds.Width(), 1e-9), h = std::max(m_bounds.Height(), 1e-9);
    const double cells = std::max(1.0, static_cast<double>(m_entries.size()) / 2.0);
    const double side = std::sqrt(w * h / cells);
    m_cols = std::clamp(static_cast<int>(w / side) + 1, 1, 1024);
    m_rows = std::clamp(static_cast<int>(h / side) + 1, 1, 1024);
    m_cellW = w / m_cols;
    m_cellH = h / m_rows;

    const size_t ncell = static_cast<size_t>(m_cols) * static_cast<size_t>(m_rows);
    std::vector<uint32_t> counts(ncell + 1, 0);
    auto forCells = [&](const ViewExtent& b, auto&& fn) {
        int c0, r0, c1, r1;
        CellRange(b, c0, r0, c1, r1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                fn(static_cast<size_t>(r) * static_cast<size_t>(m_cols) + static_cast<size_t>(c));
    };
    for (const Entry& e : m_entries)
        forCells(e.box, [&](size_t cell) { ++counts[cell + 1]; });
    for (size_t i = 1; i <= ncell; ++i)
        counts[i] += counts[i - 1];
    m_cellStart = counts;
    m_cellItems.resize(counts[ncell]);
    for (uint32_t k = 0; k < m_entries.size(); ++k)
        forCells(m_entries[k].box, [&](size_t cell) { m_cellItems[counts[cell]++] = k; });
    m_stamp.assign(m_entries.size(), 0);
    m_query = 0;
}

void ZSpatialGrid::CellRange(const ViewExtent& r, int& c0, int& r0, int& c1, int& r1) const
{
    auto col = [&](double x) {
        const double c = std::floor((x - m_bounds.left) / m_cellW);
        return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(m_cols - 1)));
    };
    auto row = [&](double y) {
        const double c = std::floor((y - m_bounds.bottom) / m_cellH);
        return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(m_rows - 1)));
    };
    c0 = col(r.left);
    c1 = col(r.right);
    r0 = row(r.bottom);
    r1 = row(r.top);
}

void ZSpatialGrid::Query(const ViewExtent& area, std::vector<ZNetObject*>& out) const
{
    out.clear();
    if (m_entries.empty() || !area.Intersects(m_bounds))
        return;
    if (area.left <= m_bounds.left && area.right >= m_bounds.right && area.bottom <= m_bounds.bottom &&
        area.top >= m_bounds.top) {
        // All of the network: every entry, in order.
        out.reserve(m_entries.size());
        for (const Entry& e : m_entries)
            out.push_back(e.object);
        return;
    }
    // Two stamps a query: q marks an entry looked at, q + 1 one that was hit.
    if (m_query >= UINT32_MAX - 2) {
        std::fill(m_stamp.begin(), m_stamp.end(), 0);
        m_query = 0;
    }
    m_query += 2;
    const uint32_t seen = m_query, hit = m_query + 1;
    int c0, r0, c1, r1;
    CellRange(area, c0, r0, c1, r1);
    m_hits.clear();
    for (int r = r0; r <= r1; ++r) {
        const size_t base = static_cast<size_t>(r) * static_cast<size_t>(m_cols);
        for (uint32_t i = m_cellStart[base + c0]; i < m_cellStart[base + c1 + 1]; ++i) {
            const uint32_t k = m_cellItems[i];
            if (m_stamp[k] >= seen)
                continue;
            if (m_entries[k].box.Intersects(area)) {
                m_stamp[k] = hit;
                m_hits.push_back(k);
            } else {
                m_stamp[k] = seen;
            }
        }
    }
    // Entry numbers run links first, each group in array order. A view of much of the network
    // reads the stamps in order (a pan step of the whole network would sort 150,000 numbers).
    out.reserve(m_hits.size());
    if (m_hits.size() * 48 < m_entries.size()) {
        std::sort(m_hits.begin(), m_hits.end());
        for (uint32_t k : m_hits)
            out.push_back(m_entries[k].object);
        return;
    }
    for (size_t k = 0; k < m_entries.size(); ++k)
        if (m_stamp[k] == hit)
            out.push_back(m_entries[k].object);
}
