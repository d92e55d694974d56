// A user's session with the network components: a network drawn through the editor, a valve
// made a PRV in its dialog, balanced through the balancing command with its options, the
// results in the tooltips and the report window, and undo.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "PropertyTestNet.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/dialogs/CReportWindow.h"
#include "app/frames/CMainFrame.h"
#include "views/CommandIds.h"
#include "views/ObjectPropertyEditor.h"

#include "edit/ZNetEditor.h"
#include "model/GbkCodec.h"
#include "model/ZBasicNetView.h"
#include "model/ZObjectLabels.h"
#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QtTest>

namespace {
// The balancing dialog: peak hour at the finest precision, the options as given, "开始".
struct Options {
    bool checkValvesClose = true;
    bool pressureDriven = false;
    QString p0 = {};
    QString pr = {};
};
void AnswerBalance(const Options& o)
{
    OnNextModal([=](QWidget* w) {
        auto* dlg = qobject_cast<CBalanceParamsDlg*>(w);
        QVERIFY(dlg);
        dlg->findChild<QComboBox*>("caseCombo")->setCurrentIndex(0);
        dlg->findChild<QComboBox*>("precisionCombo")->setCurrentIndex(6);
        dlg->findChild<QCheckBox*>("checkValvesClose")->setChecked(o.checkValvesClose);
        dlg->findChild<QComboBox*>("demandModelCombo")->setCurrentIndex(o.pressureDriven ? 1 : 0);
        if (o.pressureDriven) {
            Retype(dlg->findChild<QLineEdit*>("minPressureEdit"), o.p0);
            Retype(dlg->findChild<QLineEdit*>("requiredPressureEdit"), o.pr);
        }
        Screenshot(dlg, QStringLiteral("dialog-balance-options"));
        dlg->accept();
    });
}

struct Drawing {
    ZDocument& doc;
    ZNetEditor editor{doc};

    ZConsumeNode* Node(const char* id, double x, double y, double elev, double demand = 0.0)
    {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        n->NodeGrunElev = elev;
        n->NodeFlow = demand;
        return n;
    }
    ZConsumeNode* Source(const char* id, double x, double y, double head)
    {
        ZConsumeNode* n = Node(id, x, y, 0.0);
        n->SetHeadKnown(true);
        n->NodeHydrElev = head;
        return n;
    }
    // Links get the editor's default identifiers, as drawn ones do.
    ZPipeLink* Pipe(ZConsumeNode* a, ZConsumeNode* b)
    {
        auto* p = new ZPipeLink;
        p->PipeDiam = p->PipeInDiam = 0.2;
        p->PipeRougCeof = 110;
        return editor.AddPipe(a, b, p, {}) ? p : nullptr;
    }
    ZValveLink* Valve(ZConsumeNode* inlet, const char* outletId)
    {
        auto* v = new ZValveLink;
        auto* outlet = Node(outletId, 0, 0, inlet->NodeGrunElev);
        return editor.AddDevice(inlet, v, outlet) ? v : nullptr;
    }
};

std::string Tip(const ZNetObject& o, ZSettingsStore& settings, const ZDocument& doc)
{
    ZBasicNetView view(settings, const_cast<ZDocument&>(doc).GetDrawSettings());
    GbkString t;
    o.GetTipText(view, t);
    return GbkCodec::ToUtf8(t);
}
}   // namespace

class TestComponentScenario : public QObject {
    Q_OBJECT
private slots:
    // Reservoir, pipe, PRV set in its dialog, pipe, demand node: the PRV's outlet holds the
    // setting; undo takes the dialog's change back whole.
    void prvDrawnByHandHoldsItsSetting()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZDocument& data = doc->Data();
        Drawing d{data};
        ZConsumeNode* r = d.Source("R", 0, 0, 60.0);
        QVERIFY(d.Pipe(r, d.Node("A", 300, 0, 5.0)));
        ZValveLink* prv = d.Valve(data.GetNetwork().FindNode(GbkView("A")), "B");
        QVERIFY(prv);
        ZConsumeNode* b = data.GetNetwork().FindNode(GbkView("B"));
        QVERIFY(d.Pipe(b, d.Node("C", 600, 0, 10.0, 0.015)));

        OnNextModal([](QWidget* w) {
            Retype(EditOf(w, "Id"), QStringLiteral("PRV"));
            ComboOf(w, "ValveType")->setCurrentIndex(ZValveLink::Prv);
            Retype(EditOf(w, "ValveSetting"), QStringLiteral("20"));
            Screenshot(w, QStringLiteral("scenario-valve-dialog"));
            ClickOk(w);
        });
        QVERIFY(f.app->PropertyEditor()->EditObjects(nullptr, data, {prv}));
        QCOMPARE(prv->GetValveType(), int(ZValveLink::Prv));
        QCOMPARE(prv->ValveSetting, 20.0);

        AnswerBalance({});
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        QVERIFY2(std::fabs(b->FreeHead() - 20.0) < 0.01, qPrintable(QString::number(b->FreeHead())));
        ZConsumeNode* c = data.GetNetwork().FindNode(GbkView("C"));
        QVERIFY(c->FreeHead() < 20.0 - 5.0);   // lower by its 5 m of ground and the pipe's loss
        QCOMPARE(prv->ValveState, int(ZValveLink::StateActive));
        QVERIFY(QString::fromStdString(Tip(*prv, f.app->Settings(), data)).contains(QStringLiteral("状态:保持设定值")));
        QVERIFY(!f.app->ReportWindow().Text().contains(QStringLiteral("不能保持")));

