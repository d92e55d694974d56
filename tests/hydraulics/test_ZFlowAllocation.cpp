#include "TestNet.h"

#include "hydraulics/ZFlowAllocation.h"

#include <gtest/gtest.h>

TEST(ZFlowAllocation, SharesFollowSupplyingLengthAndSplitBetweenEnds)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A", 0.7);
    ZConsumeNode* b = t.Node("B", 0.7);
    ZConsumeNode* c = t.Source("C", 50.0);   // head-known: gets its share too
    ZConsumeNode* d = t.Node("D", 0.7);
    t.Pipe("P1", a, b, 100.0)->PipeSideType = ZPipeLink::DoubleSide;
    t.Pipe("P2", b, c, 100.0)->PipeSideType = ZPipeLink::SingleSide;
    t.Pipe("P3", c, d, 500.0)->PipeSideType = ZPipeLink::NoSupply;
    ASSERT_TRUE(ZFlowAllocation::Allocate(t.net, 0.03));
    EXPECT_NEAR(a->NodeFlow, 0.01, 1e-15);
    EXPECT_NEAR(b->NodeFlow, 0.015, 1e-15);
    EXPECT_NEAR(c->NodeFlow, 0.005, 1e-15);
    EXPECT_EQ(d->NodeFlow, 0.0);   // only a pipe that supplies nothing meets here
}

TEST(ZFlowAllocation, CarriesSharesPastDevicesAndDropsThoseWithNowhereToGo)
{
    TestNet t;
    ZConsumeNode* n0 = t.Node("N0");
    ZConsumeNode* in = t.Node("IN");
    ZConsumeNode* out = t.Node("OUT");
    ZConsumeNode* n2 = t.Node("N2");
    t.Pump("U1", in, out, 30.0, 10.0);
    ASSERT_TRUE(in->IsDeviceNode());
    t.Pipe("P1", in, n0, 100.0);   // starts at the pump's inlet
    t.Pipe("P2", out, n2, 100.0);
    ASSERT_TRUE(ZFlowAllocation::Allocate(t.net, 0.04));
    // Each pipe's device-side half lands beyond the pump, on the other pipe's far end.
    EXPECT_NEAR(n0->NodeFlow, 0.02, 1e-15);
    EXPECT_NEAR(n2->NodeFlow, 0.02, 1e-15);
    EXPECT_EQ(in->NodeFlow, 0.0);
    EXPECT_EQ(out->NodeFlow, 0.0);

    // A pipe between two device ends with nothing beyond either: its share is dropped.
    TestNet u;
    ZConsumeNode* i1 = u.Node("I1");
    ZConsumeNode* o1 = u.Node("O1");
    ZConsumeNode* i2 = u.Node("I2");
    ZConsumeNode* o2 = u.Node("O2");
    u.Pump("U1", i1, o1, 30.0, 10.0);
    u.Valve("V1", i2, o2, 1.0);
    u.Pipe("P", o1, i2, 100.0);
    ASSERT_TRUE(ZFlowAllocation::Allocate(u.net, 0.04));
    for (const ZConsumeNode* n : u.net.Nodes())
        EXPECT_EQ(n->NodeFlow, 0.0) << n->GetId();
}

TEST(ZFlowAllocation, RingOfDevicesEndsTheWalk)
{
    // Two pumps joined outlet to inlet both ways, each end also carries a pipe: walking past the
    // devices from A leads round the ring; it must stop.
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C");
    t.Pump("U1", a, b, 30.0, 10.0);
    t.Pump("U2", b, c, 30.0, 10.0);
    t.Pump("U3", c, a, 30.0, 10.0);
    ZConsumeNode* d = t.Node("D");
    t.Pipe("P", a, d, 100.0);
    ASSERT_TRUE(ZFlowAllocation::Allocate(t.net, 0.02));
    // The start side finds no ordinary node: the whole share goes to the end.
    EXPECT_NEAR(d->NodeFlow, 0.02, 1e-15);
}

TEST(ZFlowAllocation, NoSupplyingPipeChangesNothingAndTheTotalCountsOrdinaryFlowNodes)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A", 0.003);
    ZConsumeNode* b = t.Node("B", 0.002);
    ZConsumeNode* s = t.Source("S", 40.0);
    s->NodeFlow = -1.0;
    ZConsumeNode* in = t.Node("IN", 0.5);
    ZConsumeNode* out = t.Node("OUT", 0.25);
    t.Pump("U", in, out, 10.0, 1.0);
    t.Pipe("P1", a, b, 100.0)->PipeSideType = ZPipeLink::NoSupply;
    t.Pipe("P2", b, s, 0.0);
    EXPECT_NEAR(ZFlowAllocation::CurrentTotal(t.net), 0.005, 1e-15);
    EXPECT_FALSE(ZFlowAllocation::Allocate(t.net, 1.0));
    EXPECT_EQ(a->NodeFlow, 0.003);
    EXPECT_EQ(in->NodeFlow, 0.5);
}
