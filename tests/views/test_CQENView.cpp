// The graphic view window: change hints, tooltips, keys, context menus, printing, project labels.
#include "ViewTestNetworks.h"

#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "views/CommandIds.h"
#include "views/CQENView.h"
#include "views/GbkText.h"
#include "model/Prompt.h"
#include "model/ZNetBkDib.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"
#include "model/ZDeviceLink.h"
#include "model/ZLabelLayout.h"
#include "model/ZObjectLabels.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

using namespace ViewTestNetworks;

namespace {
struct Answers : Prompt {
    bool yes = false;
    std::vector<std::string> shown;
    bool AskYesNo(const std::string& t) override
    {
        shown.push_back(t);
        return yes;
    }
    void Inform(const std::string& t) override { shown.push_back(t); }
};
}   // namespace

class TestCQENView : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    std::unique_ptr<CQENView> MakeView(ZDocument& doc)
    {
        doc.SetExtents({-10, -10, 110, 110});
        auto v = std::make_unique<CQENView>(&doc, settings);
        v->resize(400, 400);
        v->InitialUpdate();
        return v;
    }

private slots:
    void initialUpdateFitsTheSavedView()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QCOMPARE(v->Canvas().GetScale(), 120.0 / 400.0);
        QCOMPARE(int(v->Canvas().VisibleSet().Nodes().size()), 4);
        QCOMPARE(int(v->Canvas().VisibleSet().Links().size()), 4);
        QCOMPARE(int(v->Canvas().ZoomTool().History().size()), 1);
    }

    // A file opens with the whole network in the window when its stored view does not hold it
    // all: a text file's bare bounds (edge symbols and labels cut), an import's default view, a
    // close-up. A stored view that holds everything is kept as it is. Opening changes nothing.
    void openingShowsTheWholeNetwork_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("stored");   // 0 as read, 1 the default (0, 0, 1000, 1000), 2 a close-up
        QTest::newRow("town, text file") << QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt") << 0;
        QTest::newRow("town, project") << QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp") << 0;
        QTest::newRow("town, close-up") << QStringLiteral(QEN_SOURCE_DIR "/examples/town.wnp") << 2;
        QTest::newRow("EPANET network, default view") << QStringLiteral(QEN_TEST_DATA_DIR "/networks/Net3.txt") << 1;
        QTest::newRow("L-TOWN") << QStringLiteral(QEN_TEST_DATA_DIR "/networks/L-TOWN.txt") << 0;
    }
    void openingShowsTheWholeNetwork()
    {
        QFETCH(QString, file);
        QFETCH(int, stored);
        ZDocument doc;
        if (file.endsWith(QStringLiteral(".txt")))
            TextExchange::LoadFile(file.toStdString(), doc, settings.Units(), settings.Templates());
        else
            ProjectFile::LoadFile(file.toStdString(), doc);
        const ViewExtent net = doc.GetNetwork().BoundRect();
        if (stored == 1)
            doc.SetExtents({0, 0, 1000, 1000});
        else if (stored == 2)
            doc.SetExtents({net.left, net.bottom, net.left + net.Width() / 3, net.bottom + net.Height() / 3});
        const ViewExtent saved = doc.GetExtents();
        doc.SetSaved();
        CQENView v(&doc, settings);
        v.resize(900, 650);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.InitialUpdate();
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            v.grab().save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") +
                          QStringLiteral("/open-%1.png")
                              .arg(QString::fromLatin1(QTest::currentDataTag())
                                       .replace(QLatin1Char(' '), QLatin1Char('_'))
                                       .remove(QLatin1Char(','))));
        const ZNetCanvas& c = v.Canvas();
        const QRect client = v.rect();
        const ZNetwork& nw = doc.GetNetwork();
        for (int i = 0; i < nw.NodeCount(); ++i)
            if (!nw.NodeAt(i)->IsHidden())
                QVERIFY2(client.contains(c.WorldRectToDevice(nw.NodeAt(i)->GetBoundRect(c))), nw.NodeAt(i)->GetId());
        for (int i = 0; i < nw.LinkCount(); ++i)
            QVERIFY2(client.contains(c.WorldRectToDevice(nw.LinkAt(i)->GetBoundRect(c))), nw.LinkAt(i)->GetId());
        // The network fills the window in one direction: not shown as a speck.
        const QRect shown = c.WorldRectToDevice(net);
        QVERIFY(shown.width() > client.width() / 2 || shown.height() > client.height() / 2);
        QCOMPARE(int(v.Canvas().ZoomTool().History().size()), 1);
        QVERIFY(!doc.IsModified());
        QCOMPARE(doc.GetExtents().left, saved.left);
    }

    // A stored view that holds the whole network with room is opened as it was saved.
    void openingKeepsAViewThatHoldsTheNetwork()
    {
        ZDocument doc;
        Square(doc);
        doc.SetExtents({-50, -50, 150, 150});
        CQENView v(&doc, settings);
        v.resize(400, 400);
        v.InitialUpdate();
        QCOMPARE(v.Canvas().GetScale(), 200.0 / 400.0);
        QCOMPARE(v.Canvas().CentreX(), 50.0);
    }

    void hintsKeepTheVisibleSet()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        ZNetwork& net = doc.GetNetwork();
        // Removed through the change path: the view hears it and drops it from the visible set;
        // the path, not the view, ends its selection.
        ZFlowLink* l = net.FindLink("12");
        l->SetFlag(qen::FLAG_SELECTED);
        {
            ZEditTransaction tx(doc, "delete");
            std::vector<ZNetObject*> removed;
            net.TakeOutLink(l, removed);
            for (ZNetObject* o : removed)
                tx.Removed(o);
            tx.Commit();
        }
        QCOMPARE(int(v->Canvas().VisibleSet().Links().size()), 3);
        QVERIFY(!l->IsSelected() && !l->HasFlag(qen::FLAG_PICKED));
        // Undo brings it back into view.
        QVERIFY(doc.Undo());
        QCOMPARE(int(v->Canvas().VisibleSet().Links().size()), 4);
        QVERIFY(l->HasFlag(qen::FLAG_PICKED));
        QVERIFY(doc.Redo());
        QCOMPARE(int(v->Canvas().VisibleSet().Links().size()), 3);
        // Added: in the set at once.
        ZConsumeNode* n = AddNode(doc, "5", 50, 50);
        std::vector<ZNetObject*> added{n};
        ZNetMsg add{ZNetMsg::ObjectsChanged, ZNetMsg::Added, 0, &added};
        v->OnUpdate(&add);
        QVERIFY(n->HasFlag(qen::FLAG_PICKED));
        QCOMPARE(int(v->Canvas().VisibleSet().Nodes().size()), 5);
        // Moved out of view: gone from the set.
        n->SetPosition(5000, 5000);
        ZNetMsg moved{ZNetMsg::ObjectsChanged, ZNetMsg::Moved, 0, &added};
        v->OnUpdate(&moved);
        QVERIFY(!n->HasFlag(qen::FLAG_PICKED));
        // A CAD import rebuilds; so does a full update.
        AddNode(doc, "6", 20, 20);
        ZNetMsg cad{ZNetMsg::CadImported, 0, 0, nullptr};
        v->OnUpdate(&cad);
        QCOMPARE(int(v->Canvas().VisibleSet().Nodes().size()), 5);
        ZNetMsg bal{ZNetMsg::Balanced, 0, 0, nullptr};
        v->OnUpdate(&bal);
        v->OnUpdate(nullptr);
        QCOMPARE(int(v->Canvas().VisibleSet().Nodes().size()), 5);
    }

    void tooltipsAreCutAndSkipFilteredNodes()
    {
        ZDocument doc;
        Square(doc);
        ZConsumeNode* n1 = doc.GetNetwork().FindNode("1");
        auto v = MakeView(doc);
        int px, py;
        v->Canvas().WorldToDevice(0, 0, px, py);
        const QString tip = v->TipTextAt(QPoint(px, py));
        QVERIFY2(tip.startsWith(QString::fromUtf8("节点编号:1")), qPrintable(tip));
        // No text while a zoom mode is on.
        v->Canvas().ZoomTool().SetMode(ZZoomTool::ZoomIn);
        QVERIFY(v->TipTextAt(QPoint(px, py)).isEmpty());
        v->Canvas().ZoomTool().Exit();
        // Every item on: longer than 79 bytes, cut on a character boundary.
        settings.LabelTip().NodeTip = 0x3F;
        n1->NodeGrunElev = 12345.678901;
        const QString all = v->TipTextAt(QPoint(px, py));
        QVERIFY(GbkText::FromQString(all).size() <= 79);
        QVERIFY(!all.contains(QChar(0xFFFD)));
        settings.LabelTip().NodeTip = 3;
        n1->SetFlag(qen::FLAG_FILTERED);
        v->Canvas().RebuildVisibleSet();
        QVERIFY(!v->TipTextAt(QPoint(px, py)).startsWith(QString::fromUtf8("节点编号:1")));
    }

    void tooltipsSpeakTheInterfaceLanguage()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        int px, py;
        v->Canvas().WorldToDevice(0, 0, px, py);
        settings.LabelTip().NodeTip = 0x3F;
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/qen_en.qm")));
        QCoreApplication::installTranslator(&english);
        const QString tip = v->TipTextAt(QPoint(px, py));
        QCoreApplication::removeTranslator(&english);
        settings.LabelTip().NodeTip = 3;
        QVERIFY2(tip.startsWith(QStringLiteral("Node ID:1, Elevation:")), qPrintable(tip));
        QVERIFY2(!tip.contains(QRegularExpression(QStringLiteral("[\\x{3400}-\\x{9fff}]"))), qPrintable(tip));
        QVERIFY(v->TipTextAt(QPoint(px, py)).startsWith(QString::fromUtf8("节点编号:1")));
    }

    void escapeLeavesTheZoomModeAndStoresTheView()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QSignalSpy modified(v.get(), &CQENView::viewStored);
        v->OnCommand(Cmd::PanRealtime);
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QCOMPARE(v->Canvas().ZoomTool().GetMode(), ZZoomTool::NoMode);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(doc.GetExtents(), v->Canvas().GetExtent());
    }

    // Looking around is no edit: after a wheel burst the view is kept for the next save, but the
    // document stays unmodified and 撤销 has nothing new.
    void wheelLeavesTheDocumentUnmodified()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QVERIFY(!doc.IsModified());
        const double scale = v->Canvas().GetScale();
        const QPointF at(200, 200);
        QWheelEvent wheel(at, v->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(v.get(), &wheel);
        QVERIFY(v->Canvas().GetScale() < scale);
        QTest::qWait(500);   // the burst ends
        QCOMPARE(doc.GetExtents(), v->Canvas().GetExtent());
        QVERIFY(!doc.IsModified());
        QVERIFY(!doc.History().CanUndo());
    }

    void mouseMoveReportsWorldCoordinates()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QSignalSpy coords(v.get(), &CQENView::coordinateText);
        QMouseEvent move(QEvent::MouseMove, QPointF(200, 200), v->mapToGlobal(QPointF(200, 200)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v.get(), &move);
        QVERIFY(coords.count() >= 1);
        QCOMPARE(coords.last().at(0).toString(), QStringLiteral("50, 50"));
    }

    void contextMenus()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        std::unique_ptr<QMenu> m(v->BuildContextMenu());
        QCOMPARE(m->title(), QStringLiteral("GraphicView"));
        v->OnCommand(Cmd::ZoomRealtime);
        std::unique_ptr<QMenu> rt(v->BuildContextMenu());
        QCOMPARE(rt->title(), QStringLiteral("RealTime"));
        QCOMPARE(rt->actions().size(), 9);
        QCOMPARE(rt->actions().first()->text(), QString::fromUtf8("退出"));
        QVERIFY(rt->actions().at(2)->isChecked());   // real-time zoom
        v->OnCommand(Cmd::LeaveRealtime);
    }

    void printingFillsThePageAndRestoresTheView()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        // A narrow horizontal strip of the network in the window.
        v->resize(400, 40);
        QApplication::processEvents();
        v->Canvas().SetViewport(QRect(0, 0, 400, 40));
        const double scale = v->Canvas().GetScale();
        const double cx = v->Canvas().CentreX(), cy = v->Canvas().CentreY();
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("p.pdf")));
        printer.setPageOrientation(QPageLayout::Portrait);
        const ViewExtent shown = v->Canvas().GetExtent();
        v->BeginPrinting(printer);
        const QRect page = v->Canvas().GetViewport();
        // Width decides on a portrait page: the strip fills it, centred as in the window.
        QVERIFY(qFuzzyCompare(v->Canvas().GetScale(), shown.Width() / page.width()));
        QCOMPARE(v->Canvas().CentreX(), cx);
        QCOMPARE(v->Canvas().CentreY(), cy);
        QVERIFY(v->Canvas().IsPrinting());
        v->PrintPage(printer);
        v->EndPrinting();
        QCOMPARE(v->Canvas().GetScale(), scale);
        QCOMPARE(v->Canvas().GetViewport(), v->rect());
        QVERIFY(!v->Canvas().IsPrinting());
        QCOMPARE(v->Canvas().DpiX(), v->logicalDpiX());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("p.pdf"))).size() > 0);
    }

    // A wide window printed (or previewed) on its default portrait page used about a third of
    // the page's height: the page now turns like the window, and the window's view fills most of it.
    void printedPageTurnsLikeTheWindow()
    {
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        CQENView v(&doc, settings);
        v.resize(900, 500);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.InitialUpdate();
        const ViewExtent shown = v.Canvas().GetExtent();
        for (bool turned : {false, true}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageOrientation(QPageLayout::Portrait);   // the platform's default page
            if (turned)
                v.MatchPageToView(printer);
            QCOMPARE(printer.pageLayout().orientation(), turned ? QPageLayout::Landscape : QPageLayout::Portrait);
            if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR")) {
                QPrintPreviewWidget preview(&printer);
                connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) {
                    v.BeginPrinting(*p);
                    v.PrintPage(*p);
                    v.EndPrinting();
                });
                preview.resize(700, 700);
                preview.show();
                preview.fitInView();
                QApplication::processEvents();
                preview.grab().save(
                    qEnvironmentVariable("QEN_SCREENSHOT_DIR") +
                    (turned ? QStringLiteral("/print-preview.png") : QStringLiteral("/print-preview-portrait.png")));
            }
            v.BeginPrinting(printer);
            const QRect page = v.Canvas().GetViewport();
            const double s = v.Canvas().GetScale();
            const double used = std::min(shown.Width() / s / page.width(), shown.Height() / s / page.height());
            v.EndPrinting();
            if (turned)
                QVERIFY2(used > 0.75, qPrintable(QString::number(used)));
            else
                QVERIFY2(used < 0.45, qPrintable(QString::number(used)));   // what the preview showed before
        }
        // A tall window keeps a portrait page.
        v.resize(400, 700);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        v.MatchPageToView(printer);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    }

    void printedLinesScaleWithThePage()
    {
        // Print preview draws the printer's page scaled down: pen widths are printer pixels and
        // must shrink with it, not stay that many screen pixels.
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("p.pdf")));
        printer.setResolution(1200);
        v->BeginPrinting(printer);
        const QRect page = v->Canvas().GetViewport();
        const double shrink = 400.0 / page.width();
        QImage img(400, int(page.height() * shrink) + 1, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        p.scale(shrink, shrink);
        v->Canvas().Paint(p);
        p.end();
        int px, py;
        v->Canvas().WorldToDevice(50, 0, px, py);
        v->EndPrinting();
        const int x = int(px * shrink), y0 = int(py * shrink);
        // Rows the pipe covers in that column (it may be drawn with partial cover at this size).
        int rows = 0;
        for (int y = std::max(0, y0 - 16); y < std::min(img.height(), y0 + 16); ++y) {
            const QColor c = img.pixelColor(x, y);
            rows += c.red() < 160 && c.blue() > 200;
        }
        QVERIFY2(rows >= 1 && rows <= 2, qPrintable(QString::number(rows)));
    }

    void projectLabelCommandToggles()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QSignalSpy spy(v.get(), &CQENView::projectLabelModeChanged);
        CommandState st;
        QVERIFY(v->OnUpdateCommand(Cmd::ProjectLabels, st));
        QVERIFY(!st.checked);
        QVERIFY(v->OnCommand(Cmd::ProjectLabels));
        QVERIFY(settings.LabelTip().IsMultiLine());
        v->OnUpdateCommand(Cmd::ProjectLabels, st);
        QVERIFY(st.checked);
        v->OnCommand(Cmd::ProjectLabels);
        QVERIFY(!settings.LabelTip().IsMultiLine());
        QCOMPARE(spy.count(), 2);
    }

    // Engineering labels of the town at extents: every node's box lies inside the window (a box
    // the edge would cut turns about its node or is pushed in), and no box is drawn over a pump,
    // valve or tank symbol: those pixels are the same with the labels on and off.
    void engineeringLabelsKeepInsideAndOffDevices()
    {
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        CQENView v(&doc, settings);
        v.resize(900, 650);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        v.InitialUpdate();
        const QImage plain = v.grab().toImage();
        v.OnCommand(Cmd::ProjectLabels);
        QVERIFY(settings.LabelTip().IsMultiLine());
        QApplication::processEvents();
        const QImage labelled = v.grab().toImage();
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            labelled.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/engineering-labels.png"));
        v.OnCommand(Cmd::ProjectLabels);   // the mode is the settings': off again for the other tests
        settings.LabelTip().LabelMode = ZLabelTipSettings::MultiLine;
        ZNetCanvas& c = v.Canvas();
        const ViewExtent window = c.GetExtent();
        int boxes = 0;
        const ZNetwork& net = doc.GetNetwork();
        for (int i = 0; i < net.NodeCount(); ++i) {
            const ZConsumeNode* n = net.NodeAt(i);
            if (n->IsHidden() || n->IsDeviceNode())
                continue;
            const ZNodeLabelBox b =
                ZLabelLayout::NodeMulti(c, *n, n->GetPosition(c), ZObjectLabels::NodeMultiLabel(c, *n));
            if (b.IsEmpty())
                continue;
            ++boxes;
            QVERIFY2(b.box.left >= window.left && b.box.right <= window.right && b.box.bottom >= window.bottom &&
                         b.box.top <= window.top,
                     n->GetId());
        }
        settings.LabelTip().LabelMode = ZLabelTipSettings::SingleValue;
        QVERIFY2(boxes > 30, qPrintable(QString::number(boxes)));
        int devices = 0;
        for (int i = 0; i < net.LinkCount(); ++i) {
            const auto* d = dynamic_cast<const ZDeviceLink*>(net.LinkAt(i));
            if (!d)
                continue;
            ++devices;
            const QRect r = c.WorldRectToDevice(d->SymbolRect(c)).intersected(plain.rect());
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    QVERIFY2(
                        plain.pixel(x, y) == labelled.pixel(x, y),
                        qPrintable(QStringLiteral("%1 at %2,%3").arg(QString::fromLatin1(d->GetId())).arg(x).arg(y)));
        }
        QVERIFY(devices >= 4);
    }

    void changesPendingAtAPanStepAreNotScrolledAway()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v.get()));
        v->OnCommand(Cmd::ProjectLabels);
        v->repaint();
        // Switched back, and a pan step comes before the window paints again.
        v->OnCommand(Cmd::ProjectLabels);
        ZZoomTool& tool = v->Canvas().ZoomTool();
        v->OnCommand(Cmd::PanRealtime);
        tool.MousePress(QPoint(200, 200));
        tool.MouseMove(QPoint(190, 205), true);
        v->repaint();
        tool.MouseRelease(QPoint(190, 205));
        v->OnCommand(Cmd::LeaveRealtime);
        const QImage stepped = v->grab().toImage();
        v->OnCommand(Cmd::Redraw);
        const QImage whole = v->grab().toImage();
        int differ = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                differ += stepped.pixel(x, y) != whole.pixel(x, y);
        // A pixel or two where a line meets the uncovered strip, no leftover label boxes.
        QVERIFY2(differ <= 4, qPrintable(QString::number(differ)));
    }

    void redrawCommand()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        CommandState st;
        QVERIFY(v->OnUpdateCommand(Cmd::Redraw, st));
        QVERIFY(st.enabled);
        v->grab();
        ZNetObject* n = doc.GetNetwork().FindNode("3");
        n->SetFlag(qen::FLAG_FILTERED);
        QVERIFY(v->OnCommand(Cmd::Redraw));
        QVERIFY(!n->HasFlag(qen::FLAG_PICKED));
        QCOMPARE(int(v->Canvas().VisibleSet().Nodes().size()), 3);
        int px, py;
        v->Canvas().WorldToDevice(100, 100, px, py);
        QCOMPARE(v->grab().toImage().pixelColor(px + 1, py + 1), QColor(255, 255, 255));
    }

    void printerWithoutTheApplication()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        QPrinter& p = v->Printer();
        QCOMPARE(&v->Printer(), &p);
        QCOMPARE(p.resolution() >= 300, true);
    }

    void paintsWhatTheCanvasShows()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        const QImage img = v->grab().toImage();
        int px, py;
        v->Canvas().WorldToDevice(50, 0, px, py);
        QCOMPARE(img.pixelColor(px, py), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(5, 5), QColor(255, 255, 255));
    }

    void backgroundIsPlacedByOneClickAtTheViewsScale()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        Answers prompt;
        v->SetPrompt(&prompt);
        QTemporaryDir dir;
        QImage img(400, 300, QImage::Format_RGB32);
        img.fill(qRgb(10, 200, 10));
        const QString png = dir.filePath("map.png");
        QVERIFY(img.save(png));
        CommandState st;
        v->OnUpdateCommand(Cmd::BkClear, st);
        QVERIFY(!st.enabled);
        // Escape gives up the loaded image.
        QVERIFY(v->BeginPlacingBackground(png));
        v->OnUpdateCommand(Cmd::BkSelect, st);
        QVERIFY(!st.enabled);
        QTest::keyClick(v.get(), Qt::Key_Escape);
        QVERIFY(!v->IsPlacingBackground());
        QVERIFY(!doc.GetBkDib());
        // At 2 pixels per metre a 400 x 300 image clicked at (100, 200) covers x 100..300, y 200..50.
        v->Canvas().SetScale(0.5);
        QVERIFY(v->BeginPlacingBackground(png));
        v->PlaceBackground(100, 200);
        const ZNetBkDib* dib = doc.GetBkDib();
        QVERIFY(dib);
        QCOMPARE(dib->BkLeft, 100.0);
        QCOMPARE(dib->BkLeft + dib->BkWidth, 300.0);
        QCOMPARE(dib->BkTop, 200.0);
        QCOMPARE(dib->BkTop - dib->BkHeight, 50.0);
        QVERIFY(doc.IsModified());
        QVERIFY(!v->IsPlacingBackground());
        // Placing is one undoable step; redo brings back the same image.
        QVERIFY(doc.Undo());
        QVERIFY(!doc.GetBkDib());
        QVERIFY(doc.Redo());
        QCOMPARE(doc.GetBkDib(), dib);
        // It counts in the extents and draws under the network.
        const ViewExtent full = doc.FullExtent(v->Canvas());
        QCOMPARE(full.right, 300.0);
        QCOMPARE(full.top, 200.0);
        QImage shot(v->size(), QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&shot);
            v->Canvas().Paint(p);
        }
        int px, py;
        v->Canvas().WorldToDevice(130, 120, px, py);
        QCOMPARE(shot.pixel(px, py), qRgb(10, 200, 10));
        // Hide, show, clear (asked first).
        v->OnCommand(Cmd::BkShow);
        QVERIFY(!doc.GetBkDib()->BkVisible);
        v->OnUpdateCommand(Cmd::BkShow, st);
        QVERIFY(st.enabled && !st.checked);
        v->OnCommand(Cmd::BkClear);
        QVERIFY(doc.GetBkDib());
        QCOMPARE(prompt.shown.back(), std::string("清空背景将减小文档大小，\n你确认吗?"));
        prompt.yes = true;
        v->OnCommand(Cmd::BkClear);
        QVERIFY(!doc.GetBkDib());
        QVERIFY(doc.Undo());
        QCOMPARE(doc.GetBkDib(), dib);
        QVERIFY(!dib->BkVisible);
        QVERIFY(doc.Undo());
        QVERIFY(dib->BkVisible);
        // A file that is no image is refused with its name.
        const QString bad = dir.filePath("bad.bmp");
        QFile f(bad);
        f.open(QIODevice::WriteOnly);
        f.write("BM not really");
        f.close();
        QVERIFY(!v->BeginPlacingBackground(bad));
        QCOMPARE(QString::fromStdString(prompt.shown.back()), QStringLiteral("无法打开背景位图\"%1\"!").arg(bad));
    }

    void wheelZoomsAboutTheCursorAndMiddleDragPansInAnyMode()
    {
        ZDocument doc;
        Square(doc);
        auto v = MakeView(doc);
        v->show();
        const double s0 = v->Canvas().GetScale();
        const QPoint at(100, 120);
        double x0, y0;
        v->Canvas().DeviceToWorld(at.x(), at.y(), x0, y0);
        const size_t entries = v->Canvas().ZoomTool().History().size();
        for (int i = 0; i < 2; ++i) {
            QWheelEvent up(QPointF(at), QPointF(v->mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(v.get(), &up);
        }
        QVERIFY(qFuzzyCompare(v->Canvas().GetScale(), s0 * 4.0 / 9.0));
        double x1, y1;
        v->Canvas().DeviceToWorld(at.x(), at.y(), x1, y1);
        QVERIFY(std::fabs(x1 - x0) < 1e-9 && std::fabs(y1 - y0) < 1e-9);
        QCOMPARE(v->Canvas().ZoomTool().History().size(), entries + 1);
        // The middle button pans while a zoom mode waits for its click.
        v->Canvas().ZoomTool().SetMode(ZZoomTool::WindowZoom);
        const double cx = v->Canvas().CentreX(), s = v->Canvas().GetScale();
        QTest::mousePress(v.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(200, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(240, 200), QPointF(v->mapToGlobal(QPoint(240, 200))), Qt::NoButton,
                         Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(v.get(), &move);
        QTest::mouseRelease(v.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(240, 200));
        QVERIFY(std::fabs(v->Canvas().CentreX() - (cx - 40 * s)) < 1e-9);
        QCOMPARE(v->Canvas().ZoomTool().GetMode(), ZZoomTool::WindowZoom);
    }

    void namedViewZoomShowsTheRectangle()
    {
        ZDocument doc;
        Square(doc);
        doc.GetNamedViews().push_back({GbkView("corner"), {0, 0, 20, 20}});
        auto v = MakeView(doc);
        QSignalSpy modified(v.get(), &CQENView::viewStored);
        v->ZoomToNamedView(0);
        QCOMPARE(v->Canvas().CentreX(), 10.0);
        QCOMPARE(v->Canvas().GetScale(), 20.0 / 400.0);
        QCOMPARE(modified.count(), 1);
        v->ZoomToNamedView(5);   // no such view: nothing happens
        QCOMPARE(v->Canvas().CentreX(), 10.0);
    }

    void townOverAScannedMap()
    {
        // A picture for looking at (QEN_SCREENSHOT_DIR): the example town over a street map.
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("QEN_SCREENSHOT_DIR not set");
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        const ViewExtent net = doc.GetNetwork().BoundRect();
        QImage map(1600, 1200, QImage::Format_RGB32);
        map.fill(QColor(242, 238, 228));
        {
            QPainter p(&map);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(255, 255, 255), 18));
            for (int i = 80; i < 1600; i += 210)
                p.drawLine(i, 0, i + 120, 1200);
            for (int j = 60; j < 1200; j += 170)
                p.drawLine(0, j, 1600, j - 90);
            p.setPen(QPen(QColor(170, 200, 230), 40));
            p.drawLine(0, 900, 1600, 700);
            p.setPen(QColor(120, 110, 100));
            p.setFont(QFont(QStringLiteral("Sans"), 22));
            p.drawText(200, 300, QStringLiteral("城东区"));
            p.drawText(1000, 500, QStringLiteral("河西路"));
        }
        QTemporaryDir tmp;
        const QString png = tmp.filePath("streets.png");
        map.save(png);
        auto v = std::make_unique<CQENView>(&doc, settings);
        v->resize(900, 650);
        v->show();
        v->InitialUpdate();
        v->Canvas().ZoomTool().ZoomExtents();
        const double scale = std::max(net.Width() * 1.15 / map.width(), net.Height() * 1.15 / map.height());
        v->Canvas().SetScale(scale);
        QVERIFY(v->BeginPlacingBackground(png));
        v->PlaceBackground(net.left - net.Width() * 0.07, net.top + net.Height() * 0.07);
        v->Canvas().ZoomTool().ZoomExtents();
        QApplication::processEvents();
        QDir().mkpath(dir);
        QVERIFY(v->grab().save(dir + QStringLiteral("/town_over_map.png")));
    }
};

QTEST_MAIN(TestCQENView)
#include "test_CQENView.moc"
