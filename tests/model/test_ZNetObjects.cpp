#include "model/ZConsumeNode.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <gtest/gtest.h>

using namespace qen;

namespace {
ZConsumeNode* MakeNode(ZNetwork& net, const char* id, double x = 0, double y = 0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    EXPECT_TRUE(net.AddNode(n));
    return n;
}
template <class L>
L* MakeLink(ZNetwork& net, const char* id, ZConsumeNode* a, ZConsumeNode* b)
{
    auto* l = new L;
    l->SetId(GbkView(id));
    EXPECT_TRUE(net.AddLink(a, b, l));
    return l;
}
}   // namespace

TEST(NetObjects, NewObjectsCarryClassDefaults)
{
    ZConsumeNode n;
    EXPECT_TRUE(n.IsFlowKnown());
    EXPECT_FALSE(n.IsHeadKnown());
    EXPECT_EQ(n.GetFlags(), FLAG_FLOW_KNOWN);
    EXPECT_EQ(n.X + n.Y + n.NodeFlow + n.NodeFireFlow + n.NodeGrunElev + n.NodeHydrElev, 0.0);
    EXPECT_STREQ(n.GetId(), "");
    EXPECT_EQ(n.GetIndex(), -1);

    ZPipeLink p;
    EXPECT_EQ(p.PipeDiam, 0.3);
    EXPECT_EQ(p.PipeInDiam, 0.3);
    EXPECT_EQ(p.PipeRougCeof, 100.0);
    EXPECT_EQ(p.PipeType, 0);
    EXPECT_EQ(p.PipeSideType, 2);
    EXPECT_EQ(p.VertexCount(), 0);
    EXPECT_TRUE(p.IsAutoLength());

    ZPumpLink pump;
    EXPECT_EQ(pump.PumpEfficiency, 1.0);
    EXPECT_TRUE(pump.PumpOpen);
    ZValveLink valve;
    EXPECT_TRUE(valve.ValveOpen);
    EXPECT_STREQ(n.KindLetter(), "N");
    EXPECT_STREQ(p.KindLetter(), "P");
    EXPECT_STREQ(valve.KindLetter(), "U");
}

TEST(NetObjects, IdentifiersLongerThanNineteenBytesAreRefused)
{
    ZConsumeNode n;
    EXPECT_TRUE(n.SetId("1234567890123456789"));
    EXPECT_STREQ(n.GetId(), "1234567890123456789");
    EXPECT_FALSE(n.SetId("12345678901234567890"));
    EXPECT_STREQ(n.GetId(), "1234567890123456789");   // unchanged, never cut
    EXPECT_FALSE(n.SetId(GbkView(std::string_view("a\0b", 3))));
    EXPECT_TRUE(n.SetId(GbkView(std::string_view("\xB9\xDC\xCD\xF8"))));   // GBK "管网"
    EXPECT_EQ(n.IdView().size(), 4u);
}

TEST(NetObjects, CloneCopiesAttributesButNotIdentityOrResults)
{
    ZNetwork net;
    auto* a = MakeNode(net, "a");
    auto* b = MakeNode(net, "b", 10, 0);
    auto* p = MakeLink<ZPipeLink>(net, "p", a, b);
    p->SetVertices({{1, 1}, {2, 2}, {3, 3}});
    p->Flow = 0.5;
    p->Resistance = 7;
    p->SetFlag(FLAG_SELECTED | FLAG_ACCIDENT_PIPE);
    std::unique_ptr<ZPipeLink> c(p->Clone());
    EXPECT_STREQ(c->GetId(), "");
    EXPECT_EQ(c->GetIndex(), -1);
    EXPECT_EQ(c->StartNode(), nullptr);
    EXPECT_EQ(c->Vertices(), p->Vertices());
    EXPECT_EQ(c->Flow, 0.0);
    EXPECT_EQ(c->Resistance, 0.0);
    EXPECT_TRUE(c->HasFlag(FLAG_ACCIDENT_PIPE));
    EXPECT_FALSE(c->HasFlag(FLAG_SELECTED));

    ZPumpLink pump;
    pump.PumpEfficiency = 0.8;
    pump.PumpStaticH = 30;
    pump.PumpSCoef = 12;
    pump.PumpOpen = false;
    pump.SetPumpType(0);
    std::unique_ptr<ZPumpLink> pc(pump.Clone());
    EXPECT_EQ(pc->PumpEfficiency, 1.0);
    EXPECT_EQ(pc->PumpStaticH, 30);
    EXPECT_EQ(pc->PumpSCoef, 12);
    EXPECT_FALSE(pc->PumpOpen);
}

