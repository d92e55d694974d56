// "自动平差" in the program: the switch in the 计算 menu and on the toolbar, the balance that follows
// each edit, undo and redo on a worker thread, what reaches the document and the status pane, and
// closing while a balance runs.
#include "AppFixture.h"
#include "app/commands/CLiveBalance.h"
#include "app/commands/CQENDoc.h"
#include "app/frames/CChildFrame.h"
#include "app/frames/CMainFrame.h"
#include "app/frames/CMainStatusBar.h"
#include "views/CQENView.h"
#include "views/CommandIds.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/ZEditTransaction.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <QAction>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace LiveBalanceApp {
std::vector<double> LiveHeads(const CQENDoc& doc)
{
    std::vector<double> heads;
    for (const ZConsumeNode* n : doc.Data().GetNetwork().Nodes())
        heads.push_back(n->NodeHydrElev);
    return heads;
}

double LiveHeadGap(const std::vector<double>& a, const std::vector<double>& b)
{
    double gap = a.size() == b.size() ? 0.0 : 1e9;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        gap = std::max(gap, std::fabs(a[i] - b[i]));
    return gap;
}

// The pipe of the `rank`-th largest flow (0: the largest): narrowing it moves the heads.
ZPipeLink* LiveBusyPipe(CQENDoc& doc, int rank)
{
    std::vector<ZPipeLink*> pipes;
    for (ZFlowLink* l : doc.Data().GetNetwork().Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            pipes.push_back(static_cast<ZPipeLink*>(l));
    std::stable_sort(pipes.begin(), pipes.end(),
                     [](const ZPipeLink* a, const ZPipeLink* b) { return std::fabs(a->Flow) > std::fabs(b->Flow); });
    return rank < int(pipes.size()) ? pipes[size_t(rank)] : nullptr;
}

// The edit a property dialog makes: one recorded step, announced once.
void LiveScaleDiameter(CQENDoc& doc, ZPipeLink* pipe, double factor)
{
    ZEditTransaction tx(doc.Data(), "管道属性");
    tx.TouchFields(pipe);
    pipe->PipeDiam *= factor;
    pipe->PipeInDiam *= factor;
    tx.Commit();
}

// The heads a 管网平差 from the solver's first guess gives for the network as it stands; the
// document keeps its own.
std::vector<double> LiveReferenceHeads(CQENDoc& doc)
{
    const std::vector<double> kept = LiveHeads(doc);
    ZBalanceRun run(doc.Data());
    run.Run();
    const std::vector<double> heads = LiveHeads(doc);
    ZNetwork& net = doc.Data().GetNetwork();
    for (int i = 0; i < net.NodeCount(); ++i)
        net.NodeAt(i)->NodeHydrElev = kept[static_cast<size_t>(i)];
    return heads;
}

// Heads agree with a full balance to the run's tolerance (1e-3 m) and a little.
constexpr double LiveHeadAgreement = 0.01;
}   // namespace LiveBalanceApp

using namespace LiveBalanceApp;

class TestLiveBalance : public QObject {
    Q_OBJECT

    // KL open in the program with the switch turned on through its menu command, and the
    // balance the switching made.
    struct Live {
        AppFixture f;
        CMainFrame* frame = nullptr;
        CQENDoc* doc = nullptr;
        CLiveBalance* live = nullptr;

