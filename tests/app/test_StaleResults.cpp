// The program after an edit of a balanced network: the status pane, the table, the tooltips and
// the property dialog show which results no longer belong to the network, an undo back to the
// run and balancing again clear it; the table titles and tooltips name the units.
#include "AppFixture.h"
#include "ModalHelper.h"
#include "app/frames/CMainFrame.h"
#include "app/frames/CMainStatusBar.h"
#include "app/commands/CQENDoc.h"
#include "views/CommandIds.h"

#include "hydraulics/ZBalanceRun.h"
#include "model/GbkCodec.h"
#include "model/ZEditTransaction.h"
#include "edit/ZNetEditor.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "views/CQENGrid.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"
#include "views/CQENView.h"
#include "views/ObjectPropertyEditor.h"

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <QtTest>

namespace {
QString Cell(const CQENGridModel* m, const ZNetObject* o, int column)
{
    return m->data(m->index(m->RowOf(o), column)).toString();
}

QString Tip(const ZNetObject* o, const ZNetView& view)
{
    GbkString text;
    o->GetTipText(view, text);
    return QString::fromStdString(GbkCodec::ToUtf8(text));
}
}   // namespace

class TestStaleResults : public QObject {
    Q_OBJECT

    // The example town, balanced, in the program with its table and graphic windows.
    struct Town {
        AppFixture f;
        CMainFrame* frame = nullptr;
        CQENDoc* doc = nullptr;
        CQENGridView* grid = nullptr;
        CQENView* graphic = nullptr;
        ZPipeLink* rest = nullptr;   // the pipe's second half

        Town()
        {
            frame = f.app->MainFrame();
            doc = f.app->OpenDocumentFile(QEN_SOURCE_DIR "/examples/town.wnp");
            ZLabelTipSettings& tips = f.app->Settings().LabelTip();
            tips.NodeTip = 0x3F;
            tips.PipeTip = 0x3AF;
            Balance();
            frame->ExecuteCommand(Cmd::WindowTable);
            grid = qobject_cast<CQENGridView*>(frame->FrameOf(doc, CChildFrame::Table)->View());
            graphic = qobject_cast<CQENView*>(frame->FrameOf(doc, CChildFrame::Graphic)->View());
        }
        ~Town() { doc->SetModifiedFlag(false); }
        bool Balance()
        {
            ZBalanceRun run(doc->Data());
            if (!run.CheckConnectivity() || run.Run() != ZBalanceInfo::Converged)
                return false;
            doc->UpdateAllViews(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
            return true;
        }
        ZNetwork& Net() { return doc->Data().GetNetwork(); }
        QString Status()
        {
            frame->UpdateCommandUI();
            return frame->StatusPanes()->BalanceText();
        }
        QString CaseName() const
        {
            return QString::fromStdString(ZBalanceRun::CaseName(doc->Data().GetDrawSettings().CalcCase));
        }
        // A node N1 on pipe P11 (J32-J33), half way: the pipe is split in two.
        ZConsumeNode* SplitP11()
        {
            auto* node = new ZConsumeNode;
            node->CopyFrom(f.app->Settings().Templates().Node);
            node->SetId("N1");
            node->X = 465;
            node->Y = 500;
            rest =
                ZNetEditor(doc->Data()).InsertNodeOnPipe(static_cast<ZPipeLink*>(Net().FindLink("P11")), node, 0, -1);
            return node;
        }
    };

