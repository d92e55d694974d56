#include "TestNet.h"

#include "hydraulics/ZNetCost.h"

#include <gtest/gtest.h>

TEST(ZNetCost, PipeCostGrowsWithDiameterLengthAndParallels)
{
    TestNet t;
    ZPipeLink* p = t.Pipe("P", t.Node("A"), t.Node("B"), 1000.0, 0.3);
    p->PipeDate = 1000;
    ZNetCost::Params params;   // a 100, b 2, alpha 1
    params.wholeNetwork = true;
    EXPECT_DOUBLE_EQ(ZNetCost::Compute(t.net, params).pipeCost, 100600.0);
    p->PipeParallel = 1;
    ZNetCost::Result r = ZNetCost::Compute(t.net, params);
    EXPECT_DOUBLE_EQ(r.pipeCost, 201200.0);
    EXPECT_EQ(r.pipes, 1);
    params.alpha = 2.0;
    EXPECT_DOUBLE_EQ(ZNetCost::Compute(t.net, params).pipeCost, (100 + 2 * 0.09) * 2000.0);

    params.wholeNetwork = false;
    params.since = 1001;   // later than every laying date
    r = ZNetCost::Compute(t.net, params);
    EXPECT_EQ(r.pipes, 0);
    EXPECT_EQ(r.pipeCost, 0.0);
    params.since = 1000;
    EXPECT_EQ(ZNetCost::Compute(t.net, params).pipes, 1);
}

TEST(ZNetCost, RunningCostOfRunningPumpsAndBadEfficienciesNamed)
{
    TestNet t;
    ZConsumeNode* in = t.Node("IN");
    ZConsumeNode* out = t.Node("OUT");
    ZPumpLink* u = t.Pump("U1", in, out, 30.0, 1.0);
    in->NodeHydrElev = 10.0;
    out->NodeHydrElev = 40.0;
    u->Flow = 0.1;
    u->PumpEfficiency = 0.75;
    ZNetCost::Params params;
    params.price = 0.5;
    ZNetCost::Result r = ZNetCost::Compute(t.net, params);
    EXPECT_EQ(r.pumps, 1);
    EXPECT_NEAR(r.runningCost, 19.6, 1e-12);
    EXPECT_EQ(ZNetCost::Report(r),
              "总共计算0根管道, 总计造价为0元!\n\n计算了1个水泵, 总计开机运行费用为19.6元/小时!\n\n");

    u->PumpOpen = false;   // a stopped pump is neither counted nor costed
    r = ZNetCost::Compute(t.net, params);
    EXPECT_EQ(r.pumps, 0);
    EXPECT_EQ(r.runningCost, 0.0);

    u->PumpOpen = true;
    ZConsumeNode* in2 = t.Node("IN2");
    ZConsumeNode* out2 = t.Node("OUT2");
    ZPumpLink* bad = t.Pump("U2", in2, out2, 30.0, 1.0);
    bad->Flow = 0.1;
    out2->NodeHydrElev = 20.0;
    bad->PumpEfficiency = 0.0;
    ZPumpLink* worse = t.Pump("U3", t.Node("IN3"), t.Node("OUT3"), 30.0, 1.0);
    worse->PumpEfficiency = -0.5;
    r = ZNetCost::Compute(t.net, params);
    EXPECT_EQ(r.pumps, 1);
    EXPECT_NEAR(r.runningCost, 19.6, 1e-12);
    ASSERT_EQ(r.badPumps, (std::vector<std::string>{"U2", "U3"}));
    EXPECT_NE(ZNetCost::Report(r).find("U2, U3"), std::string::npos);
    EXPECT_EQ(ZNetCost::Report(r).find("inf"), std::string::npos);
}

TEST(ZNetCost, OverflowUnbalancedPumpsAndPriceSaidNotHidden)
{
    TestNet t;
    ZConsumeNode* in = t.Node("IN");
    ZConsumeNode* out = t.Node("OUT");
    ZPumpLink* u = t.Pump("U1", in, out, 30.0, 1.0);
    in->NodeHydrElev = 10.0;
    out->NodeHydrElev = 40.0;
    u->Flow = 0.1;
    u->PumpEfficiency = 0.75;
    ZNetCost::Params params;
    params.price = 0.5;
    // The pump's direction does not matter, the price's sign does (the command and the dialog
    // refuse a negative one; here it must not come out as a positive cost).
    u->Flow = -0.1;
    EXPECT_NEAR(ZNetCost::Compute(t.net, params).runningCost, 19.6, 1e-12);
    params.price = -0.5;
    EXPECT_NEAR(ZNetCost::Compute(t.net, params).runningCost, -19.6, 1e-12);
    params.price = 0.5;

    params.balanced = false;   // no results: the pump is named as left out, not costed at 0 silently
    ZNetCost::Result r = ZNetCost::Compute(t.net, params);
    EXPECT_EQ(r.pumps, 0);
    EXPECT_EQ(r.unbalancedPumps, 1);
    EXPECT_NE(ZNetCost::Report(r).find("管网尚未平差, 1个运行水泵"), std::string::npos) << ZNetCost::Report(r);

    // Largest coefficients on a huge stored pipe: the report says it overflowed instead of "inf元".
    t.Pipe("P1", in, out, 1e300, 1e10);
    params.a = ZNetCost::MaxCoefficient;
    params.b = ZNetCost::MaxCoefficient;
    params.alpha = ZNetCost::MaxAlpha;
    r = ZNetCost::Compute(t.net, params);
    const std::string text = ZNetCost::Report(r);
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    EXPECT_NE(text.find("总计造价超出可计算的范围"), std::string::npos) << text;
}
