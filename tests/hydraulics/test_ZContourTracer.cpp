#include "hydraulics/ZContourTracer.h"
#include "hydraulics/ZHeadField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

// A field on [0, nx] x [0, ny] with unit cells from a function of the grid point.
ZHeadField Grid(int nx, int ny, const std::function<double(double, double)>& f)
{
    std::vector<double> v;
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i)
            v.push_back(f(i, j));
    ZHeadField field;
    EXPECT_TRUE(field.Assign({0, 0, double(nx), double(ny)}, nx, ny, v));
    return field;
}

bool Same(const PipePoint& a, const PipePoint& b)
{
    return a.x == b.x && a.y == b.y;
}

// Every crossing lies on a grid edge whose one end is above and the other below the level; the
// end lying inside the polygon must be on the side the flag names.
void ExpectSideFlagsHold(const ZHeadField& f, const std::vector<ZContourPolygon>& polys)
{
    for (const ZContourPolygon& p : polys) {
        ASSERT_TRUE(Same(p.Points.front(), p.Points.back())) << "polygon not closed";
        ASSERT_EQ(static_cast<int>(p.Points.size()), p.TracedCount + p.AddedCount);
        for (int k = 0; k < p.TracedCount; ++k) {
            const PipePoint q = p.Points[static_cast<size_t>(k)];
            const bool onVertical = std::fabs(q.x - std::round(q.x)) < 1e-12;
            const int i0 = onVertical ? int(std::round(q.x)) : int(std::floor(q.x));
            const int j0 = onVertical ? int(std::floor(q.y)) : int(std::round(q.y));
            const int i1 = onVertical ? i0 : i0 + 1, j1 = onVertical ? j0 + 1 : j0;
            for (auto [i, j] : {std::pair{i0, j0}, std::pair{i1, j1}}) {
                const PipePoint t{q.x + 0.25 * (i - q.x), q.y + 0.25 * (j - q.y)};
                if (ZContourTracer::Inside(p.Points, t.x, t.y)) {
                    ASSERT_EQ(f.At(i, j) > p.Level, p.Side > 0) << "level " << p.Level << " at " << q.x << "," << q.y;
                }
            }
        }
    }
}

}   // namespace

TEST(ZContourTracer, PeakGivesOneClosedDiamondWithTheInsideAbove)
{
    ZHeadField f = Grid(4, 4, [](double x, double y) { return x == 2 && y == 2 ? 10.0 : 0.0; });
    ZContourTracer tracer(f);
    std::vector<ZContourPolygon> out;
    tracer.TraceLevel(5.0, out);
    ASSERT_EQ(out.size(), 1u);
    const ZContourPolygon& p = out[0];
    EXPECT_EQ(p.TracedCount, 5);   // four edge midpoints and the first again
    EXPECT_EQ(p.AddedCount, 0);
    EXPECT_EQ(p.Side, 1);
    for (const PipePoint& q : p.Points)
        EXPECT_DOUBLE_EQ(std::fabs(q.x - 2) + std::fabs(q.y - 2), 0.5);
    EXPECT_TRUE(ZContourTracer::Inside(p.Points, 2, 2));
    EXPECT_FALSE(ZContourTracer::Inside(p.Points, 1, 1));
}

TEST(ZContourTracer, LinesMeetingTheBorderCloseAwayFromTheFirstCorner)
{
    struct Case {
        const char* name;
        std::function<double(double, double)> f;
        double level;
        int added;   // corners + the first point again
    };
    // Lines between each pair of sides of a 6 x 4 grid.
    const Case cases[] = {
        {"bottom-top", [](double x, double) { return x; }, 2.3, 3},            // corners 3 and 2 (right side)
        {"left-right", [](double, double y) { return y; }, 2.1, 3},            // the upper corners
        {"left-bottom", [](double x, double y) { return x + y; }, 2.5, 4},     // all but corner 0
        {"top-right", [](double x, double y) { return -(x + y); }, -8.5, 2},   // corner 2 only
        {"left-top", [](double x, double y) { return y - x; }, 2.5, 2},        // corner 1
        {"bottom-right", [](double x, double y) { return x - y; }, 4.5, 2},    // corner 3
    };
    for (const Case& c : cases) {
        ZHeadField f = Grid(6, 4, c.f);
        const double level = c.level;
        ZContourTracer tracer(f);
        std::vector<ZContourPolygon> out;
        tracer.TraceLevel(level, out);
        ASSERT_EQ(out.size(), 1u) << c.name;
        EXPECT_EQ(out[0].AddedCount, c.added) << c.name;
        EXPECT_FALSE(ZContourTracer::Inside(out[0].Points, 0.01, 0.01)) << c.name;
        EXPECT_TRUE(ZContourTracer::Inside(out[0].Points, 5.99, 3.99) || c.added == 2) << c.name;
        ExpectSideFlagsHold(f, out);
    }
}

