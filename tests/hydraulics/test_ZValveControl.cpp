#include "TestNet.h"
#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZBalanceRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {
// 1 km of 300 mm H-W pipe, C = 100.
const double s = 10.67 * 1000.0 / (std::pow(100.0, 1.852) * std::pow(0.3, 4.87));
double Loss(double q)
{
    return s * std::pow(q, 1.852);
}

// The root of an increasing f on [lo, hi], to rounding.
double Root(const std::function<double(double)>& f, double lo, double hi)
{
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (f(mid) > 0.0 ? hi : lo) = mid;
    }
    return 0.5 * (lo + hi);
}

// Source R1 -> P1 -> U -valve-> D -> P2 -> (source R2 or a demand node N).
struct Chain : ::testing::Test {
    TestNet t;
    ZConsumeNode* r1 = t.Source("R1", 100.0);
    ZConsumeNode* u = t.Node("U");
    ZConsumeNode* d = t.Node("D", 0.0, 10.0);
    ZValveLink* valve = nullptr;

    void SetUp() override
    {
        t.settings.Params.HeadTolerance = 1e-7;
        t.Pipe("P1", r1, u);
    }
    ZValveLink* MakeValve(int type, double setting)
    {
        valve = t.Valve("V", u, d, 0.0, type);
        valve->ValveSetting = setting;
        return valve;
    }
    void ToSource(double head) { t.Pipe("P2", d, t.Source("R2", head)); }
    void ToDemand(double demand) { t.Pipe("P2", d, t.Node("N", demand)); }
    int Run()
    {
        ZBalanceInfo info(t.settings, t.net);
        info.Run();
        return info.GetStatus();
    }
};
}   // namespace

TEST_F(Chain, ActivePrvHoldsItsDownstreamPressureAndPassesTheDemand)
{
    MakeValve(ZValveLink::Prv, 30.0);   // D's ground 10 m: head 40 m
    ToDemand(0.05);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateActive);
    EXPECT_NEAR(d->NodeHydrElev, 40.0, 1e-6);
    EXPECT_NEAR(valve->Flow, 0.05, 1e-9);
    EXPECT_NEAR(t.N("N")->NodeHydrElev, 40.0 - Loss(0.05), 1e-5);
    EXPECT_NEAR(u->NodeHydrElev, 100.0 - Loss(0.05), 1e-5);
    EXPECT_NEAR(r1->NodeFlow, -0.05, 1e-9);
}

TEST_F(Chain, PrvBelowItsSettingOpensAndIsReported)
{
    r1->NodeHydrElev = 35.0;   // below the 40 m the valve should hold
    MakeValve(ZValveLink::Prv, 30.0);
    ToDemand(0.05);
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged) << run.Message() << run.Iterations();
    EXPECT_EQ(valve->ValveState, ZValveLink::StateCannotHold);
    EXPECT_NEAR(d->NodeHydrElev, 35.0 - Loss(0.05), 1e-4);   // the open valve loses next to nothing
    ASSERT_EQ(run.ValvesThatCannotHold().size(), 1u);
    EXPECT_NE(run.Report().find("不能保持其设定值"), std::string::npos);
}

TEST_F(Chain, PrvShutsAgainstAHigherDownstreamHead)
{
    MakeValve(ZValveLink::Prv, 30.0);
    ToSource(60.0);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateReverseClosed);
    EXPECT_LT(std::fabs(valve->Flow), 1e-6);
    EXPECT_NEAR(u->NodeHydrElev, 100.0, 1e-4);
    EXPECT_NEAR(d->NodeHydrElev, 60.0, 1e-4);
}

TEST_F(Chain, PsvHoldsItsUpstreamPressure)
{
    u->NodeGrunElev = 0.0;
    MakeValve(ZValveLink::Psv, 70.0);   // open, U would sit at 60 m
    ToSource(20.0);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateActive);
    const double q = std::pow(30.0 / s, 1.0 / 1.852);
    EXPECT_NEAR(u->NodeHydrElev, 70.0, 1e-6);
    EXPECT_NEAR(valve->Flow, q, 1e-7);
    EXPECT_NEAR(d->NodeHydrElev, 50.0, 1e-4);
}