TEST(NetObjects, ReversingAPipeReversesItsVertices)
{
    ZNetwork net;
    auto* a = MakeNode(net, "a");
    auto* b = MakeNode(net, "b");
    auto* p = MakeLink<ZPipeLink>(net, "p", a, b);
    const std::vector<PipePoint> abc{{1, 0}, {2, 0}, {3, 0}};
    p->SetVertices(abc);
    p->Reverse();
    EXPECT_EQ(p->StartNode(), b);
    EXPECT_EQ(p->EndNode(), a);
    EXPECT_EQ(p->VertexAt(0).x, 3);
    EXPECT_EQ(p->VertexAt(2).x, 1);
    p->Reverse();
    EXPECT_EQ(p->Vertices(), abc);
    // The incidence lists still hold the pipe at both ends.
    EXPECT_EQ(a->FirstLink(), p);
    EXPECT_EQ(b->FirstLink(), p);
}

TEST(NetObjects, IncidenceListIsNewestFirstAndDetachKeepsOrder)
{
    ZNetwork net;
    auto* n = MakeNode(net, "n");
    auto* x = MakeNode(net, "x");
    auto* y = MakeNode(net, "y");
    auto* z = MakeNode(net, "z");
    auto* A = MakeLink<ZPipeLink>(net, "A", n, x);
    auto* B = MakeLink<ZPipeLink>(net, "B", y, n);
    auto* C = MakeLink<ZPipeLink>(net, "C", n, z);
    EXPECT_EQ(n->FirstLink(), C);
    EXPECT_EQ(C->NextLinkAt(n), B);
    EXPECT_EQ(B->NextLinkAt(n), A);
    EXPECT_EQ(n->IncidentLinkCount(), 3);
    B->Disconnect();
    EXPECT_EQ(n->FirstLink(), C);
    EXPECT_EQ(C->NextLinkAt(n), A);
    EXPECT_EQ(y->FirstLink(), nullptr);
    C->Disconnect();
    EXPECT_EQ(n->FirstLink(), A);
}

TEST(NetObjects, DeviceNodeRulesForLinksAndMerging)
{
    ZNetwork net;
    auto* in = MakeNode(net, "in", 5, 6);
    auto* out = MakeNode(net, "out", 50, 60);
    auto* v = MakeLink<ZValveLink>(net, "v", in, out);
    EXPECT_TRUE(in->IsDeviceNode());
    EXPECT_TRUE(out->HasFlag(FLAG_DEVICE_OUTLET));
    EXPECT_FALSE(in->HasFlag(FLAG_DEVICE_OUTLET));
    EXPECT_EQ(out->X, 5);
    EXPECT_EQ(out->Y, 6);
    EXPECT_EQ(in->GetDevice(), v);

    ZPipeLink pipe1, pipe2;
    ZPumpLink pump;
    EXPECT_TRUE(in->CanAcceptLink(pipe1));
    EXPECT_FALSE(in->CanAcceptLink(pump));
    auto* far = MakeNode(net, "far");
    MakeLink<ZPipeLink>(net, "p1", in, far);
    EXPECT_EQ(in->GetDevice(), v);   // the device is now second in the list
    EXPECT_FALSE(in->CanAcceptLink(pipe2));

    auto* plain = MakeNode(net, "plain");
    auto* o1 = MakeNode(net, "o1");
    auto* o2 = MakeNode(net, "o2");
    MakeLink<ZPipeLink>(net, "p2", plain, o1);
    MakeLink<ZPipeLink>(net, "p3", plain, o2);
    EXPECT_FALSE(plain->CanAcceptLink(pump));
    EXPECT_TRUE(plain->CanAcceptLink(pipe1));

    // Moving a device node takes its partner along.
    in->SetPosition(7, 8);
    EXPECT_EQ(out->X, 7);
    EXPECT_EQ(out->Y, 8);

    // Reversing a device moves the outlet mark.
    v->Reverse();
    EXPECT_TRUE(in->HasFlag(FLAG_DEVICE_OUTLET));
    EXPECT_FALSE(out->HasFlag(FLAG_DEVICE_OUTLET));
    v->Disconnect();
    EXPECT_FALSE(in->IsDeviceNode());
    EXPECT_FALSE(out->IsDeviceNode());
}

