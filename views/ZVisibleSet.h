#pragma once
#include "ZSpatialGrid.h"

#include "model/ZNetObject.h"

#include <vector>

class ZNetObject;
class ZNetView;
class ZNetwork;

// The objects that touch the viewport, each marked FLAG_PICKED: what a paint walks and what
// picking searches. A spatial grid over the network keeps rebuilding proportional to the view.
class ZVisibleSet {
public:
    // How far (pixels) symbols and labels may reach beyond an object's model geometry.
    static constexpr int ReachPixels = 160;

    void SetNetwork(const ZNetwork* network);
    // The network's geometry or membership changed: the grid is rebuilt on next use.
    void Invalidate() { m_grid.Clear(); }

    void Rebuild(const ZNetView& view, const ViewExtent& viewport);
    void Clear();
    void Remove(const std::vector<ZNetObject*>& objects);
    void Add(const ZNetView& view, const std::vector<ZNetObject*>& objects);

    // Next member after position `start` (nodes first, then links) lying inside the rectangle
    // (insideOnly) or touching it; `start` moves past it, -1 when none is left.
    ZNetObject* HitTest(const ZNetView& view, const ViewExtent& area, int& start, bool insideOnly) const;
    void CollectAll(const ZNetView& view, const ViewExtent& area, bool insideOnly, std::vector<ZNetObject*>& out) const;
    // The same through the grid, so a small area costs what it holds, not what the view shows:
    // members inside the area (insideOnly) or touching it, nodes first, each group in network order.
    void Select(const ZNetView& view, const ViewExtent& area, bool insideOnly, std::vector<ZNetObject*>& out) const;
    // The first member touching the area (nodes first, then links, in network order) that `accept`
    // takes, or null.
    template <class Accept>
    ZNetObject* First(const ZNetView& view, const ViewExtent& area, Accept&& accept) const
    {
        Candidates(view, area);
        for (ZNetObject* o : m_scratch)
            if (accept(o) && o->HitTestPoint(view, area))
                return o;
        return nullptr;
    }

    // Members that may draw into the rectangle, links then nodes, each in array order.
    void Collect(const ZNetView& view, const ViewExtent& area, std::vector<ZNetObject*>& links,
                 std::vector<ZNetObject*>& nodes) const;

    const std::vector<ZNetObject*>& Nodes() const { return m_nodes; }
    const std::vector<ZNetObject*>& Links() const { return m_links; }

private:
    void EnsureGrid() const;
    // Members near the area into m_scratch, nodes first.
    void Candidates(const ZNetView& view, const ViewExtent& area) const;
    ViewExtent Widen(const ZNetView& view, const ViewExtent& r) const;

    const ZNetwork* m_network = nullptr;
    mutable ZSpatialGrid m_grid;
    std::vector<ZNetObject*> m_nodes;
    std::vector<ZNetObject*> m_links;
    mutable std::vector<ZNetObject*> m_scratch;
};
