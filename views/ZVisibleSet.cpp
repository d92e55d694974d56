#include "ZVisibleSet.h"

#include "model/ZNetView.h"
#include "model/ZNetwork.h"

#include <algorithm>

void ZVisibleSet::SetNetwork(const ZNetwork* network)
{
    Clear();
    m_network = network;
    m_grid.Clear();
}

void ZVisibleSet::EnsureGrid() const
{
    if (!m_grid.IsBuilt() && m_network)
        m_grid.Build(*m_network);
}

ViewExtent ZVisibleSet::Widen(const ZNetView& view, const ViewExtent& r) const
{
    const double m = view.DeviceSize(ReachPixels) * view.GetScale();
    return {r.left - m, r.bottom - m, r.right + m, r.top + m};
}

void ZVisibleSet::Clear()
{
    for (ZNetObject* o : m_nodes)
        o->ClearFlag(qen::FLAG_PICKED);
    for (ZNetObject* o : m_links)
        o->ClearFlag(qen::FLAG_PICKED);
    m_nodes.clear();
    m_links.clear();
}

void ZVisibleSet::Rebuild(const ZNetView& view, const ViewExtent& viewport)
{
    Clear();
    if (!m_network)
        return;
    EnsureGrid();
    m_grid.Query(Widen(view, viewport), m_scratch);
    for (ZNetObject* o : m_scratch) {
        if (o->IsFiltered() || o->IsHidden() || !o->HitTestPoint(view, viewport))
            continue;
        o->SetFlag(qen::FLAG_PICKED);
        (o->IsNode() ? m_nodes : m_links).push_back(o);
    }
}

void ZVisibleSet::Remove(const std::vector<ZNetObject*>& objects)
{
    // FLAG_PICKED marks membership: clear it on the leaving objects, then keep what still has it
    // (one sweep, however many leave).
    for (ZNetObject* o : objects)
        o->ClearFlag(qen::FLAG_PICKED);
    auto gone = [](const ZNetObject* o) { return !o->HasFlag(qen::FLAG_PICKED); };
    m_nodes.erase(std::remove_if(m_nodes.begin(), m_nodes.end(), gone), m_nodes.end());
    m_links.erase(std::remove_if(m_links.begin(), m_links.end(), gone), m_links.end());
    m_grid.Clear();
}

void ZVisibleSet::Add(const ZNetView&, const std::vector<ZNetObject*>& objects)
{
    for (ZNetObject* o : objects) {
        if (o->IsFiltered() || o->IsHidden() || o->HasFlag(qen::FLAG_PICKED))
            continue;
        o->SetFlag(qen::FLAG_PICKED);
        (o->IsNode() ? m_nodes : m_links).push_back(o);
    }
    m_grid.Clear();
}

ZNetObject* ZVisibleSet::HitTest(const ZNetView& view, const ViewExtent& area, int& start, bool insideOnly) const
{
    if (start < 0)
        return nullptr;
    const int nn = static_cast<int>(m_nodes.size());
    const int total = nn + static_cast<int>(m_links.size());
    for (int i = start; i < total; ++i) {
        ZNetObject* o = i < nn ? m_nodes[static_cast<size_t>(i)] : m_links[static_cast<size_t>(i - nn)];
        if (o->IsFiltered() || o->IsHidden())
            continue;
        if (insideOnly ? o->HitTestRect(view, area) : o->HitTestPoint(view, area)) {
            start = i + 1;
            return o;
        }
    }
    start = -1;
    return nullptr;
}

void ZVisibleSet::CollectAll(const ZNetView& view, const ViewExtent& area, bool insideOnly,
                             std::vector<ZNetObject*>& out) const
{
    out.clear();
    int pos = 0;
    while (ZNetObject* o = HitTest(view, area, pos, insideOnly))
        out.push_back(o);
}

void ZVisibleSet::Collect(const ZNetView& view, const ViewExtent& area, std::vector<ZNetObject*>& links,
                          std::vector<ZNetObject*>& nodes) const
{
    links.clear();
    nodes.clear();
    if (!m_network)
        return;
    EnsureGrid();
    m_grid.Query(Widen(view, area), m_scratch);
    for (ZNetObject* o : m_scratch)
        if (o->HasFlag(qen::FLAG_PICKED))
            (o->IsNode() ? nodes : links).push_back(o);
}
