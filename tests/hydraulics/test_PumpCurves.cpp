#include "TestNet.h"
#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZBalanceRun.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const ZBalanceContext peak;

struct Pumps : ::testing::Test {
    TestNet t;
    ZConsumeNode* in = t.Node("I");
    ZConsumeNode* out = t.Node("O");
    ZPumpLink* pump = t.Pump("U", in, out, 0.0, 0.0);

    // The flow the pump gives for a head rise, and its conductance there.
    double FlowAt(double rise, double* g = nullptr)
    {
        in->NodeHydrElev = 10.0;
        out->NodeHydrElev = 10.0 + rise;
        pump->CalcResistance(peak);
        const double q = pump->CalcFlow(peak);
        if (g)
            *g = pump->CalcConductance(peak);
        return q;
    }
};
}   // namespace

TEST_F(Pumps, OnePointCurveIsEpanetsPowerFunction)
{
    pump->PumpCurveKind = ZPumpLink::OnePoint;
    pump->PumpCurve = {{0.1, 30.0}};
    // EPANET: shut-off 1.33334 h1, no head at 2 q1, h = A - B q^C through the three.
    const double a = 1.33334 * 30.0;
    const double c = std::log(a / (a - 30.0)) / std::log(2.0);
    const double b = (a - 30.0) / std::pow(0.1, c);
    EXPECT_NEAR(pump->ShutOffHead(), a, 1e-12);
    EXPECT_NEAR(FlowAt(30.0), 0.1, 1e-12);
    EXPECT_NEAR(FlowAt(20.0), std::pow((a - 20.0) / b, 1.0 / c), 1e-12);
    EXPECT_NEAR(pump->CurveHead(0.15), a - b * std::pow(0.15, c), 1e-12);
    double g = 0.0;
    FlowAt(30.0, &g);
    EXPECT_NEAR(g, 1.0 / (b * c * std::pow(0.1, c - 1.0)), 1e-9);
}

TEST_F(Pumps, ThreePointCurveAndSpeed)
{
    pump->PumpCurveKind = ZPumpLink::ThreePoint;
    pump->PumpCurve = {{0.0, 50.0}, {0.1, 40.0}, {0.2, 20.0}};
    const double c = std::log(30.0 / 10.0) / std::log(2.0);
    EXPECT_NEAR(FlowAt(40.0), 0.1, 1e-12);
    EXPECT_NEAR(FlowAt(20.0), 0.2, 1e-12);
    EXPECT_NEAR(FlowAt(45.0), 0.1 * std::pow(0.5, 1.0 / c), 1e-12);
    // At 0.9 of its speed: h = 0.81 h1(q / 0.9).
    pump->PumpSpeed = 0.9;
    EXPECT_NEAR(FlowAt(0.81 * 40.0), 0.09, 1e-12);
    EXPECT_NEAR(pump->ShutOffHead(), 0.81 * 50.0, 1e-12);
}

TEST_F(Pumps, MultiPointCurveIsPiecewiseLinear)
{
    pump->PumpCurveKind = ZPumpLink::MultiPoint;
    pump->PumpCurve = {{0.05, 45.0}, {0.1, 40.0}, {0.2, 20.0}};
    double g = 0.0;
    EXPECT_NEAR(FlowAt(30.0, &g), 0.15, 1e-12);
    EXPECT_NEAR(g, 0.1 / 20.0, 1e-12);
    EXPECT_NEAR(FlowAt(47.0), 0.03, 1e-12);   // the first segment goes on to zero flow
    EXPECT_NEAR(FlowAt(10.0), 0.25, 1e-12);   // the last one beyond its point
    EXPECT_NEAR(pump->ShutOffHead(), 50.0, 1e-12);
}

TEST_F(Pumps, ConstantPowerDeliversPowerOverFlow)
{
    pump->PumpCurveKind = ZPumpLink::ConstantPower;
    pump->PumpPower = 10.0;   // kW
    // EPANET: h = 8.814 hp / q in feet and cfs.
    const double factor = 8.814 * std::pow(0.3048, 4) / 0.7457;
    EXPECT_NEAR(FlowAt(20.0), factor * 10.0 / 20.0, 1e-12);
    EXPECT_GT(FlowAt(0.1), FlowAt(0.5));   // no pole at zero rise
}

