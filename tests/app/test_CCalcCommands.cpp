// The calculation commands driven through the main frame with their real dialogs: node flows,
// network cost, contour settings with generation and the stop question, and the calculator.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/dialogs/CContourDlg.h"
#include "app/dialogs/CContourProgress.h"
#include "app/commands/CContourRun.h"
#include "app/frames/CMainFrame.h"
#include "app/dialogs/CNetCostDlg.h"
#include "app/dialogs/CNodeFlowDlg.h"
#include "app/dialogs/CParamCalcDlg.h"
#include "views/CProgressWnd.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/CReportWindow.h"
#include "views/CommandIds.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZFlowAllocation.h"
#include "model/KeyValueStore.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZSettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>

namespace {
const QString Town = QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt");

void Balance(CQENDoc* doc)
{
    ZBalanceRun run(doc->Data());
    QVERIFY(run.CheckConnectivity());
    run.Run();
    QVERIFY(run.ResultsChanged());
}

double DemandSum(const CQENDoc* doc)
{
    double s = 0;
    for (const ZConsumeNode* n : doc->Data().GetNetwork().Nodes())
        s += n->NodeFlow;
    return s;
}
}   // namespace

class TestCCalcCommands : public QObject {
    Q_OBJECT
private slots:
    void nodeFlowsAllocateAsOneUndoStep()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        const double before = DemandSum(doc);
        QString shownTotal;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CNodeFlowDlg*>(w);
            QVERIFY(dlg);
            Screenshot(dlg, QStringLiteral("dialog-node-flow"));
            shownTotal = dlg->TotalEdit()->text();
            dlg->TotalEdit()->setText(QStringLiteral("-5"));
            dlg->accept();   // refused: stays open
            QCOMPARE(f.prompt->Last(), std::string("请输入一个介于0和1e+10之间的数。"));
            dlg->TotalEdit()->setText(QStringLiteral("200"));
            dlg->accept();
        });
        f.prompt->answers = {UiPrompt::Yes};
        f.app->MainFrame()->ExecuteCommand(Cmd::NodeFlows);
        QCOMPARE(shownTotal, QStringLiteral("149"));   // l/s of the ordinary flow-known nodes
        QCOMPARE(f.prompt->shown.back(), std::string("自动分配节点流量将导致原有的节点流量数据丢失,确认吗?"));
        QVERIFY(std::fabs(DemandSum(doc) - 0.2) < 1e-12);
        QVERIFY(doc->IsModified());
        QVERIFY(doc->Data().Undo());
        QVERIFY(std::fabs(DemandSum(doc) - before) < 1e-12);

        // "No" to the question changes nothing.
        OnNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        f.prompt->answers = {UiPrompt::No};
        f.app->MainFrame()->ExecuteCommand(Cmd::NodeFlows);
        QVERIFY(std::fabs(DemandSum(doc) - before) < 1e-12);
    }

    void netCostReportsAndRemembers()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        Balance(doc);
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CNetCostDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->Edit(0)->text(), QStringLiteral("100"));
            QVERIFY(!dlg->DateEdit()->isEnabled() == dlg->WholeNetworkBox()->isChecked());
            dlg->WholeNetworkBox()->setChecked(true);
            QVERIFY(!dlg->DateEdit()->isEnabled());
            // Out of range: a negative price and an exponent past 10 are refused, the dialog stays.
            for (const auto& [edit, text] : {std::pair{3, "-0.5"}, std::pair{2, "11"}, std::pair{0, "inf"}}) {
                const QString kept = dlg->Edit(edit)->text();
                dlg->Edit(edit)->setText(QString::fromLatin1(text));
                dlg->accept();
                QVERIFY(dlg->isVisible());
                QVERIFY2(f.prompt->Last().find("之间的数") != std::string::npos, f.prompt->Last().c_str());
                dlg->Edit(edit)->setText(kept);
            }
            dlg->Edit(3)->setText(QStringLiteral("0.5"));
            Screenshot(dlg, QStringLiteral("dialog-net-cost"));
            dlg->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::NetCost);
        CReportWindow& report = f.app->MainFrame()->ReportWindow();
        const QString text = report.findChild<QTextEdit*>()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("总共计算58根管道, 总计造价为")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("计算了1个水泵, 总计开机运行费用为")));
        QVERIFY(report.windowTitle().contains(QStringLiteral("费用结果报表")));
        QCOMPARE(doc->Data().GetDrawSettings().Params.ElecPrice, 0.5);
        QCOMPARE(f.app->Profile().GetDouble("NetCostDlg", "ElecCoef", 0), 0.5);
        QCOMPARE(f.app->Profile().GetInt("NetCostDlg", "AllNet", 0), 1);
        Screenshot(&report, QStringLiteral("report-net-cost"));
    }

    void contourSettingsGenerateAndRefuseBadIntervals()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        Balance(doc);
        ZDrawSettings& ds = doc->Data().GetDrawSettings();
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CContourDlg*>(w);
            QVERIFY(dlg);
            QVERIFY(!dlg->KindCombo()->isEnabled());
            dlg->EnabledBox()->setChecked(true);
            QVERIFY(dlg->KindCombo()->isEnabled() && dlg->ColourButton(1)->isEnabled());
            dlg->FillBox()->setChecked(false);
            QVERIFY(!dlg->ColourButton(1)->isEnabled() && !dlg->ColourButton(2)->isEnabled());
            dlg->FillBox()->setChecked(true);
            for (const char* bad : {"0", "-1", "abc", "nan"}) {
                dlg->IntervalEdit()->setText(QString::fromLatin1(bad));
                dlg->accept();
                QVERIFY(dlg->isVisible());
            }
            QCOMPARE(f.prompt->Last(), std::string("等压间隔必须是大于零的数！"));
            dlg->KindCombo()->setCurrentIndex(1);
            dlg->IntervalEdit()->setText(QStringLiteral("2"));
            Screenshot(dlg, QStringLiteral("dialog-contours"));
            dlg->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Contours);
        QCOMPARE(ds.ContourOption, 1u);
        QCOMPARE(ds.ContourKind, 1);
        QCOMPARE(ds.ContourInterval, 2.0);
        QVERIFY(doc->Data().GetContours().Polygons.size() > 10);
        Screenshot(f.app->MainFrame(), QStringLiteral("main-contours"));

        // An interval far too small: generation refuses it and switches contours off.
        f.prompt->shown.clear();
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CContourDlg*>(w);
            dlg->KindCombo()->setCurrentIndex(0);   // a change of kind regenerates
            dlg->IntervalEdit()->setText(QStringLiteral("-1"));
            dlg->accept();   // refused in the dialog
            QCOMPARE(f.prompt->Last(), std::string("等压间隔必须是大于零的数！"));
            dlg->IntervalEdit()->setText(QStringLiteral("0.0001"));
            f.prompt->answers = {UiPrompt::No};   // 600,000 levels: refused without asking
            dlg->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Contours);
        QCOMPARE(ds.ContourOption, 0u);
        QVERIFY(doc->Data().GetContours().Polygons.empty());
        QVERIFY(f.prompt->Last().find("等压线太多") != std::string::npos);
    }

    // Contours regenerated after a balance or when a view opens, with the stored 0.2 m giving
    // hundreds of levels: a readable interval is proposed; taken, it is stored; declined, the
    // stored one is used and not proposed again for this document.
    void automaticRegenerationProposesAReadableInterval()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        Balance(doc);
        ZDrawSettings& ds = doc->Data().GetDrawSettings();
        const ZNetwork& net = doc->Data().GetNetwork();
        ds.ContourOption = 1;
        ds.ContourInterval = 0.2;
        QVERIFY(ZContourGenerator::LevelCount(net, 0, 0.2) > ZContourGenerator::ReadableLevels);
        doc->Data().SetSaved();
        f.prompt->shown.clear();
        f.prompt->answers = {UiPrompt::Yes};
        QVERIFY(CContourRun::GenerateIfShown(*doc, nullptr, *f.prompt));
        QCOMPARE(f.prompt->shown.size(), size_t(1));
        QVERIFY(f.prompt->Last().find("改用建议的间隔") != std::string::npos);
        const double proposed = ZContourGenerator::ProposedInterval(net, 0);
        QCOMPARE(ds.ContourInterval, proposed);
        QVERIFY(ZContourGenerator::LevelCount(net, 0, proposed) <= ZContourGenerator::ProposedLevels);
        QCOMPARE(doc->Data().GetContours().Interval, proposed);
        QVERIFY(doc->IsModified());

        ds.ContourInterval = 0.2;
        f.prompt->answers = {UiPrompt::No};
        QVERIFY(CContourRun::GenerateIfShown(*doc, nullptr, *f.prompt));
        QCOMPARE(ds.ContourInterval, 0.2);
        QCOMPARE(doc->Data().GetContours().Interval, 0.2);
        f.prompt->shown.clear();
        QVERIFY(CContourRun::GenerateIfShown(*doc, nullptr, *f.prompt));   // declined: not asked again
        QVERIFY(f.prompt->shown.empty());
        QCOMPARE(f.prompt->unexpected, 0);
    }

    void stopQuestionDuringGeneration()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        Balance(doc);
        ZDrawSettings& ds = doc->Data().GetDrawSettings();
        ds.ContourOption = 1;
        ds.ContourInterval = 0.05;   // about 1000 levels: long enough to press "放弃"
        f.prompt->answers = {UiPrompt::Yes};
        bool pressed = false;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            if (CContourProgress* p = CContourProgress::Current(); p && !pressed) {
                QCOMPARE(p->Window()->windowTitle(), QStringLiteral("正在创建等压线..."));
                QCOMPARE(p->Window()->StatusText(), QStringLiteral("等压线生成中，请稍后..."));
                p->Window()->PressCancel();
                pressed = true;
            }
        });
        press.start(0);
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CContourDlg*>(w);
            dlg->IntervalEdit()->setText(QStringLiteral("0.01"));   // 4,700 levels: asked first
            // The readable interval proposed is declined, then the many levels confirmed.
            f.prompt->answers = {UiPrompt::No, UiPrompt::Yes, UiPrompt::Yes};
            dlg->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Contours);
        press.stop();
        QVERIFY(pressed);
        QVERIFY(std::find(f.prompt->shown.begin(), f.prompt->shown.end(), std::string("确认要终止本操作吗？")) !=
                f.prompt->shown.end());
        QCOMPARE(ds.ContourOption, 0u);
        QVERIFY(doc->Data().GetContours().Polygons.empty());
        QVERIFY(doc->IsModified());
    }

    void calculatorChangesTheSelectionOrEverything()
    {
        AppFixture f;
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        ZNetwork& net = doc->Data().GetNetwork();
        auto* p01 = static_cast<ZPipeLink*>(net.FindLink("P01"));
        auto* p02 = static_cast<ZPipeLink*>(net.FindLink("P02"));
        const double l1 = p01->PipeLength, l2 = p02->PipeLength;
        p02->SetFlag(qen::FLAG_SELECTED);
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CParamCalcDlg*>(w);
            QVERIFY(dlg);
            QVERIFY(dlg->SelectedButton()->isEnabled());
            QCOMPARE(dlg->PreviewLabel()->text(), QStringLiteral("节点用水量=节点用水量+0"));
            QCOMPARE(dlg->ExpressionLabel()->text(), QStringLiteral("计算表达式: 单位(l/s)"));
            dlg->ParamCombo()->setCurrentIndex(3);
            dlg->OpCombo()->setCurrentIndex(3);
            dlg->AmountEdit()->setText(QStringLiteral("0"));
            dlg->ApplyButton()->click();
            QCOMPARE(f.prompt->Last(), std::string("除数不能为零！"));
            QVERIFY(dlg->AmountEdit()->hasFocus() || !dlg->isActiveWindow());
            dlg->OpCombo()->setCurrentIndex(2);
            dlg->AmountEdit()->setText(QStringLiteral("1.1"));
            QCOMPARE(dlg->PreviewLabel()->text(), QStringLiteral("管道长度=管道长度*1.1"));
            dlg->SelectedButton()->setChecked(true);
            Screenshot(dlg, QStringLiteral("dialog-calculator"));
            dlg->ApplyButton()->click();
            dlg->ApplyButton()->click();   // each press applies again
            // Subtracting more than any length: refused, nothing changes.
            dlg->WholeButton()->setChecked(true);
            dlg->OpCombo()->setCurrentIndex(1);
            dlg->AmountEdit()->setText(QStringLiteral("100000"));
            dlg->ApplyButton()->click();
            dlg->reject();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Calculator);
        QCOMPARE(p01->PipeLength, l1);
        QVERIFY(std::fabs(p02->PipeLength - l2 * 1.21) < 1e-9);
        QVERIFY(!p02->IsAutoLength());
        QVERIFY(f.prompt->Last().find("将不大于零") != std::string::npos);
        // Two presses, two undo steps.
        QVERIFY(doc->Data().Undo());
        QVERIFY(std::fabs(p02->PipeLength - l2 * 1.1) < 1e-9);
        QVERIFY(doc->Data().Undo());
        QCOMPARE(p02->PipeLength, l2);
    }
};

QTEST_MAIN(TestCCalcCommands)
#include "test_CCalcCommands.moc"
