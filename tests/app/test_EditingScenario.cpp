// A network drawn from nothing in the running program, as an engineer would: a pumped reservoir,
// a chain of pipes with a bend point, a valve, a looped district and a tank; properties set
// through the dialogs; balanced; a pipe insertion undone and redone; saved, reopened and balanced
// again to the same heads. QEN_SCREENSHOT_DIR keeps a picture of every step.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "NetworkState.h"
#include "PropertyTestNet.h"

#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/frames/CMainFrame.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"
#include "views/CFindDlg.h"
#include "views/CQENView.h"
#include "views/ZFocusHint.h"
#include "views/ZSelectTracker.h"
#include "views/ZWorkShopHost.h"

#include <QAction>
#include <QPointer>
#include <QTabBar>
#include <QComboBox>
#include <QtTest>

#include <map>

namespace {
CQENView* GraphicView(CMainFrame* frame)
{
    return qobject_cast<CQENView*>(frame->ActiveView());
}

QPoint Px(CQENView* v, double x, double y)
{
    const QPointF p = v->Canvas().WorldToDeviceF(x, y);
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

void ClickAt(CQENView* v, double x, double y)
{
    QTest::mouseMove(v, Px(v, x, y));
    QTest::mouseClick(v, Qt::LeftButton, {}, Px(v, x, y));
}

// Answers the next property dialog as a user would: retype fields, pick choices, press OK (or
// Cancel with no fields). A dialog still open after OK refused a value: it is cancelled and the
// test fails.
struct Answer {
    std::vector<std::pair<const char*, QString>> fields;
    std::vector<std::pair<const char*, int>> choices;
    bool ok = true;
};
int g_refused = 0;
int g_answered = 0;

void AnswerNext(const Answer& a, const QString& shot = QString())
{
    OnNextModal([a, shot](QWidget* w) {
        for (const auto& [name, index] : a.choices)
            if (QComboBox* c = ComboOf(w, name))
                c->setCurrentIndex(index);
        for (const auto& [name, text] : a.fields) {
            QLineEdit* e = EditOf(w, name);
            QVERIFY2(e, name);
            Retype(e, text);
        }
        if (!shot.isEmpty())
            Screenshot(w, shot);
        ++g_answered;
        if (!a.ok) {
            ClickButton(w, QDialogButtonBox::Cancel);
            return;
        }
        QPointer<QWidget> dlg(w);
        ClickOk(w);
        QTimer::singleShot(50, [dlg]() {
            if (dlg && dlg->isVisible()) {
                ++g_refused;
                ClickButton(dlg, QDialogButtonBox::Cancel);
            }
        });
    });
}

// A new node: ground 5 m, demand 5 l/s.
const Answer kNewNode{{{"NodeGrunElev", QStringLiteral("5")}, {"NodeFlow", QStringLiteral("5")}}, {}};
const Answer kCancel{{}, {}, false};

void AnswerBalance()
{
    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CBalanceParamsDlg*>(w);
        QVERIFY(dlg);
        dlg->findChild<QComboBox*>("caseCombo")->setCurrentIndex(0);
        dlg->accept();
    });
}

std::map<std::string, double> Heads(const ZDocument& doc)
{
    std::map<std::string, double> h;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes())
        h[std::string(n->IdView().Bytes())] = n->NodeHydrElev;
    return h;
}

ZFlowLink* FirstOf(const ZDocument& doc, ZNetObject::Kind kind)
{
    for (ZFlowLink* l : doc.GetNetwork().Links())
        if (l->GetKind() == kind)
            return l;
    return nullptr;
}

// A point inside a device's symbol.
PipePoint SymbolCentre(CQENView* v, const ZFlowLink* device)
{
    const ViewExtent r = device->GetDisplayRect(v->Canvas());
    return {(r.left + r.right) / 2, (r.bottom + r.top) / 2};
}
}   // namespace