        // Set above what the reservoir gives, the valve cannot hold it: the report says so.
        prv->ValveSetting = 70.0;
        AnswerBalance({});
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(prv->ValveState, int(ZValveLink::StateCannotHold));
        QVERIFY2(f.app->ReportWindow().Text().contains(QStringLiteral("阀门\"PRV\"不能保持其设定值")),
                 qPrintable(f.app->ReportWindow().Text()));
        Screenshot(&f.app->ReportWindow(), QStringLiteral("scenario-report-cannot-hold"));
        prv->ValveSetting = 20.0;

        QCOMPARE(QString::fromStdString(data.History().UndoText()), QStringLiteral("修改阀门属性"));
        QVERIFY(data.Undo());
        QCOMPARE(prv->GetValveType(), int(ZValveLink::Gate));
        QCOMPARE(prv->SymbolIndex(), int(ZValveLink::Gate));
        QCOMPARE(prv->ValveSetting, 0.0);
        QVERIFY(data.Redo());
        QCOMPARE(prv->GetValveType(), int(ZValveLink::Prv));
        QCOMPARE(prv->ValveSetting, 20.0);
    }

    // A check valve against the flow between two reservoirs: closed with the option on, passing
    // backwards with it off; the option is undoable.
    void checkValveWithTheOptionCarriesNoReverseFlow()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZDocument& data = doc->Data();
        QVERIFY(data.GetDrawSettings().Params.CheckValvesClose);   // new networks have it on
        Drawing d{data};
        QVERIFY(d.Pipe(d.Source("R1", 0, 0, 60.0), d.Node("A", 300, 0, 0.0)));
        ZConsumeNode* a = data.GetNetwork().FindNode(GbkView("A"));
        // The valve lets water only from B to A: against the high reservoir.
        ZConsumeNode* b = d.Node("B", 350, 0, 0.0);
        QVERIFY(d.Pipe(d.Source("R2", 600, 0, 40.0), d.Node("C", 450, 0, 0.0, 0.01)));
        QVERIFY(d.Pipe(data.GetNetwork().FindNode(GbkView("C")), b));
        ZValveLink* cv = d.Valve(b, "B2");
        QVERIFY(cv);
        cv->SetValveType(ZValveLink::Check);
        QVERIFY(d.Pipe(data.GetNetwork().FindNode(GbkView("B2")), a));

        AnswerBalance({.checkValvesClose = true});
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        QVERIFY2(std::fabs(cv->Flow) < 1e-6, qPrintable(QString::number(cv->Flow)));
        QCOMPARE(cv->ValveState, int(ZValveLink::StateReverseClosed));

        AnswerBalance({.checkValvesClose = false});
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QVERIFY2(cv->Flow < -1e-3, qPrintable(QString::number(cv->Flow)));
        QVERIFY(!data.GetDrawSettings().Params.CheckValvesClose);
        QCOMPARE(QString::fromStdString(data.History().UndoText()), QStringLiteral("修改计算选项"));
        QVERIFY(data.Undo());
        QVERIFY(data.GetDrawSettings().Params.CheckValvesClose);
    }

    // Pressure-driven demand chosen in the dialog: the node that cannot reach PR gets less, the
    // tooltip says how much, and the report window counts the deficient nodes.
    void pressureDrivenDemandReportsTheShortage()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZDocument& data = doc->Data();
        Drawing d{data};
        QVERIFY(d.Pipe(d.Source("R", 0, 0, 30.0), d.Node("A", 300, 0, 10.0, 0.01)));
        QVERIFY(d.Pipe(data.GetNetwork().FindNode(GbkView("A")), d.Node("HIGH", 600, 0, 25.0, 0.01)));
        AnswerBalance({.pressureDriven = true, .p0 = QStringLiteral("0"), .pr = QStringLiteral("15")});
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        const ZBalanceParams& p = data.GetDrawSettings().Params;
        QCOMPARE(p.DemandModel, int(ZBalanceParams::PressureDriven));
        QCOMPARE(p.RequiredPressure, 15.0);
        ZConsumeNode* high = data.GetNetwork().FindNode(GbkView("HIGH"));
        QVERIFY(high->NodeDeliveredFlow < 0.01 && high->NodeDeliveredFlow > 0.0);
        f.app->Settings().LabelTip().NodeTip |= ZObjectLabels::NodeTipFlow;
        QVERIFY(QString::fromStdString(Tip(*high, f.app->Settings(), data)).contains(QStringLiteral("实供:")));
        const QString report = f.app->ReportWindow().Text();
        QVERIFY2(report.contains(QStringLiteral("供水不足节点 1 个, 缺水")), qPrintable(report));
        Screenshot(&f.app->ReportWindow(), QStringLiteral("scenario-report-pressure-driven"));
    }
};

QTEST_MAIN(TestComponentScenario)
#include "test_ComponentScenario.moc"
