#pragma once
#include "ZSpatialGrid.h"

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

    // Members that may draw into the rectangle, links then nodes, each in array order.
    void Collect(const ZNetView& view, const ViewExtent& area, std::vector<ZNetObject*>& links,
                 std::vector<ZNetObject*>& nodes) const;

    const std::vector<ZNetObject*>& Nodes() const { return m_nodes; }
    const std::vector<ZNetObject*>& Links() const { return m_links; }

private:
    void EnsureGrid() const;
    ViewExtent Widen(const ZNetView& view, const ViewExtent& r) const;

    const ZNetwork* m_network = nullptr;
    mutable ZSpatialGrid m_grid;
    std::vector<ZNetObject*> m_nodes;
    std::vector<ZNetObject*> m_links;
    mutable std::vector<ZNetObject*> m_scratch;
};