        explicit Live(const char* network = "KL.txt")
        {
            frame = f.app->MainFrame();
            doc = f.app->OpenDocumentFile(AppFixture::Network(network));
            live = doc ? CLiveBalance::Of(*doc) : nullptr;
        }
        ~Live()
        {
            if (doc)
                doc->SetModifiedFlag(false);
        }
        QString Pane()
        {
            frame->UpdateCommandUI();
            return frame->StatusPanes()->BalanceText();
        }
    };

private slots:
    void switchIsInTheMenuAndOnTheToolbar()
    {
        Live t;
        QVERIFY(t.doc && t.live);
        QAction* a = t.frame->Action(Cmd::AutoBalance);
        QVERIFY(a && a->isCheckable());
        QCOMPARE(a->text(), QStringLiteral("自动平差(&A)"));
        QVERIFY(t.frame->ToolBar(Cmd::BarStandard)->actions().contains(a));
        QVERIFY(!t.f.app->Settings().AutoBalance);
        t.frame->UpdateCommandUI();
        QVERIFY(a->isEnabled() && !a->isChecked());
        // Off: an edit leaves the results stale and starts nothing.
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 0), 0.5);
        QVERIFY(!t.live->IsBusy());
        QCOMPARE(t.Pane(), QStringLiteral("未平差"));

        a->trigger();
        QVERIFY(t.f.app->Settings().AutoBalance);
        t.frame->UpdateCommandUI();
        QVERIFY(a->isChecked());
        // Switched on, the network is balanced at once.
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        QCOMPARE(t.Pane(), QStringLiteral("已平差:最高时"));
        QVERIFY(t.f.prompt->shown.empty());
        a->trigger();
        QVERIFY(!t.f.app->Settings().AutoBalance);
    }

    void editIsFollowedByTheResultsOfAFullBalance()
    {
        Live t;
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        const std::vector<double> before = LiveHeads(*t.doc);
        QSignalSpy spy(t.doc, &CQENDoc::changed);
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 3), 0.4);
        // The edit is in at once; the balance follows without holding up the editor.
        QVERIFY(t.live->IsBusy());
        QCOMPARE(t.Pane(), QStringLiteral("已平差:最高时 (已修改)"));
        QTRY_COMPARE(t.live->AppliedCount(), 2);
        QVERIFY(!t.live->IsBusy());
        QCOMPARE(t.Pane(), QStringLiteral("已平差:最高时"));
        QVERIFY(!t.doc->Data().HasStaleResults());
        QCOMPARE(spy.size(), 2);   // the edit, then the results as after 管网平差
        QCOMPARE(spy.at(1).at(0).value<ZNetMsg>().Code, int(ZNetMsg::Balanced));
        const std::vector<double> live = LiveHeads(*t.doc);
        QVERIFY(LiveHeadGap(live, before) > 0.1);
        QVERIFY(LiveHeadGap(live, LiveReferenceHeads(*t.doc)) < LiveHeadAgreement);
        QVERIFY(t.f.prompt->shown.empty());
    }

    void onlyTheNewestOfQuickEditsIsApplied()
    {
        Live t;
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        QSignalSpy settled(t.live, &CLiveBalance::settled);
        // The first edit's copy goes to the worker; the second comes while it may still run.
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 2), 0.3);
        QCoreApplication::processEvents();
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 5), 0.3);
        QTRY_COMPARE(t.live->AppliedCount(), 2);
        QVERIFY(!t.live->IsBusy());
        // Whatever the first run did reaches nothing any more.
        QTest::qWait(100);
        QCOMPARE(t.live->AppliedCount(), 2);
        QCOMPARE(settled.size(), 1);
        QVERIFY(LiveHeadGap(LiveHeads(*t.doc), LiveReferenceHeads(*t.doc)) < LiveHeadAgreement);
    }

    void graphicWindowPaintsTheEditWithItsResults()
    {
        Live t;
        CQENView* view = nullptr;
        for (CChildFrame* f : t.frame->Frames())
            if (auto* v = qobject_cast<CQENView*>(f->View()))
                view = v;
        QVERIFY(view);
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        QTRY_VERIFY(!view->RedrawHeld());
        // While the edit's balance runs the window keeps its picture; the results let it go.
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 2), 0.5);
        QVERIFY(view->RedrawHeld());
        QTRY_COMPARE(t.live->AppliedCount(), 2);
        QVERIFY(!view->RedrawHeld());
        // Turning the switch off lets it go, and edits made then paint at once.
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 2), 2.0);
        QVERIFY(view->RedrawHeld());
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QVERIFY(!view->RedrawHeld());
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 3), 0.5);
        QVERIFY(!view->RedrawHeld());
    }

    void undoAndRedoAreBalancedAgain()
    {
        Live t;
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        const std::vector<double> first = LiveHeads(*t.doc);
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 1), 0.4);
        QTRY_COMPARE(t.live->AppliedCount(), 2);
        const std::vector<double> edited = LiveHeads(*t.doc);
        QVERIFY(LiveHeadGap(first, edited) > 0.1);

        QVERIFY(t.frame->Action(Cmd::EditUndo));
        QVERIFY(t.doc->Data().Undo());
        QTRY_COMPARE(t.live->AppliedCount(), 3);
        QVERIFY(LiveHeadGap(LiveHeads(*t.doc), first) < LiveHeadAgreement);
        QVERIFY(t.doc->Data().Redo());
        QTRY_COMPARE(t.live->AppliedCount(), 4);
        QVERIFY(LiveHeadGap(LiveHeads(*t.doc), edited) < LiveHeadAgreement);
        QCOMPARE(t.Pane(), QStringLiteral("已平差:最高时"));
    }

    void networkFallingApartIsToldInTheStatusPane()
    {
        Live t;
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        const std::vector<double> balanced = LiveHeads(*t.doc);
        {
            ZEditTransaction tx(t.doc->Data(), "插入节点");
            auto* lone = new ZConsumeNode;
            lone->SetId(GbkView("LONE"));
            lone->NodeFlow = 0.01;
            t.doc->Data().GetNetwork().AddNode(lone);
            tx.Added(lone);
            tx.Commit();
        }
        QSignalSpy settled(t.live, &CLiveBalance::settled);
        QTRY_COMPARE(settled.size(), 1);
        QCOMPARE(t.live->AppliedCount(), 1);
        QCOMPARE(t.Pane(), QStringLiteral("自动平差: 管网不连通"));
        QVERIFY(t.f.prompt->shown.empty());   // no message box
        // Undone, the network balances again and the pane says so.
        QVERIFY(t.doc->Data().Undo());
        QTRY_COMPARE(t.live->AppliedCount(), 2);
        QCOMPARE(t.Pane(), QStringLiteral("已平差:最高时"));
        QVERIFY(LiveHeadGap(LiveHeads(*t.doc), balanced) < LiveHeadAgreement);
    }

    void switchIsRememberedByTheNextRun()
    {
        auto f = std::make_unique<AppFixture>();
        f->app->MainFrame()->ExecuteCommand(Cmd::AutoBalance);
        const QString profile = f->dir.filePath("profile.ini");
        f->app->ExitInstance();
        f->app.reset();
        CQENApp next(std::make_unique<QSettingsKeyValueStore>(profile), std::make_unique<ScriptedPrompt>());
        next.RecoveryRoot = f->dir.filePath("recovery");
        next.Language = QStringLiteral("zh");
        QVERIFY(next.InitInstance());
        QVERIFY(next.Settings().AutoBalance);
        next.MainFrame()->UpdateCommandUI();
        QVERIFY(next.MainFrame()->Action(Cmd::AutoBalance)->isChecked());
        next.MainFrame()->ExecuteCommand(Cmd::AutoBalance);
        next.ExitInstance();
    }

    void closingWhileABalanceRunsIsSafe()
    {
        for (int round = 0; round < 3; ++round) {
            Live t("L-TOWN.txt");
            QVERIFY(t.doc);
            t.frame->ExecuteCommand(Cmd::AutoBalance);
            QTRY_COMPARE(t.live->AppliedCount(), 1);
            LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 7), 0.5);
            // The copy goes to the worker; the document closes after none, one or a few passes.
            for (int i = 0; i < round; ++i)
                QCoreApplication::processEvents();
            t.doc->SetModifiedFlag(false);
            QVERIFY(t.f.app->CloseDocument(t.doc));
            t.doc = nullptr;
            QVERIFY(t.f.app->Documents().isEmpty());
        }
        // And the program closing with a run under way.
        Live t("L-TOWN.txt");
        t.frame->ExecuteCommand(Cmd::AutoBalance);
        QTRY_COMPARE(t.live->AppliedCount(), 1);
        LiveScaleDiameter(*t.doc, LiveBusyPipe(*t.doc, 9), 0.5);
        QCoreApplication::processEvents();
        t.doc->SetModifiedFlag(false);
        t.doc = nullptr;
        t.f.app.reset();
    }
};

QTEST_MAIN(TestLiveBalance)
#include "test_LiveBalance.moc"