TEST(ZContourTracer, SaddleCellMakesTwoLines)
{
    ZHeadField f = Grid(1, 1, [](double x, double y) { return x == y ? 10.0 : 0.0; });
    ZContourTracer tracer(f);
    std::vector<ZContourPolygon> out;
    tracer.TraceLevel(5.0, out);
    ASSERT_EQ(out.size(), 2u);
    int traced = 0;
    for (const ZContourPolygon& p : out) {
        EXPECT_EQ(p.TracedCount, 2);
        EXPECT_EQ(p.AddedCount, 2);   // one corner of value 0, then the first point
        EXPECT_EQ(p.Side, -1);
        traced += p.TracedCount;
    }
    EXPECT_EQ(traced, 4);
    ExpectSideFlagsHold(f, out);
}

TEST(ZContourTracer, RandomFieldsKeepEveryCrossingOnceAndEverySideFlagRight)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        double cx[4], cy[4], a[4];
        for (int k = 0; k < 4; ++k) {
            cx[k] = u(rng) * 30;
            cy[k] = u(rng) * 20;
            a[k] = 20 * (u(rng) - 0.3);
        }
        ZHeadField f = Grid(30, 20, [&](double x, double y) {
            double v = 0;
            for (int k = 0; k < 4; ++k)
                v += a[k] * std::exp(-((x - cx[k]) * (x - cx[k]) + (y - cy[k]) * (y - cy[k])) / 40.0);
            return v;
        });
        ZContourTracer tracer(f);
        std::vector<ZContourPolygon> out;
        for (double level = -12; level <= 20; level += 1.5) {
            const size_t before = out.size();
            tracer.TraceLevel(level, out);
            // Every edge the level crosses appears in exactly one line.
            int crossings = 0;
            for (int j = 0; j <= 20; ++j)
                for (int i = 0; i <= 30; ++i) {
                    if (i < 30 && (f.At(i, j) < level) != (f.At(i + 1, j) < level))
                        ++crossings;
                    if (j < 20 && (f.At(i, j) < level) != (f.At(i, j + 1) < level))
                        ++crossings;
                }
            int traced = 0;
            for (size_t k = before; k < out.size(); ++k)
                traced += out[k].TracedCount - (out[k].AddedCount == 0 ? 1 : 0);
            ASSERT_EQ(traced, crossings) << "trial " << trial << " level " << level;
        }
        ExpectSideFlagsHold(f, out);
    }
}

TEST(ZContourTracer, GridValuesOnTheLevelNeverGiveCrossingsAtGridPoints)
{
    ZHeadField f = Grid(4, 4, [](double x, double y) { return std::round(x + 2 * y); });
    ZContourTracer tracer(f);
    std::vector<ZContourPolygon> out;
    for (double level = 0; level <= 12; level += 1)
        tracer.TraceLevel(level, out);
    ASSERT_FALSE(out.empty());
    for (const ZContourPolygon& p : out)
        for (int k = 0; k < p.TracedCount; ++k) {
            const PipePoint q = p.Points[static_cast<size_t>(k)];
            EXPECT_FALSE(q.x == std::round(q.x) && q.y == std::round(q.y)) << q.x << "," << q.y;
        }
}

TEST(ZContourTracer, InsideCountsPointsOnEdgesEvenFarFromTheOrigin)
{
    const double o = 4.0e5;
    const std::vector<PipePoint> square{{o, o}, {o + 100, o}, {o + 100, o + 100}, {o, o + 100}, {o, o}};
    EXPECT_TRUE(ZContourTracer::Inside(square, o + 50, o + 50));
    EXPECT_TRUE(ZContourTracer::Inside(square, o + 50, o));          // on an edge
    EXPECT_TRUE(ZContourTracer::Inside(square, o + 100, o + 100));   // a vertex
    EXPECT_FALSE(ZContourTracer::Inside(square, o + 150, o + 50));
    EXPECT_FALSE(ZContourTracer::Inside(square, o - 0.01, o + 50));
}

TEST(ZContourTracer, LabelGoesOnTheStraightestStretch)
{
    ZContourPolygon p;
    // 20 zig-zag points, then 30 points on a straight line.
    for (int k = 0; k < 20; ++k)
        p.Points.push_back({double(k), k % 2 ? 1.0 : 0.0});
    for (int k = 20; k < 50; ++k)
        p.Points.push_back({double(k), 0.0});
    p.TracedCount = 50;
    // nx = 100: windows of 20 segments; the first wholly straight one starts at segment 20.
    EXPECT_EQ(ZContourTracer::LabelSegment(p, 100), 20 + 10);
    // nx = 30: 30 / 5 = 6, below 13, so 12; first straight window starts at 20.
    EXPECT_EQ(ZContourTracer::LabelSegment(p, 30), 20 + 6);
    p.TracedCount = 15;   // fewer than 22 traced points: the middle
    EXPECT_EQ(ZContourTracer::LabelSegment(p, 100), 7);
    p.TracedCount = 2;
    EXPECT_EQ(ZContourTracer::LabelSegment(p, 100), 0);
}
