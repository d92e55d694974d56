#include "TestNet.h"

#include "hydraulics/ZHeadField.h"
#include "model/ProgressObserver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct StopAfter : ProgressObserver {
    int calls = 0;
    int stopAt;
    double last = -1.0;
    bool monotonic = true;
    explicit StopAfter(int n) : stopAt(n) {}
    void Progress(double f) override
    {
        monotonic = monotonic && f >= last;
        last = f;
        ++calls;
    }
    bool StopRequested() const override { return calls >= stopAt; }
};

ZConsumeNode* At(TestNet& t, const std::string& id, double x, double y, double head, double ground = 0.0)
{
    ZConsumeNode* n = t.Node(id, 0.0, ground);
    n->X = x;
    n->Y = y;
    n->NodeHydrElev = head;
    return n;
}

}   // namespace

TEST(ZHeadField, OneStraightPipeGivesItsOwnLinearValues)
{
    TestNet t;
    t.Pipe("P", At(t, "A", 0, 0, 10.0), At(t, "B", 100, 0, 20.0));
    ZHeadField f;
    // Only one segment: every grid value is the pipe's value at its nearest point.
    ASSERT_EQ(f.Compute(t.net, ZHeadField::AbsoluteHead, {-100, -50, 200, 50}, 6, 2), ZHeadField::Ok);
    EXPECT_EQ(f.Columns(), 7);
    EXPECT_EQ(f.Rows(), 3);
    EXPECT_DOUBLE_EQ(f.Dx(), 50.0);
    EXPECT_NEAR(f.At(0, 0), 10.0, 1e-12);   // (-100, -50): nearest is the start
    EXPECT_NEAR(f.At(3, 2), 15.0, 1e-12);   // (50, 50): foot of the perpendicular at the middle
    EXPECT_NEAR(f.At(3, 1), 15.0, 1e-12);   // (50, 0) lies on the pipe
    EXPECT_NEAR(f.At(6, 1), 20.0, 1e-12);   // beyond the end
}

TEST(ZHeadField, WeightsAreInverseCubeOfDistanceAndBendsCarryTheValueAlongThePolyline)
{
    TestNet t;
    // Pipe 1 bends at (0, 100): 200 m long, value 0 -> 40; its bend has value 20.
    ZPipeLink* p = t.Pipe("P1", At(t, "A", -100, 100, 0.0), At(t, "B", 0, 0, 40.0));
    p->SetVertices({{0, 100}});
    // Pipe 2, vertical at x = 30 from y = -100 to 300, value 100 everywhere.
    t.Pipe("P2", At(t, "C", 30, -100, 100.0), At(t, "D", 30, 300, 100.0));
    ZHeadField f;
    ASSERT_EQ(f.Compute(t.net, ZHeadField::AbsoluteHead, {-20, 100, 20, 140}, 1, 1, nullptr, 1.0, 1), ZHeadField::Ok);
    // Grid point (-20, 140): segment A-bend at distance 40 (value 16), bend-B at distance
    // sqrt(20^2 + 40^2) (nearest is the bend, value 20), P2 at distance 50 (value 100).
    const double w1 = 1 / std::pow(40.0, 3), w2 = 1 / std::pow(std::hypot(20.0, 40.0), 3), w3 = 1 / std::pow(50.0, 3);
    EXPECT_NEAR(f.At(0, 1), (16 * w1 + 20 * w2 + 100 * w3) / (w1 + w2 + w3), 1e-10);
    // Grid point (20, 100): on nothing; the bend is 20 away, segment bend-B 20 away (value 20 at the
    // bend), P2 10 away.
    const double v1 = 1 / 8000.0, v3 = 1 / 1000.0;
    EXPECT_NEAR(f.At(1, 0), (20 * v1 + 20 * v1 + 100 * v3) / (2 * v1 + v3), 1e-10);
}

TEST(ZHeadField, FastPathMatchesPlainSumOnARandomNetworkWithAnyThreadCount)
{
    TestNet t;
    MakeLoopedNetwork(t, 400, 3, 1.4, 7);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> head(20.0, 60.0), bend(-30.0, 30.0);
    for (ZConsumeNode* n : t.net.Nodes())
        n->NodeHydrElev = head(rng);
    for (int i = 0; i < t.net.LinkCount(); i += 3)
        if (auto* p = dynamic_cast<ZPipeLink*>(t.net.LinkAt(i)))
            p->SetVertices({{(p->From()->X + p->To()->X) / 2 + bend(rng), (p->From()->Y + p->To()->Y) / 2 + bend(rng)},
                            {p->To()->X + bend(rng) / 5, p->To()->Y}});
    const ViewExtent r = t.net.BoundRect();
    const std::vector<double> nodeValues = ZHeadField::NodeValues(t.net, ZHeadField::AbsoluteHead);
    for (int threads : {1, 2, 3}) {
        ZHeadField f;
        ASSERT_EQ(f.Compute(t.net, ZHeadField::AbsoluteHead, r, 20, 13, nullptr, 1.0, threads), ZHeadField::Ok);
        for (int row = 0; row < f.Rows(); ++row)
            for (int col = 0; col < f.Columns(); ++col)
                ASSERT_NEAR(f.At(col, row), ZHeadField::ReferenceValue(t.net, nodeValues, f.X(col), f.Y(row)), 1e-9)
                    << threads << " threads, point " << col << "," << row;
    }
}

