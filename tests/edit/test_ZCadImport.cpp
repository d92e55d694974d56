#include "cadbridge/CadBridge.h"
#include "cadbridge/CadBridgeScan.h"
#include "model/ProgressObserver.h"
#include "model/Prompt.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZTemplateSet.h"
#include "edit/ZCadImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// CAD units are metres (ScaleQen 1000): ratio 1.
ZCadImport::Options Metres(double minDist = 0.0)
{
    ZCadImport::Options o;
    o.MinDist = minDist;
    o.ScaleQen = 1000.0;
    return o;
}

bool Add(ZCadImport& imp, std::vector<PipePoint> pts)
{
    return imp.AddPolyline(pts.data(), static_cast<int>(pts.size()));
}

ZConsumeNode* NodeAt(ZNetwork& net, const std::string& id, double x, double y, uint32_t flags = 0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    n->SetFlag(flags);
    net.AddNode(n);
    return n;
}

struct Stopper : ProgressObserver, Prompt {
    int stopFrom = -1, calls = 0, questions = 0;
    bool answer = true;
    std::vector<double> fractions;
    void Progress(double f) override
    {
        fractions.push_back(f);
        ++calls;
    }
    bool StopRequested() const override { return stopFrom >= 0 && calls > stopFrom; }
    bool AskYesNo(const std::string& text) override
    {
        EXPECT_EQ(text, "确认终止此操作吗?");
        ++questions;
        return answer;
    }
    void Inform(const std::string&) override {}
};

}   // namespace

TEST(ZCadImport, ScalesAndTolerances)
{
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport::Options o;
    o.MinDist = 2;
    EXPECT_DOUBLE_EQ(ZCadImport(net, t, o).Ratio(), 0.001);
    EXPECT_DOUBLE_EQ(ZCadImport(net, t, o).Tolerance(), 0.002 + 1e-10);
    EXPECT_DOUBLE_EQ(ZCadImport(net, t, Metres()).Tolerance(), 1e-10);
}

TEST(ZCadImport, LinesMeetingAtAPointShareANodeAndToleranceJoins)
{
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres(1.0));
    EXPECT_TRUE(Add(imp, {{0, 0}, {10, 0}}));
    EXPECT_TRUE(Add(imp, {{10, 0}, {20, 0}}));
    EXPECT_TRUE(Add(imp, {{20.5, 0}, {30, 0}}));   // 0.5 from the node at 20
    EXPECT_TRUE(Add(imp, {{31.5, 0}, {40, 0}}));   // 1.5 from the node at 30: a new node
    EXPECT_EQ(net.LinkCount(), 4);
    EXPECT_EQ(net.NodeCount(), 6);
    EXPECT_EQ(imp.PipesAdded(), 4);
    EXPECT_EQ(imp.NodesAdded(), 6);
    auto* p2 = static_cast<ZPipeLink*>(net.LinkAt(1));
    auto* p3 = static_cast<ZPipeLink*>(net.LinkAt(2));
    EXPECT_EQ(p2->To(), p3->From());
    // Auto length from the polyline: the node stays where it was made, at 20.
    EXPECT_DOUBLE_EQ(p3->PipeLength, 10.0);
    EXPECT_EQ(imp.Added().size(), 10u);
}

TEST(ZCadImport, ExactToleranceOnlyJoinsCoincidentEnds)
{
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres());
    EXPECT_TRUE(Add(imp, {{0, 0}, {10, 0}}));
    EXPECT_TRUE(Add(imp, {{10.000001, 0}, {20, 0}}));
    EXPECT_EQ(net.NodeCount(), 4);
}

