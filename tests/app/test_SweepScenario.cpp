// 消防流量分析 and 事故分析 in the real window on the example town: both run from the 计算 menu
// with their dialogs accepted, the result tabs of the table window against the core's results, a
// double-click selecting and centring the object, the map colourings with their key (in the 图例
// print too), and an undo dropping results, tabs and colours.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/commands/CQENDoc.h"
#include "app/commands/CSweepState.h"
#include "app/dialogs/CReportWindow.h"
#include "app/dialogs/CSweepParamsDlg.h"
#include "app/frames/CMainFrame.h"
#include "views/CQENGrid.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"
#include "views/CQENView.h"
#include "views/CommandIds.h"
#include "views/CommandState.h"
#include "views/GbkText.h"
#include "views/QtDrawContext.h"
#include "views/ZGridColumns.h"
#include "views/ZResultColouring.h"
#include "views/ZSelectTracker.h"
#include "views/ZSweepColumns.h"

#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZFireFlow.h"
#include "model/UnitSystem.h"
#include "model/ZEditTransaction.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <QAction>
#include <QMdiArea>
#include <QPainter>
#include <QSet>
#include <QTabWidget>
#include <QtTest>

#include <cmath>

namespace {
QString SweepCell(const CQENGridModel* m, int row, int column)
{
    return m->data(m->index(row, column)).toString();
}

// Pixels in one of the layer's class colours.
int ColourPixels(const QImage& img, const ZResultColouring::Layer& layer)
{
    QSet<QRgb> wanted;
    for (uint32_t c : layer.colours)
        wanted.insert(QtDrawContext::ToColor(c).rgb());
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += wanted.contains(img.pixel(x, y));
    return n;
}

QString IdOf(const ZNetwork& net, int node)
{
    return node >= 0 ? GbkText::ToQString(net.NodeAt(node)->IdView()) : QString();
}
}   // namespace

class TestSweepScenario : public QObject {
    Q_OBJECT

    struct Town {
        AppFixture f;
        CMainFrame* frame = nullptr;
        CQENDoc* doc = nullptr;
        CQENGridView* grid = nullptr;
        CQENView* graphic = nullptr;