TEST(ZHeadField, NodeValuesUseFreeHeadAndTheTankOutletForTheInternalNode)
{
    TestNet t;
    ZConsumeNode* out = At(t, "OUT", 0, 0, 0.0, 12.0);
    ZTankLink* tank = t.Tank("T", out, 40.0, 5.0);
    out->NodeHydrElev = 50.0;
    ZConsumeNode* inner = static_cast<ZConsumeNode*>(tank->To());
    ASSERT_TRUE(inner->IsHidden());
    inner->NodeHydrElev = 45.0;
    inner->NodeGrunElev = 0.0;
    ZConsumeNode* loose = At(t, "LOOSE", 5, 5, 30.0, 10.0);
    loose->SetFlag(qen::FLAG_HIDDEN);   // hidden but no tank's: keeps its own value
    const auto head = ZHeadField::NodeValues(t.net, ZHeadField::AbsoluteHead);
    const auto free = ZHeadField::NodeValues(t.net, ZHeadField::FreeHead);
    EXPECT_DOUBLE_EQ(head[static_cast<size_t>(inner->GetIndex())], 50.0);
    EXPECT_DOUBLE_EQ(free[static_cast<size_t>(inner->GetIndex())], 38.0);
    EXPECT_DOUBLE_EQ(free[static_cast<size_t>(out->GetIndex())], 38.0);
    EXPECT_DOUBLE_EQ(free[static_cast<size_t>(loose->GetIndex())], 20.0);
}

TEST(ZHeadField, EdgeCases)
{
    TestNet t;
    ZConsumeNode* a = At(t, "A", 0, 0, 10.0);
    ZConsumeNode* b = At(t, "B", 0, 0, 30.0);
    ZHeadField f;
    EXPECT_EQ(f.Compute(t.net, 0, {0, 0, 10, 10}, 4, 4), ZHeadField::NoPipes);
    EXPECT_TRUE(f.IsEmpty());
    EXPECT_EQ(f.Compute(t.net, 0, {0, 0, NAN, 10}, 4, 4), ZHeadField::BadGrid);
    EXPECT_EQ(f.Compute(t.net, 0, {0, 0, 10, 10}, 0, 4), ZHeadField::BadGrid);

    // A pipe drawn as a point carries the mean of its ends; a rectangle of no width is widened.
    t.Pipe("P", a, b);
    ASSERT_EQ(f.Compute(t.net, 0, {0, 0, 0, 0}, 4, 4), ZHeadField::Ok);
    EXPECT_GT(f.Dx(), 0.0);
    EXPECT_GT(f.Dy(), 0.0);
    for (double v : f.Values())
        EXPECT_DOUBLE_EQ(v, 20.0);
}

TEST(ZHeadField, StopsWhenAskedAndReportsRisingFractions)
{
    TestNet t;
    MakeLoopedNetwork(t, 3000, 3, 1.5, 2);
    ZHeadField f;
    StopAfter never(1 << 30);
    ASSERT_EQ(f.Compute(t.net, 0, t.net.BoundRect(), 100, 100, &never, 0.85), ZHeadField::Ok);
    EXPECT_TRUE(never.monotonic);
    EXPECT_DOUBLE_EQ(never.last, 0.85);
    // A stop asked for before the workers finish: asked at once, so that a fast machine cannot
    // finish the grid before the first report.
    StopAfter soon(0);
    EXPECT_EQ(f.Compute(t.net, 0, t.net.BoundRect(), 100, 100, &soon, 0.85), ZHeadField::Stopped);
    EXPECT_TRUE(f.IsEmpty());
}

// Pipes that end at a node cut off from every known head carry no value into the field.
TEST(ZHeadField, CutOffNodesAndTheirPipesAreLeftOut)
{
    TestNet t;
    ZConsumeNode* a = At(t, "A", 0, 0, 10.0);
    ZConsumeNode* b = At(t, "B", 100, 0, 20.0);
    ZConsumeNode* c = At(t, "C", 100, 100, 99.0);
    t.Pipe("P1", a, b);
    t.Pipe("P2", b, c);
    c->SetFlag(qen::FLAG_CUT_OFF);
    EXPECT_TRUE(std::isnan(ZHeadField::NodeValues(t.net, ZHeadField::FreeHead)[static_cast<size_t>(c->GetIndex())]));
    ZHeadField f;
    ASSERT_EQ(f.Compute(t.net, ZHeadField::AbsoluteHead, {0, 0, 100, 100}, 2, 2), ZHeadField::Ok);
    for (double v : f.Values())
        EXPECT_TRUE(v >= 10.0 && v <= 20.0) << v;
    EXPECT_NEAR(f.At(2, 2), 20.0, 1e-12);   // (100, 100), at C: only P1 counts
}