    // The tooltip's text as the graphic view shows it, in a tooltip-like label for the picture.
    static void ShowTip(CQENView* view, const ZNetObject* o, const QString& name)
    {
        QLabel tip(Tip(o, view->Canvas()));
        tip.setPalette(QToolTip::palette());
        tip.setAutoFillBackground(true);
        tip.setFrameStyle(QFrame::Box);
        tip.setMargin(3);
        tip.adjustSize();
        Screenshot(&tip, name);
    }

private slots:
    void anEditLeavesItsResultsStaleUntilBalancedAgain()
    {
        Town t;
        QVERIFY(t.grid && t.graphic);
        const QString balanced = QStringLiteral("已平差:") + t.CaseName();
        QCOMPARE(t.Status(), balanced);
        ZConsumeNode* n1 = t.SplitP11();
        QVERIFY(n1->GetIndex() >= 0);
        const ZNetObject* p11 = t.Net().FindLink("P11");
        const ZNetObject* j11 = t.Net().FindNode("J11");
        const ZNetObject* p01 = t.Net().FindLink("P01");
        CQENGridModel* nodes = t.grid->Model(0);
        CQENGridModel* pipes = t.grid->Model(1);

        // What the user sees: the status pane and the table after the edit, the new node's tip.
        t.frame->resize(1280, 860);
        t.frame->FrameOf(t.doc, CChildFrame::Table)->showMaximized();
        t.frame->UpdateCommandUI();
        QTest::qWait(50);   // the status bar lays out its grown pane
        t.grid->SetCurrentTab(0);
        nodes->SetCurrentRecord(nodes->RowOf(n1) + 1);
        t.grid->Grid(0)->scrollTo(nodes->index(nodes->RowOf(n1), 0));
        Screenshot(t.frame, QStringLiteral("stale-table-nodes"));
        t.grid->SetCurrentTab(1);
        t.grid->Grid(1)->scrollTo(pipes->index(pipes->RowOf(p11), 0));
        Screenshot(t.frame, QStringLiteral("stale-table-pipes"));
        t.frame->FrameOf(t.doc, CChildFrame::Graphic)->showMaximized();
        ShowTip(t.graphic, n1, QStringLiteral("stale-tip-node"));

        QCOMPARE(t.Status(), balanced + QStringLiteral(" (已修改)"));
        // The new node's head and the split pipe's flow are unknown; the rest keep theirs.
        QCOMPARE(Cell(nodes, n1, 6), QString());
        QCOMPARE(Cell(nodes, n1, 7), QString());
        QCOMPARE(Cell(pipes, p11, 11), QString());
        QCOMPARE(Cell(pipes, p11, 12), QString());
        QCOMPARE(Cell(pipes, t.rest, 11), QString());
        QVERIFY(!Cell(nodes, j11, 6).isEmpty());
        QVERIFY(!Cell(pipes, p01, 11).isEmpty());
        const QString tip = Tip(n1, t.graphic->Canvas());
        QVERIFY2(tip.contains(QStringLiteral("压力:,")) && tip.endsWith(QStringLiteral("水头:")), qPrintable(tip));
        QVERIFY2(Tip(j11, t.graphic->Canvas()).contains(QRegularExpression("压力:[0-9.]+ mH2O")),
                 qPrintable(Tip(j11, t.graphic->Canvas())));
        QVERIFY(Tip(p11, t.graphic->Canvas()).contains(QStringLiteral("流量:,")));

        // Undo goes back to the run's own network: current again. Redo is a change once more.
        QVERIFY(t.doc->Data().Undo());
        QCOMPARE(t.Status(), balanced);
        QVERIFY(!Cell(pipes, p11, 11).isEmpty());
        QVERIFY(t.doc->Data().Redo());
        QCOMPARE(t.Status(), balanced + QStringLiteral(" (已修改)"));
        QCOMPARE(Cell(nodes, n1, 6), QString());
        // Balancing again makes every result current.
        QVERIFY(t.Balance());
        QCOMPARE(t.Status(), balanced);
        QVERIFY(!Cell(nodes, n1, 6).isEmpty());
        QVERIFY(!Cell(pipes, p11, 11).isEmpty());
        QVERIFY(!Cell(pipes, t.rest, 11).isEmpty());

        // A node's new elevation reaches the rows of its pipes too: their head loss is stale.
        QSignalSpy changed(pipes, &QAbstractItemModel::dataChanged);
        {
            ZEditTransaction tx(t.doc->Data(), "elevation");
            auto* j = t.Net().FindNode("J11");
            tx.TouchFields(j);
            j->NodeGrunElev += 1.0;
            tx.Commit();
        }
        const int row = pipes->RowOf(p01);
        bool refreshed = false;
        for (const QList<QVariant>& args : changed)
            refreshed |= args[0].value<QModelIndex>().row() <= row && row <= args[1].value<QModelIndex>().row();
        QVERIFY(refreshed);
        QCOMPARE(Cell(pipes, p01, 12), QString());
    }

