// The pump, valve and tank workshops driven with the mouse in a real view.
#include "EditTestSupport.h"
#include "ViewTestNetworks.h"

#include "views/CommandIds.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZSettingsStore.h"
#include "views/ZWorkShopHost.h"

using namespace ViewTestNetworks;
using EditMouse::Click;

class TestZDeviceLinkWS : public QObject {
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

    void insertOnANodeAndOnEmptyGround()
    {
        ZDocument doc;
        ZConsumeNode* a = AddNode(doc, "A", 0, 0);
        AddPipe(doc, "AB", a, AddNode(doc, "B", 100, 0));
        settings.Templates().Pump.PumpStaticH = 33;
        auto v = MakeView(doc);
        ZNetwork& net = doc.GetNetwork();
        v->OnCommand(Cmd::InsertPump);
        Click(*v, 0, 0);
        QCOMPARE(net.LinkCount(), 2);
        QCOMPARE(net.NodeCount(), 3);
        ZFlowLink* pump = nullptr;
        for (ZFlowLink* l : net.Links())
            if (l->GetKind() == ZNetObject::Kind::Pump)
                pump = l;
        QVERIFY(pump);
        QCOMPARE(pump->StartNode(), static_cast<ZNetNode*>(a));
        QCOMPARE(static_cast<ZPumpLink*>(pump)->PumpStaticH, 33.0);
        auto* outlet = static_cast<ZConsumeNode*>(pump->EndNode());
        QCOMPARE(outlet->X, 0.0);
        QVERIFY(outlet->IsDeviceNode() && a->IsDeviceNode());
        // Not continuous.
        QVERIFY(!v->Canvas().WorkShops().IsActive());
        // A tank on empty ground brings its own inlet node and a hidden internal node.
        v->OnCommand(Cmd::InsertTank);
        Click(*v, 150, 150);
        QCOMPARE(net.NodeCount(), 5);
        QCOMPARE(net.LinkCount(), 3);
        QVERIFY(doc.Undo());
        QCOMPARE(net.NodeCount(), 3);
        QVERIFY(doc.Undo());
        QCOMPARE(net.NodeCount(), 2);
        QCOMPARE(net.LinkCount(), 1);
        QVERIFY(!a->IsDeviceNode());
        // A device node with its pipe and device is full.
        QVERIFY(doc.Redo());
        v->OnCommand(Cmd::InsertValve);
        Click(*v, 0, 0);
        QCOMPARE(prompt.Last(), std::string("不能连接节点A!"));
        QVERIFY(v->Canvas().WorkShops().IsActive());
    }

    void deletingAPumpBetweenTwoPipesJoinsThem()
    {
        ZDocument doc;
        ZNetwork& net = doc.GetNetwork();
        ZConsumeNode* a = AddNode(doc, "A", 0, 0);
        ZConsumeNode* in = AddNode(doc, "I", 100, 0);
        ZConsumeNode* out = AddNode(doc, "O", 100, 0);
        ZConsumeNode* b = AddNode(doc, "B", 200, 0);
        AddPipe(doc, "AI", a, in);
        auto* pump = new ZPumpLink;
        pump->SetId("U");
        net.AddLink(in, out, pump);
        AddPipe(doc, "OB", out, b);
        auto v = MakeView(doc);
        // The valve tool does not touch a pump.
        v->OnCommand(Cmd::DeleteValve);
        const ViewExtent symbol = pump->GetDisplayRect(v->Canvas());
        const double sx = (symbol.left + symbol.right) / 2, sy = (symbol.bottom + symbol.top) / 2;
        Click(*v, sx, sy);
        QVERIFY(prompt.shown.empty());
        v->OnCommand(Cmd::DeletePump);
        prompt.answers = {false, true};
        Click(*v, sx, sy);
        QCOMPARE(prompt.Last(), std::string("确认删除设备U吗?"));
        QCOMPARE(net.LinkCount(), 3);
        Click(*v, sx, sy);
        QCOMPARE(net.LinkCount(), 2);
        QCOMPARE(net.NodeCount(), 3);
        ZNetLink* ai = net.FindLink("AI");
        ZNetLink* ob = net.FindLink("OB");
        QCOMPARE(ai->EndNode(), ob->StartNode());
        QVERIFY(!static_cast<ZConsumeNode*>(ai->EndNode())->IsDeviceNode());
        QVERIFY(doc.Undo());
        QCOMPARE(net.LinkCount(), 3);
        QCOMPARE(net.NodeCount(), 4);
        QCOMPARE(net.FindLink("AI")->EndNode(), static_cast<ZNetNode*>(net.FindNode("I")));
        QCOMPARE(net.FindLink("OB")->StartNode(), static_cast<ZNetNode*>(net.FindNode("O")));
        QVERIFY(net.FindNode("I")->IsDeviceNode());
    }
};

QTEST_MAIN(TestZDeviceLinkWS)
#include "test_ZDeviceLinkWS.moc"
