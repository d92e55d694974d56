// entity_cases.dxf (make_drawings.py, written by ezdxf): one layer per kind of entity a user
// draws pipes with. Expected paths are worked out here from the drawing's numbers.
#include "CadTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

using cadtest::Data;

namespace {

constexpr double kPi = std::numbers::pi;

struct Path {
    std::vector<CadPoint> points;
    double length = 0;
    int line = 0;
};

struct PathRecorder {
    std::vector<Path> paths;
    int calls = 0;
    static int Callback(int n, CadPoint* pts, int, void* user, int*)
    {
        auto* r = static_cast<PathRecorder*>(user);
        ++r->calls;
        if (n == 0)
            return 0;
        Path p;
        p.points.assign(pts, pts + n);
        int32_t line = 0;
        EXPECT_EQ(CadScanEntityInfo(&p.length, &line), -1);
        p.line = line;
        r->paths.push_back(p);
        return 1;
    }
};

class EntityCases : public ::testing::Test {
protected:
    void SetUp() override
    {
        CadCloseSession();
        m_h = OpenAutoCad();
        ASSERT_EQ(OpenDwgDocument(m_h, Data("entity_cases.dxf").c_str()), -1) << CadLastError();
    }
    void TearDown() override
    {
        CloseAutoCad(m_h);
        CadCloseSession();
    }
    std::vector<Path> Scan(const std::string& layer, uint8_t flags = 3)
    {
        PathRecorder r;
        const char* names[] = {layer.c_str()};
        ExtractPipeFromAutoCad(m_h, 1, names, flags, &PathRecorder::Callback, &r);
        return r.paths;
    }
    CadHandle m_h = nullptr;
};

void ExpectPoints(const Path& p, std::vector<CadPoint> want, double length)
{
    ASSERT_EQ(p.points.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(p.points[i].x, want[i].x, 1e-9) << i;
        EXPECT_NEAR(p.points[i].y, want[i].y, 1e-9) << i;
    }
    EXPECT_NEAR(p.length, length, 1e-9);
}

// Every point on the circle, in order from start to end, with chords whose sagitta stays
// within 1/200 of the radius.
void ExpectArc(const Path& p, CadPoint centre, double r, CadPoint start, CadPoint end)
{
    ASSERT_GE(p.points.size(), 3u);
    EXPECT_NEAR(p.points.front().x, start.x, 1e-9);
    EXPECT_NEAR(p.points.front().y, start.y, 1e-9);
    EXPECT_NEAR(p.points.back().x, end.x, 1e-9);
    EXPECT_NEAR(p.points.back().y, end.y, 1e-9);
    for (size_t i = 0; i < p.points.size(); ++i) {
        EXPECT_NEAR(std::hypot(p.points[i].x - centre.x, p.points[i].y - centre.y), r, 1e-9) << i;
        if (i == 0)
            continue;
        const double mx = (p.points[i].x + p.points[i - 1].x) / 2, my = (p.points[i].y + p.points[i - 1].y) / 2;
        EXPECT_LE(r - std::hypot(mx - centre.x, my - centre.y), r / 200 + 1e-12) << i;
    }
}

}   // namespace

TEST_F(EntityCases, BlockReferencesPlaceTheirLinesNestedAndInArrays)
{
    // B1: a line (1,0)-(11,0) about base point (1,0); at (100,100), turned 90 degrees, scale 2.
    auto p = Scan("L_BLOCK");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{100, 100}, {100, 120}}, 20);
    // OUTER holds B1 at (5,0); OUTER at (200,0) turned 180 degrees.
    p = Scan("L_NESTED");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{195, 0}, {185, 0}}, 10);
    // B1 at (0,300) in 2 rows 50 apart and 3 columns 20 apart.
    p = Scan("L_ARRAY");
    ASSERT_EQ(p.size(), 6u);
    std::vector<std::pair<double, double>> starts, want;
    for (const Path& q : p) {
        EXPECT_NEAR(q.points[1].x - q.points[0].x, 10, 1e-9);
        EXPECT_NEAR(q.length, 10, 1e-9);
        starts.emplace_back(std::round(q.points[0].x * 1e6) / 1e6, std::round(q.points[0].y * 1e6) / 1e6);
    }
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            want.emplace_back(c * 20.0, 300.0 + r * 50.0);
    std::sort(starts.begin(), starts.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(starts, want);
}

