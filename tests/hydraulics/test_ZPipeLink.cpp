#include "TestNet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const ZBalanceContext peak(ZBalanceContext::PeakHour, 0.75);
const ZBalanceContext fire(ZBalanceContext::Fire, 0.75);
const ZBalanceContext accident(ZBalanceContext::Accident, 0.75);

struct TwoNodes : ::testing::Test {
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
};
}   // namespace

TEST_F(TwoNodes, HazenWilliamsResistanceAndHeadLoss)
{
    ZPipeLink* p = t.Pipe("P", a, b, 1000.0, 0.3, 100.0);
    const double s = p->CalcResistance(peak);
    EXPECT_NEAR(s, 742.31, 0.01);
    EXPECT_DOUBLE_EQ(p->Resistance, s);
    EXPECT_DOUBLE_EQ(p->FlowExponent(), 1.852);
    // h = s q^1.852 at 0.1 m3/s, and the flow law inverts it.
    EXPECT_NEAR(s * std::pow(0.1, 1.852), 10.437, 0.001);
    a->NodeHydrElev = 20.0 + s * std::pow(0.1, 1.852);
    b->NodeHydrElev = 20.0;
    EXPECT_NEAR(p->CalcFlow(peak), 0.1, 1e-12);
    EXPECT_NEAR(p->HeadLoss(), 10.437, 0.001);
}

TEST_F(TwoNodes, ManningResistance)
{
    ZPipeLink* p = t.Pipe("P", a, b, 1000.0, 0.3, 0.013, ZPipeLink::Manning);
    // Independent evaluation of R, the Pavlovsky exponent and Chezy's coefficient.
    const double R = 0.075;
    const double y = 2.5 * std::sqrt(0.013) - 0.13 - 0.75 * std::sqrt(R) * (std::sqrt(0.013) - 0.1);
    EXPECT_NEAR(y, 0.15216, 1e-5);
    const double cz = std::pow(R, y) / 0.013;
    EXPECT_NEAR(cz, 51.866, 0.001);
    EXPECT_NEAR(p->CalcResistance(peak), 992.00, 0.01);
    EXPECT_DOUBLE_EQ(p->FlowExponent(), 2.0);
    a->NodeHydrElev = 10.0 + 992.0 * 0.04 * 0.04;
    b->NodeHydrElev = 10.0;
    EXPECT_NEAR(p->CalcFlow(peak), 0.04, 1e-5);
}

TEST_F(TwoNodes, EqualHeadsGiveTinyFlowFromEndToStart)
{
    ZPipeLink* p = t.Pipe("P", a, b);
    p->CalcResistance(peak);
    a->NodeHydrElev = b->NodeHydrElev = 30.0;
    const double q = p->CalcFlow(peak);
    EXPECT_LT(q, 0.0);
    EXPECT_NEAR(q, -std::pow(1e-12 / p->Resistance, 1.0 / 1.852), 1e-20);
    const double g = p->CalcConductance(peak);
    EXPECT_TRUE(std::isfinite(g));
    EXPECT_GT(g, 0.0);
}

TEST_F(TwoNodes, ParallelPipesMultiplyFlowAndConductanceButStoreOnePipe)
{
    ZPipeLink* p = t.Pipe("P", a, b);
    ZPipeLink* single = t.Pipe("Q", a, b);
    p->PipeParallel = 2;
    p->CalcResistance(peak);
    single->CalcResistance(peak);
    a->NodeHydrElev = 25.0;
    b->NodeHydrElev = 20.0;
    const double q1 = single->CalcFlow(peak);
    const double q3 = p->CalcFlow(peak);
    EXPECT_DOUBLE_EQ(q3, 3.0 * q1);
    EXPECT_DOUBLE_EQ(p->Flow, q1);
    EXPECT_DOUBLE_EQ(p->CalcConductance(peak), 3.0 * single->CalcConductance(peak));
    // Conductance is the derivative of the total flow with respect to the head difference.
    const double dq = (std::pow(5.001 / p->Resistance, 1 / 1.852) - std::pow(4.999 / p->Resistance, 1 / 1.852)) / 0.002;
    EXPECT_NEAR(p->CalcConductance(peak), 3.0 * dq, 1e-9);
}

TEST_F(TwoNodes, AccidentPipeIsShutOnlyInTheAccidentCase)
{
    ZPipeLink* p = t.Pipe("P", a, b);
    p->SetFlag(qen::FLAG_ACCIDENT_PIPE);
    p->CalcResistance(peak);
    a->NodeHydrElev = 25.0;
    b->NodeHydrElev = 20.0;
    EXPECT_EQ(p->CalcFlow(accident), 0.0);
    EXPECT_EQ(p->Flow, 0.0);
    EXPECT_EQ(p->CalcConductance(accident), 0.0);
    for (const ZBalanceContext* ctx : {&peak, &fire}) {
        EXPECT_GT(p->CalcFlow(*ctx), 0.0);
        EXPECT_GT(p->CalcConductance(*ctx), 0.0);
    }
}

TEST_F(TwoNodes, VelocityUsesStandardDiameter)
{
    ZPipeLink* p = t.Pipe("P", a, b);
    p->PipeDiam = 0.3;
    p->PipeInDiam = 0.28;
    p->Flow = 0.1;
    EXPECT_NEAR(p->Area(), 0.0706858, 1e-6);
    EXPECT_NEAR(p->Velocity(), 0.1 / (0.09 * M_PI / 4), 1e-12);
    a->NodeHydrElev = 12.0;
    b->NodeHydrElev = 10.0;
    p->PipeLength = 400.0;
    EXPECT_DOUBLE_EQ(p->HeadLoss() / p->PipeLength, 0.005);
}
