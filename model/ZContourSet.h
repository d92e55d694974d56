#pragma once
#include "ViewExtent.h"
#include "ZContourPolygon.h"

#include <cstdint>
#include <string>
#include <vector>

// The contours a document shows until the next generation (never saved): the polygons in drawing
// order, every enclosing polygon before those it contains, and what colours their bands.
class ZContourSet {
public:
    ViewExtent Rect;   // the grid's rectangle, filled with the base band first
    double FirstLevel = 0.0;
    double High = 0.0;   // the highest value the levels cover
    double Interval = 0.0;
    double FillBaseLevel = 0.0;
    std::vector<ZContourPolygon> Polygons;

    bool IsEmpty() const { return Polygons.empty() && Rect.IsEmpty(); }
    void Clear()
    {
        *this = ZContourSet();
        Rect = ViewExtent::Empty();
    }

    // Where a value sits between the first level (0) and the highest value (1), clamped; 0 when
    // every value is the same, so that one flat band is drawn.
    double ColourFraction(double value) const;
    // The fill colour (r + 256 g + 65536 b) of a value between the lowest and highest colours.
    uint32_t FillColour(double value, uint32_t lowest, uint32_t highest) const;
    // The label text of a level ("%.1f").
    static std::string LevelText(double level);

    ZContourSet() { Rect = ViewExtent::Empty(); }
};
