#include "TestNet.h"

#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZContourTracer.h"
#include "hydraulics/ZHeadField.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZContourSet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Answer : Prompt {
    bool yes;
    int asked = 0;
    explicit Answer(bool y) : yes(y) {}
    bool AskYesNo(const std::string&) override
    {
        ++asked;
        return yes;
    }
    void Inform(const std::string&) override {}
};

struct Record : ProgressObserver {
    std::vector<double> seen;
    double stopAbove = 2.0;
    void Progress(double f) override { seen.push_back(f); }
    bool StopRequested() const override { return !seen.empty() && seen.back() > stopAbove; }
};

ZHeadField Field(int nx, int ny, double (*f)(double, double))
{
    std::vector<double> v;
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i)
            v.push_back(f(i, j));
    ZHeadField field;
    field.Assign({0, 0, double(nx), double(ny)}, nx, ny, v);
    return field;
}

// A square town of 3 x 3 nodes 100 m apart joined by 12 pipes, heads given per node.
void Town(TestNet& t, const double heads[9])
{
    for (int k = 0; k < 9; ++k) {
        ZConsumeNode* n = t.Node("N" + std::to_string(k), 0.0, 5.0);
        n->X = 100.0 * (k % 3);
        n->Y = 100.0 * (k / 3);
        n->NodeHydrElev = heads[k];
    }
    int p = 0;
    for (int k = 0; k < 9; ++k) {
        if (k % 3 < 2)
            t.Pipe("P" + std::to_string(p++), t.N("N" + std::to_string(k)), t.N("N" + std::to_string(k + 1)));
        if (k < 6)
            t.Pipe("P" + std::to_string(p++), t.N("N" + std::to_string(k)), t.N("N" + std::to_string(k + 3)));
    }
}

}   // namespace

TEST(ZContourGenerator, LevelRanges)
{
    ZContourGenerator::Range r;
    ASSERT_TRUE(ZContourGenerator::LevelRange({20.0, 25.0, 30.0}, 2.0, r));
    EXPECT_DOUBLE_EQ(r.first, 20.0);
    EXPECT_DOUBLE_EQ(r.high, 30.0);
    EXPECT_EQ(r.levels, 6);   // 20, 22, ..., 30
    ASSERT_TRUE(ZContourGenerator::LevelRange({23.47, 31.0}, 0.2, r));
    EXPECT_NEAR(r.first, 23.4, 1e-12);   // truncate(117.35) = 117
    ASSERT_TRUE(ZContourGenerator::LevelRange({1500.0, 1520.0}, 10.0, r));
    EXPECT_DOUBLE_EQ(r.first, 1000.0);   // the lowest value starts at 1000
    EXPECT_EQ(r.levels, 53);
    ASSERT_TRUE(ZContourGenerator::LevelRange({-5.0, -2.0}, 1.0, r));
    EXPECT_DOUBLE_EQ(r.first, -5.0);
    EXPECT_DOUBLE_EQ(r.high, 0.0);   // the highest starts at 0
    for (double bad : {0.0, -0.2, double(NAN), double(INFINITY)})
        EXPECT_FALSE(ZContourGenerator::LevelRange({20.0, 30.0}, bad, r)) << bad;
}

TEST(ZContourGenerator, ProposedIntervalGivesReadableLevels)
{
    // 10 m of values: 0.5 m gives 21 levels, 1 m gives 11.
    EXPECT_DOUBLE_EQ(ZContourGenerator::ProposedInterval({20.0, 24.0, 30.0}), 1.0);
    // 3.5 to 53.5 m: 2 m gives 26 levels (2 to 52), 5 m gives 11 (0 to 50).
    EXPECT_DOUBLE_EQ(ZContourGenerator::ProposedInterval({3.5, 53.5, 20.0}), 5.0);
    // A few centimetres: the proposal follows the scale down.
    EXPECT_NEAR(ZContourGenerator::ProposedInterval({30.01, 30.07}), 0.005, 1e-12);
    // Equal values: any interval gives one level; nothing to propose. Non-finite values are ignored.
    EXPECT_EQ(ZContourGenerator::ProposedInterval({25.0, 25.0, double(NAN)}), 0.0);
    EXPECT_EQ(ZContourGenerator::ProposedInterval({}), 0.0);
    for (const std::vector<double>& v :
         {std::vector<double>{20.0, 24.0, 30.0}, {3.5, 53.5}, {-12.0, 85.0}, {0.1, 0.9}}) {
        ZContourGenerator::Range r;
        ASSERT_TRUE(ZContourGenerator::LevelRange(v, ZContourGenerator::ProposedInterval(v), r));
        EXPECT_LE(r.levels, ZContourGenerator::ProposedLevels);
        EXPECT_GE(r.levels, ZContourGenerator::ProposedLevels / 5);
    }
}