TEST_F(Pumps, CurvesShutPastTheShutOffHeadInsteadOfRunningBackwards)
{
    pump->PumpCurveKind = ZPumpLink::ThreePoint;
    pump->PumpCurve = {{0.0, 50.0}, {0.1, 40.0}, {0.2, 20.0}};
    double g = 0.0;
    const double q = FlowAt(60.0, &g);
    EXPECT_TRUE(pump->IsShutByHead());
    EXPECT_LE(q, 0.0);
    EXPECT_GT(q, -1e-6);
    EXPECT_LT(g, 1e-6);
    // The original law still runs backwards.
    pump->PumpCurveKind = ZPumpLink::QuadraticLaw;
    pump->PumpStaticH = 40.0;
    pump->PumpSCoef = 1000.0;
    EXPECT_NEAR(FlowAt(50.0), -0.1, 1e-12);
}

// A three-point pump lifting from a 10 m reservoir to a 40 m one: the flow where the curve meets
// the lift plus both pipes' losses; against a 70 m reservoir the pump shuts and says so.
TEST(PumpCurvesBalanced, MeetTheSystemCurveOrShut)
{
    TestNet t;
    ZConsumeNode* low = t.Source("R1", 10.0);
    ZConsumeNode* high = t.Source("R2", 40.0);
    ZConsumeNode* in = t.Node("I");
    ZConsumeNode* out = t.Node("O");
    t.Pipe("P1", low, in, 100.0);
    t.Pipe("P2", out, high, 2000.0);
    ZPumpLink* pump = t.Pump("U", in, out, 0.0, 0.0);
    pump->PumpCurveKind = ZPumpLink::ThreePoint;
    pump->PumpCurve = {{0.0, 50.0}, {0.1, 40.0}, {0.2, 20.0}};
    t.settings.Params.HeadTolerance = 1e-8;
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    const double q = pump->Flow;
    const double s = 10.67 / (std::pow(100.0, 1.852) * std::pow(0.3, 4.87));
    EXPECT_NEAR(pump->CurveHead(q), 30.0 + 2100.0 * s * std::pow(q, 1.852), 1e-6);
    EXPECT_NEAR(out->NodeHydrElev - in->NodeHydrElev, pump->CurveHead(q), 1e-6);
    EXPECT_TRUE(run.PumpsShutByHead().empty());

    high->NodeHydrElev = 70.0;
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    EXPECT_LT(std::fabs(pump->Flow), 1e-6);
    ASSERT_EQ(run.PumpsShutByHead().size(), 1u);
    EXPECT_TRUE(run.PumpsAgainstFlow().empty());
    EXPECT_NE(run.Report().find("关死扬程"), std::string::npos);
}

// K v^2 / 2g on top of the friction loss, with EPANET's factor, for both pipe formulas.
TEST(MinorLosses, AddToThePipeLoss)
{
    for (int type : {ZPipeLink::HazenWilliams, ZPipeLink::Manning}) {
        TestNet t;
        ZConsumeNode* r = t.Source("R", 50.0);
        ZConsumeNode* n = t.Node("N", 0.05);
        ZPipeLink* p = t.Pipe("P", r, n, 1000.0, 0.3, type == ZPipeLink::Manning ? 0.013 : 100.0, type);
        t.Pipe("Q", r, t.Node("M", 0.05), 1000.0, 0.3, type == ZPipeLink::Manning ? 0.013 : 100.0, type);
        p->PipeMinorLoss = 5.0;
        t.settings.Params.HeadTolerance = 1e-9;
        ZBalanceInfo info(t.settings, t.net);
        info.Run();
        ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
        const double m = 0.02517 / 0.3048 * 5.0 / std::pow(0.3, 4);
        const double friction = p->Resistance * std::pow(0.05, p->FlowExponent());
        EXPECT_NEAR(50.0 - n->NodeHydrElev, friction + m * 0.05 * 0.05, 1e-6) << type;
        EXPECT_NEAR(50.0 - t.N("M")->NodeHydrElev, friction, 1e-6) << type;
        EXPECT_NEAR(p->Flow, 0.05, 1e-9);
    }
}
