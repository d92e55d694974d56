// The 延时模拟 parameters dialog: prefilled from the time data, whole seconds once read, bad
// entries refused naming the field, the clock time of one day.
#include "ScriptedPrompt.h"
#include "app/dialogs/CSimulationParamsDlg.h"

#include <QLineEdit>
#include <QtTest>

class TestCSimulationParamsDlg : public QObject {
    Q_OBJECT

private slots:
    void prefillsAndReadsWholeSeconds()
    {
        ScriptedPrompt prompt;
        CSimulationParamsDlg dlg(prompt);
        ZTimeData data;
        data.Duration = 72 * 3600;
        data.HydraulicStep = 900;
        data.ReportStep = 1800;
        data.StartClock = 6 * 3600 + 30 * 60;
        data.DefaultPattern = "1";
        dlg.SetValues(data);
        QCOMPARE(dlg.DurationEdit()->text(), QStringLiteral("72"));
        QCOMPARE(dlg.HydraulicStepEdit()->text(), QStringLiteral("15"));
        QCOMPARE(dlg.ReportStepEdit()->text(), QStringLiteral("30"));
        QCOMPARE(dlg.StartClockEdit()->text(), QStringLiteral("6:30"));
        dlg.DurationEdit()->setText(QStringLiteral("1.5"));
        dlg.HydraulicStepEdit()->setText(QStringLiteral("0.5"));
        dlg.StartClockEdit()->setText(QStringLiteral("23:59:59"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const ZTimeData v = dlg.Values();
        QCOMPARE(v.Duration, int64_t(5400));
        QCOMPARE(v.HydraulicStep, int64_t(30));
        QCOMPARE(v.ReportStep, int64_t(1800));
        QCOMPARE(v.StartClock, int64_t(86399));
        QCOMPARE(v.DefaultPattern, GbkString("1"));   // the rest as it was
        QVERIFY(prompt.shown.empty());

        // A network without a period is offered a day.
        CSimulationParamsDlg fresh(prompt);
        fresh.SetValues(ZTimeData());
        QCOMPARE(fresh.DurationEdit()->text(), QStringLiteral("24"));
    }

    void refusesWhatIsNotAPositiveTime()
    {
        struct Case {
            int field;
            const char* text;
            const char* named;
        } cases[] = {{0, "0", "模拟时长"},     {0, "-2", "模拟时长"},    {0, "nan", "模拟时长"},
                     {1, "abc", "水力步长"},   {1, "0.001", "水力步长"}, {2, "inf", "报告步长"},
                     {3, "24:00", "开始时刻"}, {3, "6", "开始时刻"},     {3, "6:60", "开始时刻"}};
        for (const Case& c : cases) {
            ScriptedPrompt prompt;
            CSimulationParamsDlg dlg(prompt);
            dlg.SetValues(ZTimeData());
            QLineEdit* edits[] = {dlg.DurationEdit(), dlg.HydraulicStepEdit(), dlg.ReportStepEdit(),
                                  dlg.StartClockEdit()};
            edits[c.field]->setText(QString::fromUtf8(c.text));
            dlg.accept();
            QVERIFY2(dlg.result() != QDialog::Accepted, c.text);
            QCOMPARE(prompt.shown.size(), size_t(1));
            QVERIFY2(prompt.Last().find(c.named) != std::string::npos, prompt.Last().c_str());
        }
    }

    void clockTimesOfOneDay()
    {
        QCOMPARE(CSimulationParamsDlg::ParseClock(QStringLiteral("0:00")), int64_t(0));
        QCOMPARE(CSimulationParamsDlg::ParseClock(QStringLiteral(" 7:05 ")), int64_t(7 * 3600 + 300));
        QCOMPARE(CSimulationParamsDlg::ParseClock(QStringLiteral("12:00:30")), int64_t(43230));
        for (const char* bad : {"", "12", "1:2:3:4", "-1:00", "25:00", "1:x", "1:00:60"})
            QCOMPARE(CSimulationParamsDlg::ParseClock(QString::fromUtf8(bad)), int64_t(-1));
    }
};

QTEST_MAIN(TestCSimulationParamsDlg)
#include "test_CSimulationParamsDlg.moc"
