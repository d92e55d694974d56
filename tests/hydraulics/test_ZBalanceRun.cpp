#include "TestNet.h"
#include "hydraulics/ZBalanceRun.h"

#include <gtest/gtest.h>

TEST(ZBalanceRunParams, PrecisionIndexAndHeadTolerance)
{
    EXPECT_EQ(ZBalanceRun::PrecisionIndex(0.001), 3);
    EXPECT_EQ(ZBalanceRun::PrecisionIndex(1.0), 0);
    EXPECT_EQ(ZBalanceRun::PrecisionIndex(5.0), 0);
    EXPECT_EQ(ZBalanceRun::PrecisionIndex(ZBalanceRun::HeadToleranceFor(6)), 6);
    EXPECT_EQ(ZBalanceRun::PrecisionIndex(0.0), 6);   // never loops forever
    EXPECT_EQ(ZBalanceRun::HeadToleranceFor(0), 1.0);
    EXPECT_EQ(ZBalanceRun::HeadToleranceFor(6), 1.0000000000000004e-06);
    for (int k = 0; k <= 6; ++k)
        EXPECT_EQ(ZBalanceRun::PrecisionIndex(ZBalanceRun::HeadToleranceFor(k)), k);
}

TEST(ZBalanceRunParams, ApplyStoresOrRefusesEverything)
{
    TestNet t;
    ZBalanceRun run(t.settings, t.net);
    ZBalanceRun::Params p = run.CurrentParams();
    EXPECT_EQ(p.CalcCase, 0);
    EXPECT_EQ(p.AccidentFactor, 0.75);
    EXPECT_EQ(p.Precision, 3);

    p.CalcCase = 1;
    p.Precision = 4;
    p.AccidentFactor = 1.2;
    EXPECT_FALSE(run.ApplyParams(p));
    EXPECT_EQ(t.settings.CalcCase, 0);
    for (double f : {0.0, 1.0}) {
        p.AccidentFactor = f;
        EXPECT_TRUE(run.ApplyParams(p));
        EXPECT_EQ(t.settings.Params.AccidentFactor, f);
    }
    EXPECT_EQ(t.settings.CalcCase, 1);
    EXPECT_EQ(run.CurrentParams().Precision, 4);   // reopening shows "0.0000" again
    EXPECT_FALSE(ZBalanceRun::IsValidAccidentFactor(-0.1));
}

TEST(ZBalanceRunProgress, BarStopsAt99UntilTheEnd)
{
    EXPECT_EQ(ZBalanceRun::ProgressPosition(0.5, 0, 1000, false), 500);
    EXPECT_EQ(ZBalanceRun::ProgressPosition(1.0, 0, 1000, false), 990);
    EXPECT_EQ(ZBalanceRun::ProgressPosition(1.0, 0, 1000, true), 1000);
    EXPECT_EQ(ZBalanceRun::PercentText(990, 0, 1000), "99%");
    EXPECT_EQ(ZBalanceRun::PercentText(1000, 0, 1000), "100%");
    EXPECT_EQ(ZBalanceRun::PercentText(423, 0, 1000), "42%");
    EXPECT_EQ(ZBalanceRun::StatusPaneText(false, 1), "未平差");
    EXPECT_EQ(ZBalanceRun::StatusPaneText(true, 1), "已平差:消防时");
}

TEST(ZBalanceRunOutcome, StatusDecidesTheBalancedFlagAndMessage)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 30.0);
    ZConsumeNode* a = t.Node("A", 0.01);
    t.Pipe("P", r, a);
    ZBalanceRun run(t.settings, t.net);
    EXPECT_TRUE(run.CheckConnectivity());
    EXPECT_EQ(run.Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(t.settings.Balanced, 1u);
    EXPECT_TRUE(run.ResultsChanged());
    EXPECT_EQ(run.Message(), "");

    t.settings.Params.MaxIterations = 1;
    EXPECT_EQ(run.Run(), ZBalanceInfo::IterationLimit);
    EXPECT_EQ(t.settings.Balanced, 0u);
    EXPECT_FALSE(run.ResultsChanged());

    r->SetHeadKnown(false);
    EXPECT_EQ(run.Run(), ZBalanceInfo::NoHeadKnownNode);
    EXPECT_EQ(run.Message(), "没有足够的已知水压节点!");
}

