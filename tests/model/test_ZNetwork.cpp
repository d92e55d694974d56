#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
ZConsumeNode* Node(ZNetwork& net, const std::string& id, double x = 0, double y = 0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    EXPECT_TRUE(net.AddNode(n));
    return n;
}
ZPipeLink* Pipe(ZNetwork& net, const std::string& id, ZConsumeNode* a, ZConsumeNode* b)
{
    auto* p = new ZPipeLink;
    p->SetId(GbkView(id));
    EXPECT_TRUE(net.AddLink(a, b, p));
    return p;
}
void ExpectIndexesConsistent(const ZNetwork& net)
{
    for (int i = 0; i < net.NodeCount(); ++i) {
        EXPECT_EQ(net.NodeAt(i)->GetIndex(), i);
        if (i > 0) {
            EXPECT_LT(ZSortedObArray<ZConsumeNode>::Compare(net.NodeAt(i - 1)->IdView(), net.NodeAt(i)->IdView()), 0);
        }
    }
    for (int i = 0; i < net.LinkCount(); ++i)
        EXPECT_EQ(net.LinkAt(i)->GetIndex(), i);
}
void DeleteAll(std::vector<ZNetObject*>& v)
{
    for (auto* o : v)
        delete o;
    v.clear();
}
}   // namespace

TEST(Network, ByteOrderAndRenumbering)
{
    ZNetwork net;
    for (const char* id : {"a", "A", "9", "10"})
        Node(net, id);
    ASSERT_EQ(net.NodeCount(), 4);
    EXPECT_STREQ(net.NodeAt(0)->GetId(), "10");
    EXPECT_STREQ(net.NodeAt(1)->GetId(), "9");
    EXPECT_STREQ(net.NodeAt(2)->GetId(), "A");
    EXPECT_STREQ(net.NodeAt(3)->GetId(), "a");
    ExpectIndexesConsistent(net);

    auto* nine = net.FindNode("9");
    nine->SetId("0");
    net.ReSortNode(nine);
    EXPECT_EQ(net.NodeAt(0), nine);
    EXPECT_STREQ(net.NodeAt(1)->GetId(), "10");
    ExpectIndexesConsistent(net);

    // A prefix sorts first; GBK lead bytes sort above ASCII as unsigned bytes.
    Node(net, "1");
    Node(net, "\xB9\xDC");
    EXPECT_STREQ(net.NodeAt(1)->GetId(), "1");
    EXPECT_STREQ(net.NodeAt(net.NodeCount() - 1)->GetId(), "\xB9\xDC");
    ExpectIndexesConsistent(net);
}

TEST(Network, DuplicatesAreRefusedWithoutChange)
{
    ZNetwork net;
    auto* a = Node(net, "1");
    auto* b = Node(net, "2");
    Pipe(net, "1", a, b);   // a link may share a node's Id
    auto dup = std::make_unique<ZConsumeNode>();
    dup->SetId("1");
    EXPECT_FALSE(net.AddNode(dup.get()));
    auto dupLink = std::make_unique<ZPipeLink>();
    dupLink->SetId("1");
    EXPECT_FALSE(net.AddLink(a, b, dupLink.get()));
    EXPECT_EQ(dupLink->StartNode(), nullptr);
    EXPECT_EQ(a->IncidentLinkCount(), 1);
    EXPECT_EQ(net.NodeCount(), 2);
    EXPECT_EQ(net.FindNode("3"), nullptr);
}

TEST(Network, DefaultIds)
{
    ZNetwork net;
    ZConsumeNode probe;
    net.MakeDefaultId(&probe);
    EXPECT_STREQ(probe.GetId(), "0");
    for (const char* id : {"0", "1", "2"})
        Node(net, id);
    net.MakeDefaultId(&probe);
    EXPECT_STREQ(probe.GetId(), "3");

    ZNetwork other;
    for (const char* id : {"1", "2", "3"})
        Node(other, id);
    net.MakeDefaultId(&probe);
    other.MakeDefaultId(&probe);
    EXPECT_STREQ(probe.GetId(), "0");
}

