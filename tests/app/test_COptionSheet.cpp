// The options sheet: its pages load the settings, refuse bad fields, write on OK only, and the
// options command refreshes every document.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "ScriptedPrompt.h"

#include "app/dialogs/CColorCombo.h"
#include "app/frames/CMainFrame.h"
#include "app/options/COptionCalcPage.h"
#include "app/options/COptionColorSizePage.h"
#include "app/options/COptionGradePage.h"
#include "app/options/COptionLabelPage.h"
#include "app/options/COptionLabelPreview.h"
#include "app/options/COptionPrnLabPage.h"
#include "app/options/COptionSavePage.h"
#include "app/options/COptionSheet.h"
#include "app/options/COptionToolTipPage.h"
#include "app/options/COptionUnitPage.h"
#include "app/commands/CQENDoc.h"
#include "model/MemoryKeyValueStore.h"
#include "model/ZDrawSettings.h"
#include "model/ZSettingsStore.h"
#include "views/CommandIds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

class TestCOptionSheet : public QObject {
    Q_OBJECT

    struct Sheet {
        ZSettingsStore settings;
        ZDrawSettings draw;
        ScriptedPrompt prompt;
        std::unique_ptr<COptionSheet> sheet;
        Sheet() { sheet = std::make_unique<COptionSheet>(settings, draw, &prompt); }
    };

private slots:
    void sevenPagesInOrderAndTheRecoveryPage()
    {
        Sheet s;
        QCOMPARE(s.sheet->windowTitle(), QStringLiteral("选项"));
        const QStringList titles = {"提示",         "标注", "工程标注", "颜色和尺寸", "管道颜色梯度",
                                    "节点颜色梯度", "单位", "平差",     "保存"};
        QCOMPARE(s.sheet->Tabs()->count(), titles.size());
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(s.sheet->Tabs()->tabText(i), titles[i]);
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            s.sheet->resize(640, 480);
            s.sheet->show();
            for (int i = 0; i < titles.size(); ++i) {
                s.sheet->Tabs()->setCurrentIndex(i);
                QApplication::processEvents();
                Screenshot(s.sheet.get(), QStringLiteral("options_%1").arg(i + 1));
            }
        }
    }

    void defaultTooltipItemsAndDisabledWhileOff()
    {
        Sheet s;
        auto* page = s.sheet->PageOf<COptionToolTipPage>();
        QVERIFY(page->ShowTips()->isChecked());
        // Node id and coordinates, pipe id and diameter, the ids of pumps, valves and tanks.
        QVERIFY(page->ItemBox(0, 1)->isChecked() && page->ItemBox(0, 2)->isChecked());
        QVERIFY(!page->ItemBox(0, 4)->isChecked() && !page->ItemBox(0, 32)->isChecked());
        QVERIFY(page->ItemBox(1, 1)->isChecked() && page->ItemBox(1, 4)->isChecked());
        QVERIFY(!page->ItemBox(1, 8)->isChecked());
        for (int k = 2; k < 5; ++k)
            QVERIFY(page->ItemBox(k, 1)->isChecked() && !page->ItemBox(k, 2)->isChecked());
        page->ShowTips()->setChecked(false);
        QVERIFY(!page->ItemBox(1, 512)->isEnabled());
        page->ItemBox(1, 512)->setChecked(true);
        s.sheet->accept();
        QCOMPARE(s.settings.ToolTipOn, false);
        QCOMPARE(s.settings.LabelTip().PipeTip, 5 | 512);
    }

    void labelsOffDisablesTheGroupsAndHidesLabelsInEveryDocument()
    {
        AppFixture f;
        CQENDoc* a = f.app->NewDocument();
        CQENDoc* b = f.app->NewDocument();
        int hintsA = 0, hintsB = 0;
        connect(a, &CQENDoc::changed, this, [&](const ZNetMsg& m) { hintsA += m.Code == ZNetMsg::OptionsChanged; });
        connect(b, &CQENDoc::changed, this, [&](const ZNetMsg& m) { hintsB += m.Code == ZNetMsg::OptionsChanged; });
        bool disabled = false;
        OnNextModal([&](QWidget* w) {
            auto* sheet = qobject_cast<COptionSheet*>(w);
            QVERIFY(sheet);
            auto* page = sheet->PageOf<COptionLabelPage>();
            page->ShowLabels()->setChecked(false);
            disabled = !page->GroupBox(0)->isEnabled() && !page->GroupBox(4)->isEnabled();
            sheet->accept();
        });
        f.app->MainFrame()->ExecuteCommand(Cmd::Options);
        QVERIFY(disabled);
        QCOMPARE(f.app->Settings().LabelOn, false);
        QCOMPARE(hintsA, 1);
        QCOMPARE(hintsB, 1);
        // Labels alone do not touch the documents.
        QVERIFY(!a->IsModified() && !b->IsModified());
    }

    void cancelDiscardsEveryPage()
    {
        Sheet s;
        s.sheet->PageOf<COptionLabelPage>()->ShowLabels()->setChecked(false);
        s.sheet->PageOf<COptionColorSizePage>()->NodeSizeEdit()->setText("10");
        s.sheet->PageOf<COptionUnitPage>()->UnitBox(2)->setCurrentIndex(1);
        s.sheet->reject();
        QCOMPARE(s.settings.LabelOn, true);
        QCOMPARE(s.settings.Sizes().NodeWidth, 6);
        QCOMPARE(s.settings.Units().FlowUnit().UnitIndex(), ZSettingsStore().Units().FlowUnit().UnitIndex());
    }

    void nodeGradeLimitsOutOfOrderKeepThePage()
    {
        Sheet s;
        auto* page = s.sheet->PageOf<COptionGradePage>();   // the pipe page comes first
        auto* nodes = qobject_cast<COptionGradePage*>(s.sheet->Page(5));
        QVERIFY(page && nodes && nodes->Title() == QStringLiteral("节点颜色梯度"));
        s.sheet->Tabs()->setCurrentIndex(5);
        nodes->GradeOn()->setChecked(true);
        const double v[] = {10, 5, 20, 30};
        for (int i = 0; i < 4; ++i)
            nodes->Limit(i)->setValue(v[i]);
        s.sheet->Tabs()->setCurrentIndex(0);
        QCOMPARE(s.sheet->Tabs()->currentIndex(), 5);
        QCOMPARE(QString::fromStdString(s.prompt.Last()), QStringLiteral("请键入小于5的数!"));
        // The middle limits must lie between their neighbours, the last above the one before.
        nodes->Limit(0)->setValue(1);
        nodes->Limit(2)->setValue(40);
        s.sheet->accept();
        QVERIFY(s.sheet->result() != QDialog::Accepted);
        QVERIFY(QString::fromStdString(s.prompt.Last()).contains(QStringLiteral("介于")));
        // Fields are checked in their order: a last limit below the third fails the third's check.
        nodes->Limit(2)->setValue(25);
        nodes->Limit(3)->setValue(24);
        s.sheet->accept();
        QCOMPARE(QString::fromStdString(s.prompt.Last()), QStringLiteral("请输入一个介于5和24之间的数。"));
        nodes->Limit(3)->setValue(26);
        nodes->ColorBox(4)->SetColorRef(0x123456);
        s.sheet->accept();
        QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
        QVERIFY(s.sheet->GradingChanged());
        QCOMPARE(s.draw.NodeGradeOn, 1u);
        const std::vector<double>& t = s.draw.NodeHeadGrades;   // the default node quantity is head
        QCOMPARE(t, (std::vector<double>{1, 5, 25, 26}));
        QCOMPARE(s.settings.Colors().NodeGradeColors[4], 0x123456u);
    }

    void gradeTablesAreKeptPerQuantityInDisplayUnits()
    {
        Sheet s;
        s.draw.PipeFlowGrades = {0.01, 0.02, 0.03, 0.04};   // m3/s, shown in l/s
        s.sheet = std::make_unique<COptionSheet>(s.settings, s.draw, &s.prompt);
        auto* pipes = qobject_cast<COptionGradePage*>(s.sheet->Page(4));
        pipes->GradeOn()->setChecked(true);
        pipes->Quantity()->setCurrentIndex(ZDrawSettings::PipeByFlow);
        QCOMPARE(pipes->Limit(1)->value(), 20.0);
        pipes->Limit(3)->setValue(50);
        pipes->Quantity()->setCurrentIndex(ZDrawSettings::PipeByDiameter);
        pipes->Quantity()->setCurrentIndex(ZDrawSettings::PipeByFlow);
        QCOMPARE(pipes->Limit(3)->value(), 50.0);
        s.sheet->accept();
        QCOMPARE(s.draw.PipeGradeMode, int(ZDrawSettings::PipeByFlow));
        QVERIFY(std::fabs(s.draw.PipeFlowGrades[3] - 0.05) < 1e-12);
        QCOMPARE(s.draw.PipeFlowGrades[0], 0.01);   // untouched limits keep their exact value
    }

    void nodeSizeAndLineWidthRanges()
    {
        Sheet s;
        auto* page = s.sheet->PageOf<COptionColorSizePage>();
        s.sheet->Tabs()->setCurrentIndex(3);
        page->NodeSizeEdit()->setText("13");
        s.sheet->accept();
        QVERIFY(s.sheet->result() != QDialog::Accepted);
        QVERIFY(QString::fromStdString(s.prompt.Last()).contains(QStringLiteral("4")));
        page->NodeSizeSlider()->setValue(12);
        QCOMPARE(page->NodeSizeEdit()->text(), QStringLiteral("12"));
        page->LineWidthEdit()->setText("0");
        QVERIFY(!page->CheckPage());
        page->LineWidthEdit()->setText("3");
        QCOMPARE(page->LineWidthSlider()->value(), 3);
        page->ColorBox(COptionColorSizePage::Background)->SetColorRef(0x000000);
        s.sheet->accept();
        QCOMPARE(s.settings.Sizes().NodeWidth, 12);
        QCOMPARE(s.settings.Sizes().PipePenWidth, 3);
        QCOMPARE(s.settings.Colors().BkGround, 0u);
    }

    void engineeringLabelItemsPrefixesAndPreview()
    {
        Sheet s;
        auto* page = s.sheet->PageOf<COptionPrnLabPage>();
        // Defaults: node flow and head; pipe diameter and length above, flow and pressure drop below.
        QVERIFY(page->ItemBox(0, 2)->isChecked() && page->ItemBox(0, 5)->isChecked());
        QVERIFY(!page->PrefixEdit(0, 0)->isEnabled());
        QVERIFY(page->Preview()->NodeText().contains(QStringLiteral("Q=")));
        QVERIFY(page->Preview()->PipeUpper().contains(QStringLiteral("D=")));
        page->ItemBox(0, 0)->setChecked(true);
        QVERIFY(page->PrefixEdit(0, 0)->isEnabled());
        page->PrefixEdit(0, 0)->setText(QStringLiteral("编号:"));
        QVERIFY(page->Preview()->NodeText().startsWith(QStringLiteral("编号:J12")));
        page->Separator()->setText("/");
        QVERIFY(page->Preview()->PipeUpper().contains(QLatin1Char('/')));
        s.sheet->accept();
        QCOMPARE(s.settings.LabelTip().NodeFlags, 20 | 1);
        QCOMPARE(s.settings.LabelTip().PipeSep.Bytes(), std::string("/"));
        QVERIFY(!s.settings.LabelTip().NodeId.empty());
    }

    // The minimum service head the balancing summary checks against: metres from 0 to 100.
    void minimumServiceHead()
    {
        Sheet s;
        auto* page = s.sheet->PageOf<COptionCalcPage>();
        QCOMPARE(page->MinFreeHead()->text(), QStringLiteral("10"));
        s.sheet->Tabs()->setCurrentWidget(page);
        for (const char* bad : {"abc", "-1", "120"}) {
            page->MinFreeHead()->setText(QString::fromLatin1(bad));
            s.sheet->accept();
            QVERIFY(s.sheet->result() != QDialog::Accepted);
            QCOMPARE(s.prompt.Last(), std::string("请输入一个介于0和100之间的数。"));
            QCOMPARE(s.settings.MinFreeHead, 10.0);
        }
        page->MinFreeHead()->setText(QStringLiteral("28"));
        s.sheet->accept();
        QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
        QCOMPARE(s.settings.MinFreeHead, 28.0);
    }

    void unitsLabelScaleAndRecoverySettingsSurviveARestart()
    {
        Sheet s;
        s.sheet->PageOf<COptionUnitPage>()->UnitBox(UnitSystem::Flow)->setCurrentIndex(1);
        s.sheet->PageOf<COptionUnitPage>()->FormatBox(UnitSystem::Flow)->setCurrentIndex(0);
        auto* labels = s.sheet->PageOf<COptionLabelPage>();
        labels->MaxScale()->setText("abc");
        s.sheet->Tabs()->setCurrentIndex(1);
        s.sheet->accept();
        QVERIFY(s.sheet->result() != QDialog::Accepted);
        labels->MaxScale()->setText("2.5");
        labels->Group(1)->button(3)->setChecked(true);
        s.sheet->PageOf<COptionSavePage>()->Minutes()->setValue(0);
        s.sheet->PageOf<COptionSavePage>()->KeepBackup()->setChecked(false);
        s.sheet->accept();
        QCOMPARE(s.sheet->result(), int(QDialog::Accepted));
        QVERIFY(!s.sheet->GradingChanged());
        MemoryKeyValueStore profile;
        s.settings.Save(profile);
        ZSettingsStore back;
        back.Load(profile);
        QCOMPARE(back.Units().FlowUnit().UnitIndex(), 1);
        QCOMPARE(back.Units().FlowUnit().Precision(), back.Units().FlowUnit().MinPrecision());
        QCOMPARE(back.LabelTip().MaxLabelScale, 2.5);
        QCOMPARE(back.LabelTip().PipeLabel, 3);
        QCOMPARE(back.AutoSaveMinutes, 0);
        QCOMPARE(back.KeepBackup, false);
    }
};

QTEST_MAIN(TestCOptionSheet)
#include "test_COptionSheet.moc"