TEST(ZContourGenerator, RefusesBadIntervalsAndTooManyLevelsAndAsksBeforeMany)
{
    TestNet t;
    const double heads[9] = {20, 22, 24, 26, 28, 30, 100, 110, 120};
    Town(t, heads);
    ZContourSet set;
    for (double bad : {0.0, -1.0, double(NAN)}) {
        EXPECT_EQ(ZContourGenerator::Generate(t.net, 0, bad, set), ZContourGenerator::BadInterval);
        EXPECT_TRUE(set.Polygons.empty());
    }
    EXPECT_FALSE(ZContourGenerator::Message(ZContourGenerator::BadInterval).empty());
    // 0.001 m over 100 m: refused at once rather than traced for minutes.
    Answer yes(true), no(false);
    EXPECT_EQ(ZContourGenerator::Generate(t.net, 0, 0.001, set, nullptr, &yes), ZContourGenerator::TooManyLevels);
    EXPECT_EQ(yes.asked, 0);
    // 0.1 m over 100 m: 1001 levels, asked first.
    EXPECT_EQ(ZContourGenerator::Generate(t.net, 0, 0.1, set, nullptr, &no), ZContourGenerator::Declined);
    EXPECT_EQ(no.asked, 1);
    EXPECT_EQ(ZContourGenerator::Generate(t.net, 0, 0.1, set, nullptr, &yes), ZContourGenerator::Ok);
    EXPECT_EQ(yes.asked, 1);
    EXPECT_FALSE(set.Polygons.empty());
    // Without anyone to ask, the levels are made.
    EXPECT_EQ(ZContourGenerator::Generate(t.net, 0, 0.1, set, nullptr, nullptr), ZContourGenerator::Ok);
}

TEST(ZContourGenerator, NestedPolygonsComeOuterFirstAndProgressRises)
{
    TestNet t;
    const double heads[9] = {20, 20, 20, 20, 40, 20, 20, 20, 20};
    Town(t, heads);
    ZContourSet set;
    Record rec;
    ASSERT_EQ(ZContourGenerator::Generate(t.net, ZHeadField::AbsoluteHead, 4.0, set, &rec), ZContourGenerator::Ok);
    EXPECT_DOUBLE_EQ(set.FirstLevel, 20.0);
    EXPECT_DOUBLE_EQ(set.High, 40.0);
    ASSERT_GE(set.Polygons.size(), 4u);
    for (size_t a = 0; a < set.Polygons.size(); ++a)
        for (size_t b = a + 1; b < set.Polygons.size(); ++b) {
            // A later polygon never encloses an earlier one.
            const PipePoint q = set.Polygons[a].Points[0];
            EXPECT_FALSE(ZContourTracer::Inside(set.Polygons[b].Points, q.x, q.y) &&
                         !ZContourTracer::Inside(set.Polygons[a].Points, set.Polygons[b].Points[0].x,
                                                 set.Polygons[b].Points[0].y))
                << a << " inside " << b;
        }
    // Around the peak, levels rise inwards and every inside lies above.
    for (size_t k = 1; k < set.Polygons.size(); ++k)
        EXPECT_GE(set.Polygons[k].Level, set.Polygons[k - 1].Level);
    for (const ZContourPolygon& p : set.Polygons)
        EXPECT_EQ(p.Side, 1);
    EXPECT_NEAR(set.FillBaseLevel, 22.0, 1e-12);   // corner value about 20: band 20..24
    ASSERT_FALSE(rec.seen.empty());
    for (size_t k = 1; k < rec.seen.size(); ++k)
        EXPECT_GE(rec.seen[k], rec.seen[k - 1]);
    EXPECT_DOUBLE_EQ(rec.seen.back(), 1.0);
}

TEST(ZContourGenerator, FlatValuesGiveOneBandAndNoLines)
{
    ZHeadField f = Field(10, 10, [](double, double) { return 30.0; });
    ZContourSet set;
    Record rec;
    ZContourGenerator::Range r;
    ASSERT_TRUE(ZContourGenerator::LevelRange({30.0, 30.0}, 2.0, r));
    ASSERT_EQ(ZContourGenerator::Trace(f, r, 2.0, set, &rec), ZContourGenerator::Ok);
    EXPECT_TRUE(set.Polygons.empty());
    EXPECT_DOUBLE_EQ(set.FillBaseLevel, 31.0);
    for (double v : rec.seen)
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_DOUBLE_EQ(set.ColourFraction(31.0), 0.0);
    EXPECT_EQ(set.FillColour(31.0, 0x00FF00, 0x0000FF), 0x00FF00u);
}

TEST(ZContourGenerator, StopDuringTracingLeavesNothing)
{
    ZHeadField f = Field(20, 20, [](double x, double y) { return x + y; });
    ZContourSet set;
    Record rec;
    rec.stopAbove = 0.9;
    ZContourGenerator::Range r;
    ASSERT_TRUE(ZContourGenerator::LevelRange({0.0, 40.0}, 1.0, r));
    EXPECT_EQ(ZContourGenerator::Trace(f, r, 1.0, set, &rec), ZContourGenerator::Stopped);
    EXPECT_TRUE(set.Polygons.empty());
}

TEST(ZContourGenerator, ColoursStayInsideTheirBytes)
{
    ZContourSet set;
    set.FirstLevel = 20.0;
    set.High = 30.0;
    EXPECT_EQ(set.FillColour(20.0, 0x000000, 0xFFFFFF), 0x000000u);
    EXPECT_EQ(set.FillColour(25.0, 0x000000, 0xFFFFFF), 0x7F7F7Fu);
    EXPECT_EQ(set.FillColour(31.0, 0x000000, 0xFFFFFF), 0xFFFFFFu);   // a band above the top
    EXPECT_EQ(set.FillColour(19.0, 0x0000FF, 0xFF0000), 0x0000FFu);
    EXPECT_EQ(ZContourSet::LevelText(23.44), "23.4");
}
