#pragma once
#include "PipePoint.h"
#include "ViewExtent.h"

#include <vector>

class ZFlowNode;
class ZPipeLink;

// Plane geometry and grading shared by the object drawing operations (world units, radians).
class ZDrawGeometry {
public:
    static constexpr double Pi = 3.14159265358979323846;
    static constexpr double AngleStep = 0.04363323129985824;   // 2.5 degrees
    static constexpr int FontCount = 73;                       // -90 .. +90 degrees

    // Cuts the segment to the rectangle (boundary inside); false when nothing remains.
    static bool ClipSegment(const ViewExtent& r, double& x1, double& y1, double& x2, double& y2);
    // Does the segment touch the rectangle?
    static bool SegmentHitsRect(const ViewExtent& r, double x1, double y1, double x2, double y2);
    // Direction of (dx, dy) in [0, 2 pi); 0 for a zero vector.
    static double Direction(double dx, double dy);
    // Flow arrow: a triangle of length len and base width wid centred on (mx, my), tip towards theta.
    static void ArrowTriangle(double mx, double my, double theta, double len, double wid, PipePoint out[3]);
    // Text direction that never reads upside down: theta reduced into [-pi/2, pi/2].
    static double UprightAngle(double theta);
    // Label font slot of an angle in [-pi/2, pi/2], and the angle that slot draws at.
    static int FontIndex(double angle);
    static double QuantizedAngle(double angle);
    // Middle of the widest gap between the given directions (the first on ties), in [0, 2 pi);
    // no directions mean straight down.
    static double FreeDirection(std::vector<double> directions);
    // Distance from the centre of a w x h box to its edge along theta.
    static double BoxEdgeDistance(double w, double h, double theta);
    // Grade of v against ascending thresholds: the first i with v clearly below t[i] (a value equal
    // to t[i] within the rounding of 1.0 belongs above it); t.size() when none.
    static int GradeIndex(double v, const std::vector<double>& thresholds);
    // The graded quantities by mode (see ZDrawSettings). Link quantities are magnitudes.
    static double NodeGradeValue(const ZFlowNode& node, int mode);
    static double PipeGradeValue(const ZPipeLink& pipe, int mode);
};