TEST(ZCadImport, RingsBecomeTwoPipesZeroLengthAndNonFiniteAddNothing)
{
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres());
    // Sides 10, 10 and 10*sqrt(2): half the way round is nearest the second bend point.
    EXPECT_TRUE(Add(imp, {{0, 10}, {10, 10}, {10, 20}, {0, 10}}));
    ASSERT_EQ(net.LinkCount(), 2);
    ASSERT_EQ(net.NodeCount(), 2);
    auto* a = static_cast<ZPipeLink*>(net.LinkAt(0));
    auto* b = static_cast<ZPipeLink*>(net.LinkAt(1));
    EXPECT_EQ(a->From(), b->To());
    EXPECT_EQ(a->To(), b->From());
    EXPECT_DOUBLE_EQ(a->To()->X, 10.0);
    EXPECT_DOUBLE_EQ(a->To()->Y, 20.0);
    EXPECT_DOUBLE_EQ(a->PipeLength + b->PipeLength, 20.0 + 10.0 * std::sqrt(2.0));
    EXPECT_FALSE(Add(imp, {{5, 5}, {5, 5}}));
    EXPECT_FALSE(Add(imp, {{5, 5}}));
    EXPECT_FALSE(Add(imp, {{0, 0}, {NAN, 1}, {3, 3}}));
    EXPECT_FALSE(Add(imp, {{0, 0}, {INFINITY, 3}}));
    EXPECT_FALSE(Add(imp, {{-1e308, 0}, {1e308, 0}}));   // a length past the number range
    EXPECT_EQ(net.NodeCount(), 2);
    EXPECT_EQ(net.LinkCount(), 2);
    const auto notes = imp.Notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], "闭合的线 1 条，各分为两根管道");
    EXPECT_EQ(notes[1], "跳过 1 条长度为零的线");
    EXPECT_EQ(notes[2], "跳过 3 条按比例换算后坐标或长度超出数值范围的线");
    // Ends apart but both within the tolerance of one node: no pipe from a node to itself.
    NodeAt(net, "N", 0, 0);
    ZCadImport wide(net, t, Metres(2.0));
    EXPECT_FALSE(Add(wide, {{-1.5, 0}, {0, 5}, {1.5, 0}}));
    EXPECT_EQ(net.LinkCount(), 2);
}

TEST(ZCadImport, PolylineVerticesBecomeBendPoints)
{
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres());
    EXPECT_TRUE(Add(imp, {{30, 0}, {30, 10}, {40, 10}, {40, 20}}));
    ASSERT_EQ(net.LinkCount(), 1);
    EXPECT_EQ(net.NodeCount(), 2);
    auto* p = static_cast<ZPipeLink*>(net.LinkAt(0));
    ASSERT_EQ(p->VertexCount(), 2);
    EXPECT_DOUBLE_EQ(p->VertexAt(1).x, 40);
    EXPECT_DOUBLE_EQ(p->PipeLength, 30.0);
}

TEST(ZCadImport, FirstNodeInListOrderNotHiddenNorFilteredAndItsRefusal)
{
    ZNetwork net;
    ZTemplateSet t;
    NodeAt(net, "A", 0.9, 0, qen::FLAG_HIDDEN);
    NodeAt(net, "B", 0.8, 0, qen::FLAG_FILTERED);
    ZConsumeNode* c = NodeAt(net, "C", 0.7, 0);
    ZConsumeNode* d = NodeAt(net, "D", 0.1, 0);   // closer, but later in the list
    ZCadImport imp(net, t, Metres(1.0));
    ASSERT_TRUE(Add(imp, {{0, 0}, {0, 10}}));
    EXPECT_EQ(net.LinkAt(0)->StartNode(), c);
    // A device node with two links refuses: a new node is made, D is not tried.
    c->SetFlag(qen::FLAG_DEVICE_NODE);
    ASSERT_TRUE(Add(imp, {{0, 0}, {5, 0}}));
    EXPECT_EQ(net.LinkAt(1)->StartNode(), c);
    ASSERT_TRUE(Add(imp, {{0, 0}, {0, -10}}));
    const ZNetNode* s = net.FindLink(imp.Added().back()->IdView())->StartNode();
    EXPECT_NE(s, c);
    EXPECT_NE(s, d);
    EXPECT_DOUBLE_EQ(static_cast<const ZFlowNode*>(s)->X, 0.0);
}

