// 延时模拟 in the real window: EPANET's Net1 (a tank, patterns, a pump control) run from the menu,
// the time bar stepped and played, the colours, labels, tooltips and table following the chosen
// time, the 过程线 of the tank against the results and EPANET's levels, and an edit marking the
// results stale.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/commands/CQENDoc.h"
#include "app/commands/CSimulationState.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSimulationParamsDlg.h"
#include "app/dialogs/CTimeSeriesDlg.h"
#include "app/frames/CMainFrame.h"
#include "app/frames/CMainStatusBar.h"
#include "app/frames/CTimeBar.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"
#include "views/CQENView.h"
#include "views/CTimeSeriesPlot.h"
#include "views/CommandIds.h"

#include "hydraulics/ZSimulation.h"
#include "model/GbkCodec.h"
#include "model/ObjectFlags.h"
#include "model/ZDrawGeometry.h"
#include "model/ZEditTransaction.h"
#include "model/ZObjectLabels.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "model/ZTankLink.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>

namespace {
QString NodeTip(const ZNetObject* o, const ZNetView& view)
{
    GbkString text;
    o->GetTipText(view, text);
    return QString::fromStdString(GbkCodec::ToUtf8(text));
}

// EPANET 2.2's head of `id` at `seconds`, from the reference table kept with the network.
double EpanetHead(const char* id, int seconds)
{
    QFile f(AppFixture::Network("Net1.epanet-eps-nodes.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return NAN;
    const QByteArray prefix = QByteArray::number(seconds) + ',' + id + ',';
    while (!f.atEnd()) {
        const QByteArray row = f.readLine();
        if (row.startsWith(prefix))
            return row.split(',')[2].toDouble();
    }
    return NAN;
}
}   // namespace

class TestSimulationScenario : public QObject {
    Q_OBJECT

    struct Net1 {
        AppFixture f;
        CMainFrame* frame = nullptr;
        CQENDoc* doc = nullptr;
        CQENView* graphic = nullptr;
        Net1()
        {
            frame = f.app->MainFrame();
            doc = f.app->ImportEpanetFile(AppFixture::Network("Net1.inp"), 0);
            if (doc)
                graphic = qobject_cast<CQENView*>(frame->FrameOf(doc, CChildFrame::Graphic)->View());
            ZLabelTipSettings& tips = f.app->Settings().LabelTip();
            tips.NodeTip = 0x3F;
            tips.NodeLabe = 4;   // heads as labels
        }
        ~Net1()
        {
            if (doc)
                doc->SetModifiedFlag(false);
        }
        ZNetwork& Net() { return doc->Data().GetNetwork(); }
        // 计算 → 延时模拟 with the dialog's values as prefilled, the report step set to `reportMinutes`.
        void Simulate(const QString& reportMinutes = QString())
        {
            OnNextModal([reportMinutes](QWidget* w) {
                auto* dlg = qobject_cast<CSimulationParamsDlg*>(w);
                if (!dlg) {
                    w->close();
                    return;
                }
                if (!reportMinutes.isEmpty())
                    dlg->ReportStepEdit()->setText(reportMinutes);
                Screenshot(dlg, QStringLiteral("simulation-params"));
                dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            });
            frame->Action(Cmd::Simulate)->trigger();
        }
        CSimulationState* State() { return CSimulationState::Of(*doc); }
        // The graphic window without labels: only colours and arrows tell two times apart.
        QImage Picture()
        {
            bool& labels = f.app->Settings().LabelOn;
            labels = false;
            doc->UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr});
            graphic->repaint();
            const QImage image = graphic->grab().toImage();
            labels = true;
            doc->UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr});
            return image;
        }
    };

