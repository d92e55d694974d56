#pragma once
#include "model/ViewExtent.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// The labels a view has placed at its current scale, so that a label overlapping one already
// shown is left out. It outlives single paints: a pan step paints only strips, and a strip must
// make the same choices a whole paint would, so the placed labels are kept until the scale or
// what is drawn changes.
class ZLabelPlacer {
public:
    // Forget everything placed (what labels show or where they go has changed).
    void Reset();
    // Keeps what was placed while the scale stays; a new scale starts afresh.
    void BeginPaint(double scale);
    // True when the label of `owner` covering `bounds` (world) may be drawn: it is either placed
    // already or overlaps nothing placed and is placed now.
    bool Place(const void* owner, const ViewExtent& bounds);
    size_t PlacedCount() const { return m_rects.size(); }

private:
    struct Placed {
        ViewExtent rect;
        const void* owner;
    };
    int64_t Key(int64_t cx, int64_t cy) const { return cx * 0x100000 + cy; }
    void CellRange(const ViewExtent& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const;

    double m_scale = 0.0;
    double m_cell = 1.0;   // world size of a grid cell: 64 pixels at the scale
    std::vector<Placed> m_rects;
    std::unordered_map<int64_t, std::vector<uint32_t>> m_grid;
};