TEST(ZCadImport, IndexGivesTheSameNodeAsWalkingTheList)
{
    ZNetwork net;
    unsigned seed = 7;
    auto rnd = [&seed] { return (seed = seed * 1103515245u + 12345u) % 1000 / 100.0; };
    for (int i = 0; i < 400; ++i)
        NodeAt(net, "N" + std::to_string(i), rnd(), rnd(),
               i % 7 == 0    ? qen::FLAG_HIDDEN
               : i % 11 == 0 ? qen::FLAG_FILTERED
                             : 0);
    for (double tol : {1e-10, 0.05, 0.3}) {
        ZCadNodeIndex index(tol);
        for (ZConsumeNode* n : net.Nodes())
            index.Add(n);
        for (int q = 0; q < 300; ++q) {
            const double x = rnd(), y = rnd();
            ZConsumeNode* walk = nullptr;
            for (ZConsumeNode* n : net.Nodes())
                if (!n->IsHidden() && !n->IsFiltered() && std::hypot(n->X - x, n->Y - y) <= tol) {
                    walk = n;
                    break;
                }
            ASSERT_EQ(index.FirstWithin(x, y), walk) << tol << " " << x << " " << y;
        }
    }
}

TEST(ZCadImport, LayerListsSplitAtSemicolonsOnly)
{
    EXPECT_EQ(ZCadImport::SplitLayers("A;;B;"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ZCadImport::SplitLayers(" A;B "), (std::vector<std::string>{" A", "B "}));
    EXPECT_TRUE(ZCadImport::SplitLayers(";;").empty());
}

TEST(ZCadImport, SplitsAPipeWhereABranchEndsOnIt)
{
    for (bool split : {false, true}) {
        ZNetwork net;
        ZTemplateSet t;
        ZCadImport imp(net, t, Metres(0.01));
        ASSERT_TRUE(Add(imp, {{10, 5}, {10, 0.005}}));                    // branch drawn before the main
        ASSERT_TRUE(Add(imp, {{0, 0}, {10, 0}, {10, -10}, {20, -10}}));   // main with bends, through (10, 0)
        ASSERT_TRUE(Add(imp, {{30, -10}, {30, 10}}));
        ASSERT_TRUE(Add(imp, {{25, 0}, {30, 0}}));   // drawn after, ends on its middle
        if (split) {
            EXPECT_EQ(imp.SplitAtTees(), 2);
        }
        EXPECT_EQ(net.LinkCount(), split ? 6 : 4);
        EXPECT_EQ(net.NodeCount(), 8);
        const ZConsumeNode* tee = static_cast<const ZConsumeNode*>(net.LinkAt(0)->EndNode());
        EXPECT_EQ(tee->IncidentLinkCount(), split ? 3 : 1);
        if (!split)
            continue;
        EXPECT_EQ(imp.Changed().size(), 2u);
        EXPECT_EQ(imp.PipesAdded(), 6);
        auto* main = static_cast<ZPipeLink*>(net.LinkAt(1));
        EXPECT_EQ(main->To(), tee);
        EXPECT_EQ(main->VertexCount(), 0);
        EXPECT_NEAR(main->PipeLength, 10.0, 1e-5);
        auto* rest = static_cast<ZPipeLink*>(imp.Added().back()->IsNode() ? nullptr : imp.Added().back());
        ASSERT_NE(rest, nullptr);
        double total = 0;
        for (ZFlowLink* l : net.Links())
            total += static_cast<ZPipeLink*>(l)->PipeLength;
        EXPECT_NEAR(total, 5 - 0.005 + 10.00000125 + 20.005 + 20 + 5, 1e-4);
    }
}

TEST(ZCadImport, SplittingAnExistingPipeIsOneUndoableChange)
{
    ZDocument doc;
    ZTemplateSet t;
    ZNetwork& net = doc.GetNetwork();
    ZConsumeNode* a = NodeAt(net, "A", 0, 0);
    ZConsumeNode* b = NodeAt(net, "B", 20, 10);
    auto* main = new ZPipeLink;
    main->SetId("MAIN");
    main->SetVertices({{20, 0}});
    net.AddLink(a, b, main);
    doc.SetSaved();
    {
        ZEditTransaction tx(doc, "import");
        ZCadImport imp(net, t, Metres(0.01), &tx);
        ASSERT_TRUE(Add(imp, {{10, 10}, {10, 0}}));
        ASSERT_TRUE(Add(imp, {{30, 5}, {20.001, 5}}));
        EXPECT_EQ(imp.SplitAtTees(), 2);
        EXPECT_TRUE(tx.Commit());
    }
    EXPECT_EQ(net.LinkCount(), 5);
    EXPECT_EQ(main->To()->IncidentLinkCount(), 3);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(net.LinkCount(), 1);
    EXPECT_EQ(net.NodeCount(), 2);
    EXPECT_EQ(main->StartNode(), a);
    EXPECT_EQ(main->EndNode(), b);
    ASSERT_EQ(main->VertexCount(), 1);
    EXPECT_EQ(a->IncidentLinkCount(), 1);
    EXPECT_EQ(b->IncidentLinkCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(net.LinkCount(), 5);
}

TEST(ZCadImport, ExtractsFromTheActiveDrawingWithProgressAndStop)
{
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    const std::string file = std::string(QEN_TEST_DATA_DIR) + "/cad/pipes_r2000.dxf";
    ASSERT_EQ(OpenDwgDocument(h, file.c_str()), -1);
    {
        ZNetwork net;
        ZTemplateSet t;
        ZCadImport imp(net, t, Metres(1.0));
        Stopper s;
        const std::vector<std::string> layers = {"pipe"};
        // 3 lines, the ring (closed by its repeated first point), the bulged, the 2D and the 3D polyline
        EXPECT_EQ((imp.ReportTo(&s, &s), CadBridgeScan<PipePoint>(h, &layers, 3, imp)), 7);
        EXPECT_EQ(s.calls, 10);
        EXPECT_EQ(s.questions, 0);
        EXPECT_EQ(net.NodeCount(), 11);   // 0, 10, 20 (joined 20.5), 30; 30,0 bulged start joins; ...
    }
    {
        ZNetwork net;
        ZTemplateSet t;
        ZCadImport imp(net, t, Metres());
        Stopper s;
        s.stopFrom = 1;
        s.answer = false;   // "No": the scan goes on, asking again
        EXPECT_EQ((imp.ReportTo(&s, &s), CadBridgeScan<PipePoint>(h, nullptr, 3, imp)), 8);
        EXPECT_EQ(s.questions, 9);
    }
    {
        ZNetwork net;
        ZTemplateSet t;
        ZCadImport imp(net, t, Metres());
        Stopper s;
        s.stopFrom = 1;   // asked at the second entity, which is still taken
        EXPECT_EQ((imp.ReportTo(&s, &s), CadBridgeScan<PipePoint>(h, nullptr, 3, imp)), 2);
        EXPECT_EQ(s.calls, 2);
        EXPECT_EQ(net.LinkCount(), 2);
    }
    CloseAutoCad(h);
    CadCloseSession();
}

TEST(ZCadImport, TeeAtABendPointLeavesNoSegmentOfNoLength)
{
    // A polyline through (100,0) and a branch from that bend point.
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres(0.01));
    EXPECT_TRUE(Add(imp, {{0, 0}, {100, 0}, {200, 0}, {200, 50}}));
    EXPECT_TRUE(Add(imp, {{100, 0}, {100, 100}}));
    EXPECT_EQ(imp.SplitAtTees(), 1);
    ASSERT_EQ(net.LinkCount(), 3);
    double total = 0;
    for (ZFlowLink* l : net.Links()) {
        auto* p = static_cast<ZPipeLink*>(l);
        std::vector<PipePoint> pts{{p->From()->X, p->From()->Y}};
        pts.insert(pts.end(), p->Vertices().begin(), p->Vertices().end());
        pts.push_back({p->To()->X, p->To()->Y});
        for (size_t i = 1; i < pts.size(); ++i)
            EXPECT_GT(std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y), 1.0) << p->GetId() << " " << i;
        total += p->PipeLength;
    }
    EXPECT_DOUBLE_EQ(total, 100 + 100 + 50 + 100);
}