    void thePropertyDialogLeavesStaleResultsEmpty()
    {
        Town t;
        ZConsumeNode* n1 = t.SplitP11();
        ZNetObject* j11 = t.Net().FindNode("J11");
        QString freeHead, otherFreeHead, hydr;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QDialog*>(w);
            freeHead = dlg->findChild<QLineEdit*>("FreeHead")->text();
            hydr = dlg->findChild<QLineEdit*>("NodeHydrElev")->text();
            Screenshot(dlg, QStringLiteral("stale-node-dialog"));
            dlg->reject();
        });
        t.f.app->PropertyEditor()->EditObjects(t.graphic, t.doc->Data(), {n1});
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QDialog*>(w);
            otherFreeHead = dlg->findChild<QLineEdit*>("FreeHead")->text();
            dlg->reject();
        });
        t.f.app->PropertyEditor()->EditObjects(t.graphic, t.doc->Data(), {j11});
        QCOMPARE(freeHead, QString());
        QCOMPARE(hydr, QString());
        QVERIFY(!otherFreeHead.isEmpty());
    }

    void unitsInTitlesAndTooltips()
    {
        Town t;
        CQENGridModel* pipes = t.grid->Model(1);
        CQENGridModel* nodes = t.grid->Model(0);
        auto title = [](const CQENGridModel* m, int c) { return m->headerData(c, Qt::Horizontal).toString(); };
        QCOMPARE(title(pipes, 11), QStringLiteral("流量 (l/s)"));
        QCOMPARE(title(pipes, 1), QStringLiteral("管径 (mm)"));
        QCOMPARE(title(pipes, 0), QStringLiteral("编号"));
        QCOMPARE(title(nodes, 6), QStringLiteral("绝对水头 (mH2O)"));
        QCOMPARE(title(nodes, 2), QStringLiteral("地面标高 (m)"));
        const ZNetObject* p01 = t.Net().FindLink("P01");
        QVERIFY2(Tip(p01, t.graphic->Canvas()).contains(QRegularExpression("流量:[0-9.]+ l/s, ")),
                 qPrintable(Tip(p01, t.graphic->Canvas())));
        // Flow in m3/h from the options: titles and tips follow.
        t.f.app->Settings().Units().Get(UnitSystem::Flow).SetUnitIndex(2);
        t.doc->UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr});
        QCOMPARE(title(pipes, 11), QStringLiteral("流量 (m3/h)"));
        QCOMPARE(title(nodes, 5), QStringLiteral("水量 (m3/h)"));
        const QString tip = Tip(p01, t.graphic->Canvas());
        QVERIFY2(tip.contains(QRegularExpression("管径:[0-9]+ mm, .*流量:[0-9.]+ m3/h, 流速:[0-9.]+ m/s")),
                 qPrintable(tip));
        QVERIFY2(Tip(t.Net().FindNode("J11"), t.graphic->Canvas()).contains(QRegularExpression("标高:[0-9.]+ m, ")),
                 qPrintable(Tip(t.Net().FindNode("J11"), t.graphic->Canvas())));
        t.frame->resize(1280, 860);
        t.frame->FrameOf(t.doc, CChildFrame::Table)->showMaximized();
        t.grid->SetCurrentTab(1);
        Screenshot(t.frame, QStringLiteral("units-table-m3h"));
        t.frame->FrameOf(t.doc, CChildFrame::Graphic)->showMaximized();
        ShowTip(t.graphic, t.Net().FindNode("J11"), QStringLiteral("units-tip-node"));
    }
};

QTEST_MAIN(TestStaleResults)
#include "test_StaleResults.moc"