class TestEditingScenario : public QObject {
    Q_OBJECT
private slots:
    void aNetworkFromNothing()
    {
        AppFixture f;
        QVERIFY(f.app->PropertyEditor());
        CMainFrame* frame = f.app->MainFrame();
        frame->resize(1100, 800);
        frame->ExecuteCommand(Cmd::FileNew);
        CQENDoc* qdoc = frame->ActiveDocument();
        QVERIFY(qdoc);
        ZDocument& doc = qdoc->Data();
        ZNetwork& net = doc.GetNetwork();
        CQENView* v = GraphicView(frame);
        QVERIFY(v);
        QVERIFY(QTest::qWaitForWindowExposed(v));
        Screenshot(frame, QStringLiteral("scenario-0-new"));

        // A pump on empty ground, and a pipe to it from the reservoir (a device's own nodes are
        // never sources).
        frame->ExecuteCommand(Cmd::InsertPump);
        QVERIFY(v->Canvas().WorkShops().IsActive());
        ClickAt(v, 150, 500);
        QCOMPARE(net.NodeCount(), 2);
        auto* pump = static_cast<ZPumpLink*>(FirstOf(doc, ZNetObject::Kind::Pump));
        QVERIFY(pump);
        auto* pumpOut = static_cast<ZConsumeNode*>(pump->EndNode());
        frame->ExecuteCommand(Cmd::InsertPipe);
        ClickAt(v, 20, 500);
        ClickAt(v, 150, 500);
        QCOMPARE(net.NodeCount(), 3);
        ZFlowLink* feed = FirstOf(doc, ZNetObject::Kind::Pipe);
        auto* reservoir = static_cast<ZConsumeNode*>(feed->StartNode());
        QVERIFY(std::fabs(reservoir->X - 20) < 3 * v->Canvas().GetScale());
        QCOMPARE(feed->EndNode(), pump->StartNode());

        // A chain of pipes from the pump's outlet, chained (auto-connect), with one bend point:
        // the first new node's dialog is cancelled, which makes that click a bend point.
        frame->ExecuteCommand(Cmd::EditAutoConnect);
        frame->ExecuteCommand(Cmd::InsertPipe);
        const PipePoint out = pumpOut->GetPosition(v->Canvas());
        ClickAt(v, out.x, out.y);
        AnswerNext(kCancel);
        ClickAt(v, 250, 620);
        QTest::mouseMove(v, Px(v, 330, 560));
        Screenshot(v, QStringLiteral("scenario-1-bend-point"));
        AnswerNext(kNewNode, QStringLiteral("scenario-1-new-node-dialog"));
        ClickAt(v, 400, 500);
        AnswerNext(kNewNode);
        ClickAt(v, 550, 500);
        QCOMPARE(net.LinkCount(), 4);
        frame->ExecuteCommand(Cmd::EditLeave);
        auto* first =
            static_cast<ZPipeLink*>(pumpOut->FirstLink() == pump ? pump->NextLinkAt(pumpOut) : pumpOut->FirstLink());
        QCOMPARE(first->VertexCount(), 1);
        Screenshot(frame, QStringLiteral("scenario-1-chain"));

        // A valve at the chain's end, then the district loop behind it.
        frame->ExecuteCommand(Cmd::InsertValve);
        ClickAt(v, 550, 500);
        auto* valve = static_cast<ZValveLink*>(FirstOf(doc, ZNetObject::Kind::Valve));
        QVERIFY(valve);
        const PipePoint vOut = static_cast<ZFlowNode*>(valve->EndNode())->GetPosition(v->Canvas());
        frame->ExecuteCommand(Cmd::InsertPipe);
        ClickAt(v, vOut.x, vOut.y);
        for (const PipePoint& p :
             {PipePoint{700, 500}, PipePoint{850, 500}, PipePoint{850, 300}, PipePoint{700, 300}}) {
            AnswerNext(kNewNode);
            ClickAt(v, p.x, p.y);
        }
        // Closing the loop: the marker sits on the node the click will take, the rubber line
        // runs to it from the last node.
        QTest::mouseMove(v, Px(v, 700, 500) + QPoint(4, 3));
        QVERIFY(v->Canvas().FocusHint().Object());
        Screenshot(v, QStringLiteral("scenario-1-closing-the-loop"));
        ClickAt(v, 700, 500);   // back to the loop's first node
        frame->ExecuteCommand(Cmd::EditLeave);
        QCOMPARE(net.NodeCount(), 10);
        // A branch to a tank.
        frame->ExecuteCommand(Cmd::EditNoConnect);
        frame->ExecuteCommand(Cmd::InsertPipe);
        ClickAt(v, 850, 300);
        AnswerNext(kNewNode);
        ClickAt(v, 950, 150);
        frame->ExecuteCommand(Cmd::EditLeave);
        frame->ExecuteCommand(Cmd::InsertTank);
        ClickAt(v, 950, 150);
        auto* tank = static_cast<ZTankLink*>(FirstOf(doc, ZNetObject::Kind::Tank));
        QVERIFY(tank);
        Screenshot(frame, QStringLiteral("scenario-2-drawn"));

        // Properties through the dialogs: every pipe by a rubber band and the pipe command, the
        // reservoir, the pump, the valve and the tank by double clicks.
        frame->ExecuteCommand(Cmd::SelectCrossing);
        // Corner to corner of the window.
        const QPoint a(2, 2), b(v->width() - 3, v->height() - 3);
        QTest::mousePress(v, Qt::LeftButton, {}, a);
        QTest::mouseMove(v, (a + b) / 2);
        QTest::mouseMove(v, b);
        QTest::mouseRelease(v, Qt::LeftButton, {}, b);
        frame->UpdateCommandUI();
        QCOMPARE(frame->Action(Cmd::PropPipe)->text(),
                 QStringLiteral("管道属性(&P)[%1]").arg(int(net.LinkCount() - 3)));
        QCOMPARE(frame->Action(Cmd::PropNode)->text(),
                 QStringLiteral("节点属性(&N)[%1]").arg(int(net.NodeCount() - 1)));
        Screenshot(frame, QStringLiteral("scenario-3-selected"));
        AnswerNext({{{"PipeDiam", QStringLiteral("300")},
                     {"PipeInDiam", QStringLiteral("300")},
                     {"PipeRougCeof", QStringLiteral("110")}},
                    {}},
                   QStringLiteral("scenario-3-pipe-dialog"));
        frame->ExecuteCommand(Cmd::PropPipe);
        QTest::mouseClick(v, Qt::LeftButton, {}, Px(v, 300, 900));   // empty ground: selection off
        QCOMPARE(v->Canvas().Tracker().Total(), 0);
        AnswerNext({{{"NodeHydrElev", QStringLiteral("10")}}, {{"NodeType", 1}}},
                   QStringLiteral("scenario-3-node-dialog"));
        QTest::mouseDClick(v, Qt::LeftButton, {}, Px(v, reservoir->X, reservoir->Y));
        const Answer devices[] = {{{{"PumpStaticH", QStringLiteral("45")}, {"PumpSCoef", QStringLiteral("2000")}}, {}},
                                  {{{"ValveSCoef", QStringLiteral("200")}}, {}},
                                  {{{"TankBottomElev", QStringLiteral("35")},
                                    {"TankMaxHead", QStringLiteral("6")},
                                    {"TankCurH", QStringLiteral("4")},
                                    {"TankArea", QStringLiteral("100")}},
                                   {}}};
        int k = 0;
        for (ZFlowLink* device : std::initializer_list<ZFlowLink*>{pump, valve, tank}) {
            const PipePoint c = SymbolCentre(v, device);
            AnswerNext(devices[k++]);
            QTest::mouseDClick(v, Qt::LeftButton, {}, Px(v, c.x, c.y));
        }
        QCOMPARE(g_refused, 0);
        QCOMPARE(g_answered, 13);
        QVERIFY(reservoir->IsHeadKnown());
        QCOMPARE(pump->PumpStaticH, 45.0);
        QCOMPARE(valve->ValveSCoef, 200.0);
        QCOMPARE(tank->TankBottomElev, 35.0);
        for (ZFlowLink* l : net.Links())
            if (l->GetKind() == ZNetObject::Kind::Pipe)
                QCOMPARE(static_cast<ZPipeLink*>(l)->PipeDiam, 0.3);

        // Balance.
        AnswerBalance();
        frame->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc.GetDrawSettings().Balanced, 1u);
        // The pump lifts the reservoir's water into the district and on into the tank.
        QVERIFY(reservoir->IsHeadKnown());
        QVERIFY(pump->Flow > 0.03);
        QVERIFY(tank->Flow < 0);
        Screenshot(frame, QStringLiteral("scenario-4-balanced"));

