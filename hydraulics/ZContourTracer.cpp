#include "ZContourTracer.h"

#include "ZHeadField.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

ZContourTracer::ZContourTracer(ZHeadField& field)
    : m_field(field), m_nx(field.CellsX()), m_ny(field.CellsY()),
      m_marks(static_cast<size_t>(m_nx * (m_ny + 1) + (m_nx + 1) * m_ny), 0)
{
}

double ZContourTracer::Value(int i, int j) const
{
    return m_field.Values()[static_cast<size_t>(j * (m_nx + 1) + i)];
}

int ZContourTracer::CellEdge(int i, int j, int side) const
{
    switch (side) {
    case Bottom:
        return HEdge(i, j);
    case Top:
        return HEdge(i, j + 1);
    case Left:
        return VEdge(i, j);
    default:
        return VEdge(i + 1, j);
    }
}

bool ZContourTracer::TryEdge(int i, int j, int side, double level, std::vector<PipePoint>& line)
{
    uint8_t& mark = m_marks[static_cast<size_t>(CellEdge(i, j, side))];
    if (mark != 0)
        return false;
    // The edge's first end is its left or bottom one.
    const int ai = side == Right ? i + 1 : i, aj = side == Top ? j + 1 : j;
    const int bi = side == Bottom || side == Top ? ai + 1 : ai, bj = side == Left || side == Right ? aj + 1 : aj;
    const double va = Value(ai, aj), vb = Value(bi, bj);
    if (va < level && vb < level) {
        mark = 2;
        return false;
    }
    mark = 1;
    if (!((va < level && level < vb) || (vb < level && level < va)))
        return false;
    const double f = (level - va) / (vb - va);
    const double xa = m_field.X(ai), ya = m_field.Y(aj);
    line.push_back({xa + f * (m_field.X(bi) - xa), ya + f * (m_field.Y(bj) - ya)});
    return true;
}

void ZContourTracer::Follow(int i, int j, int entry, double level, std::vector<PipePoint>& line)
{
    for (;;) {
        int side = -1;
        for (int k = 1; k <= 3 && side < 0; ++k)
            if (TryEdge(i, j, (entry + k) % 4, level, line))
                side = (entry + k) % 4;
        if (side < 0) {
            line.push_back(line.front());   // back at the start
            return;
        }
        switch (side) {
        case Bottom:
            if (j == 0)
                return;
            --j;
            break;
        case Top:
            if (j + 1 == m_ny)
                return;
            ++j;
            break;
        case Left:
            if (i == 0)
                return;
            --i;
            break;
        default:
            if (i + 1 == m_nx)
                return;
            ++i;
            break;
        }
        entry = (side + 2) % 4;
    }
}

void ZContourTracer::TraceLevel(double level, std::vector<ZContourPolygon>& out)
{
    for (uint8_t& m : m_marks)
        if (m == 1)
            m = 0;
    // A grid value on the level would make a crossing at a grid point.
    for (double& v : m_field.Values())
        if (std::fabs(v - level) <= 1e-10)
            v = level - 1e-10;

    std::vector<PipePoint> line;
    auto start = [&](int i, int j, int side) {
        line.clear();
        if (TryEdge(i, j, side, level, line)) {
            Follow(i, j, side, level, line);
            Close(line, level, out);
        }
    };
    // Lines that meet the border first, then closed ones (each crosses some interior row edge).
    for (int i = 0; i < m_nx; ++i) {
        start(i, 0, Bottom);
        start(i, m_ny - 1, Top);
    }
    for (int j = 0; j < m_ny; ++j) {
        start(0, j, Left);
        start(m_nx - 1, j, Right);
    }
    for (int j = 1; j < m_ny; ++j)
        for (int i = 0; i < m_nx; ++i)
            start(i, j, Bottom);
}

int ZContourTracer::BorderSide(const PipePoint& p) const
{
    const ViewExtent& r = m_field.Extent();
    const double t = std::max(m_field.Dx(), m_field.Dy()) * 0.001;
    if (std::fabs(p.x - r.left) < t)
        return 0;
    if (std::fabs(p.y - r.top) < t)
        return 1;
    if (std::fabs(p.x - r.right) < t)
        return 2;
    if (std::fabs(p.y - r.bottom) < t)
        return 3;
    return -1;
}