        Town()
        {
            frame = f.app->MainFrame();
            frame->resize(1100, 760);
            doc = f.app->OpenDocumentFile(QEN_SOURCE_DIR "/examples/town.wnp");
            graphic = qobject_cast<CQENView*>(frame->FrameOf(doc, CChildFrame::Graphic)->View());
            frame->ExecuteCommand(Cmd::WindowTable);
            grid = qobject_cast<CQENGridView*>(frame->FrameOf(doc, CChildFrame::Table)->View());
        }
        ~Town() { doc->SetModifiedFlag(false); }
        ZNetwork& Net() { return doc->Data().GetNetwork(); }
        // Runs a command from the menu with its parameters dialog accepted as it comes.
        bool Run(int id)
        {
            bool seen = false;
            OnNextModal([&seen](QWidget* w) {
                auto* dlg = qobject_cast<CSweepParamsDlg*>(w);
                seen = dlg != nullptr;
                if (dlg)
                    dlg->accept();
                else
                    qobject_cast<QDialog*>(w)->reject();
            });
            ActivateTable();
            frame->ExecuteCommand(id);
            // The report window took the focus: the document's windows are the active ones again.
            frame->ReportWindow().hide();
            ActivateTable();
            return seen;
        }
        void ActivateTable()
        {
            frame->activateWindow();
            frame->FrameOf(doc, CChildFrame::Table)
                ->mdiArea()
                ->setActiveSubWindow(frame->FrameOf(doc, CChildFrame::Table));
        }
        // The menu item as the idle update leaves it.
        CommandState State(int id)
        {
            frame->UpdateCommandUI();
            const QAction* a = frame->Action(id);
            return CommandState{a->isEnabled(), a->isChecked(), {}};
        }
        // The 图例 print's page, painted as the print paints it.
        QImage Presentation() const
        {
            QImage page(1100, 800, QImage::Format_ARGB32_Premultiplied);
            page.fill(Qt::white);
            QPainter p(&page);
            graphic->PaintPresentation(p, page.size(), 96, false);
            return page;
        }
        // Objects whose colour at their centre in the graphic window is their class's colour.
        int ColouredRight(const ZResultColouring::Layer& layer)
        {
            const QImage img = graphic->grab().toImage();
            int right = 0;
            for (const auto& [o, cls] : layer.classes) {
                const PipePoint at = CMainFrame::ObjectCentre(*o, graphic->Canvas());
                int px = 0, py = 0;
                graphic->Canvas().WorldToDevice(at.x, at.y, px, py);
                if (!img.rect().contains(px, py))
                    continue;
                const QColor want = QtDrawContext::ToColor(layer.colours[static_cast<size_t>(cls)]);
                right += img.pixelColor(px, py).rgb() == want.rgb();
            }
            return right;
        }
    };

private slots:
    void bothAnalysesShowAsTablesAndColours()
    {
        Town t;
        QVERIFY(t.grid && t.graphic);
        QCOMPARE(t.grid->Tabs()->count(), 5);
        QVERIFY(!t.State(Cmd::FireFlowColours).enabled);
        // An edit before the runs, undone at the end.
        {
            ZEditTransaction tx(t.doc->Data(), "demand");
            auto* j = t.Net().FindNode("J33");
            tx.TouchFields(j);
            j->NodeFlow += 0.002;
            tx.Commit();
        }

        // 消防流量分析: a row per candidate node, as the core finds them.
        QVERIFY(t.Run(Cmd::FireFlow));
        const CSweepState* state = CSweepState::Of(*t.doc);
        QVERIFY(state && state->HasFireFlow());
        QCOMPARE(t.grid->Tabs()->count(), 6);
        QCOMPARE(t.grid->Tabs()->tabText(5), QStringLiteral("消防流量"));
        const ZNetwork& net = t.Net();
        std::vector<int> nodes;
        for (const ZConsumeNode* n : net.Nodes())
            if (ZFireFlow::IsCandidate(*n))
                nodes.push_back(n->GetIndex());
        ZFireFlow fire(net, t.doc->Data().GetDrawSettings(), state->FireFlowParams());
        QCOMPARE(fire.Prepare(), int(ZBalanceInfo::Converged));
        QVERIFY(fire.Run(nodes));
        const CQENGridModel* fireRows = t.grid->Model(ZSweepColumns::FireFlowTab);
        QVERIFY(fireRows);
        QCOMPARE(fireRows->RecordCount(), int(fire.Results().size()));
        QVERIFY(fireRows->RecordCount() > 30);
        const UnitSystem& units = t.doc->Settings().Units();
        int limited = 0, zero = 0;
        for (int row = 0; row < fireRows->RecordCount(); ++row) {
            const ZFireFlow::Result& r = fire.Results()[static_cast<size_t>(row)];
            QCOMPARE(fireRows->ObjectAt(row), static_cast<ZNetObject*>(net.NodeAt(r.node)));
            QCOMPARE(SweepCell(fireRows, row, 0), IdOf(net, r.node));
            QCOMPARE(SweepCell(fireRows, row, 1), QString::fromStdString(units.FlowUnit().FormatFixed(r.available)));
            if (r.limiting >= 0 && !r.noHead) {
                ++limited;
                QCOMPARE(SweepCell(fireRows, row, 2), IdOf(net, r.limiting));
                QCOMPARE(SweepCell(fireRows, row, 3),
                         QString::fromStdString(units.Hydr().FormatFixed(r.limitingFreeHead)));
            }
            zero += r.available == 0.0;
        }
        QVERIFY(limited > 0);
        QVERIFY(fireRows->headerData(1, Qt::Horizontal).toString().startsWith(QStringLiteral("可用消防流量 (")));

        // 事故分析: a row per pipe.
        QVERIFY(t.Run(Cmd::PipeFailure));
        QVERIFY(state->HasFailures() && state->HasFireFlow());
        QCOMPARE(t.grid->Tabs()->count(), 7);
        QCOMPARE(t.grid->Tabs()->tabText(6), QStringLiteral("事故分析"));
        std::vector<int> pipes;
        for (const ZFlowLink* l : net.Links())
            if (l->GetKind() == ZNetObject::Kind::Pipe)
                pipes.push_back(l->GetIndex());
        ZCriticality sweep(net, t.doc->Data().GetDrawSettings(), state->FailureParams());
        QCOMPARE(sweep.Prepare(), int(ZBalanceInfo::Converged));
        QVERIFY(sweep.Run(pipes));
        const CQENGridModel* failRows = t.grid->Model(ZSweepColumns::FailureTab);
        QCOMPARE(failRows->RecordCount(), int(pipes.size()));
        int affecting = 0;
        for (int row = 0; row < failRows->RecordCount(); ++row) {
            const ZCriticality::Result& r = sweep.Results()[static_cast<size_t>(row)];
            QCOMPARE(SweepCell(failRows, row, 0), GbkText::ToQString(net.LinkAt(r.pipe)->IdView()));
            QCOMPARE(SweepCell(failRows, row, 1), QString::number(r.cutOff));
            QCOMPARE(SweepCell(failRows, row, 2), QString::number(r.nodesBelow));
            QCOMPARE(SweepCell(failRows, row, 3), IdOf(net, r.worst));
            if (r.worst >= 0)
                QCOMPARE(SweepCell(failRows, row, 4),
                         QString::fromStdString(units.Hydr().FormatFixed(r.worstFreeHead)));
            affecting += r.cutOff + r.nodesBelow > 0;
        }
        QVERIFY(affecting > 0);

        // Sorted by the affected counts, the worst pipe first; a double-click on it selects and
        // centres it in the graphic window.
        t.grid->SetCurrentTab(ZSweepColumns::FailureTab);
        CQENGrid* failGrid = t.grid->Grid(ZSweepColumns::FailureTab);
        failGrid->sortByColumn(1, Qt::DescendingOrder);
        auto* worstPipe = static_cast<ZPipeLink*>(failGrid->Model()->ObjectAt(0));
        QCOMPARE(failGrid->Model()->data(failGrid->Model()->index(0, 1)).toString(),
                 QString::number(
                     std::max_element(sweep.Results().begin(), sweep.Results().end(), [](const auto& a, const auto& b) {
                         return a.cutOff < b.cutOff;
                     })->cutOff));
        Screenshot(t.frame, QStringLiteral("sweep-failure-table"));
        const QRect cell = failGrid->visualRect(failGrid->Model()->index(0, 0));
        QTest::mouseClick(failGrid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(failGrid->viewport(), Qt::LeftButton, {}, cell.center());
        const std::vector<ZNetObject*> selected{worstPipe};
        QCOMPARE(t.graphic->Canvas().Tracker().SelectedLinks(), selected);
        const PipePoint centre = CMainFrame::ObjectCentre(*worstPipe, t.graphic->Canvas());
        QVERIFY(std::abs(t.graphic->Canvas().CentreX() - centre.x) < 1e-6);
        QVERIFY(std::abs(t.graphic->Canvas().CentreY() - centre.y) < 1e-6);
        // A node of the fire-flow table likewise.
        t.ActivateTable();
        t.grid->SetCurrentTab(ZSweepColumns::FireFlowTab);
        CQENGrid* fireGrid = t.grid->Grid(ZSweepColumns::FireFlowTab);
        const QPoint third = fireGrid->visualRect(fireGrid->Model()->index(2, 1)).center();
        QTest::mouseClick(fireGrid->viewport(), Qt::LeftButton, {}, third);
        QTest::mouseDClick(fireGrid->viewport(), Qt::LeftButton, {}, third);
        const std::vector<ZNetObject*> node{fireRows->ObjectAt(2)};
        QCOMPARE(t.graphic->Canvas().Tracker().SelectedNodes(), node);
        QVERIFY(t.graphic->Canvas().Tracker().SelectedLinks().empty());
        t.graphic->Canvas().Tracker().Clear();

        // The colourings: chosen from the menu, each with its key.
        QVERIFY(!t.graphic->Canvas().ResultColouring());
        QVERIFY(t.State(Cmd::FireFlowColours).enabled && !t.State(Cmd::FireFlowColours).checked);
        t.frame->ExecuteCommand(Cmd::FireFlowColours);
        QVERIFY(t.State(Cmd::FireFlowColours).checked);
        t.frame->ExecuteCommand(Cmd::FailureColours);
        QVERIFY(t.State(Cmd::FailureColours).checked);
        const ZResultColouring* colours = t.graphic->Canvas().ResultColouring();
        QVERIFY(colours);
        QCOMPARE(colours->nodes.classes.size(), fire.Results().size());
        QCOMPARE(colours->pipes.classes.size(), sweep.Results().size());
        for (const ZFireFlow::Result& r : fire.Results()) {
            const int cls = colours->NodeClass(*net.NodeAt(r.node));
            QVERIFY(cls >= 0 && cls < 5);
            // Class i holds the flows from limit i-1 up to limit i.
            if (cls > 0)
                QVERIFY(r.available >= ZResultColouring::FireFlowLimits()[static_cast<size_t>(cls - 1)] * 0.999999);
            if (cls < 4)
                QVERIFY(r.available < ZResultColouring::FireFlowLimits()[static_cast<size_t>(cls)]);
            if (r.available == 0.0)
                QCOMPARE(cls, 0);
        }
        for (const ZCriticality::Result& r : sweep.Results())
            QCOMPARE(colours->PipeClass(*net.LinkAt(r.pipe)) == 0, r.cutOff + r.nodesBelow == 0 && !r.failed);
        QCOMPARE(colours->nodes.ranges.size(), 5);
        QCOMPARE(colours->pipes.ranges.first(), QStringLiteral("0"));
        t.frame->FrameOf(t.doc, CChildFrame::Graphic)->showMaximized();
        t.frame->FrameOf(t.doc, CChildFrame::Graphic)
            ->mdiArea()
            ->setActiveSubWindow(t.frame->FrameOf(t.doc, CChildFrame::Graphic));
        QApplication::processEvents();
        // Most objects show their class's colour where they are centred (labels cover some).
        const int nodesRight = t.ColouredRight(colours->nodes);
        const int pipesRight = t.ColouredRight(colours->pipes);
        QVERIFY2(nodesRight * 2 > int(colours->nodes.classes.size()), qPrintable(QString::number(nodesRight)));
        QVERIFY2(pipesRight * 2 > int(colours->pipes.classes.size()), qPrintable(QString::number(pipesRight)));
        Screenshot(t.frame, QStringLiteral("sweep-colours"));

        // The 图例 print draws the same colourings, with their key, and without them when off.
        const QImage framed = t.Presentation();
        if (const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR"); !dir.isEmpty())
            framed.save(dir + QStringLiteral("/sweep-presentation.png"));
        t.frame->ExecuteCommand(Cmd::FireFlowColours);
        t.frame->ExecuteCommand(Cmd::FailureColours);
        QVERIFY(!t.graphic->Canvas().ResultColouring());
        const QImage usual = t.Presentation();
        t.frame->ExecuteCommand(Cmd::FireFlowColours);
        t.frame->ExecuteCommand(Cmd::FailureColours);
        colours = t.graphic->Canvas().ResultColouring();
        QVERIFY(colours);
        for (const ZResultColouring::Layer* layer : {&colours->nodes, &colours->pipes}) {
            const int with = ColourPixels(framed, *layer), without = ColourPixels(usual, *layer);
            QVERIFY2(with > 2 * without + 200, qPrintable(QStringLiteral("%1 %2").arg(with).arg(without)));
        }

        // Switched off again from the menu: the usual look.
        t.frame->ExecuteCommand(Cmd::FailureColours);
        QVERIFY(t.graphic->Canvas().ResultColouring());
        QVERIFY(t.graphic->Canvas().ResultColouring()->pipes.IsEmpty());
        t.frame->ExecuteCommand(Cmd::FailureColours);

        // The undo of the earlier edit drops the results: the tabs and colours go.
        t.frame->ExecuteCommand(Cmd::EditUndo);
        QVERIFY(!state->HasFireFlow() && !state->HasFailures());
        QCOMPARE(t.grid->Tabs()->count(), 5);
        QVERIFY(!t.grid->Grid(ZSweepColumns::FireFlowTab) && !t.grid->Grid(ZSweepColumns::FailureTab));
        QVERIFY(!t.graphic->Canvas().ResultColouring());
        QVERIFY(!t.State(Cmd::FireFlowColours).enabled && !t.State(Cmd::FireFlowColours).checked);
        QVERIFY(!t.State(Cmd::FailureColours).enabled);
        QApplication::processEvents();
        Screenshot(t.frame, QStringLiteral("sweep-dropped"));
    }

    void aResultTabStaysShownWhenItsResultsAreReplaced()
    {
        Town t;
        QVERIFY(t.Run(Cmd::FireFlow));
        t.grid->SetCurrentTab(ZSweepColumns::FireFlowTab);
        QCOMPARE(t.grid->CurrentTab(), int(ZSweepColumns::FireFlowTab));
        QVERIFY(t.Run(Cmd::FireFlow));
        QCOMPARE(t.grid->CurrentTab(), int(ZSweepColumns::FireFlowTab));
        QCOMPARE(t.grid->Tabs()->count(), 6);
        // The record commands and the record pane work on the result table too.
        t.grid->OnCommand(Cmd::RecordLast);
        QCOMPARE(t.grid->RecordText(),
                 QStringLiteral("%1/%1").arg(t.grid->Model(ZSweepColumns::FireFlowTab)->RecordCount()));
        // A table window opened later shows the results as well.
        t.frame->FrameOf(t.doc, CChildFrame::Table)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        t.frame->ExecuteCommand(Cmd::WindowTable);
        auto* again = qobject_cast<CQENGridView*>(t.frame->FrameOf(t.doc, CChildFrame::Table)->View());
        QVERIFY(again && again->Grid(ZSweepColumns::FireFlowTab));
        QCOMPARE(again->Tabs()->count(), 6);
    }
};

QTEST_MAIN(TestSweepScenario)
#include "test_SweepScenario.moc"
