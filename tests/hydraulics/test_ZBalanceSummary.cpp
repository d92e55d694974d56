#include "TestNet.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZBalanceSummary.h"

#include "model/UnitSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
// Two sources and a tank feeding nodes on a hill; D stands above every head.
struct Hill {
    TestNet t;
    Hill()
    {
        ZConsumeNode* r1 = t.Source("R1", 60.0);
        ZConsumeNode* r2 = t.Source("R2", 58.0);
        ZConsumeNode* a = t.Node("A", 0.010, 5.0);
        ZConsumeNode* b = t.Node("B", 0.012, 40.0);
        ZConsumeNode* c = t.Node("C", 0.008, 25.0);
        ZConsumeNode* d = t.Node("D", 0.005, 70.0);
        ZConsumeNode* outlet = t.Node("TO", 0.0, 0.0);
        t.Tank("T", outlet, 50.0, 5.0);
        t.Pipe("1", r1, a);
        t.Pipe("2", a, b);
        t.Pipe("3", r2, c);
        t.Pipe("4", c, b);
        t.Pipe("5", b, d);
        t.Pipe("6", outlet, c);
    }
};
}   // namespace

TEST(ZBalanceSummary, SupplyBalancesTheDemandAndLowHeadsAreListedLowestFirst)
{
    Hill h;
    ZBalanceRun run(h.t.settings, h.t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    const ZBalanceSummary s(run, h.t.net, 0.001, 28.0);
    ASSERT_EQ(s.Supplies().size(), 3u);
    // Whatever the sources and the tank give, the nodes take.
    EXPECT_NEAR(s.TotalSupply(), 0.035, 1e-6);
    double sum = 0.0;
    for (const auto& supply : s.Supplies())
        sum += supply.flow;
    EXPECT_DOUBLE_EQ(sum, s.TotalSupply());
    EXPECT_TRUE(s.Supplies().back().tank);
    // The lowest is D, below ground; every node under 28 m is listed, lowest first.
    EXPECT_EQ(s.Lowest().id.Bytes(), "D");
    EXPECT_DOUBLE_EQ(s.Lowest().freeHead, h.t.N("D")->FreeHead());
    EXPECT_EQ(s.NegativeCount(), 1);
    std::vector<std::string> below;
    for (const auto& n : s.BelowMinimum())
        below.push_back(n.id.Bytes());
    std::vector<std::string> expected;
    for (const char* id : {"A", "B", "C", "D"})
        if (h.t.N(id)->FreeHead() < 28.0)
            expected.push_back(id);
    std::sort(expected.begin(), expected.end(),
              [&](const std::string& x, const std::string& y) { return h.t.N(x)->FreeHead() < h.t.N(y)->FreeHead(); });
    EXPECT_EQ(below, expected);
    ASSERT_GE(below.size(), 2u);
    // A lower minimum names fewer nodes.
    const ZBalanceSummary low(run, h.t.net, 0.001, 0.0);
    ASSERT_EQ(low.BelowMinimum().size(), 1u);
    EXPECT_EQ(low.BelowMinimum().front().id.Bytes(), "D");
}

TEST(ZBalanceSummary, TextInTheDisplayUnits)
{
    Hill h;
    ZBalanceRun run(h.t.settings, h.t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    const ZBalanceSummary s(run, h.t.net, 0.001, 10.0);
    UnitSystem units;
    std::string text = s.Text(units);
    EXPECT_EQ(text.rfind("状态: 收敛 (已平差)\n计算次数: " + std::to_string(run.Iterations()) + ", 用时 ", 0), 0u);
    EXPECT_NE(text.find("供水量 (l/s):\n"), std::string::npos);
    EXPECT_NE(text.find("    合计  35.00\n"), std::string::npos);
    EXPECT_NE(text.find("    水池 \"T\"  "), std::string::npos);
    EXPECT_NE(text.find("最低自由水头: " + units.Hydr().FormatFixed(h.t.N("D")->FreeHead()) + " mH2O, 在节点\"D\""),
              std::string::npos);
    EXPECT_NE(text.find("低于最小服务水头 10.00 mH2O 的节点: "), std::string::npos);
    EXPECT_NE(text.find("其中自由水头为负的节点: 1 个"), std::string::npos);
    const std::string warning = s.NegativeWarning(units);
    EXPECT_EQ(warning.rfind("1 个节点的自由水头为负", 0), 0u);
    EXPECT_NE(warning.find("\"D\""), std::string::npos);
    units.Get(UnitSystem::Flow).SetUnitIndex(2);   // m3/h
    units.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa
    text = s.Text(units);
    EXPECT_NE(text.find("供水量 (m3/h):\n"), std::string::npos);
    EXPECT_NE(text.find("    合计  126.00\n"), std::string::npos);
    EXPECT_NE(text.find("低于最小服务水头 0.10 MPa"), std::string::npos);
}

TEST(ZBalanceSummary, AnUnfinishedRunSaysHowItEndedAndNoMore)
{
    Hill h;
    h.t.settings.Params.MaxIterations = 1;
    ZBalanceRun run(h.t.settings, h.t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::IterationLimit);
    const ZBalanceSummary s(run, h.t.net, 0.001, 10.0);
    EXPECT_TRUE(s.Supplies().empty());
    EXPECT_FALSE(s.HasLowest());
    EXPECT_EQ(s.NegativeCount(), 0);
    const std::string text = s.Text(UnitSystem());
    EXPECT_EQ(text.rfind("状态: 达到计算次数上限, 未收敛 (未平差)\n计算次数: 1, ", 0), 0u);
    EXPECT_EQ(text.find("供水量"), std::string::npos);
    EXPECT_EQ(s.NegativeWarning(UnitSystem()), "");
}
