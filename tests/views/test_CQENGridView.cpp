// The table window: tabs, record commands and their states, change hints, copying, sorting by a
// title click, double-click, printing.
#include "GridTestNetwork.h"

#include "model/ZSettingsStore.h"
#include "views/CGridPrinter.h"
#include "views/CQENGrid.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"
#include "views/ZGridColumns.h"

#include <QClipboard>
#include <QHeaderView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using G = ZGridColumns;
using V = CQENGridView;

class TestCQENGridView : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    static bool Enabled(CQENGridView& v, int id)
    {
        CommandState s;
        return v.OnUpdateCommand(id, s) && s.enabled;
    }
    static QString Marker(CQENGridView& v, int tab, int row)
    {
        return v.Model(tab)->headerData(row, Qt::Vertical).toString();
    }

private slots:
    void tabsWithIconsAndGrids()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        CQENGridView v(&doc, settings);
        QCOMPARE(v.Tabs()->count(), 5);
        QStringList names;
        for (int t = 0; t < 5; ++t) {
            names << v.Tabs()->tabText(t);
            QVERIFY(!v.Tabs()->tabIcon(t).isNull());
            QCOMPARE(v.Grid(t)->objectName(), QStringLiteral("grid%1").arg(1055 + t));
        }
        QCOMPARE(names, (QStringList{"节点", "管道", "水泵", "阀门", "水池"}));
        QCOMPARE(v.CurrentTab(), 0);
        QCOMPARE(v.Grid(0)->model()->rowCount(), 5);
        QCOMPARE(v.Grid(4)->model()->rowCount(), 1);
    }

    void recordCommandsMoveTheMarker()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        CQENGridView v(&doc, settings);
        v.resize(600, 300);
        v.show();
        QSignalSpy text(&v, &CQENGridView::recordTextChanged);
        QCOMPARE(v.RecordText(), QStringLiteral("1/5"));
        QVERIFY(!Enabled(v, V::CmdRecordFirst) && !Enabled(v, V::CmdRecordPrev));
        QVERIFY(Enabled(v, V::CmdRecordNext) && Enabled(v, V::CmdRecordLast));
        QVERIFY(v.OnCommand(V::CmdRecordNext));
        QCOMPARE(Marker(v, 0, 1), QStringLiteral("* 2"));
        QCOMPARE(Marker(v, 0, 0), QStringLiteral("1"));
        QCOMPARE(v.Grid(0)->currentIndex().row(), 1);
        QCOMPARE(text.last()[0].toString(), QStringLiteral("2/5"));
        QVERIFY(Enabled(v, V::CmdRecordFirst) && Enabled(v, V::CmdRecordPrev));
        v.OnCommand(V::CmdRecordLast);
        QCOMPARE(v.RecordText(), QStringLiteral("5/5"));
        QVERIFY(!Enabled(v, V::CmdRecordNext) && !Enabled(v, V::CmdRecordLast));
        v.OnCommand(V::CmdRecordPrev);
        QCOMPARE(v.RecordText(), QStringLiteral("4/5"));
        v.OnCommand(V::CmdRecordFirst);
        QCOMPARE(v.RecordText(), QStringLiteral("1/5"));
        // A click on a row makes it the current record.
        QTest::mouseClick(v.Grid(0)->viewport(), Qt::LeftButton, {},
                          v.Grid(0)->visualRect(v.Grid(0)->model()->index(2, 1)).center());
        QCOMPARE(v.RecordText(), QStringLiteral("3/5"));
        // Each tab keeps its own record; the empty pump table and the one-row tank table allow none.
        v.SetCurrentTab(G::PumpTab);
        QCOMPARE(text.last()[0].toString(), QStringLiteral("0/0"));
        for (int id : {V::CmdRecordFirst, V::CmdRecordPrev, V::CmdRecordNext, V::CmdRecordLast})
            QVERIFY(!Enabled(v, id));
        v.SetCurrentTab(G::TankTab);
        for (int id : {V::CmdRecordFirst, V::CmdRecordPrev, V::CmdRecordNext, V::CmdRecordLast})
            QVERIFY(!Enabled(v, id));
        v.SetCurrentTab(G::NodeTab);
        QCOMPARE(v.RecordText(), QStringLiteral("3/5"));
    }

    void nextScrollsOneRowAtATime()
    {
        ZDocument doc;
        for (int i = 0; i < 200; ++i)
            ViewTestNetworks::AddNode(doc, QString::asprintf("N%03d", i).toStdString(), i, 0);
        CQENGridView v(&doc, settings);
        v.resize(500, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        CQENGrid* g = v.Grid(0);
        auto top = [g]() { return g->rowAt(0); };
        QCOMPARE(top(), 0);
        int lastVisible = g->rowAt(g->viewport()->height() - 1);
        if (g->rowViewportPosition(lastVisible) + g->rowHeight(lastVisible) > g->viewport()->height())
            --lastVisible;   // only partly shown
        for (int i = 0; i < lastVisible + 1; ++i)
            v.OnCommand(V::CmdRecordNext);
        QCOMPARE(top(), 1);   // the record just below the window brought in by one row
        v.OnCommand(V::CmdRecordLast);
        QCOMPARE(g->rowAt(g->viewport()->height() - 1), 199);
        v.OnCommand(V::CmdRecordFirst);
        QCOMPARE(top(), 0);
    }

    void changeHints()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        ZNetwork& net = doc.GetNetwork();
        CQENGridView v(&doc, settings);
        v.SetCurrentTab(G::PipeTab);
        v.OnCommand(V::CmdRecordLast);   // "41"
        CQENGridModel* pipes = v.Model(G::PipeTab);
        // Removed objects leave the tables; the current record stays on its pipe.
        std::vector<ZNetObject*> removed;
        net.TakeOutLink(net.FindLink("12"), removed);
        ZNetMsg msg{ZNetMsg::ObjectsChanged, ZNetMsg::Removed, 0, &removed};
        v.OnUpdate(&msg);
        QCOMPARE(pipes->rowCount(), 3);
        QCOMPARE(v.RecordText(), QStringLiteral("3/3"));
        QCOMPARE(v.Grid(G::PipeTab)->currentIndex().row(), 2);   // focusing the grid keeps the record
        for (ZNetObject* o : removed)
            o->DeleteSelf();
        // Added ones come in.
        auto* p = ViewTestNetworks::AddPipe(doc, "13", net.FindNode("1"), net.FindNode("3"));
        std::vector<ZNetObject*> added{p};
        msg = ZNetMsg{ZNetMsg::ObjectsChanged, ZNetMsg::Added, 0, &added};
        v.OnUpdate(&msg);
        QCOMPARE(pipes->rowCount(), 4);
        QCOMPARE(pipes->data(pipes->index(0, 0)).toString(), QStringLiteral("13"));
        // A balancing run: new results in the cells without a new list.
        QSignalSpy reset(pipes, &QAbstractItemModel::modelReset);
        static_cast<ZFlowLink*>(net.FindLink("23"))->Flow = 0.02;
        msg = ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr};
        v.OnUpdate(&msg);
        QCOMPARE(pipes->data(pipes->index(1, 11)).toString(), QStringLiteral("20.00"));
        QCOMPARE(reset.size(), 0);
        // A moved node shows its new coordinates.
        ZConsumeNode* n = net.FindNode("2");
        n->X = 150;
        std::vector<ZNetObject*> moved{n};
        QSignalSpy changed(v.Model(G::NodeTab), &QAbstractItemModel::dataChanged);
        msg = ZNetMsg{ZNetMsg::ObjectsChanged, ZNetMsg::Moved, 0, &moved};
        v.OnUpdate(&msg);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(v.Model(G::NodeTab)->data(v.Model(G::NodeTab)->index(1, 3)).toString(), QStringLiteral("150.0"));
        // A CAD import starts every table from its first record.
        msg = ZNetMsg{ZNetMsg::CadImported, 0, 0, nullptr};
        v.OnUpdate(&msg);
        QCOMPARE(v.RecordText(), QStringLiteral("1/4"));
    }

    void listensToItsDocument()
    {
        auto doc = std::make_unique<ZDocument>();
        GridTestNetwork::Build(*doc);
        CQENGridView v(doc.get(), settings);
        // A change of several kinds at once (an undo, say) lists every table again.
        ViewTestNetworks::AddNode(*doc, "6", 50, 50);
        doc->Announce(ZNetMsg{ZNetMsg::ObjectsChanged, ZNetMsg::None, 0, nullptr});
        QCOMPARE(v.Model(G::NodeTab)->rowCount(), 6);
        // The document going first leaves empty tables, not dangling rows.
        doc.reset();
        QCOMPARE(v.Model(G::NodeTab)->rowCount(), 0);
        QCOMPARE(v.RecordText(), QStringLiteral("0/0"));
        CommandState st;
        QVERIFY(v.OnUpdateCommand(V::CmdRecordNext, st) && !st.enabled);
    }

    void optionsChangeRewritesUnits()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        ZSettingsStore own;
        CQENGridView v(&doc, own);
        CQENGridModel* pipes = v.Model(G::PipeTab);
        QCOMPARE(pipes->data(pipes->index(0, 9)).toString(), QStringLiteral("1234.5"));
        QSignalSpy changed(pipes, &QAbstractItemModel::dataChanged);
        own.Units().Get(UnitSystem::Length).SetUnitIndex(1);
        ZNetMsg msg{ZNetMsg::OptionsChanged, 0, 0, nullptr};
        v.OnUpdate(&msg);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(pipes->data(pipes->index(0, 9)).toString(), QStringLiteral("1.2"));
        // The pipe tab's icon is drawn in the pipe colour.
        auto iconImage = [&v]() { return v.Tabs()->tabIcon(G::PipeTab).pixmap(16, 16).toImage(); };
        const QImage before = iconImage();
        own.Colors().Pipe = ZColorSettings::Rgb(200, 0, 0);
        v.OnUpdate(&msg);
        QVERIFY(iconImage() != before);
    }

    void copySelectionWithTitles()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        CQENGridView v(&doc, settings);
        v.show();
        CQENGrid* g = v.Grid(G::NodeTab);
        QVERIFY(!Enabled(v, V::CmdCopy));
        auto* sel = g->selectionModel();
        const QAbstractItemModel* m = g->model();
        sel->select(QItemSelection(m->index(1, 0), m->index(2, 0)), QItemSelectionModel::ClearAndSelect);
        sel->select(m->index(1, 6), QItemSelectionModel::Select);
        QVERIFY(Enabled(v, V::CmdCopy));
        QApplication::clipboard()->clear();
        g->setFocus();
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("编号\t绝对水头 (mH2O)\n2\t28.00\n3\t\n"));
        // The command copies the same.
        QApplication::clipboard()->clear();
        v.OnCommand(V::CmdCopy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("编号\t绝对水头 (mH2O)\n2\t28.00\n3\t\n"));
    }

    void titleClickSortsAndRecordsFollow()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        CQENGridView v(&doc, settings);
        v.resize(900, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        CQENGrid* g = v.Grid(G::NodeTab);
        QHeaderView* h = g->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(6) + h->sectionSize(6) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(v.Model(G::NodeTab)->SortColumn(), 6);
        QStringList ids;
        for (int r = 0; r < 5; ++r)
            ids << g->model()->data(g->model()->index(r, 0)).toString();
        QCOMPARE(ids.first(), QStringLiteral("5"));   // no head
        // Records move through the rows as shown.
        v.OnCommand(V::CmdRecordFirst);
        v.OnCommand(V::CmdRecordNext);
        QCOMPARE(g->model()->data(g->model()->index(v.Model(G::NodeTab)->CurrentRecord() - 1, 0)).toString(), ids[1]);
        // Second click: descending; third: the network's order again.
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(v.Model(G::NodeTab)->SortOrder(), Qt::DescendingOrder);
        QCOMPARE(g->model()->data(g->model()->index(4, 0)).toString(), QStringLiteral("5"));
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(v.Model(G::NodeTab)->SortColumn(), -1);
        QCOMPARE(h->sortIndicatorSection(), -1);
        QCOMPARE(g->model()->data(g->model()->index(0, 0)).toString(), QStringLiteral("1"));
        QCOMPARE(g->model()->data(g->model()->index(4, 0)).toString(), QStringLiteral("5"));
    }

    void doubleClickAsksForTheObject()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        CQENGridView v(&doc, settings);
        v.resize(600, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.SetCurrentTab(G::PipeTab);
        QList<ZNetObject*> got;
        connect(&v, &CQENGridView::objectActivated, this, [&got](ZNetObject* o) { got.append(o); });
        CQENGrid* g = v.Grid(G::PipeTab);
        const QPoint at = g->visualRect(g->model()->index(2, 3)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0], static_cast<ZNetObject*>(doc.GetNetwork().FindLink("34")));
    }

    void printsPagesWithNumbers()
    {
        ZDocument doc;
        for (int i = 0; i < 150; ++i)
            ViewTestNetworks::AddNode(doc, QString::asprintf("N%03d", i).toStdString(), i, 0);
        CQENGridModel nodes(G::NodeTab, &doc.GetNetwork(), settings.Units());
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("t.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        const int pages = CGridPrinter::Print(printer, nodes, QStringLiteral("节点"));
        // Fifty-odd rows fit an A4 page at 9 points.
        QVERIFY2(pages >= 2 && pages <= 4, qPrintable(QString::number(pages)));
        QVERIFY(QFileInfo(dir.filePath("t.pdf")).size() > 1000);
        // An empty table still prints its titles on one page.
        CQENGridModel none(G::PumpTab, &doc.GetNetwork(), settings.Units());
        printer.setOutputFileName(dir.filePath("e.pdf"));
        QCOMPARE(CGridPrinter::Print(printer, none, QStringLiteral("水泵")), 1);
    }

    void previewShowsThePages()
    {
        ZDocument doc;
        GridTestNetwork::Build(doc);
        for (int i = 0; i < 120; ++i)
            ViewTestNetworks::AddNode(doc, QString::asprintf("N%03d", i).toStdString(), i * 10.0, 5.0, 30 + i * 0.1);
        CQENGridView v(&doc, settings);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintPreviewWidget preview(&printer);
        connect(&preview, &QPrintPreviewWidget::paintRequested, &v, [&v](QPrinter* p) { v.PrintTo(*p); });
        preview.resize(900, 1200);
        preview.show();
        preview.updatePreview();
        QCOMPARE(preview.pageCount(), 3);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR")) {
            preview.setViewMode(QPrintPreviewWidget::SinglePageView);
            preview.fitToWidth();
            preview.setCurrentPage(3);
            QTest::qWait(100);
            preview.grab().save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + "/table-print-page3.png");
        }
    }
};

QTEST_MAIN(TestCQENGridView)
#include "test_CQENGridView.moc"
