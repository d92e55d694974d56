// Dialog 192 on its own: what asks for new contours and what only for a redraw, the enabling
// rules and the interval in the display head unit.
#include "ScriptedPrompt.h"
#include "app/dialogs/CContourDlg.h"

#include "model/UnitSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestCContourDlg : public QObject {
    Q_OBJECT
    UnitSystem units;
    ScriptedPrompt prompt;

    CContourDlg::Values Start()
    {
        CContourDlg::Values v;
        v.enabled = true;
        v.interval = 0.2;
        v.highest = 0x0000FF;
        v.lowest = 0x00FF00;
        v.line = 0;
        return v;
    }

private slots:
    void sameValuesAskForNothing()
    {
        CContourDlg dlg(units.Hydr(), prompt);
        dlg.SetValues(Start());
        QCOMPARE(dlg.IntervalEdit()->text(), QStringLiteral("0.2"));
        dlg.IntervalEdit()->setText(QStringLiteral("0.2000000000000001"));   // within rounding: unchanged
        dlg.accept();
        QVERIFY(!dlg.NeedsRegeneration());
        QVERIFY(!dlg.NeedsRedraw());
        QCOMPARE(dlg.GetValues().interval, 0.2);
    }

    void labelsAndColoursOnlyRedraw()
    {
        CContourDlg dlg(units.Hydr(), prompt);
        dlg.SetValues(Start());
        dlg.LabelsBox()->setChecked(false);
        dlg.SetPickerColour(2, 0x123456);
        dlg.accept();
        QVERIFY(!dlg.NeedsRegeneration());
        QVERIFY(dlg.NeedsRedraw());
        QCOMPARE(dlg.GetValues().line, 0x123456u);
        QVERIFY(!dlg.GetValues().labels);
    }

    void kindOrIntervalRegenerate()
    {
        for (int change = 0; change < 3; ++change) {
            CContourDlg dlg(units.Hydr(), prompt);
            dlg.SetValues(Start());
            if (change == 0)
                dlg.KindCombo()->setCurrentIndex(1);
            else if (change == 1)
                dlg.IntervalEdit()->setText(QStringLiteral("0.5"));
            else
                dlg.EnabledBox()->setChecked(false);
            dlg.accept();
            QVERIFY(dlg.NeedsRegeneration());
        }
    }

    // With results the dialog knows how many levels an interval gives: past what can be read it
    // proposes an interval from the value range; the user may keep their own.
    void denseIntervalIsOfferedAReadableOne()
    {
        auto count = [](int, double interval) { return static_cast<long>(50.0 / interval) + 1; };
        auto propose = [](int kind) { return kind == 0 ? 5.0 : 2.0; };
        for (UiPrompt::Answer answer : {UiPrompt::Yes, UiPrompt::No}) {
            CContourDlg dlg(units.Hydr(), prompt);
            dlg.SetValues(Start());
            dlg.SetLevelCounter(count, propose);
            prompt.shown.clear();
            prompt.answers = {answer};
            dlg.accept();
            QCOMPARE(prompt.shown.size(), size_t(1));
            QCOMPARE(prompt.Last(),
                     std::string("等压间隔0.2mH2O将生成251条等压线，线条过密难以看清。改用建议的间隔5mH2O吗？"));
            QCOMPARE(dlg.GetValues().interval, answer == UiPrompt::Yes ? 5.0 : 0.2);
            QCOMPARE(dlg.NeedsRegeneration(), answer == UiPrompt::Yes);
            QCOMPARE(dlg.IntervalEdit()->text(), answer == UiPrompt::Yes ? QStringLiteral("5") : QStringLiteral("0.2"));
        }
        // A readable interval, or contours switched off, asks nothing.
        for (bool enabled : {true, false}) {
            CContourDlg dlg(units.Hydr(), prompt);
            CContourDlg::Values v = Start();
            v.enabled = enabled;
            dlg.SetValues(v);
            dlg.SetLevelCounter(count, propose);
            dlg.IntervalEdit()->setText(QStringLiteral("2"));
            prompt.shown.clear();
            dlg.accept();
            QVERIFY(prompt.shown.empty());
        }
        QCOMPARE(prompt.unexpected, 0);
    }

    void enablingFollowsTheSwitches()
    {
        CContourDlg dlg(units.Hydr(), prompt);
        CContourDlg::Values v = Start();
        v.enabled = false;
        v.interval = -3.0;   // a damaged file's value: not asked about while contours are off
        dlg.SetValues(v);
        for (QWidget* w : {static_cast<QWidget*>(dlg.KindCombo()), static_cast<QWidget*>(dlg.IntervalEdit()),
                           static_cast<QWidget*>(dlg.LabelsBox()), static_cast<QWidget*>(dlg.FillBox()),
                           static_cast<QWidget*>(dlg.ColourButton(0))})
            QVERIFY(!w->isEnabled());
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(prompt.shown.empty());

        CContourDlg on(units.Hydr(), prompt);
        on.SetValues(Start());
        QVERIFY(on.ColourButton(0)->isEnabled() && on.ColourButton(1)->isEnabled());
        on.FillBox()->setChecked(false);
        QVERIFY(on.ColourButton(0)->isEnabled());
        QVERIFY(!on.ColourButton(1)->isEnabled() && !on.ColourButton(2)->isEnabled());
    }
};

QTEST_MAIN(TestCContourDlg)
#include "test_CContourDlg.moc"