TEST_F(Chain, FcvPassesItsSettingOrAllItCan)
{
    MakeValve(ZValveLink::Fcv, 0.03);
    ToSource(20.0);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateActive);
    EXPECT_NEAR(valve->Flow, 0.03, 1e-9);
    EXPECT_NEAR(u->NodeHydrElev, 100.0 - Loss(0.03), 1e-5);
    EXPECT_NEAR(d->NodeHydrElev, 20.0 + Loss(0.03), 1e-5);

    valve->ValveSetting = 0.5;   // 80 m over 2 km of pipe carries about 0.206 m3/s at most
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged) << run.Message() << run.Iterations();
    EXPECT_EQ(valve->ValveState, ZValveLink::StateCannotHold);
    EXPECT_NEAR(valve->Flow, std::pow(40.0 / s, 1.0 / 1.852), 1e-4);
    EXPECT_EQ(run.ValvesThatCannotHold().size(), 1u);
}

TEST_F(Chain, ThrottleBreakerAndCurveValvesLoseTheirHead)
{
    // TCV: K = 10 on 300 mm, EPANET's minor loss factor.
    MakeValve(ZValveLink::Tcv, 10.0)->ValveDiam = 0.3;
    ToSource(20.0);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    const double m = 0.02517 / 0.3048 * 10.0 / std::pow(0.3, 4);
    double q = Root([&](double x) { return 2 * Loss(x) + m * x * x - 80.0; }, 0.0, 1.0);
    EXPECT_NEAR(valve->Flow, q, 1e-6);

    valve->SetValveType(ZValveLink::Pbv);
    valve->ValveSetting = 15.0;
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateActive);
    EXPECT_NEAR(u->NodeHydrElev - d->NodeHydrElev, 15.0, 1e-4);
    EXPECT_NEAR(valve->Flow, std::pow(32.5 / s, 1.0 / 1.852), 1e-6);

    valve->SetValveType(ZValveLink::Gpv);
    valve->ValveCurve = {{0.0, 0.0}, {0.1, 5.0}, {0.3, 40.0}};
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    auto curve = [](double x) { return x <= 0.1 ? 50.0 * x : 5.0 + 175.0 * (x - 0.1); };
    q = Root([&](double x) { return 2 * Loss(x) + curve(x) - 80.0; }, 0.0, 1.0);
    EXPECT_NEAR(valve->Flow, q, 1e-6);
    EXPECT_NEAR(u->NodeHydrElev - d->NodeHydrElev, curve(q), 1e-4);
}

TEST_F(Chain, FixedStatusesAreKept)
{
    MakeValve(ZValveLink::Prv, 30.0)->ValveInitStatus = ZValveLink::StatusOpen;
    ToDemand(0.05);
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateOpen);   // not controlling: no setting to miss
    EXPECT_GT(d->NodeHydrElev, 80.0);

    valve->ValveInitStatus = ZValveLink::StatusClosed;
    t.Pipe("P3", r1, t.N("N"));   // another way to the demand
    ASSERT_EQ(Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(valve->ValveState, ZValveLink::StateClosed);
    EXPECT_EQ(valve->Flow, 0.0);
}

// Two sources on either side of a check valve: the higher one pushes against it.
TEST(CheckValves, CloseAgainstReverseFlowOnlyWithTheOption)
{
    TestNet t;
    ZConsumeNode* low = t.Source("R1", 50.0);
    ZConsumeNode* u = t.Node("U");
    ZConsumeNode* d = t.Node("D");
    ZConsumeNode* n = t.Node("N", 0.02);
    t.Pipe("P1", low, u);
    ZValveLink* cv = t.Valve("CV", u, d, 10.0, ZValveLink::Check);
    t.Pipe("P2", d, n);
    t.Pipe("P3", t.Source("R2", 80.0), n);
    t.settings.Params.HeadTolerance = 1e-7;
    {
        ZBalanceRun run(t.settings, t.net);
        ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
        EXPECT_LT(cv->Flow, -0.01);   // the original law: both ways, and said so
        EXPECT_EQ(run.CheckValvesAgainstFlow().size(), 1u);
        EXPECT_EQ(cv->ValveState, ZValveLink::StateOpen);
    }
    t.settings.Params.CheckValvesClose = true;
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged) << run.Message() << run.Iterations();
    EXPECT_LT(std::fabs(cv->Flow), 1e-6);
    EXPECT_EQ(cv->ValveState, ZValveLink::StateReverseClosed);
    EXPECT_TRUE(run.CheckValvesAgainstFlow().empty());
    EXPECT_NEAR(u->NodeHydrElev, 50.0, 1e-4);
    EXPECT_NEAR(t.net.FindLink("P3")->Flow, 0.02, 1e-6);
    // Forwards the valve passes as before.
    t.N("R2")->NodeHydrElev = 20.0;
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    EXPECT_GT(cv->Flow, 0.01);
    EXPECT_EQ(cv->ValveState, ZValveLink::StateOpen);
}
