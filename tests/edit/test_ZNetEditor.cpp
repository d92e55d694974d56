// The editing tools' network edits: what each does, that it is one step named after its command,
// and that undo gives back exactly the network before it and redo exactly the one after.
#include "NetworkState.h"
#include "TestNet.h"

#include "model/ZDocument.h"
#include "edit/ZNetEditor.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
// Two sources feeding a square with a tail; a pump between the tail and node D; bend points.
struct Fixture {
    ZDocument doc;
    TestNet t{doc.GetNetwork()};
    Fixture()
    {
        ZConsumeNode* a = t.Source("A", 50);
        ZConsumeNode* b = t.Node("B", 0.01);
        ZConsumeNode* c = t.Node("C", 0.02);
        ZConsumeNode* d = t.Node("D", 0.01);
        ZConsumeNode* in = t.Node("I");
        ZConsumeNode* out = t.Node("O");
        for (auto [n, x, y] : {std::tuple{a, 0.0, 0.0},
                               {b, 100.0, 0.0},
                               {c, 100.0, 100.0},
                               {d, 0.0, 100.0},
                               {in, 200.0, 0.0},
                               {out, 200.0, 0.0}})
            n->X = x, n->Y = y;
        ZPipeLink* ab = t.Pipe("AB", a, b);
        ab->SetVertices({{30, 10}, {50, 10}, {70, 10}});
        Auto(ab);
        Auto(t.Pipe("BC", b, c));
        Auto(t.Pipe("CD", c, d));
        Auto(t.Pipe("DA", d, a));
        Auto(t.Pipe("BI", b, in));
        t.Pump("U", in, out, 20, 100);
        Auto(t.Pipe("OC", out, c));
        doc.SetSaved();
    }
    ZConsumeNode* N(const char* id) { return doc.GetNetwork().FindNode(GbkView(id)); }
    ZFlowLink* L(const char* id) { return doc.GetNetwork().FindLink(GbkView(id)); }
    static ZPipeLink* Auto(ZPipeLink* p)
    {
        p->SetFlag(qen::FLAG_AUTO_LENGTH);
        p->UpdateAutoLength();
        return p;
    }

    // Runs the edit, checks it is one step of that name, and that undo and redo are exact.
    void Check(const char* name, const std::function<void()>& edit, const std::function<void()>& verify)
    {
        doc.SetSaved();
        const std::string before = DescribeDocument(doc);
        const int steps = doc.History().UndoCount();
        edit();
        verify();
        EXPECT_EQ(doc.History().UndoCount(), steps + 1);
        EXPECT_EQ(doc.History().UndoText(), name);   // UTF-8, as the menu shows it
        EXPECT_TRUE(doc.IsModified());
        const std::string after = DescribeDocument(doc);
        EXPECT_NE(before, after);
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(DescribeDocument(doc), before);
        EXPECT_FALSE(doc.IsModified());
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(DescribeDocument(doc), after);
        verify();
    }
};
}   // namespace

TEST(ZNetEditor, InsertNodeSplitsAtSegmentOrBendPoint)
{
    Fixture f;
    auto* ab = static_cast<ZPipeLink*>(f.L("AB"));
    ab->PipeDiam = 0.45;
    ZPipeLink* rest = nullptr;
    auto* node = new ZConsumeNode;
    node->X = 60;
    node->Y = 10;
    const double whole = ab->PolylineLength();
    f.Check(
        "插入节点", [&] { rest = ZNetEditor(f.doc).InsertNodeOnPipe(ab, node, 2, -1); },
        [&] {
            ASSERT_TRUE(rest);
            EXPECT_EQ(ab->Vertices(), (std::vector<PipePoint>{{30, 10}, {50, 10}}));
            EXPECT_EQ(rest->Vertices(), (std::vector<PipePoint>{{70, 10}}));
            EXPECT_EQ(ab->EndNode(), rest->StartNode());
            EXPECT_EQ(rest->EndNode(), f.N("B"));
            EXPECT_EQ(rest->PipeDiam, 0.45);
            EXPECT_DOUBLE_EQ(ab->PipeLength + rest->PipeLength, whole);
        });
    // On a bend point: the bend point becomes the node.
    auto* bc = static_cast<ZPipeLink*>(f.L("BC"));
    bc->SetVertices({{120, 30}, {120, 60}, {120, 80}});
    auto* n2 = new ZConsumeNode;
    n2->X = 120;
    n2->Y = 60;
    ZPipeLink* r2 = ZNetEditor(f.doc).InsertNodeOnPipe(bc, n2, -1, 1);
    ASSERT_TRUE(r2);
    EXPECT_EQ(bc->Vertices(), (std::vector<PipePoint>{{120, 30}}));
    EXPECT_EQ(r2->Vertices(), (std::vector<PipePoint>{{120, 80}}));
}