TEST(ZCadImport, OverlappingCollinearLinesAreReportedNotMultiplied)
{
    // 200 lines 100 long, each starting 1 further along: line j starts inside line i when
    // 0 < j - i < 100, so 99 * 200 - 99 * 100 / 2 pairs overlap.
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres(0.01));
    for (int i = 0; i < 200; ++i)
        EXPECT_TRUE(Add(imp, {{static_cast<double>(i), 0}, {i + 100.0, 0}}));
    EXPECT_EQ(imp.SplitAtTees(), 0);
    EXPECT_EQ(net.LinkCount(), 200);
    EXPECT_EQ(imp.OverlapsFound(), 99 * 200 - 99 * 100 / 2);
    EXPECT_EQ(imp.Notes().back(), "发现 14850 处重叠的共线管道，未在重叠处拆分");
    // A true tee among them still splits.
    EXPECT_TRUE(Add(imp, {{50.5, 0}, {50.5, 30}}));
    EXPECT_EQ(imp.SplitAtTees(), 51);   // the lines starting at 0 to 50 pass 50.5
}

TEST(ZCadImport, PipesDrawnOverEachOtherSplitAlikeAndLongOnesAmongShortOnes)
{
    // 300 copies of a main (a block inserted again and again at one place) and a branch ending
    // on it: every copy splits at the branch, each pair of copies overlaps once at most.
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres(0.01));
    for (int i = 0; i < 300; ++i)
        EXPECT_TRUE(Add(imp, {{0, 0}, {100, 0}}));
    EXPECT_TRUE(Add(imp, {{40, 0}, {40, 30}}));
    EXPECT_EQ(imp.SplitAtTees(), 300);
    EXPECT_EQ(net.LinkCount(), 601);
    EXPECT_EQ(imp.OverlapsFound(), 0);
    // A long slanted main crossing a field of short pipes, with a branch ending on it far from
    // both of its ends: found though the main spans thousands of cells.
    ZNetwork wide;
    ZCadImport imp2(wide, t, Metres(0.01));
    for (int i = 0; i < 2000; ++i)
        EXPECT_TRUE(Add(imp2, {{i * 3.0, -50.0}, {i * 3.0 + 1, -50.0}}));
    EXPECT_TRUE(Add(imp2, {{0, 0}, {6000, 4000}}));
    EXPECT_TRUE(Add(imp2, {{4500, 3000}, {4500, 3100}}));
    EXPECT_TRUE(Add(imp2, {{4510, 3006}, {4600, 3006}}));   // passes beside, no tee
    EXPECT_EQ(imp2.SplitAtTees(), 1);
    EXPECT_EQ(wide.LinkCount(), 2004);
}