TEST(Network, TakingOutALinkRemovesIsolatedEnds)
{
    ZNetwork net;
    auto* a = Node(net, "a");
    auto* b = Node(net, "b");
    auto* c = Node(net, "c");
    auto* ab = Pipe(net, "ab", a, b);
    Pipe(net, "bc", b, c);
    std::vector<ZNetObject*> removed;
    net.TakeOutLink(ab, removed);
    ASSERT_EQ(removed.size(), 2u);   // the link and node a; b still has bc
    EXPECT_EQ(removed[0], ab);
    EXPECT_EQ(removed[1], a);
    for (auto* o : removed)
        EXPECT_EQ(o->GetIndex(), -1);
    EXPECT_EQ(net.NodeCount(), 2);
    ExpectIndexesConsistent(net);
    DeleteAll(removed);

    net.TakeOutLink(net.FindLink("bc"), removed);
    EXPECT_EQ(removed.size(), 3u);
    EXPECT_EQ(net.NodeCount(), 0);
    DeleteAll(removed);
}

TEST(Network, TakingOutANodeRemovesItsLinksAndLoneNeighbours)
{
    ZNetwork net;
    auto* hub = Node(net, "hub");
    auto* leaf1 = Node(net, "leaf1");
    auto* leaf2 = Node(net, "leaf2");
    auto* kept = Node(net, "kept");
    auto* other = Node(net, "other");
    Pipe(net, "1", hub, leaf1);
    Pipe(net, "2", leaf2, hub);
    Pipe(net, "3", hub, kept);
    Pipe(net, "4", kept, other);
    std::vector<ZNetObject*> removed;
    net.TakeOutNode(hub, removed);
    EXPECT_EQ(removed.size(), 6u);   // three links, hub, two leaves
    EXPECT_EQ(net.LinkCount(), 1);
    EXPECT_EQ(net.NodeCount(), 2);
    EXPECT_EQ(net.FindNode("kept"), kept);
    EXPECT_EQ(kept->IncidentLinkCount(), 1);
    ExpectIndexesConsistent(net);
    DeleteAll(removed);
}

TEST(Network, MergeKeepsTheDeviceNodeAtItsPosition)
{
    ZNetwork net;
    auto* a = Node(net, "a", 1, 1);
    auto* x = Node(net, "x", 9, 9);
    Pipe(net, "ax", a, x);
    auto* b = Node(net, "b", 5, 5);
    auto* bOut = Node(net, "bOut", 0, 0);
    auto* pump = new ZPumpLink;
    pump->SetId("u");
    ASSERT_TRUE(net.AddLink(b, bOut, pump));
    ASSERT_TRUE(a->CanMergeWith(*b));
    ZConsumeNode* dropped = net.MergeNodes(a, b);
    EXPECT_EQ(dropped, a);
    EXPECT_EQ(dropped->GetIndex(), -1);
    EXPECT_EQ(b->IncidentLinkCount(), 2);
    EXPECT_EQ(b->X, 5);
    EXPECT_EQ(net.FindLink("ax")->StartNode(), b);
    EXPECT_EQ(net.FindNode("a"), nullptr);
    ExpectIndexesConsistent(net);
    delete dropped;

    // A plain merge keeps a and moves it to b's position.
    auto* p = Node(net, "p", 0, 0);
    auto* q = Node(net, "q", 3, 4);
    Pipe(net, "pq", p, x);
    Pipe(net, "qx", q, x);
    delete net.MergeNodes(p, q);
    EXPECT_EQ(p->X, 3);
    EXPECT_EQ(p->IncidentLinkCount(), 2);
}

TEST(Network, BoundRectCoversNodesAndVertices)
{
    ZNetwork net;
    EXPECT_EQ(net.BoundRect(), (ViewExtent{0, 0, 0, 0}));
    auto* a = Node(net, "a", 10, 20);
    auto* b = Node(net, "b", 30, 5);
    auto* p = Pipe(net, "p", a, b);
    p->SetVertices({{-4, 50}});
    EXPECT_EQ(net.BoundRect(), (ViewExtent{-4, 5, 30, 50}));
}