TEST(ZNetEditor, RemoveAndMoveNodes)
{
    Fixture f;
    f.Check(
        "删除节点", [&] { ZNetEditor(f.doc).RemoveNode(f.N("D")); },
        [&] {
            EXPECT_FALSE(f.N("D"));
            EXPECT_FALSE(f.L("CD"));
            EXPECT_FALSE(f.L("DA"));
        });
    f.Check(
        "移动节点", [&] { ZNetEditor(f.doc).MoveNode(f.N("B"), 0, -50); },
        [&] {
            EXPECT_EQ(f.N("B")->Y, -50);
            EXPECT_DOUBLE_EQ(static_cast<ZPipeLink*>(f.L("BC"))->PipeLength, 150);
        });
    // A device node takes its partner along, and both sides' pipes follow.
    f.Check(
        "移动节点", [&] { ZNetEditor(f.doc).MoveNode(f.N("I"), 0, 100); },
        [&] {
            EXPECT_EQ(f.N("O")->Y, 100);
            EXPECT_DOUBLE_EQ(static_cast<ZPipeLink*>(f.L("OC"))->PipeLength, 100);
        });
    f.Check(
        "移动节点", [&] { ZNetEditor(f.doc).MergeNodes(f.N("A"), f.N("C")); },
        [&] {
            ZConsumeNode* kept = f.N("A") ? f.N("A") : f.N("C");
            EXPECT_TRUE(kept && !(f.N("A") && f.N("C")));
            EXPECT_EQ(kept->IncidentLinkCount(), 3);
            EXPECT_EQ(kept->X, 100);
            EXPECT_EQ(kept->Y, 100);
        });
}

TEST(ZNetEditor, PipesWithNewNodesMovesAndRemoval)
{
    Fixture f;
    auto* start = new ZConsumeNode;
    start->X = 300;
    auto* end = new ZConsumeNode;
    end->X = 400;
    end->Y = 50;
    auto* pipe = new ZPipeLink;
    f.Check(
        "插入管道",
        [&] {
            EXPECT_TRUE(ZNetEditor(f.doc).AddPipe(start, end, pipe, {{350, 0}}));
        },
        [&] {
            EXPECT_GE(start->GetIndex(), 0);
            EXPECT_GE(end->GetIndex(), 0);
            EXPECT_NE(start->IdView(), end->IdView());
            EXPECT_DOUBLE_EQ(pipe->PipeLength, 50 + std::hypot(50, 50));
        });
    f.Check(
        "移动管道", [&] { ZNetEditor(f.doc).MovePipe(static_cast<ZPipeLink*>(f.L("BC")), 10, 0); },
        [&] {
            EXPECT_EQ(f.N("B")->X, 110);
            EXPECT_EQ(f.N("C")->X, 110);
            EXPECT_DOUBLE_EQ(static_cast<ZPipeLink*>(f.L("AB"))->PipeLength,
                             static_cast<ZPipeLink*>(f.L("AB"))->PolylineLength());
        });
    f.Check(
        "删除管道", [&] { ZNetEditor(f.doc).RemovePipe(static_cast<ZPipeLink*>(f.L("BI"))); },
        [&] { EXPECT_FALSE(f.L("BI")); });
}

TEST(ZNetEditor, DevicesComeWithNodesAndGoJoiningTheirSides)
{
    Fixture f;
    auto* inlet = new ZConsumeNode;
    inlet->X = 500;
    auto* outlet = new ZConsumeNode;
    auto* valve = new ZValveLink;
    f.Check(
        "插入阀门", [&] { EXPECT_TRUE(ZNetEditor(f.doc).AddDevice(inlet, valve, outlet)); },
        [&] {
            EXPECT_EQ(valve->StartNode(), inlet);
            EXPECT_EQ(outlet->X, 500);
            EXPECT_TRUE(inlet->IsDeviceNode());
        });
    f.Check(
        "删除水泵", [&] { ZNetEditor(f.doc).RemoveDevice(static_cast<ZDeviceLink*>(f.L("U"))); },
        [&] {
            EXPECT_FALSE(f.L("U"));
            EXPECT_EQ(f.L("BI")->EndNode(), f.L("OC")->StartNode());
            EXPECT_FALSE(static_cast<ZConsumeNode*>(f.L("BI")->EndNode())->IsDeviceNode());
        });
}