TEST(ZCadImport, FarOffCoordinatesSplitOnlyWhereTheyMeet)
{
    // Differences near 1e300 overflow a squared length: the branch end far above the main is no tee.
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres(1.0));
    EXPECT_TRUE(Add(imp, {{-1e300, 0}, {1e300, 0}}));
    EXPECT_TRUE(Add(imp, {{5e299, 1e299}, {5e299, 2e299}}));
    EXPECT_EQ(imp.SplitAtTees(), 0);
    EXPECT_EQ(net.LinkCount(), 2);
    EXPECT_TRUE(Add(imp, {{0, 0}, {0, 10}}));
    EXPECT_EQ(imp.SplitAtTees(), 1);
    EXPECT_EQ(net.LinkCount(), 4);
}

TEST(ZCadImport, EveryEntityCaseOfADrawingBecomesPipesWithItsDrawnLength)
{
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    const std::string file = std::string(QEN_TEST_DATA_DIR) + "/cad/entity_cases.dxf";
    ASSERT_EQ(OpenDwgDocument(h, file.c_str()), -1);
    ZNetwork net;
    ZTemplateSet t;
    ZCadImport imp(net, t, Metres());
    EXPECT_EQ(CadBridgeScan<PipePoint>(h, nullptr, 3, imp), 19);   // the two rings give two pipes each
    CloseAutoCad(h);
    CadCloseSession();
    EXPECT_EQ(net.LinkCount(), 21);
    // Block 20, nested 10, array 6 x 10, bulge and arc 5 pi each, 3D 70, OCS 20 and 20, rings
    // 120 each, tee polyline 200 and branch 100, two lines of 10.
    double total = 0;
    for (ZFlowLink* l : net.Links())
        total += static_cast<ZPipeLink*>(l)->PipeLength;
    EXPECT_NEAR(total, 20 + 10 + 60 + 10 * std::numbers::pi + 70 + 40 + 240 + 300 + 20, 1e-9);
}
