#pragma once
#include "model/ViewExtent.h"

#include <cstdint>
#include <vector>

class ZNetObject;
class ZNetwork;

// Uniform grid over the model geometry of a network (node positions, pipe polylines, device
// positions), so the visible set and partial repaints look only at objects near a rectangle.
// Model positions ignore what depends on the scale (symbols, labels): callers widen queries.
class ZSpatialGrid {
public:
    void Build(const ZNetwork& network);
    void Clear();
    bool IsBuilt() const { return m_built; }

    // Objects whose model geometry touches the rectangle, each once, links first, each group in
    // array order.
    void Query(const ViewExtent& area, std::vector<ZNetObject*>& out) const;

private:
    struct Entry {
        ZNetObject* object;
        ViewExtent box;
        bool link;
        int index;
    };
    void CellRange(const ViewExtent& r, int& c0, int& r0, int& c1, int& r1) const;

    std::vector<Entry> m_entries;
    std::vector<uint32_t> m_cellStart;   // prefix offsets into m_cellItems, one per cell + 1
    std::vector<uint32_t> m_cellItems;   // entry numbers
    mutable std::vector<uint32_t> m_stamp;
    mutable std::vector<uint32_t> m_hits;
    mutable uint32_t m_query = 0;
    ViewExtent m_bounds;
    double m_cellW = 1.0, m_cellH = 1.0;
    int m_cols = 0, m_rows = 0;
    bool m_built = false;
};
