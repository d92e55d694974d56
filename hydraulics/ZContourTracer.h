#pragma once
#include "model/ZContourPolygon.h"

#include <cstdint>
#include <vector>

class ZHeadField;

// Traces the lines of one level after another (rising) through a grid and closes each into a
// polygon: lines that meet the border are closed along it, away from the grid's first corner.
class ZContourTracer {
public:
    // The field's values near a level are nudged below it while tracing.
    explicit ZContourTracer(ZHeadField& field);

    // Appends the polygons of `level`; levels must come in rising order.
    void TraceLevel(double level, std::vector<ZContourPolygon>& out);

    // Inside by the sum of the angles the edges subtend at the point; a point on an edge is inside.
    static bool Inside(const std::vector<PipePoint>& polygon, double x, double y);
    // The segment of the traced points to carry the label: the middle of the straightest run of
    // `window` segments (nx / 5, at least 12 when that is below 13), or the middle one.
    static int LabelSegment(const ZContourPolygon& polygon, int nx);

private:
    enum Side { Bottom = 0, Right = 1, Top = 2, Left = 3 };

    int HEdge(int i, int j) const { return j * m_nx + i; }
    int VEdge(int i, int j) const { return m_nx * (m_ny + 1) + j * (m_nx + 1) + i; }
    int CellEdge(int i, int j, int side) const;
    // Marks the edge and says whether the level crosses it; adds the crossing to the line.
    bool TryEdge(int i, int j, int side, double level, std::vector<PipePoint>& line);
    void Follow(int i, int j, int entry, double level, std::vector<PipePoint>& line);
    void Close(std::vector<PipePoint>& line, double level, std::vector<ZContourPolygon>& out) const;
    int BorderSide(const PipePoint& p) const;
    PipePoint Corner(int k) const;
    double Value(int i, int j) const;

    ZHeadField& m_field;
    int m_nx;
    int m_ny;
    std::vector<uint8_t> m_marks;   // 0 free, 1 seen at this level, 2 below every later level
};
