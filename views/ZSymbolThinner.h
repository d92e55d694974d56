#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>

// Which node symbols a view draws where they crowd: a symbol is left out when one already drawn
// lies closer than a set number of pixels, so that at a large network's extents the pipes and
// their grades show between the squares instead of under a solid blot. Like the label placer it
// keeps what it placed while the scale stays, so a strip painted at a pan step makes the same
// choices a whole paint made.
class ZSymbolThinner {
public:
    void Reset();
    // Keeps what was placed while the scale and spacing stay; a change starts afresh.
    void BeginPaint(double scale, int spacingPixels);
    // True when the symbol of `owner` at world (x, y) is drawn: placed already, or no other lies
    // within the spacing (in x and in y) and it is placed now.
    bool Place(const void* owner, double x, double y);
    // Placed whatever lies near (a selected node, a source): later ones make way for it.
    void Force(const void* owner, double x, double y);
    size_t PlacedCount() const { return m_cells.size(); }

private:
    struct Placed {
        const void* owner;
        double x, y;
    };
    int64_t Key(int64_t cx, int64_t cy) const { return cx * 0x100000000LL + (cy & 0xFFFFFFFFLL); }

    double m_scale = 0.0;
    int m_spacing = 0;
    double m_cell = 1.0;   // world size of a cell: the spacing at the scale
    std::unordered_multimap<int64_t, Placed> m_cells;
};
