#pragma once
#include "PipePoint.h"

#include <vector>

// One closed contour polygon: the points traced through the grid, then the border corners and
// the first point again that close it.
struct ZContourPolygon {
    double Level = 0.0;
    std::vector<PipePoint> Points;
    int TracedCount = 0;
    int AddedCount = 0;
    int Side = 1;           // +1: the inside lies above the level; -1: below
    int LabelSegment = 0;   // the label sits on Points[LabelSegment] -> Points[LabelSegment + 1]

    // The band in the middle of the inside of the polygon (what it is filled with).
    double FillValue(double interval) const { return Level + Side * interval / 2.0; }
};
