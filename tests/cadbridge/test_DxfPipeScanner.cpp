#include "CadTestUtil.h"

#include <gtest/gtest.h>

using cadtest::Data;
using cadtest::Recorder;

namespace {

class PipeScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        CadCloseSession();
        m_h = OpenAutoCad();
    }
    void TearDown() override
    {
        CloseAutoCad(m_h);
        CadCloseSession();
    }
    int Scan(const std::string& file, Recorder& r, uint8_t flags = 3, std::vector<const char*> layers = {},
             bool all = true)
    {
        EXPECT_EQ(OpenDwgDocument(m_h, Data(file).c_str()), -1) << CadLastError();
        return ExtractPipeFromAutoCad(m_h, static_cast<int>(layers.size()), all ? nullptr : layers.data(), flags,
                                      &Recorder::Callback, &r);
    }
    CadHandle m_h = nullptr;
};

void ExpectPoints(const cadtest::Call& c, std::vector<CadPoint> pts)
{
    ASSERT_EQ(c.points.size(), pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_DOUBLE_EQ(c.points[i].x, pts[i].x) << i;
        EXPECT_DOUBLE_EQ(c.points[i].y, pts[i].y) << i;
    }
}

}   // namespace

// Model space of pipes_r2000.dxf in file order: 4 lines, closed and bulged lightweight polylines,
// a circle, a line on OTHER, a 2D polyline with elevation 7, a 3D polyline (paper space not).
TEST_F(PipeScan, OneCallPerModelSpaceEntityWithItsDrawnPath)
{
    Recorder r;
    EXPECT_EQ(Scan("pipes_r2000.dxf", r), 9);
    ASSERT_EQ(r.calls.size(), 10u);
    ExpectPoints(r.calls[0], {{0, 0}, {10, 0}});
    ExpectPoints(r.calls[2], {{20.5, 0}, {30, 0}});
    ExpectPoints(r.calls[3], {{5, 5}, {5, 5}});
    ExpectPoints(r.calls[4], {{0, 10}, {10, 10}, {10, 20}, {0, 10}});   // closed by its repeated point
    // Bulges 0.5 and 1 drawn as arcs through the same vertices.
    const auto& bulged = r.calls[5].points;
    ASSERT_GT(bulged.size(), 8u);
    EXPECT_DOUBLE_EQ(bulged.front().x, 30);
    EXPECT_DOUBLE_EQ(bulged.back().y, 20);
    EXPECT_TRUE(r.calls[6].points.empty());                              // circle
    ExpectPoints(r.calls[8], {{60, 0}, {60, 10}, {70, 10}, {70, 20}});   // z dropped
    ExpectPoints(r.calls[9], {{80, 0}, {90, 0}});                        // 3D polyline
    int last = -1;
    for (const auto& c : r.calls) {
        EXPECT_GE(c.percent, last);
        EXPECT_LE(c.percent, 99);
        last = c.percent;
    }
    EXPECT_EQ(r.calls[0].percent, 0);
    EXPECT_EQ(r.calls[5].percent, 50);
    EXPECT_STREQ(CadScanReport(), "跳过 1 个圆 (层 PIPE)，第一个在第1980行\n");
}

TEST_F(PipeScan, LayerNamesMatchIgnoringLetterCase)
{
    Recorder r;
    EXPECT_EQ(Scan("pipes_r2000.dxf", r, 3, {"PIPE"}, false), 8);
    ASSERT_EQ(r.calls.size(), 10u);
    EXPECT_FALSE(r.calls[1].points.empty());   // layer "pipe"
    EXPECT_FALSE(r.calls[2].points.empty());   // layer "Pipe"
    EXPECT_TRUE(r.calls[7].points.empty());    // layer OTHER
    Recorder none;
    EXPECT_EQ(Scan("pipes_r2000.dxf", none, 3, {"A", "B"}, false), 0);
    EXPECT_EQ(none.calls.size(), 10u);
}

