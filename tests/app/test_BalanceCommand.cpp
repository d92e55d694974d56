#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/frames/CMainStatusBar.h"
#include "views/CProgressWnd.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/CommandIds.h"

#include "model/ZPipeLink.h"
#include "model/ZValveLink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

namespace {
// Sets the dialog's fields and presses "开始" (or "放弃").
void AnswerDialog(int calcCase, int precision, const QString& factor = QString(), bool start = true)
{
    OnNextModal([=](QWidget* w) {
        auto* dlg = qobject_cast<CBalanceParamsDlg*>(w);
        QVERIFY(dlg);
        Screenshot(dlg, QStringLiteral("dialog-balance-params"));
        dlg->findChild<QComboBox*>("caseCombo")->setCurrentIndex(calcCase);
        dlg->findChild<QComboBox*>("precisionCombo")->setCurrentIndex(precision);
        if (!factor.isEmpty())
            dlg->findChild<QLineEdit*>("factorEdit")->setText(factor);
        if (start)
            dlg->accept();
        else
            dlg->reject();
    });
}

CProgressWnd* FindProgress()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<CProgressWnd*>(w))
            return p;
    return nullptr;
}
}   // namespace

class TestBalanceCommand : public QObject {
    Q_OBJECT
private slots:
    void balancesAndShowsCase()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("KL.txt"));
        QVERIFY(doc);
        QSignalSpy spy(doc, &CQENDoc::changed);
        // Watch the progress window while the run goes on.
        QStringList percents;
        bool ownerBlocked = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&]() {
            if (CProgressWnd* p = FindProgress()) {
                percents << p->PercentText();
                ownerBlocked = ownerBlocked || QApplication::activeModalWidget() == p;
                if (!p->StatusText().isEmpty() && percents.size() < 3)
                    Screenshot(p, QStringLiteral("dialog-progress"));
            }
        });
        watch.start(0);
        AnswerDialog(0, 6);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        watch.stop();
        QVERIFY(!percents.isEmpty());
        QCOMPARE(doc->Data().GetDrawSettings().Balanced, 1u);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        f.app->MainFrame()->UpdateCommandUI();
        QCOMPARE(f.app->MainFrame()->StatusPanes()->BalanceText(), QStringLiteral("已平差:最高时"));
        QVERIFY(doc->IsModified());
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<ZNetMsg>().Code, int(ZNetMsg::Balanced));
        QVERIFY(!FindProgress());
        for (const QString& p : percents)
            QVERIFY2(p.chopped(1).trimmed().toInt() <= 99, qPrintable(p));
        if (!percents.isEmpty())
            QVERIFY(ownerBlocked);
        QVERIFY(f.prompt->shown.empty());
        Screenshot(f.app->MainFrame(), QStringLiteral("main-balanced"));
    }

    void exampleTownBalancesAndKeepsResultsInProjectFile()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt"));
        QVERIFY(doc);
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        Screenshot(f.app->MainFrame(), QStringLiteral("main-town-balanced"));
        std::vector<double> heads;
        for (int i = 0; i < doc->Data().GetNetwork().NodeCount(); ++i)
            heads.push_back(doc->Data().GetNetwork().NodeAt(i)->NodeHydrElev);
        const QString path = f.dir.filePath("town.wnp");
        f.files->names.push_back(path);
        f.app->MainFrame()->ExecuteCommand(Cmd::FileSaveAs);
        QVERIFY(!doc->IsModified());
        f.app->MainFrame()->ExecuteCommand(Cmd::FileClose);
        QCOMPARE(f.app->Documents().size(), 0);
        CQENDoc* again = f.app->OpenDocumentFile(path);
        QVERIFY(again);
        QCOMPARE(again->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        QCOMPARE(again->Data().GetNetwork().NodeCount(), int(heads.size()));
        for (int i = 0; i < again->Data().GetNetwork().NodeCount(); ++i)
            QCOMPARE(again->Data().GetNetwork().NodeAt(i)->NodeHydrElev, heads[size_t(i)]);
        QVERIFY(f.prompt->shown.empty());
    }

    // The run's summary goes below what the report window held (here the import report): status,
    // passes, time, the supply of each source and the lowest free head with its node.
    void summaryFollowsTheImportReport()
    {
        AppFixture f;
        CQENDoc* doc = f.app->ImportEpanetFile(AppFixture::Network("Net1.inp"), 0);
        QVERIFY(doc);
        CReportWindow& report = f.app->ReportWindow();
        const QString imported = report.Text();
        QVERIFY(!imported.isEmpty());
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        Screenshot(&report, QStringLiteral("report-balance-after-import"));
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        QVERIFY(report.isVisible());
        const QString text = report.Text();
        QVERIFY2(text.startsWith(imported), qPrintable(text));
        const QString summary = text.mid(imported.size());
        QVERIFY2(summary.contains(QStringLiteral("状态: 收敛")), qPrintable(summary));
        QVERIFY(summary.contains(QStringLiteral("计算次数: ")));
        QVERIFY(summary.contains(QStringLiteral("用时 ")));
        // The figures, found here independently of the summary.
        const ZNetwork& net = doc->Data().GetNetwork();
        const ZConsumeNode* lowest = nullptr;
        for (const ZConsumeNode* n : net.Nodes()) {
            if (n->IsHeadKnown() && !n->IsDeviceNode())
                QVERIFY2(summary.contains(QStringLiteral("水源 \"%1\"  %2")
                                              .arg(QString::fromLatin1(n->IdView().Bytes()))
                                              .arg(-n->NodeFlow * 1000.0, 0, 'f', 2)),
                         qPrintable(summary));
            if (n->IsFlowKnown() && !n->IsHidden() && (!lowest || n->FreeHead() < lowest->FreeHead()))
                lowest = n;
        }
        QVERIFY(lowest);
        QVERIFY2(summary.contains(QStringLiteral("最低自由水头: %1 mH2O, 在节点\"%2\"")
                                      .arg(lowest->FreeHead(), 0, 'f', 2)
                                      .arg(QString::fromLatin1(lowest->IdView().Bytes()))),
                 qPrintable(summary));
        QVERIFY(f.prompt->shown.empty());
    }

    // Nodes below the minimum service head are listed; a negative free head is told at once.
    void lowAndNegativeFreeHeads()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZNetwork& net = doc->Data().GetNetwork();
        auto node = [&](const char* id, double x, double elev, double demand) {
            auto* n = new ZConsumeNode;
            n->SetId(GbkView(id));
            n->SetPosition(x, 0);
            n->NodeGrunElev = elev;
            n->NodeFlow = demand;
            net.AddNode(n);
            return n;
        };
        auto pipe = [&](const char* id, ZConsumeNode* a, ZConsumeNode* b) {
            auto* p = new ZPipeLink;
            p->SetId(GbkView(id));
            net.AddLink(a, b, p);
            p->UpdateAutoLength();
        };
        ZConsumeNode* r = node("R", 0, 0, 0);
        r->SetHeadKnown(true);
        r->NodeHydrElev = 50;
        ZConsumeNode* a = node("A", 500, 20, 0.01);
        ZConsumeNode* b = node("B", 1000, 45, 0.01);
        ZConsumeNode* c = node("C", 1500, 60, 0.01);
        pipe("1", r, a);
        pipe("2", a, b);
        pipe("3", b, c);
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        Screenshot(&f.app->ReportWindow(), QStringLiteral("report-balance-low-heads"));
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        QVERIFY(a->FreeHead() > 10.0 && b->FreeHead() > 0.0 && b->FreeHead() < 10.0 && c->FreeHead() < 0.0);
        QCOMPARE(int(f.prompt->shown.size()), 1);
        const QString told = QString::fromStdString(f.prompt->Last());
        QVERIFY2(told.contains(QStringLiteral("自由水头为负")) && told.contains(QStringLiteral("\"C\"")),
                 qPrintable(told));
        const QString text = f.app->ReportWindow().Text();
        QVERIFY2(text.contains(QStringLiteral("低于最小服务水头 10.00 mH2O 的节点: 2 个")), qPrintable(text));
        QVERIFY(text.indexOf(QStringLiteral("\"C\"  %1").arg(c->FreeHead(), 0, 'f', 2)) <
                text.indexOf(QStringLiteral("\"B\"  %1").arg(b->FreeHead(), 0, 'f', 2)));
        QVERIFY(!text.contains(QStringLiteral("\"A\"  ")));
    }

    void fireCaseAndPrecisionAreKept()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        AnswerDialog(1, 4);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:消防时"));
        QCOMPARE(doc->Data().GetDrawSettings().Params.HeadTolerance, 0.1 * 0.1 * 0.1 * 0.1);
        // Reopening shows "0.0000" again; cancelling with another case changes nothing.
        OnNextModal([](QWidget* w) {
            auto* combo = w->findChild<QComboBox*>("precisionCombo");
            QCOMPARE(combo->currentText(), QStringLiteral("0.0000"));
            QCOMPARE(w->findChild<QComboBox*>("caseCombo")->currentIndex(), 1);
            w->findChild<QComboBox*>("caseCombo")->setCurrentIndex(0);
            qobject_cast<QDialog*>(w)->reject();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->Data().GetDrawSettings().CalcCase, 1);
    }

    void factorOutOfRangeKeepsDialogOpen()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("Net1.txt"));
        OnNextModal([&f](QWidget* w) {
            auto* dlg = qobject_cast<CBalanceParamsDlg*>(w);
            auto* factor = dlg->findChild<QLineEdit*>("factorEdit");
            QVERIFY(!factor->isEnabled());
            dlg->findChild<QComboBox*>("caseCombo")->setCurrentIndex(2);
            QVERIFY(factor->isEnabled());
            factor->setText("1.2");
            dlg->accept();
            QVERIFY(dlg->isVisible());
            QCOMPARE(f.prompt->Last(), std::string("请输入一个介于0.0和1.0之间的数。"));
            factor->setText("1");
            dlg->accept();
            QVERIFY(!dlg->isVisible());
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->Data().GetDrawSettings().Params.AccidentFactor, 1.0);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:事故时"));
    }

    void precisionEntries()
    {
        ScriptedPrompt prompt;
        CBalanceParamsDlg dlg(prompt);
        dlg.SetValues(0, 0.75, 1.0);
        QCOMPARE(dlg.PrecisionIndex(), 0);
        dlg.SetValues(0, 0.75, 0.001);
        QCOMPARE(dlg.PrecisionIndex(), 3);
        auto* combo = dlg.findChild<QComboBox*>("precisionCombo");
        QCOMPARE(combo->count(), 7);
        QCOMPARE(combo->itemText(6), QStringLiteral("0.000000"));
        combo->setCurrentIndex(6);
        dlg.findChild<QLineEdit*>("factorEdit")->setText("0");
        dlg.accept();
        QCOMPARE(dlg.AccidentFactor(), 0.0);
        QCOMPARE(dlg.PrecisionIndex(), 6);
    }

    void stopConfirmedOrNot()
    {
        for (bool confirm : {false, true}) {
            AppFixture f;
            CQENDoc* doc = f.app->OpenDocumentFile(AppFixture::Network("L-TOWN.txt"));
            QVERIFY(doc);
            bool pressed = false;
            QTimer press;
            connect(&press, &QTimer::timeout, [&]() {
                if (CProgressWnd* p = FindProgress(); p && !pressed) {
                    p->PressCancel();
                    pressed = true;
                }
            });
            press.start(0);
            f.prompt->answers = {confirm ? UiPrompt::Yes : UiPrompt::No};
            AnswerDialog(0, 6);
            f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
            press.stop();
            QVERIFY(pressed);
            QCOMPARE(f.prompt->shown.front(), std::string("确认终止平差计算吗?"));
            QCOMPARE(doc->BalanceStatusText(), confirm ? QStringLiteral("未平差") : QStringLiteral("已平差:最高时"));
            QVERIFY(doc->IsModified());
        }
    }

    void splitNetworkShowsReport()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZNetwork& net = doc->Data().GetNetwork();
        auto node = [&](const char* id, double x) {
            auto* n = new ZConsumeNode;
            n->SetId(GbkView(id));
            n->SetPosition(x, 0);
            net.AddNode(n);
            return n;
        };
        ZConsumeNode* a = node("A", 0);
        ZConsumeNode* b = node("B", 100);
        auto* p = new ZPipeLink;
        p->SetId("1");
        net.AddLink(a, b, p);
        node("C", 300);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        CReportWindow& report = f.app->ReportWindow();
        QVERIFY(report.isVisible());
        QCOMPARE(report.windowTitle(), QStringLiteral("管网连通性检查报告"));
        QVERIFY(report.Text().startsWith(
            QStringLiteral("管网连通性检查报告: %1\n搜索到2个连通网络, 不能进行管网平差!").arg(doc->Title())));
        QVERIFY(report.Text().contains(QStringLiteral("网络1, 起始节点\"C\"")));
        QVERIFY(report.Editor()->isReadOnly());
        QVERIFY(!doc->IsModified());
        Screenshot(&report, QStringLiteral("report-window"));
    }

    void divergedAndNoHeadMessages()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZNetwork& net = doc->Data().GetNetwork();
        auto node = [&](const char* id, double demand) {
            auto* n = new ZConsumeNode;
            n->SetId(GbkView(id));
            n->NodeFlow = demand;
            net.AddNode(n);
            return n;
        };
        auto pipe = [&](const char* id, ZConsumeNode* a, ZConsumeNode* b) {
            auto* p = new ZPipeLink;
            p->SetId(GbkView(id));
            p->ClearFlag(qen::FLAG_AUTO_LENGTH);
            p->PipeLength = 1000;
            net.AddLink(a, b, p);
            return p;
        };
        ZConsumeNode* r = node("R", 0);
        ZConsumeNode* a = node("A", 0.01);
        ZConsumeNode* b = node("B", 0.01);
        pipe("1", r, a);
        pipe("2", a, b)->SetFlag(qen::FLAG_ACCIDENT_PIPE);

        // No head-known node at all.
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(f.prompt->Last(), std::string("没有足够的已知水压节点!"));
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("未平差"));
        QVERIFY(doc->IsModified());

        // The accident pipe cuts B off from the source: the run says so instead of failing silently.
        r->SetHeadKnown(true);
        r->NodeHydrElev = 50;
        AnswerDialog(2, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QVERIFY(QString::fromStdString(f.prompt->Last()).startsWith(QStringLiteral("平差计算发散")));
        QVERIFY(QString::fromStdString(f.prompt->Last()).contains(QStringLiteral("\"B\"")));
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("未平差"));

        // The peak-hour case reaches B through the pipe and converges.
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
    }

    // A zero diameter is named before the run; a check valve against the flow is listed afterwards.
    void invalidDataAndCheckValveReport()
    {
        AppFixture f;
        CQENDoc* doc = f.app->NewDocument();
        ZNetwork& net = doc->Data().GetNetwork();
        auto node = [&](const char* id, double x, double demand) {
            auto* n = new ZConsumeNode;
            n->SetId(GbkView(id));
            n->SetPosition(x, 0);
            n->NodeFlow = demand;
            net.AddNode(n);
            return n;
        };
        auto pipe = [&](const char* id, ZConsumeNode* a, ZConsumeNode* b) {
            auto* p = new ZPipeLink;
            p->SetId(GbkView(id));
            net.AddLink(a, b, p);
            return p;
        };
        ZConsumeNode* r = node("R", 0, 0);
        r->SetHeadKnown(true);
        r->NodeHydrElev = 50;
        ZConsumeNode* a = node("A", 100, 0);
        ZConsumeNode* x = node("X", 200, 0);
        ZConsumeNode* b = node("B", 210, 0);
        pipe("1", r, a);
        ZPipeLink* p2 = pipe("2", a, x);
        pipe("3", b, node("D", 300, 0.01));
        auto* v = new ZValveLink;
        v->SetId("VBACK");
        v->SetValveType(ZValveLink::Check);
        net.AddLink(b, x, v);

        p2->PipeInDiam = 0.0;
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        const QString invalid = QString::fromStdString(f.prompt->Last());
        QVERIFY2(invalid.contains(QStringLiteral("管段\"2\"")) && invalid.contains(QStringLiteral("PipeInDiam")),
                 qPrintable(invalid));
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("未平差"));

        p2->PipeInDiam = 0.3;
        AnswerDialog(0, 3);
        f.app->MainFrame()->ExecuteCommand(Cmd::Balance);
        QCOMPARE(doc->BalanceStatusText(), QStringLiteral("已平差:最高时"));
        CReportWindow& report = f.app->ReportWindow();
        QVERIFY(report.isVisible());
        QCOMPARE(report.windowTitle(), QStringLiteral("平差结果"));
        QVERIFY2(report.Text().contains(QStringLiteral("止回阀\"VBACK\"")), qPrintable(report.Text()));
        Screenshot(&report, QStringLiteral("report-check-valves"));
    }

    void progressWindowPercent()
    {
        CProgressWnd w(nullptr, QStringLiteral("管网平差"));
        QCOMPARE(w.PercentText(), QStringLiteral(" 0 %"));
        w.SetRange(0, 1000);
        w.SetPos(425);
        QCOMPARE(w.PercentText(), QStringLiteral("42%"));
        w.SetPos(999);
        QCOMPARE(w.PercentText(), QStringLiteral("99%"));
        w.SetPos(1000);
        QCOMPARE(w.PercentText(), QStringLiteral("100%"));
        QVERIFY(!w.CheckCancel());
        w.reject();   // Escape and the close box count as "放弃"
        QVERIFY(w.isVisible());
        QVERIFY(w.CheckCancel());
        QVERIFY(!w.CheckCancel());
    }
};

QTEST_MAIN(TestBalanceCommand)
#include "test_BalanceCommand.moc"