TEST_F(EntityCases, BulgesAndArcsAreChordsWithTheArcLength)
{
    // Bulge 1 from (0,0) to (10,0): the half circle about (5,0) counter-clockwise, below the chord.
    auto p = Scan("L_BULGE");
    ASSERT_EQ(p.size(), 1u);
    ExpectArc(p[0], {5, 0}, 5, {0, 0}, {10, 0});
    EXPECT_NEAR(p[0].length, 5 * kPi, 1e-12);
    for (const CadPoint& q : p[0].points)
        EXPECT_LE(q.y, 1e-9);
    p = Scan("L_ARC");   // radius 10 about (0,500), 0 to 90 degrees
    ASSERT_EQ(p.size(), 1u);
    ExpectArc(p[0], {0, 500}, 10, {10, 500}, {0, 510});
    EXPECT_NEAR(p[0].length, 5 * kPi, 1e-12);
    EXPECT_TRUE(Scan("L_ARC", 1).empty());   // arcs come with the polylines
}

TEST_F(EntityCases, ThreeDimensionalAndObjectCoordinatePolylinesInPlan)
{
    auto p = Scan("L_3D");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{0, 600}, {30, 600}, {30, 640}}, 70);
    // Extrusion (0,0,-1): the arbitrary axis rule gives x = (0,1,0) x N = (-1,0,0), y = N x x = (0,1,0).
    p = Scan("L_OCS");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{0, 0}, {-10, 0}, {-10, 10}}, 20);
    // Extrusion (1,0,0), elevation 700: x = (0,0,1) x N = (0,1,0), y = N x x = (0,0,1); world
    // point = (elevation, x, y), seen in plan as (700, x).
    p = Scan("L_TILTED");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{700, 0}, {700, 10}, {700, 20}}, 20);
}

TEST_F(EntityCases, ClosedPolylinesKeepTheirClosingSideEitherWay)
{
    auto p = Scan("L_CLOSEDFLAG");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{0, 800}, {40, 800}, {40, 830}, {0, 800}}, 120);
    p = Scan("L_CLOSEDPT");
    ASSERT_EQ(p.size(), 1u);
    ExpectPoints(p[0], {{100, 800}, {140, 800}, {140, 830}, {100, 800}}, 120);
}

TEST_F(EntityCases, WhatIsLeftOutIsCountedAndNamed)
{
    EXPECT_TRUE(Scan("L_SPLINE").empty());
    const std::string report = CadScanReport();
    EXPECT_NE(report.find("跳过 2 条样条曲线 (层 L_SPLINE)"), std::string::npos) << report;
    // A layer matching nothing names the drawing's layers, as the drawing has them.
    Scan("NO_SUCH");
    const std::string warn = CadScanReport();
    EXPECT_NE(warn.find("警告: 图层\u201cNO_SUCH\u201d在图纸中不存在"), std::string::npos) << warn;
    EXPECT_NE(warn.find("L_TEE, \u00dcberlandleitung, \u0141\u00f3d\u017a"), std::string::npos) << warn;
    // A name of any length is echoed by its start only.
    Scan(std::string(200000, 'X'));
    const std::string longName = CadScanReport();
    EXPECT_NE(longName.find(std::string(60, 'X') + "\u2026\u201d"), std::string::npos);
    EXPECT_LT(longName.size(), 1000u);
    const std::string layers = CadDrawingLayers(), last = "\u0141\u00f3d\u017a\n";
    EXPECT_EQ(layers.substr(layers.size() - last.size()), last);
}

TEST_F(EntityCases, LayerNamesMatchIgnoringCaseInEveryScript)
{
    // Upper and lower case of Latin letters beyond ASCII; \U+ escapes for letters GBK lacks.
    EXPECT_EQ(Scan(cadtest::Gbk("\u00fcBERLANDLEITUNG")).size(), 1u);
    EXPECT_EQ(Scan("\\U+0141\\U+00D3D\\U+0179").size(), 1u);   // ŁÓDŹ
    EXPECT_EQ(Scan("\\U+0142\\U+00F3d\\U+017A").size(), 1u);   // łódź
    EXPECT_TRUE(Scan("\\U+0141OD\\U+0179").empty());
}