TEST_F(PipeScan, FlagsChooseLinesOrPolylines)
{
    Recorder lines;
    EXPECT_EQ(Scan("pipes_r2000.dxf", lines, 1), 5);
    EXPECT_TRUE(lines.calls[5].points.empty());
    EXPECT_TRUE(lines.calls[8].points.empty());
    Recorder polys;
    EXPECT_EQ(Scan("pipes_r2000.dxf", polys, 2), 4);
    EXPECT_TRUE(polys.calls[0].points.empty());
    EXPECT_FALSE(polys.calls[8].points.empty());
    Recorder neither;
    EXPECT_EQ(Scan("pipes_r2000.dxf", neither, 4), 0);
    EXPECT_EQ(neither.calls.size(), 10u);
}

TEST_F(PipeScan, ClearingKeepGoingEndsTheScanAfterThatEntity)
{
    Recorder r;
    r.stopAfter = 2;
    EXPECT_EQ(Scan("pipes_r2000.dxf", r), 3);
    EXPECT_EQ(r.calls.size(), 3u);
    Recorder refuse;
    refuse.accept = false;
    EXPECT_EQ(Scan("pipes_r2000.dxf", refuse), 0);
}

TEST_F(PipeScan, R12PolylinesGiveTheSameVertices)
{
    Recorder r;
    EXPECT_EQ(Scan("pipes_r12.dxf", r), 7);
    ASSERT_EQ(r.calls.size(), 8u);
    ExpectPoints(r.calls[4], {{0, 10}, {10, 10}, {10, 20}, {0, 10}});
    Recorder lw;
    Scan("pipes_r2000.dxf", lw);
    ExpectPoints(r.calls[5], lw.calls[5].points);
}

TEST_F(PipeScan, EntitiesWithCoordinatesThatAreNotFiniteAreSkipped)
{
    Recorder r;
    EXPECT_EQ(Scan("nonfinite.dxf", r), 1);
    ASSERT_EQ(r.calls.size(), 3u);
    EXPECT_TRUE(r.calls[0].points.empty());
    EXPECT_TRUE(r.calls[1].points.empty());
    ExpectPoints(r.calls[2], {{0, 0}, {0, 10}});
    // Counted, with the line of the first one.
    EXPECT_STREQ(CadScanReport(), "跳过 2 个坐标无效或超出范围的图元 (层 0)，第一个在第1772行\n");
}

TEST_F(PipeScan, SelfReferencingBlocksEndWithinTheExpansionBound)
{
    // A block holding an array of itself and a line on another layer: a few hundred bytes that
    // nest to 7^32 entities. The walk ends at the bound and says so; the plain line still comes.
    Recorder r;
    EXPECT_EQ(Scan("block_bomb.dxf", r, 3, {"PIPE"}, false), 1);
    const std::string report = CadScanReport();
    EXPECT_NE(report.find("个展开过大的块参照 (层 PIPE)"), std::string::npos) << report;
    EXPECT_LT(r.calls.size(), 400'000u);
}

TEST_F(PipeScan, ChineseLayerNamesMatchInEveryEncoding)
{
    const std::string layer = cadtest::Gbk("给水管");
    for (const char* f : {"chinese_r2018.dxf", "chinese_r2000_gbk.dxf"}) {
        Recorder r;
        EXPECT_EQ(Scan(f, r, 3, {layer.c_str()}, false), 2) << f;
        ASSERT_EQ(r.calls.size(), 4u) << f;   // line, polyline, text, block reference
        ExpectPoints(r.calls[1], {{100, 0}, {100, 50}, {150, 50}});
    }
}

TEST_F(PipeScan, NullHandleOrNoDrawingScansNothing)
{
    Recorder r;
    EXPECT_EQ(ExtractPipeFromAutoCad(nullptr, 0, nullptr, 3, &Recorder::Callback, &r), 0);
    EXPECT_EQ(ExtractPipeFromAutoCad(m_h, 0, nullptr, 3, &Recorder::Callback, &r), 0);
    EXPECT_TRUE(r.calls.empty());
}
