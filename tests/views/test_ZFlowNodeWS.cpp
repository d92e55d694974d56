// The node workshop driven with the mouse in a real view: insert on a pipe, delete, move, merge.
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "views/CommandIds.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"
#include "views/ZFlowNodeWS.h"
#include "views/ZWorkShopHost.h"

using namespace ViewTestNetworks;
using EditMouse::Click;

class TestZFlowNodeWS : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    RecordingPrompt prompt;
    ScriptedEditor editor;

    std::unique_ptr<CQENView> MakeView(ZDocument& doc)
    {
        return ShowEditView<CQENView>(doc, settings, &prompt, &editor, {-20, -20, 220, 220}, 480);
    }

private slots:
    void init()
    {
        prompt.shown.clear();
        prompt.answers.clear();
    }

    void insertOnTheSecondSegmentSplitsTheBendPoints()
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "A", 0, 0);
        ZConsumeNode* b = AddNode(doc, "B", 200, 0);
        ZPipeLink* p = AddPipe(doc, "P", a, b);
        p->SetVertices({{50, 50}, {100, 50}, {150, 0}});
        p->PipeDiam = 0.45;
        p->PipeRougCeof = 120;
        p->UpdateAutoLength();
        auto v = MakeView(doc);
        QVERIFY(v->OnCommand(Cmd::InsertNode));
        // Empty ground and a node place nothing.
        Click(*v, 100, 150);
        Click(*v, 0, 0);
        QCOMPARE(doc.GetNetwork().NodeCount(), 2);
        // The second segment runs (50,50)-(100,50).
        Click(*v, 75, 50);
        ZNetwork& net = doc.GetNetwork();
        QCOMPARE(net.NodeCount(), 3);
        QCOMPARE(net.LinkCount(), 2);
        QCOMPARE(p->VertexCount(), 1);
        QCOMPARE(p->VertexAt(0), (PipePoint{50, 50}));
        auto* node = static_cast<ZConsumeNode*>(p->EndNode());
        QVERIFY(node != b);
        QVERIFY(std::fabs(node->Y - 50) < 1e-9);
        QVERIFY(std::fabs(node->X - 75) < 2 * v->Canvas().GetScale());
        ZPipeLink* rest = nullptr;
        for (ZFlowLink* l : net.Links())
            if (l != p)
                rest = static_cast<ZPipeLink*>(l);
        QVERIFY(rest);
        QCOMPARE(rest->StartNode(), static_cast<ZNetNode*>(node));
        QCOMPARE(rest->EndNode(), static_cast<ZNetNode*>(b));
        QCOMPARE(rest->Vertices(), (std::vector<PipePoint>{{100, 50}, {150, 0}}));
        QCOMPARE(rest->PipeDiam, 0.45);
        QCOMPARE(rest->PipeRougCeof, 120.0);
        QCOMPARE(p->PipeLength, p->PolylineLength());
        QCOMPARE(rest->PipeLength, rest->PolylineLength());
        QVERIFY(std::fabs(p->PipeLength + rest->PipeLength - (std::hypot(50, 50) * 2 + 100)) < 1e-6);
        // Continuous: the command goes on.
        QVERIFY(v->Canvas().WorkShops().IsActive());
        // Undo gives the single pipe back.
        QVERIFY(doc.Undo());
        QCOMPARE(net.NodeCount(), 2);
        QCOMPARE(net.LinkCount(), 1);
        QCOMPARE(p->VertexCount(), 3);
        QCOMPARE(p->EndNode(), static_cast<ZNetNode*>(b));
    }

    void deleteAsksFirst()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::DeleteNode);
        prompt.answers = {false};
        Click(*v, 100, 0);
        // The question names the pipes that go with the node.
        const QString asked = QString::fromStdString(prompt.Last());
        QVERIFY2(asked.startsWith(QStringLiteral("确认删除节点2吗?")) && asked.contains(QStringLiteral("管道12")) &&
                     asked.contains(QStringLiteral("23")) && !asked.contains(QStringLiteral("节点1")),
                 qPrintable(asked));
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        // Not continuous: a No leaves the workshop waiting, a Yes ends it.
        QVERIFY(v->Canvas().WorkShops().IsActive());
        prompt.answers = {true};
        Click(*v, 100, 0);
        QCOMPARE(doc.GetNetwork().NodeCount(), 3);
        QCOMPARE(doc.GetNetwork().LinkCount(), 2);
        QVERIFY(!doc.GetNetwork().FindLink("12") && !doc.GetNetwork().FindLink("23"));
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        // A lone neighbour goes with the node.
        ZDocument d2;
        ZConsumeNode* a = AddNode(d2, "A", 0, 0);
        ZConsumeNode* b = AddNode(d2, "B", 100, 0);
        b->NodeFlow = 0.001;
        AddPipe(d2, "AB", a, b);
        auto v2 = MakeView(d2);
        v2->OnCommand(Cmd::DeleteNode);
        prompt.answers = {true};
        Click(*v2, 0, 0);
        const QString lone = QString::fromStdString(prompt.Last());
        QVERIFY2(lone.contains(QStringLiteral("节点B")) && lone.contains(QStringLiteral("1.00 l/s")), qPrintable(lone));
        QCOMPARE(d2.GetNetwork().NodeCount(), 0);
        QCOMPARE(d2.GetNetwork().LinkCount(), 0);
    }

    void moveByTheMouseAndOntoItself()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZConsumeNode* n2 = doc.GetNetwork().FindNode("2");
        v->OnCommand(Cmd::MoveNode);
        Click(*v, 100, 0);
        auto* ws = static_cast<ZFlowNodeWS*>(v->Canvas().WorkShops().WorkShop());
        QCOMPARE(ws->MovingNode(), n2);
        // Onto itself: nothing happens, the workshop waits.
        Click(*v, 100, 0);
        QCOMPARE(ws->MovingNode(), n2);
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        // Onto its neighbour 3 it would leave pipe 23 running from a node to itself.
        Click(*v, 100, 100);
        QCOMPARE(prompt.Last(), std::string("管道不能连接同一节点!"));
        QCOMPARE(ws->MovingNode(), n2);
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        // Somewhere else: moved by the mouse's travel, lengths follow.
        const QPoint from = EditMouse::Px(*v, 100, 0);
        const QPoint to = from + QPoint(0, -100);
        double x0, y0, x1, y1;
        v->Canvas().DeviceToWorld(from.x(), from.y(), x0, y0);
        v->Canvas().DeviceToWorld(to.x(), to.y(), x1, y1);
        QTest::mouseMove(v.get(), to);
        QTest::mouseClick(v.get(), Qt::LeftButton, {}, to);
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        QVERIFY(std::fabs(n2->Y - (y1 - y0)) < 1e-9);
        auto* p12 = static_cast<ZPipeLink*>(doc.GetNetwork().FindLink("12"));
        QCOMPARE(p12->PipeLength, p12->PolylineLength());
        QVERIFY(doc.Undo());
        QCOMPARE(n2->Y, 0.0);
        QCOMPARE(p12->PipeLength, 100.0);
    }

    void mergingTwoDeviceNodesFailsMergingPlainNodesJoins()
    {
        ZDocument doc;
        Square(doc);
        ZNetwork& net = doc.GetNetwork();
        // Pumps on nodes 1 and 3 (their outlets P1, P3 are device nodes too).
        for (const char* id : {"1", "3"}) {
            ZConsumeNode* n = net.FindNode(GbkView(id));
            ZConsumeNode* out = AddNode(doc, std::string("P") + id, n->X, n->Y);
            auto* pump = new ZPumpLink;
            pump->SetId(GbkView(std::string("U") + id));
            net.AddLink(n, out, pump);
        }
        auto v = MakeView(doc);
        v->OnCommand(Cmd::MoveNode);
        Click(*v, 0, 0);
        Click(*v, 100, 100);
        QCOMPARE(prompt.Last(), std::string("合并节点失败, 设备不能连接太多的管道!"));
        QVERIFY(v->Canvas().WorkShops().IsActive());
        QCOMPARE(net.NodeCount(), 6);
        v->OnCommand(Cmd::EditLeave);
        // Node 2 onto node 4: one node with all four pipes' ends.
        v->OnCommand(Cmd::MoveNode);
        Click(*v, 100, 0);
        Click(*v, 0, 100);
        QCOMPARE(net.NodeCount(), 5);
        ZConsumeNode* kept = net.FindNode("2") ? net.FindNode("2") : net.FindNode("4");
        QVERIFY(kept);
        QCOMPARE(kept->IncidentLinkCount(), 4);
        QCOMPARE(kept->X, 0.0);
        QCOMPARE(kept->Y, 100.0);
        QVERIFY(doc.Undo());
        QCOMPARE(net.NodeCount(), 6);
        QCOMPARE(net.FindNode("2")->IncidentLinkCount(), 2);
        QCOMPARE(net.FindNode("4")->IncidentLinkCount(), 2);
        QCOMPARE(net.FindNode("2")->X, 100.0);
    }
};

QTEST_MAIN(TestZFlowNodeWS)
#include "test_ZFlowNodeWS.moc"