TEST(ZBalanceRunOutcome, CutOffPartGetsADivergedMessageNamingANode)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 30.0);
    ZConsumeNode* a = t.Node("A", 0.01);
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C", 0.01);
    t.Pipe("P1", r, a);
    t.Pump("U", a, b, 20.0, 10.0)->PumpOpen = false;
    t.Pipe("P2", b, c);
    t.settings.Balanced = 1;
    ZBalanceRun run(t.settings, t.net);
    EXPECT_TRUE(run.CheckConnectivity());   // a closed pump still connects
    EXPECT_EQ(run.Run(), ZBalanceInfo::Diverged);
    EXPECT_EQ(t.settings.Balanced, 0u);
    EXPECT_NE(run.Message().find("平差计算发散"), std::string::npos);
    EXPECT_NE(run.Message().find("\"C\""), std::string::npos);   // the node whose demand cannot be met

    // Without that demand the part is only reported.
    c->NodeFlow = 0.0;
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(run.CutOffNodes(), (std::vector<GbkString>{GbkView("B"), GbkView("C")}));
    EXPECT_NE(run.Report().find("2 个节点被关闭的水泵、阀门或事故管与所有已知水压节点隔开"), std::string::npos)
        << run.Report();
    EXPECT_NE(run.Report().find("\"B\", \"C\""), std::string::npos) << run.Report();
}

// EPANET closes a pump that cannot deliver the head across it; the calculation lets water run
// back through it, which the engineer must hear of.
TEST(ZBalanceRunOutcome, PumpsDrivenBackwardsAreReported)
{
    TestNet t;
    ZConsumeNode* low = t.Source("LOW", 10.0);
    ZConsumeNode* high = t.Source("HIGH", 60.0);
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
    t.Pipe("P1", low, a);
    t.Pump("U", a, b, 20.0, 100.0);   // shut-off head 20 m against 50 m
    t.Pipe("P2", b, high);
    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* d = t.Node("D");
    t.Pipe("P3", high, c);
    t.Pump("UP", c, d, 5.0, 100.0);   // pumps forward
    t.Pipe("P4", d, t.Node("E", 0.01));
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    ASSERT_EQ(run.PumpsAgainstFlow().size(), 1u) << run.Report();
    EXPECT_EQ(run.PumpsAgainstFlow()[0].id.Bytes(), "U");
    EXPECT_LT(run.PumpsAgainstFlow()[0].flow, 0.0);
    EXPECT_NE(run.Report().find("水泵\"U\"的流量"), std::string::npos) << run.Report();

    static_cast<ZPumpLink*>(t.net.FindLink("U"))->PumpOpen = false;   // what EPANET does
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    EXPECT_TRUE(run.PumpsAgainstFlow().empty());
}

TEST(ZBalanceRunOutcome, SplitNetworkIsRefusedBeforeTheRun)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 30.0);
    t.Pipe("P", r, t.Node("A", 0.01));
    t.Node("X");
    ZBalanceRun run(t.settings, t.net);
    EXPECT_FALSE(run.CheckConnectivity());
    EXPECT_EQ(run.Connectivity().PieceCount(), 2);
}

// The calculation lets check valves pass both ways; one that does is listed for the engineer.
TEST(ZBalanceRunOutcome, CheckValvesCarryingFlowAgainstTheirDirectionAreReported)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    t.Pipe("P1", t.Source("R", 50.0), a);
    // Water goes A - X - B - D, against VBACK, which is drawn from B to X.
    ZConsumeNode* x = t.Node("X");
    ZConsumeNode* b = t.Node("B");
    t.Pipe("P2", a, x);
    t.Valve("VBACK", b, x, 10.0, ZValveLink::Check);
    t.Pipe("P3", b, t.Node("D", 0.01));
    // And A - Y - C - E along VFWD.
    ZConsumeNode* y = t.Node("Y");
    ZConsumeNode* c = t.Node("C");
    t.Pipe("P4", a, y);
    t.Valve("VFWD", y, c, 10.0, ZValveLink::Check);
    t.Pipe("P5", c, t.Node("E", 0.005));
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    ASSERT_EQ(run.CheckValvesAgainstFlow().size(), 1u) << run.Report();
    EXPECT_EQ(run.CheckValvesAgainstFlow()[0].id.Bytes(), "VBACK");
    EXPECT_LT(run.CheckValvesAgainstFlow()[0].flow, 0.0);
    EXPECT_NE(run.Report().find("止回阀\"VBACK\""), std::string::npos) << run.Report();
    EXPECT_EQ(run.Report().find("VFWD"), std::string::npos);
    EXPECT_TRUE(run.Message().empty());
}