        // One more pipe across the district, undone and redone from the Edit menu.
        const std::string beforePipe = DescribeNetwork(net);
        frame->ExecuteCommand(Cmd::InsertPipe);
        ClickAt(v, 700, 500);
        ClickAt(v, 850, 300);
        frame->ExecuteCommand(Cmd::EditLeave);
        QCOMPARE(g_answered, 13);
        const std::string withPipe = DescribeNetwork(net);
        QVERIFY(withPipe != beforePipe);
        frame->UpdateCommandUI();
        QCOMPARE(frame->Action(Cmd::EditUndo)->text(), QStringLiteral("撤销 插入管道(&U)"));
        QVERIFY(frame->Action(Cmd::EditUndo)->isEnabled());
        frame->Action(Cmd::EditUndo)->trigger();
        QCOMPARE(DescribeNetwork(net), beforePipe);
        frame->UpdateCommandUI();
        QCOMPARE(frame->Action(Cmd::EditRedo)->text(), QStringLiteral("重做 插入管道(&R)"));
        Screenshot(frame, QStringLiteral("scenario-5-undone"));
        frame->Action(Cmd::EditRedo)->trigger();
        QCOMPARE(DescribeNetwork(net), withPipe);
        AnswerBalance();
        frame->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc.GetDrawSettings().Balanced, 1u);
        const std::map<std::string, double> heads = Heads(doc);
        Screenshot(frame, QStringLiteral("scenario-6-rebalanced"));

        // Save as a project file, close, reopen, balance: the same heads.
        const QString path = f.dir.filePath("drawn.wnp");
        f.files->names.push_back(path);
        frame->ExecuteCommand(Cmd::FileSaveAs);
        QVERIFY(!qdoc->IsModified());
        QVERIFY(f.app->CloseDocument(qdoc));
        CQENDoc* again = f.app->OpenDocumentFile(path);
        QVERIFY(again);
        QVERIFY(!again->Data().History().CanUndo());
        // Heads start from nothing: the balance finds them again.
        for (ZConsumeNode* n : again->Data().GetNetwork().Nodes())
            if (!n->IsHeadKnown())
                n->NodeHydrElev = 0;
        AnswerBalance();
        frame->ExecuteCommand(Cmd::Balance);
        const std::map<std::string, double> reopened = Heads(again->Data());
        QCOMPARE(reopened.size(), heads.size());
        for (const auto& [id, h] : heads)
            QVERIFY2(std::fabs(reopened.at(id) - h) < 1e-6, id.c_str());
        Screenshot(frame, QStringLiteral("scenario-7-reopened"));

        // Find the tank from the Edit menu: the view centres on it and it blinks.
        bool found = false;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CFindDlg*>(w);
            QVERIFY(dlg);
            dlg->Tabs()->setCurrentIndex(4);
            dlg->List(4)->setEditText(dlg->List(4)->itemText(0));
            dlg->onView();
            found = dlg->IsFlashing();
            Screenshot(w, QStringLiteral("scenario-8-find-dialog"));
            dlg->reject();
        });
        frame->ExecuteCommand(Cmd::EditFind);
        QVERIFY(found);
        QCOMPARE(f.prompt->unexpected, 0);
    }
};

QTEST_MAIN(TestEditingScenario)
#include "test_EditingScenario.moc"
