#include "ZDrawGeometry.h"

#include "ZDrawSettings.h"
#include "ZFlowNode.h"
#include "ZPipeLink.h"

#include <algorithm>
#include <cmath>

bool ZDrawGeometry::ClipSegment(const ViewExtent& r, double& x1, double& y1, double& x2, double& y2)
{
    // Liang-Barsky.
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.left, r.right - x1, y1 - r.bottom, r.top - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
    }
    const double ox = x1, oy = y1;
    if (t1 < 1.0) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0.0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    return true;
}

bool ZDrawGeometry::SegmentHitsRect(const ViewExtent& r, double x1, double y1, double x2, double y2)
{
    if (std::max(x1, x2) < r.left || std::min(x1, x2) > r.right || std::max(y1, y2) < r.bottom ||
        std::min(y1, y2) > r.top)
        return false;
    // An end inside settles it without the divisions of clipping (most pipes of a view).
    if (r.Contains(x1, y1) || r.Contains(x2, y2))
        return true;
    return ClipSegment(r, x1, y1, x2, y2);
}

double ZDrawGeometry::Direction(double dx, double dy)
{
    const double len = std::hypot(dx, dy);
    if (!(len > 0.0))
        return 0.0;
    double theta = std::acos(std::clamp(dx / len, -1.0, 1.0));
    if (std::asin(std::clamp(dy / len, -1.0, 1.0)) < 0.0)
        theta = -theta;
    theta = std::fmod(theta, 2.0 * Pi);
    if (theta < 0.0)
        theta += 2.0 * Pi;
    return theta;
}

void ZDrawGeometry::ArrowTriangle(double mx, double my, double theta, double len, double wid, PipePoint out[3])
{
    const double c = std::cos(theta), s = std::sin(theta);
    out[0] = {mx + len / 2 * c, my + len / 2 * s};
    const double bx = mx - len / 2 * c, by = my - len / 2 * s;
    out[1] = {bx + wid / 2 * s, by - wid / 2 * c};
    out[2] = {bx - wid / 2 * s, by + wid / 2 * c};
}

double ZDrawGeometry::UprightAngle(double theta)
{
    theta = std::fmod(theta, 2.0 * Pi);
    if (theta < 0.0)
        theta += 2.0 * Pi;
    if (theta > 1.5 * Pi)
        theta -= 2.0 * Pi;
    else if (theta > 0.5 * Pi)
        theta -= Pi;
    return theta;
}

int ZDrawGeometry::FontIndex(double angle)
{
    const int i = static_cast<int>((angle + Pi / 2) / AngleStep);
    return std::clamp(i, 0, FontCount - 1);
}

double ZDrawGeometry::QuantizedAngle(double angle)
{
    // Tenths of a degree rounded toward zero to a multiple of 25, as a rotated font takes them.
    const long tenths = static_cast<long>(angle * 1800.0 / Pi);
    return static_cast<double>(tenths / 25 * 25) * Pi / 1800.0;
}

double ZDrawGeometry::FreeDirection(std::vector<double> directions)
{
    if (directions.empty())
        directions.push_back(Pi / 2);
    std::sort(directions.begin(), directions.end());
    directions.push_back(directions.front() + 2.0 * Pi);
    size_t best = 0;
    double gap = -1.0;
    for (size_t i = 0; i + 1 < directions.size(); ++i) {
        const double g = directions[i + 1] - directions[i];
        if (g > gap) {
            gap = g;
            best = i;
        }
    }
    double mid = std::fmod((directions[best] + directions[best + 1]) / 2.0, 2.0 * Pi);
    if (mid < 0.0)
        mid += 2.0 * Pi;
    return mid;
}

double ZDrawGeometry::BoxEdgeDistance(double w, double h, double theta)
{
    const double c = std::fabs(std::cos(theta)), s = std::fabs(std::sin(theta));
    const double dx = c > 1e-12 ? w / 2 / c : HUGE_VAL;
    const double dy = s > 1e-12 ? h / 2 / s : HUGE_VAL;
    return std::min(dx, dy);
}

int ZDrawGeometry::GradeIndex(double v, const std::vector<double>& t)
{
    const int n = static_cast<int>(t.size());
    // A value on a threshold (to within rounding) opens the class above it.
    for (int i = 0; i < n; ++i) {
        const bool onThreshold = std::isfinite(v) && std::isfinite(t[i]) && v - t[i] + 1.0 == 1.0;
        if (v < t[i] && !onThreshold)
            return i;
    }
    return n;
}

double ZDrawGeometry::NodeGradeValue(const ZFlowNode& node, int mode)
{
    switch (mode) {
    case ZDrawSettings::NodeByElevation:
        return node.NodeGrunElev;
    case ZDrawSettings::NodeByHead:
        return node.NodeHydrElev;
    case ZDrawSettings::NodeByFreeHead:
        return node.FreeHead();
    default:
        return node.NodeFlow;
    }
}

double ZDrawGeometry::PipeGradeValue(const ZPipeLink& pipe, int mode)
{
    // Magnitudes: a pipe whose flow runs against its drawn direction belongs in the same class.
    switch (mode) {
    case ZDrawSettings::PipeByFlow:
        return std::fabs(pipe.Flow);
    case ZDrawSettings::PipeByHeadLoss:
        return std::fabs(pipe.HeadLoss());
    case ZDrawSettings::PipeByVelocity:
        return std::fabs(pipe.Velocity());
    case ZDrawSettings::PipeByDiameter:
        return pipe.PipeDiam;
    default:
        return pipe.PipeLength > 0.0 ? std::fabs(pipe.HeadLoss()) / pipe.PipeLength : 0.0;
    }
}