private slots:
    void runFromTheMenuThenStepAndPlayTheTimeBar()
    {
        Net1 t;
        QVERIFY(t.doc && t.graphic);
        ZDrawSettings& ds = t.doc->Data().GetDrawSettings();
        CTimeBar* bar = t.frame->TimeBar();
        QVERIFY(!bar->isVisible());
        QVERIFY(!t.frame->Action(Cmd::TimeSeries)->isEnabled());

        t.Simulate();
        CSimulationState* st = t.State();
        QVERIFY(st && st->HasResults());
        const ZSimulationResults& r = st->Results();
        QCOMPARE(r.TimeCount(), size_t(25));   // a day, hourly
        QVERIFY(st->IsShowing());
        QVERIFY(!st->IsStale());
        t.frame->UpdateCommandUI();
        QVERIFY(bar->isVisible());
        QVERIFY(t.frame->Action(Cmd::TimeSeries)->isEnabled());
        QCOMPARE(bar->ClockLabel()->text(), QStringLiteral("0:00:00  (1/25)"));
        QVERIFY2(t.f.app->ReportWindow().Text().contains(QStringLiteral("最低自由水压")),
                 qPrintable(t.f.app->ReportWindow().Text()));
        QVERIFY(t.f.app->ReportWindow().Text().contains(QStringLiteral("报告时刻: 25")));
        Screenshot(&t.f.app->ReportWindow(), QStringLiteral("simulation-report"));

        // Node 22's label, tooltip and table cell at two times: each the results' head then.
        ZConsumeNode* n22 = t.Net().FindNode("22");
        QVERIFY(n22);
        const int i22 = n22->GetIndex();
        const UnitCategory& head = t.f.app->Settings().Units().Hydr();
        t.frame->ExecuteCommand(Cmd::WindowTable);
        auto* grid = qobject_cast<CQENGridView*>(t.frame->FrameOf(t.doc, CChildFrame::Table)->View());
        QVERIFY(grid);
        CQENGridModel* nodes = grid->Model(0);
        auto check = [&](size_t k) {
            const QString expect = QString::fromStdString(head.FormatFixed(r.Head(k, i22)));
            QCOMPARE(n22->NodeHydrElev, double(r.Head(k, i22)));
            QCOMPARE(QString::fromStdString(GbkCodec::ToUtf8(ZObjectLabels::NodeGrade(t.graphic->Canvas(), *n22))),
                     expect);
            QVERIFY2(NodeTip(n22, t.graphic->Canvas()).contains(expect), qPrintable(NodeTip(n22, t.graphic->Canvas())));
            QCOMPARE(nodes->data(nodes->index(nodes->RowOf(n22), 6)).toString(), expect);
        };
        t.frame->MdiArea()->setActiveSubWindow(t.frame->FrameOf(t.doc, CChildFrame::Graphic));
        check(0);
        // Nodes coloured by head, the classes spread over node 22's heads of the day.
        float lo = r.Head(0, i22), hi = lo;
        for (size_t k = 0; k < r.TimeCount(); ++k) {
            lo = std::min(lo, r.Head(k, i22));
            hi = std::max(hi, r.Head(k, i22));
        }
        ds.NodeGradeOn = 1;
        ds.NodeGradeMode = ZDrawSettings::NodeByHead;
        ds.NodeHeadGrades.clear();
        for (int g = 1; g < int(t.f.app->Settings().Colors().NodeGradeColors.size()); ++g)
            ds.NodeHeadGrades.push_back(lo +
                                        (hi - lo) * g / double(t.f.app->Settings().Colors().NodeGradeColors.size()));
        auto colourClass = [&](size_t k) { return ZDrawGeometry::GradeIndex(r.Head(k, i22), ds.NodeHeadGrades); };
        auto shownClass = [&] {
            return ZDrawGeometry::GradeIndex(ZDrawGeometry::NodeGradeValue(*n22, ds.NodeGradeMode), ds.NodeHeadGrades);
        };
        QCOMPARE(shownClass(), colourClass(0));
        const QImage first = t.Picture();
        bar->ForwardButton()->click();
        QCOMPARE(st->CurrentIndex(), size_t(1));
        QCOMPARE(bar->Slider()->value(), 1);
        QCOMPARE(bar->ClockLabel()->text(), QStringLiteral("1:00:00  (2/25)"));
        t.frame->UpdateCommandUI();
        QCOMPARE(t.frame->StatusPanes()->BalanceText(), QStringLiteral("模拟 1:00:00"));
        check(1);
        QVERIFY(r.Head(1, i22) != r.Head(0, i22));
        bar->Slider()->setValue(12);
        check(12);
        QCOMPARE(shownClass(), colourClass(12));
        QVERIFY(colourClass(12) != colourClass(0));
        const QImage noon = t.Picture();
        QVERIFY(noon != first);
        QVERIFY(!bar->ShowsStale());
        Screenshot(t.frame, QStringLiteral("simulation-time-bar"));
        bar->BackButton()->click();
        check(11);
        bar->Slider()->setValue(0);
        QCOMPARE(t.Picture(), first);

        // Playing runs through to the end and stops there.
        bar->SetPlayInterval(5);
        bar->PlayButton()->click();
        QVERIFY(bar->IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!bar->IsPlaying(), 20000);
        QCOMPARE(st->CurrentIndex(), size_t(24));
        check(24);

        // The balancing results come back when the simulation's are switched off.
        bar->ShowButton()->click();
        QVERIFY(!st->IsShowing());
        QCOMPARE(ds.Balanced, 0u);   // never balanced: nothing shown
        t.frame->UpdateCommandUI();
        QCOMPARE(t.frame->StatusPanes()->BalanceText(), QStringLiteral("未平差"));
        bar->ShowButton()->click();
        QVERIFY(st->IsShowing());
        check(24);

        // 管网平差 while a time is shown: its results stay when the simulated ones are switched off.
        OnNextModal([](QWidget* w) {
            if (auto* box = w->findChild<QDialogButtonBox*>())
                box->button(QDialogButtonBox::Ok)->click();
            else
                w->close();
        });
        t.frame->ExecuteCommand(Cmd::Balance);
        QCOMPARE(ds.Balanced, 1u);
        QVERIFY(!st->IsShowing());
        const double balanced = n22->NodeHydrElev;
        QVERIFY(std::fabs(balanced - r.Head(24, i22)) > 1e-3);
        bar->ShowButton()->click();
        check(24);
        bar->ShowButton()->click();
        QCOMPARE(n22->NodeHydrElev, balanced);
        QCOMPARE(ds.Balanced, 1u);
    }

    void theTanksPlotIsItsLevelOverTheDay()
    {
        Net1 t;
        QVERIFY(t.doc);
        t.Simulate();
        CSimulationState* st = t.State();
        QVERIFY(st && st->HasResults());
        const ZSimulationResults& r = st->Results();
        auto* tank = static_cast<ZTankLink*>(t.Net().FindLink("2"));
        QVERIFY(tank && tank->GetKind() == ZNetObject::Kind::Tank);
        tank->SetFlag(qen::FLAG_SELECTED);
        t.frame->ExecuteCommand(Cmd::TimeSeries);
        auto* dlg = t.frame->findChild<CTimeSeriesDlg*>();
        QVERIFY(dlg);
        QCOMPARE(dlg->CurrentQuantity(), int(CTimeSeriesDlg::Level));
        const auto& series = dlg->Plot()->SeriesList();
        QCOMPARE(series.size(), size_t(1));
        QCOMPARE(series[0].name, QStringLiteral("2"));
        QCOMPARE(series[0].values.size(), r.TimeCount());
        const int outlet = tank->StartNode()->GetIndex();
        for (size_t k = 0; k < r.TimeCount(); ++k) {
            QCOMPARE(series[0].values[k], double(r.Head(k, outlet)) - tank->TankBottomElev);
            // And EPANET 2.2's level at that time.
            const double epanet = EpanetHead("2", static_cast<int>(r.Time(k)));
            QVERIFY2(std::fabs(double(r.Head(k, outlet)) - epanet) < 0.01,
                     qPrintable(QStringLiteral("%1 s: %2 vs %3").arg(r.Time(k)).arg(r.Head(k, outlet)).arg(epanet)));
        }
        // The level rises and falls over the day.
        const auto [lo, hi] = std::minmax_element(series[0].values.begin(), series[0].values.end());
        QVERIFY(*hi - *lo > 1.0);
        dlg->resize(820, 520);
        dlg->show();
        Screenshot(dlg, QStringLiteral("simulation-plot-tank"));

        // CSV: time, then the tank's column; one row per report time.
        dlg->CopyCsv();
        const QStringList rows = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), int(r.TimeCount()) + 1);
        QCOMPARE(rows[0], QStringLiteral("时刻,2"));
        QVERIFY(rows[13].startsWith(QStringLiteral("12:00:00,")));
        QVERIFY(std::fabs(rows[13].section(QLatin1Char(','), 1).toDouble() - series[0].values[12]) < 1e-3);
        dlg->close();

        // Nodes and links selected: their quantities, a pump's status as steps.
        t.Net().FindNode("22")->SetFlag(qen::FLAG_SELECTED);
        ZFlowLink* pump = t.Net().FindLink("9");
        QVERIFY(pump && pump->GetKind() == ZNetObject::Kind::Pump);
        pump->SetFlag(qen::FLAG_SELECTED);
        t.frame->ExecuteCommand(Cmd::TimeSeries);
        CTimeSeriesDlg* more = nullptr;
        for (CTimeSeriesDlg* d : t.frame->findChildren<CTimeSeriesDlg*>())
            if (d != dlg && d->isVisible())
                more = d;
        QVERIFY(more);
        QVERIFY(more->SetQuantity(CTimeSeriesDlg::FreeHead));
        QCOMPARE(more->Plot()->SeriesList()[0].values[5],
                 double(r.Head(5, t.Net().FindNode("22")->GetIndex())) - t.Net().FindNode("22")->NodeGrunElev);
        QVERIFY(more->SetQuantity(CTimeSeriesDlg::Status));
        const auto& status = more->Plot()->SeriesList()[0].values;
        bool off = false, on = false;
        for (size_t k = 0; k < status.size(); ++k) {
            QCOMPARE(status[k], r.Status(k, pump->GetIndex()) == ZSimulationResults::Open ? 1.0 : 0.0);
            (status[k] > 0.5 ? on : off) = true;
        }
        QVERIFY(on && off);   // Net1's pump stops when the tank is full
        Screenshot(more, QStringLiteral("simulation-plot-pump"));
        more->close();
    }

    void anEditMakesTheResultsStaleAndARunRefreshesThem()
    {
        Net1 t;
        QVERIFY(t.doc);
        t.Simulate();
        CSimulationState* st = t.State();
        QVERIFY(st && st->HasResults());
        CTimeBar* bar = t.frame->TimeBar();
        bar->ForwardButton()->click();
        t.frame->UpdateCommandUI();
        QVERIFY(!bar->ShowsStale());
        QVERIFY(bar->Slider()->isEnabled());

        // A pipe's diameter changes through the edit path.
        auto* pipe = static_cast<ZPipeLink*>(t.Net().FindLink("10"));
        QVERIFY(pipe);
        {
            ZEditTransaction tx(t.doc->Data(), "管径");
            tx.TouchFields(pipe);
            pipe->PipeDiam *= 1.5;
            tx.Commit();
        }
        QVERIFY(st->IsStale());
        t.frame->UpdateCommandUI();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->ShowsStale());
        QVERIFY(!bar->Slider()->isEnabled());
        QVERIFY(!bar->PlayButton()->isEnabled());
        // Stepping no longer writes results; the edited pipe's are withheld like a stale balance's.
        QVERIFY(!st->ShowTime(2));
        QVERIFY(t.doc->Data().IsResultStale(*pipe));
        Screenshot(t.frame, QStringLiteral("simulation-time-bar-stale"));
        // Undo back to the simulated network keeps them stale.
        QVERIFY(t.doc->Data().Undo());
        QVERIFY(st->IsStale());
        // So does a change of the time data alone (through the dialog: a report step of 2 h).
        t.Simulate(QStringLiteral("120"));
        QVERIFY(!st->IsStale());
        QCOMPARE(st->Results().TimeCount(), size_t(13));
        QVERIFY(t.doc->Data().Undo());   // the time data's edit
        QVERIFY(st->IsStale());
        QVERIFY(t.doc->Data().Redo());
        QVERIFY(st->IsStale());
        t.Simulate();
        QVERIFY(!st->IsStale());
        t.frame->UpdateCommandUI();
        QVERIFY(!bar->ShowsStale());
        QVERIFY(bar->Slider()->isEnabled());
    }

    // A save while a simulated time is shown writes what a save after switching the time bar off
    // writes (the balance and its mark), not that time marked balanced; the window goes on
    // showing the time.
    void savingWhileATimeIsShownKeepsTheBalance()
    {
        Net1 t;
        QVERIFY(t.doc);
        QTemporaryDir dir;
        const QString during = dir.filePath(QStringLiteral("during.wnp")),
                      after = dir.filePath(QStringLiteral("after.wnp"));
        t.Simulate();
        CSimulationState* st = t.State();
        QVERIFY(st && st->ShowTime(5));
        ZConsumeNode* n22 = t.Net().FindNode("22");
        const double shown = n22->NodeHydrElev;
        QCOMPARE(shown, double(st->Results().Head(5, n22->GetIndex())));
        QVERIFY(t.doc->OnSaveDocument(during));
        QVERIFY(st->IsShowing() && !st->IsStale());
        QCOMPARE(n22->NodeHydrElev, shown);
        QCOMPARE(t.doc->Data().GetDrawSettings().Balanced, 1);
        st->StopShowing();
        QVERIFY(t.doc->OnSaveDocument(after));
        QFile a(during), b(after);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
    }

    void aTimeThatCannotBalanceIsReportedWithItsClockTime()
    {
        Net1 t;
        QVERIFY(t.doc);
        // The pump and the tank's pipe closed at 3:00: the demands are cut off from every head.
        ZTimeData data = t.doc->Data().GetTimeData();
        data.Controls.clear();
        ZTimeData::Control c;
        c.link = "9";
        c.action = ZTimeData::Control::Close;
        c.trigger = ZTimeData::Control::AtTime;
        c.time = 3 * 3600;
        data.Controls.push_back(c);
        c.link = "110";   // the tank's pipe
        data.Controls.push_back(c);
        t.doc->Data().GetTimeData() = data;
        t.Simulate();
        CSimulationState* st = t.State();
        QVERIFY(st);
        const std::string last = t.f.prompt->Last();
        QVERIFY2(last.find("3:00:00") != std::string::npos && last.find("不能平差") != std::string::npos, last.c_str());
        // What was computed before is kept.
        QCOMPARE(st->Results().TimeCount(), size_t(3));
    }
};

QTEST_MAIN(TestSimulationScenario)
#include "test_SimulationScenario.moc"