TEST(NetObjects, MergeRules)
{
    ZNetwork net;
    auto* d1 = MakeNode(net, "d1");
    auto* d2 = MakeNode(net, "d2");
    auto* d3 = MakeNode(net, "d3");
    auto* d4 = MakeNode(net, "d4");
    MakeLink<ZPumpLink>(net, "u1", d1, d2);
    MakeLink<ZPumpLink>(net, "u2", d3, d4);
    EXPECT_FALSE(d1->CanMergeWith(*d3));

    auto* a = MakeNode(net, "a");
    auto* b = MakeNode(net, "b");
    for (int i = 0; i < 5; ++i) {
        auto* na = MakeNode(net, ("na" + std::to_string(i)).c_str());
        auto* nb = MakeNode(net, ("nb" + std::to_string(i)).c_str());
        MakeLink<ZPipeLink>(net, ("pa" + std::to_string(i)).c_str(), a, na);
        MakeLink<ZPipeLink>(net, ("pb" + std::to_string(i)).c_str(), b, nb);
    }
    EXPECT_TRUE(a->CanMergeWith(*b));
    EXPECT_FALSE(a->CanMergeWith(*d1));
    auto* lone = MakeNode(net, "lone");
    EXPECT_TRUE(lone->CanMergeWith(*d1));   // both have fewer than two links, only one is a device node
}

TEST(NetObjects, TankConnectHidesInternalNodeAndFixesHeads)
{
    ZNetwork net;
    auto* outlet = MakeNode(net, "T1", 3, 4);
    auto* inner = MakeNode(net, "T1#");
    auto* tank = new ZTankLink;
    tank->SetId("T1");
    tank->TankCurH = 4.5;
    tank->TankBottomElev = 20;
    ASSERT_TRUE(net.AddLink(outlet, inner, tank));
    EXPECT_TRUE(inner->IsHidden());
    EXPECT_FALSE(outlet->IsHidden());
    EXPECT_TRUE(outlet->IsHeadKnown());
    EXPECT_TRUE(inner->IsHeadKnown());
    EXPECT_FALSE(inner->IsFlowKnown());
    EXPECT_EQ(outlet->NodeHydrElev, 4.5);
    EXPECT_EQ(inner->X, 3);
    EXPECT_EQ(tank->SurfaceElevation(), 24.5);
    tank->Disconnect();
    EXPECT_FALSE(inner->IsHidden());
}

TEST(NetObjects, TypeSettersAlsoSetTheSymbol)
{
    ZValveLink v;
    v.SetValveType(2);
    EXPECT_EQ(v.SymbolIndex(), 2);
    v.SetSymbolIndex(1);   // stored separately
    EXPECT_EQ(v.GetValveType(), 2);
    ZTankLink t;
    t.SetTankType(1);
    EXPECT_EQ(t.SymbolIndex(), 1);
}

TEST(NetObjects, PolylineLengthAndAutoLength)
{
    ZNetwork net;
    auto* a = MakeNode(net, "a", 0, 0);
    auto* b = MakeNode(net, "b", 6, 0);
    auto* p = MakeLink<ZPipeLink>(net, "p", a, b);
    p->SetVertices({{0, 4}, {3, 4}});
    EXPECT_DOUBLE_EQ(p->PolylineLength(), 4 + 3 + 5);
    EXPECT_TRUE(p->UpdateAutoLength());
    EXPECT_DOUBLE_EQ(p->PipeLength, 12);
    p->ClearFlag(FLAG_AUTO_LENGTH);
    p->PipeLength = 99;
    EXPECT_FALSE(p->UpdateAutoLength());
    EXPECT_EQ(p->PipeLength, 99);
    p->PipeDiam = 0.2;
    p->Flow = 0.0314159265358979;
    EXPECT_NEAR(p->Velocity(), 1.0, 1e-12);
}
