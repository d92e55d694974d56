#include "ZSpatialGrid.h"

#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Empty when the object has no position; `finite` false when any of its points is not finite
// (a NaN would otherwise vanish inside min and max).
ViewExtent ModelBox(const ZNetObject* o, bool& finite)
{
    ViewExtent r = ViewExtent::Empty();
    finite = true;
    auto add = [&](double x, double y) {
        finite = finite && std::isfinite(x) && std::isfinite(y);
        r.Include(x, y);
    };
    if (o->IsNode()) {
        const auto* n = static_cast<const ZFlowNode*>(o);
        add(n->X, n->Y);
        return r;
    }
    const auto* l = static_cast<const ZFlowLink*>(o);
    if (const ZFlowNode* a = l->From())
        add(a->X, a->Y);
    if (const ZFlowNode* b = l->To())
        add(b->X, b->Y);
    if (l->GetKind() == ZNetObject::Kind::Pipe)
        for (const PipePoint& p : static_cast<const ZPipeLink*>(l)->Vertices())
            add(p.x, p.y);
    return r;
}

// A cell count or index from a quotient that may be huge, infinite or NaN on extreme networks.
int ClampedCell(double v, int count)
{
    if (!(v >= 0.0))
        return 0;
    return v >= count - 1 ? count - 1 : static_cast<int>(v);
}
}   // namespace

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
        bool finite;
        const ViewExtent b = ModelBox(o, finite);
        if (b.IsEmpty() || !finite)   // nowhere to be found or drawn
            continue;
        m_entries.push_back({o, b, true, i});
        m_bounds.Include(b);
    }
    for (int i = 0; i < net.NodeCount(); ++i) {
        ZNetObject* o = net.NodeAt(i);
        bool finite;
        const ViewExtent b = ModelBox(o, finite);
        if (!finite)
            continue;
        m_entries.push_back({o, b, false, i});
        m_bounds.Include(b);
    }
    m_built = true;
    if (m_entries.empty())
        return;
    // About two objects per cell, at most 1024 cells a side. An extent wider than a double holds
    // (nodes at -1e308 and 1e308) gets one cell: such a network is not worth indexing.
    const double w = std::max(m_bounds.Width(), 1e-9), h = std::max(m_bounds.Height(), 1e-9);
    const double cells = std::max(1.0, static_cast<double>(m_entries.size()) / 2.0);
    const double side = std::sqrt(w * h / cells);
    m_cols = ClampedCell(w / side, 1024) + 1;
    m_rows = ClampedCell(h / side, 1024) + 1;
    if (!std::isfinite(w) || !std::isfinite(h) || !std::isfinite(side))
        m_cols = m_rows = 1;
    m_cellW = std::isfinite(w / m_cols) ? w / m_cols : std::numeric_limits<double>::max();
    m_cellH = std::isfinite(h / m_rows) ? h / m_rows : std::numeric_limits<double>::max();

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
    auto col = [&](double x) { return ClampedCell(std::floor((x - m_bounds.left) / m_cellW), m_cols); };
    auto row = [&](double y) { return ClampedCell(std::floor((y - m_bounds.bottom) / m_cellH), m_rows); };
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