PipePoint ZContourTracer::Corner(int k) const
{
    const ViewExtent& r = m_field.Extent();
    switch (k) {
    case 0:
        return {r.left, r.bottom};
    case 1:
        return {r.left, r.top};
    case 2:
        return {r.right, r.top};
    default:
        return {r.right, r.bottom};
    }
}

void ZContourTracer::Close(std::vector<PipePoint>& line, double level, std::vector<ZContourPolygon>& out) const
{
    ZContourPolygon poly;
    poly.Level = level;
    poly.TracedCount = static_cast<int>(line.size());
    poly.Points = line;
    const PipePoint first = line.front(), last = line.back();
    if (first.x != last.x || first.y != last.y) {
        // Along the border, the way that leaves corner 0 outside: every such polygon then lies on
        // the far side of its line from the grid's first point, and they nest.
        const int f = BorderSide(first), l = BorderSide(last);
        if (f >= 0 && l >= 0) {
            if (f < l)
                for (int k = l; k >= f + 1; --k)
                    poly.Points.push_back(Corner(k));
            else
                for (int k = l + 1; k <= f; ++k)
                    poly.Points.push_back(Corner(k));
        }
        poly.Points.push_back(first);
        poly.AddedCount = static_cast<int>(poly.Points.size()) - poly.TracedCount;
    }
    const int col = std::clamp(static_cast<int>((first.x - m_field.Extent().left) / m_field.Dx() + 0.5), 0, m_nx);
    const int row = std::clamp(static_cast<int>((first.y - m_field.Extent().bottom) / m_field.Dy() + 0.5), 0, m_ny);
    poly.Side = Value(col, row) > level ? 1 : -1;
    if (!Inside(poly.Points, m_field.X(col), m_field.Y(row)))
        poly.Side = -poly.Side;
    poly.LabelSegment = LabelSegment(poly, m_nx);
    out.push_back(std::move(poly));
}

bool ZContourTracer::Inside(const std::vector<PipePoint>& polygon, double x, double y)
{
    double sum = 0.0;
    for (size_t k = 0; k + 1 < polygon.size(); ++k) {
        const double ax = polygon[k].x - x, ay = polygon[k].y - y;
        const double bx = polygon[k + 1].x - x, by = polygon[k + 1].y - y;
        const double cross = ax * by - ay * bx, dot = ax * bx + ay * by;
        // Tolerances relative to the vectors' lengths: world coordinates can be large.
        const double scale = std::max(1.0, std::hypot(ax, ay) * std::hypot(bx, by));
        if (std::fabs(cross) < 1e-10 * scale && dot <= 1e-10 * scale)
            return true;
        sum += std::atan2(cross, dot);
    }
    return std::fabs(sum) > M_PI;
}

int ZContourTracer::LabelSegment(const ZContourPolygon& polygon, int nx)
{
    int w = nx / 5;
    if (w < 13)
        w = 12;
    const int traced = polygon.TracedCount;
    if (traced < w + 2)
        return std::clamp(traced / 2, 0, std::max(0, traced - 2));
    const std::vector<PipePoint>& p = polygon.Points;
    // score[v]: turning at vertex v over the length of the segment before it.
    std::vector<double> score(static_cast<size_t>(traced), 0.0);
    for (int v = 1; v + 1 < traced; ++v) {
        const double ux = p[v].x - p[v - 1].x, uy = p[v].y - p[v - 1].y;
        const double vx = p[v + 1].x - p[v].x, vy = p[v + 1].y - p[v].y;
        const double len = std::hypot(ux, uy);
        const double turn = std::fabs(std::atan2(ux * vy - uy * vx, ux * vx + uy * vy));
        score[static_cast<size_t>(v)] = len > 0.0 ? turn / len : 1e30;
    }
    int best = 0;
    double bestScore = 0.0;
    for (int s = 0; s + w <= traced - 1; ++s) {
        // Window of segments s .. s + w - 1: its inner vertices s + 1 .. s + w - 1.
        double sum = 0.0;
        for (int v = s + 1; v < s + w; ++v)
            sum += score[static_cast<size_t>(v)];
        if (s == 0 || sum < bestScore) {
            best = s;
            bestScore = sum;
        }
    }
    return best + w / 2;
}
