#include "TestNet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const ZBalanceContext peak;

struct Devices : ::testing::Test {
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
};
}   // namespace

TEST_F(Devices, PumpFollowsItsQuadraticCharacteristic)
{
    ZPumpLink* p = t.Pump("U", a, b, 40.0, 1000.0);
    EXPECT_EQ(p->CalcResistance(peak), 1000.0);
    a->NodeHydrElev = 10.0;
    b->NodeHydrElev = 40.0;   // lift 30 m: 40 - 1000 q^2 = 30
    EXPECT_NEAR(p->HeadLoss(), 10.0, 1e-12);
    EXPECT_NEAR(p->CalcFlow(peak), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(p->Flow, 0.1);
    EXPECT_NEAR(p->CalcConductance(peak), 1.0 / (2 * 1000.0 * 0.1), 1e-12);
    b->NodeHydrElev = 60.0;   // more than the shut-off head: backwards flow
    EXPECT_NEAR(p->CalcFlow(peak), -0.1, 1e-12);
}

TEST_F(Devices, ClosedPumpAndValveCarryNothing)
{
    ZPumpLink* p = t.Pump("U", a, b, 40.0, 1000.0);
    p->PumpOpen = false;
    p->CalcResistance(peak);
    a->NodeHydrElev = 10.0;
    EXPECT_EQ(p->CalcFlow(peak), 0.0);
    EXPECT_EQ(p->Flow, 0.0);
    EXPECT_EQ(p->CalcConductance(peak), 0.0);

    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* d = t.Node("D");
    ZValveLink* v = t.Valve("V", c, d, 50.0);
    v->ValveOpen = false;
    v->CalcResistance(peak);
    c->NodeHydrElev = 5.0;
    EXPECT_EQ(v->CalcFlow(peak), 0.0);
    EXPECT_EQ(v->CalcConductance(peak), 0.0);
}

TEST_F(Devices, GateAndCheckValvesBehaveAlikeInBothDirections)
{
    ZValveLink* gate = t.Valve("V1", a, b, 50.0, ZValveLink::Gate);
    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* d = t.Node("D");
    ZValveLink* check = t.Valve("V2", c, d, 50.0, ZValveLink::Check);
    gate->CalcResistance(peak);
    check->CalcResistance(peak);
    for (double dh : {2.0, -2.0}) {
        a->NodeHydrElev = c->NodeHydrElev = 10.0 + dh;
        b->NodeHydrElev = d->NodeHydrElev = 10.0;
        EXPECT_DOUBLE_EQ(gate->CalcFlow(peak), check->CalcFlow(peak));
        EXPECT_NEAR(check->Flow, std::copysign(std::sqrt(2.0 / 50.0), dh), 1e-12);
    }
}

TEST_F(Devices, PressureReducingValveSubtractsItsReduction)
{
    ZValveLink* v = t.Valve("V", a, b, 50.0, ZValveLink::PressureReducing, 10.0);
    v->CalcResistance(peak);
    a->NodeHydrElev = 30.0;
    b->NodeHydrElev = 20.0;
    EXPECT_DOUBLE_EQ(v->HeadLoss(), 0.0);
    EXPECT_LT(std::fabs(v->CalcFlow(peak)), 1e-6);
    a->NodeHydrElev = 32.0;
    EXPECT_NEAR(v->CalcFlow(peak), std::sqrt(2.0 / 50.0), 1e-12);
}

TEST_F(Devices, TankTiesItsNodesAndLeavesItsFlow)
{
    ZTankLink* tank = t.Tank("T", a, 100.0, 5.0);
    EXPECT_DOUBLE_EQ(tank->SurfaceElevation(), 105.0);
    tank->Flow = 0.25;
    EXPECT_EQ(tank->CalcResistance(peak), 0.0);
    EXPECT_EQ(tank->Resistance, 0.0);
    EXPECT_EQ(tank->CalcFlow(peak), 0.0);
    EXPECT_EQ(tank->Flow, 0.25);
    EXPECT_EQ(tank->CalcConductance(peak), 1e100);
    EXPECT_EQ(tank->HeadLoss(), 0.0);
    EXPECT_TRUE(t.N("T#")->IsHidden());
    EXPECT_TRUE(a->IsHeadKnown());
}
