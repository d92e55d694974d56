// The pipe workshop driven with the mouse in a real view: drawing with bend points and new nodes,
// refusals, chained drawing, abort by Escape and by closing, delete and move.
#include "ModalHelper.h"
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "views/CommandIds.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"
#include "views/ZFocusHint.h"
#include "views/ZPipeLinkWS.h"
#include "views/ZWorkShopHost.h"

#include <QMessageBox>

using namespace ViewTestNetworks;
using EditMouse::Click;

class TestZPipeLinkWS : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    RecordingPrompt prompt;
    ScriptedEditor editor;

    std::unique_ptr<CQENView> MakeView(ZDocument& doc)
    {
        return ShowEditView<CQENView>(doc, settings, &prompt, &editor, {-20, -20, 220, 220}, 480);
    }
    ZPipeLinkWS* Ws(CQENView& v) { return dynamic_cast<ZPipeLinkWS*>(v.Canvas().WorkShops().WorkShop()); }

private slots:
    void init()
    {
        prompt.shown.clear();
        prompt.answers.clear();
        editor.confirms.clear();
        editor.confirmCalls = 0;
        settings.PipeSerialMode = ZSettingsStore::NoConnect;
    }

    void clickingTheStartAgainIsRefused()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 0, 0);
        QCOMPARE(Ws(*v)->StartNode(), doc.GetNetwork().FindNode("1"));
        Click(*v, 0, 0);
        QCOMPARE(prompt.Last(), std::string("管道不能连接同一节点!"));
        QCOMPARE(Ws(*v)->StartNode(), doc.GetNetwork().FindNode("1"));
        // Still drawing: the opposite corner ends the pipe.
        Click(*v, 100, 100);
        QCOMPARE(doc.GetNetwork().LinkCount(), 5);
        QVERIFY(doc.Undo());
        QCOMPARE(doc.GetNetwork().LinkCount(), 4);
    }

    void cancelledNodeBecomesABendPointConfirmedOneEndsThePipe()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 100, 100);
        editor.confirms = {[](ZNetNode&) { return false; },
                           [](ZNetNode& n) {
                               n.SetId("NEW");
                               static_cast<ZFlowNode&>(n).NodeGrunElev = 12.5;
                               return true;
                           }};
        Click(*v, 150, 150);
        QCOMPARE(Ws(*v)->Bends().size(), size_t(1));
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        Click(*v, 200, 100);
        QCOMPARE(editor.confirmCalls, 2);
        ZNetwork& net = doc.GetNetwork();
        QCOMPARE(net.NodeCount(), 5);
        QCOMPARE(net.LinkCount(), 5);
        ZConsumeNode* end = net.FindNode("NEW");
        QVERIFY(end);
        QCOMPARE(end->NodeGrunElev, 12.5);
        auto* pipe = static_cast<ZPipeLink*>(end->FirstLink());
        QCOMPARE(pipe->StartNode(), static_cast<ZNetNode*>(net.FindNode("3")));
        QCOMPARE(pipe->VertexCount(), 1);
        QVERIFY(std::fabs(pipe->VertexAt(0).x - 150) < 1 && std::fabs(pipe->VertexAt(0).y - 150) < 1);
        QCOMPARE(pipe->PipeLength, pipe->PolylineLength());
        // One step: undo takes the pipe and its new node.
        QVERIFY(doc.Undo());
        QCOMPARE(net.NodeCount(), 4);
        QCOMPARE(net.LinkCount(), 4);
        QVERIFY(doc.Redo());
        QVERIFY(net.FindNode("NEW"));
        QCOMPARE(net.LinkCount(), 5);
    }

    void aNewEndNodeNamedLikeAnExistingOneIsRefused()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 100, 100);
        // The user names the new end node "1", which the square already has.
        editor.confirms = {[](ZNetNode& n) { return n.SetId("1"); }};
        Click(*v, 200, 150);
        QCOMPARE(prompt.Last(), std::string("节点编号1已经存在!"));
        ZNetwork& net = doc.GetNetwork();
        QCOMPARE(net.NodeCount(), 4);
        QCOMPARE(net.LinkCount(), 4);
        QVERIFY(!doc.History().CanUndo());
        // Still drawing from the same start; a fresh name ends the pipe.
        QCOMPARE(Ws(*v)->StartNode(), net.FindNode("3"));
        editor.confirms = {[](ZNetNode& n) { return n.SetId("E"); }};
        Click(*v, 200, 150);
        QVERIFY(net.FindNode("E"));
        QCOMPARE(net.LinkCount(), 5);
    }

    void chainedDrawingSharesTheMiddleNode()
    {
        settings.PipeSerialMode = ZSettingsStore::AutoConnect;
        ZDocument doc;
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        QVERIFY(v->Canvas().WorkShops().IsContinuous());
        editor.confirms = {[](ZNetNode&) { return true; }, [](ZNetNode&) { return true; }};
        Click(*v, 0, 0);
        Click(*v, 100, 0);
        Click(*v, 100, 100);
        ZNetwork& net = doc.GetNetwork();
        QCOMPARE(net.NodeCount(), 3);
        QCOMPARE(net.LinkCount(), 2);
        ZNetLink* first = net.LinkAt(0);
        ZNetLink* second = net.LinkAt(1);
        QVERIFY(first->EndNode() == second->StartNode() || second->EndNode() == first->StartNode());
        // Every node and pipe has its own identifier.
        QVERIFY(net.NodeAt(0)->IdView() != net.NodeAt(1)->IdView());
        QCOMPARE(Ws(*v)->StartNode(), static_cast<ZConsumeNode*>(second->EndNode()));
        // Without auto-connect the next pipe starts from nothing.
        settings.PipeSerialMode = ZSettingsStore::NoConnect;
        editor.confirms = {[](ZNetNode&) { return true; }};
        Click(*v, 0, 200);
        QCOMPARE(net.LinkCount(), 3);
        QVERIFY(!Ws(*v)->StartNode());
    }

    void deviceNodesRefuseAThirdLink()
    {
        ZDocument doc;
        Square(doc);
        ZNetwork& net = doc.GetNetwork();
        ZConsumeNode* n2 = net.FindNode("2");
        ZConsumeNode* out = AddNode(doc, "O", 100, 0);
        auto* pump = new ZPumpLink;
        pump->SetId("U");
        net.AddLink(n2, out, pump);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 0, 0);
        // Node 2 already carries a pump and two pipes; the outlet at the same place answers first
        // or node 2 does: either is full or a device node with a pipe.
        Click(*v, 100, 0);
        QVERIFY(QString::fromStdString(prompt.Last()).startsWith(QStringLiteral("不能连接节点")));
        QCOMPARE(net.LinkCount(), 5);
    }

    void escapeAndClosingAbortAHalfDrawnPipe()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 50, 50);   // a new start node, not yet in the network
        QVERIFY(Ws(*v)->StartIsNew());
        QVERIFY(static_cast<bool>(v->Canvas().Overlay()));
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        QVERIFY(!v->Canvas().Overlay());
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        QVERIFY(!doc.History().CanUndo());
        // Closing the view in the middle of a pipe leaves the network as it was.
        v->OnCommand(Cmd::InsertPipe);
        Click(*v, 0, 0);
        editor.confirms = {[](ZNetNode&) { return false; }};
        Click(*v, 50, 60);
        v.reset();
        QCOMPARE(doc.GetNetwork().NodeCount(), 4);
        QCOMPARE(doc.GetNetwork().LinkCount(), 4);
    }

    void undoWhileDrawingTakesTheStartAway()
    {
        ZDocument doc;
        auto v = MakeView(doc);
        v->OnCommand(Cmd::InsertPipe);
        editor.confirms = {[](ZNetNode&) { return true; }};
        Click(*v, 0, 0);
        Click(*v, 100, 0);
        QCOMPARE(doc.GetNetwork().LinkCount(), 1);
        // The next pipe starts at the end just made; an undo takes that node out of the network.
        Click(*v, 100, 0);
        QVERIFY(Ws(*v)->StartNode());
        QVERIFY(doc.Undo());
        QCOMPARE(doc.GetNetwork().NodeCount(), 0);
        QVERIFY(!Ws(*v)->StartNode());
        QVERIFY(!v->Canvas().FocusHint().Object());
        // Drawing goes on from nothing.
        editor.confirms = {[](ZNetNode&) { return true; }};
        Click(*v, 0, 100);
        Click(*v, 100, 100);
        QCOMPARE(doc.GetNetwork().NodeCount(), 2);
        QCOMPARE(doc.GetNetwork().LinkCount(), 1);
    }

    // The question names what goes with the pipe: an end node left without pipes, and its demand.
    void deletingAPipeNamesTheNodeThatGoesWithIt()
    {
        ZDocument doc;
        Square(doc);
        ZNetwork& net = doc.GetNetwork();
        ZConsumeNode* hanging = AddNode(doc, "5", 200, 0);
        hanging->NodeFlow = 0.0025;
        AddPipe(doc, "25", net.FindNode("2"), hanging);
        auto v = MakeView(doc);
        v->OnCommand(Cmd::DeletePipe);
        prompt.answers = {false};
        Click(*v, 150, 0);
        const QString asked = QString::fromStdString(prompt.Last());
        QMessageBox box(QMessageBox::Question, QStringLiteral("QEN"), asked, QMessageBox::Yes | QMessageBox::No);
        box.show();
        Screenshot(&box, QStringLiteral("question-delete-pipe"));
        QVERIFY2(asked.startsWith(QStringLiteral("确认删除管道25吗?")) && asked.contains(QStringLiteral("节点5")) &&
                     asked.contains(QStringLiteral("2.50 l/s")),
                 qPrintable(asked));
        QVERIFY(!asked.contains(QStringLiteral("节点2")));
        QCOMPARE(net.LinkCount(), 5);
        // Between two nodes that keep other pipes: only the pipe goes, and the question says no more.
        prompt.answers = {true};
        Click(*v, 50, 0);
        QCOMPARE(prompt.Last(), std::string("确认删除管道12吗?"));
        QCOMPARE(net.NodeCount(), 5);
    }

    void deleteAndMoveAPipe()
    {
        ZDocument doc;
        Square(doc);
        ZNetwork& net = doc.GetNetwork();
        auto v = MakeView(doc);
        v->OnCommand(Cmd::DeletePipe);
        prompt.answers = {true};
        Click(*v, 50, 0);
        QCOMPARE(prompt.Last(), std::string("确认删除管道12吗?"));
        QCOMPARE(net.LinkCount(), 3);
        QCOMPARE(net.NodeCount(), 4);
        QVERIFY(doc.Undo());
        QCOMPARE(net.LinkCount(), 4);
        // Move pipe 23 by its middle: both ends and the lengths of their other pipes follow.
        v->OnCommand(Cmd::MovePipe);
        Click(*v, 100, 50);
        const QPoint from = EditMouse::Px(*v, 100, 50);
        const QPoint to = from + QPoint(40, 0);
        double x0, y0, x1, y1;
        v->Canvas().DeviceToWorld(from.x(), from.y(), x0, y0);
        v->Canvas().DeviceToWorld(to.x(), to.y(), x1, y1);
        QTest::mouseMove(v.get(), to);
        QTest::mouseClick(v.get(), Qt::LeftButton, {}, to);
        const double dx = x1 - x0;
        QVERIFY(dx > 10);
        QVERIFY(std::fabs(net.FindNode("2")->X - (100 + dx)) < 1e-9);
        QVERIFY(std::fabs(net.FindNode("3")->X - (100 + dx)) < 1e-9);
        auto* p12 = static_cast<ZPipeLink*>(net.FindLink("12"));
        QVERIFY(std::fabs(p12->PipeLength - (100 + dx)) < 1e-9);
    }
};

QTEST_MAIN(TestZPipeLinkWS)
#include "test_ZPipeLinkWS.moc"
