// The graphic view inside the running program: the redraw command, the application's printer,
// typed coordinates, and a walk through the example town as a user sees it (pictures go to
// $QEN_SCREENSHOT_DIR when that is set).
#include "AppFixture.h"
#include "ModalHelper.h"

#include "app/dialogs/CBalanceParamsDlg.h"
#include "app/frames/CMainFrame.h"
#include "app/frames/CNetCmdBar.h"
#include "app/commands/CQENDoc.h"
#include "app/frames/CoordEdit.h"
#include "views/CommandIds.h"

#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"
#include "views/ZWorkShopHost.h"
#include "views/QtDrawContext.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

namespace {
const QString Town = QStringLiteral(QEN_SOURCE_DIR "/examples/town.txt");

CQENView* GraphicView(CMainFrame* frame)
{
    return qobject_cast<CQENView*>(frame->ActiveView());
}

bool Enabled(CMainFrame* f, int id)
{
    f->UpdateCommandUI();
    return f->Action(id)->isEnabled();
}

QPoint PixelOf(CQENView* v, double x, double y)
{
    int px, py;
    v->Canvas().WorldToDevice(x, y, px, py);
    return {px, py};
}

void Balance(CMainFrame* frame)
{
    OnNextModal([](QWidget* w) {
        auto* dlg = qobject_cast<CBalanceParamsDlg*>(w);
        QVERIFY(dlg);
        dlg->accept();
    });
    frame->ExecuteCommand(Cmd::Balance);
}

QWidget* ShownTooltip()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits("QTipLabel"))
            return w;
    return nullptr;
}

// Asks the view for its tooltip at `pt` as the platform does; returns the view's picture with
// the tooltip window painted where it shows.
QImage WithTooltip(CQENView* v, const QPoint& pt, QString& text)
{
    QHelpEvent help(QEvent::ToolTip, pt, v->mapToGlobal(pt));
    QApplication::sendEvent(v, &help);
    QApplication::processEvents();
    QImage img = v->grab().toImage();
    text.clear();
    if (QWidget* tip = ShownTooltip()) {
        text = QToolTip::text();
        QPainter p(&img);
        p.drawPixmap(v->mapFromGlobal(tip->pos()), tip->grab());
    }
    QToolTip::hideText();
    return img;
}

// Pixels of `a` with no pixel of their colour within one pixel in `b`: pieces missing or extra.
int Unmatched(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b.rect().contains(x + dx, y + dy) && b.pixel(x + dx, y + dy) == a.pixel(x, y);
            n += !found;
        }
    return n;
}

void Save(const QImage& img, const QString& name)
{
    const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        img.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
}
}   // namespace

class TestGraphicViewInFrame : public QObject {
    Q_OBJECT
private slots:
    void redrawRepaintsFromTheNetwork()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(Town));
        CQENView* v = GraphicView(frame);
        QVERIFY(v);
        QVERIFY(Enabled(frame, Cmd::Redraw));
        v->grab();
        // A flag changed behind the view's back: only a redraw picks it up.
        ZNetObject* j33 = f.app->Documents().first()->Data().GetNetwork().FindNode("J33");
        QVERIFY(j33 && j33->HasFlag(qen::FLAG_PICKED));
        j33->SetFlag(qen::FLAG_HIDDEN);
        frame->ExecuteCommand(Cmd::Redraw);
        QVERIFY(!j33->HasFlag(qen::FLAG_PICKED));
        const auto& nodes = v->Canvas().VisibleSet().Nodes();
        QVERIFY(std::find(nodes.begin(), nodes.end(), j33) == nodes.end());
        const ZFlowNode* n = static_cast<const ZFlowNode*>(j33);
        const QImage img = v->grab().toImage();
        QCOMPARE(img.pixelColor(PixelOf(v, n->X, n->Y) + QPoint(2, 2)),
                 QtDrawContext::ToColor(f.app->Settings().Colors().BkGround));
        QVERIFY(!f.app->Documents().first()->IsModified());
    }

    // A wheel notch in the program leaves the document unmodified, with nothing to undo.
    void wheelNotchLeavesTheDocumentUnmodified()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        CQENView* v = GraphicView(frame);
        const QPointF at(v->width() / 2, v->height() / 2);
        QWheelEvent wheel(at, v->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(v, &wheel);
        QTest::qWait(500);
        QApplication::processEvents();
        frame->UpdateCommandUI();
        ScreenshotWithTitle(frame, QStringLiteral("wheel-notch-title"));
        QVERIFY(!doc->IsModified());
        QVERIFY(!Enabled(frame, Cmd::EditUndo));
    }

    void printingUsesTheApplicationPrinter()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(Town));
        CQENView* v = GraphicView(frame);
        QCOMPARE(&v->Printer(), &f.app->Printer());
        // What print setup chose: a landscape page, and a file to print into.
        QPrinter& printer = f.app->Printer();
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(f.dir.filePath(QStringLiteral("town.pdf")));
        v->BeginPrinting(v->Printer());
        QVERIFY(v->Canvas().GetViewport().width() > v->Canvas().GetViewport().height());
        v->EndPrinting();
        frame->ExecuteCommand(Cmd::FilePrintDirect);
        QVERIFY(QFileInfo(f.dir.filePath(QStringLiteral("town.pdf"))).size() > 1000);

        bool seen = false;
        OnNextModal([&](QWidget* w) {
            auto* dlg = qobject_cast<QPrintPreviewDialog*>(w);
            QVERIFY(dlg);
            seen = dlg->printer() == &f.app->Printer();
            dlg->reject();
        });
        frame->ExecuteCommand(Cmd::FilePrintPreview);
        QVERIFY(seen);
    }

    void typedCoordinatesAreClicksOfTheView()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        QVERIFY(f.app->OpenDocumentFile(Town));
        CQENView* v = GraphicView(frame);
        QVERIFY(dynamic_cast<CoordinateSink*>(v));
        QSignalSpy clicks(v, &CQENView::clicked);
        const double scale = v->Canvas().GetScale();
        CoordEdit* edit = frame->CoordBar()->Edit();
        edit->setText(QStringLiteral("612.5, -40"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).toDouble(), 612.5);
        QCOMPARE(clicks.at(0).at(1).toDouble(), -40.0);
        // A typed point is not a button press: a zoom mode does not take it.
        v->OnCommand(Cmd::ZoomIn);
        edit->setText(QStringLiteral("0,0"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(v->Canvas().GetScale(), scale);
        v->OnCommand(Cmd::LeaveRealtime);
        // Refused text clicks nothing.
        edit->setText(QStringLiteral("1 2"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(clicks.size(), 2);
        // A press that no navigation tool takes selects; a running workshop takes typed points.
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(clicks.size(), 2);
        v->OnCommand(Cmd::InsertNode);
        QVERIFY(v->Canvas().WorkShops().IsActive());
        edit->setText(QStringLiteral("0,0"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(clicks.size(), 2);
        v->OnCommand(Cmd::EditLeave);
        QVERIFY(!v->Canvas().WorkShops().IsActive());
    }

    void walkThroughTheTown()
    {
        AppFixture f;
        CMainFrame* frame = f.app->MainFrame();
        frame->resize(1280, 860);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CQENDoc* doc = f.app->OpenDocumentFile(Town);
        QVERIFY(doc);
        CQENView* v = GraphicView(frame);
        QApplication::processEvents();
        Save(frame->grab().toImage(), QStringLiteral("walk-1-opened"));

        Balance(frame);
        QCOMPARE(doc->Data().GetDrawSettings().Balanced, 1u);
        auto& ds = doc->Data().GetDrawSettings();
        ds.NodeGradeOn = 1;
        ds.NodeGradeMode = ZDrawSettings::NodeByFreeHead;
        ds.NodeFreeHeadGrades = {20.0, 25.0, 30.0, 35.0};
        ds.PipeGradeOn = 1;
        ds.PipeGradeMode = ZDrawSettings::PipeByVelocity;
        ds.PipeVeloGrades = {0.2, 0.4, 0.6, 0.8};
        doc->UpdateAllViews(ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr});
        QApplication::processEvents();
        Save(frame->grab().toImage(), QStringLiteral("walk-2-balanced-graded"));
        const QImage graded = v->grab().toImage();
        Save(graded, QStringLiteral("walk-3-view-graded"));

        // Grade colours where a user would look for them.
        const auto& colors = f.app->Settings().Colors();
        auto* j33 = static_cast<ZFlowNode*>(doc->Data().GetNetwork().FindNode("J33"));
        const double freeHead = j33->NodeHydrElev - j33->NodeGrunElev;
        size_t grade = 0;
        while (grade < 4 && !(freeHead < ds.NodeFreeHeadGrades[grade]))
            ++grade;
        QCOMPARE(graded.pixelColor(PixelOf(v, j33->X, j33->Y)), QtDrawContext::ToColor(colors.NodeGradeColors[grade]));

        // Tooltips over a pipe and over a node.
        QString text;
        auto* p20 = static_cast<ZPipeLink*>(doc->Data().GetNetwork().FindLink("P20"));
        QVERIFY(p20);
        const ZFlowNode* a = p20->From();
        const ZFlowNode* b = p20->To();
        const QPoint onPipe = PixelOf(v, a->X + (b->X - a->X) * 0.3, a->Y + (b->Y - a->Y) * 0.3);
        Save(WithTooltip(v, onPipe, text), QStringLiteral("walk-4-tooltip-pipe"));
        QVERIFY2(text.startsWith(QStringLiteral("管道编号:P20")), qPrintable(text));
        Save(WithTooltip(v, PixelOf(v, j33->X, j33->Y), text), QStringLiteral("walk-5-tooltip-node"));
        QVERIFY2(text.startsWith(QStringLiteral("节点编号:J33")), qPrintable(text));

        // Project labels.
        frame->ExecuteCommand(Cmd::ProjectLabels);
        QApplication::processEvents();
        Save(v->grab().toImage(), QStringLiteral("walk-6-project-labels"));
        frame->ExecuteCommand(Cmd::ProjectLabels);

        // Zoom in twice on J33, then pan by a drag.
        for (int i = 0; i < 2; ++i) {
            frame->ExecuteCommand(Cmd::ZoomIn);
            QTest::mouseClick(v, Qt::LeftButton, {}, PixelOf(v, j33->X, j33->Y));
        }
        QApplication::processEvents();
        Save(v->grab().toImage(), QStringLiteral("walk-7-zoomed"));
        frame->ExecuteCommand(Cmd::ProjectLabels);
        QApplication::processEvents();
        Save(v->grab().toImage(), QStringLiteral("walk-7b-zoomed-project-labels"));
        frame->ExecuteCommand(Cmd::ProjectLabels);
        const QPoint before = PixelOf(v, j33->X, j33->Y);
        frame->ExecuteCommand(Cmd::PanRealtime);
        const QPoint from(v->width() / 2, v->height() / 2);
        QTest::mousePress(v, Qt::LeftButton, {}, from);
        for (int i = 1; i <= 10; ++i) {
            QMouseEvent move(QEvent::MouseMove, from + QPoint(-20 * i, 12 * i),
                             v->mapToGlobal(from + QPoint(-20 * i, 12 * i)), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(v, &move);
            v->repaint();
        }
        QTest::mouseRelease(v, Qt::LeftButton, {}, from + QPoint(-200, 120));
        frame->ExecuteCommand(Cmd::LeaveRealtime);
        QApplication::processEvents();
        const QImage panned = v->grab().toImage();
        Save(panned, QStringLiteral("walk-8-panned"));
        // After the pan J33 sits 200 pixels left and 120 down of where it was, and the picture
        // put together from the strips each step uncovered is the one a whole repaint gives.
        QCOMPARE(PixelOf(v, j33->X, j33->Y), before + QPoint(-200, 120));
        frame->ExecuteCommand(Cmd::Redraw);
        const QImage repainted = v->grab().toImage();
        Save(repainted, QStringLiteral("walk-8b-repainted"));
        QCOMPARE(Unmatched(repainted, panned) + Unmatched(panned, repainted), 0);

        // The print preview shows the same view on a page.
        OnNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<QPrintPreviewDialog*>(w);
            QVERIFY(dlg);
            dlg->resize(900, 800);
            QApplication::processEvents();
            Save(dlg->grab().toImage(), QStringLiteral("walk-9-preview"));
            dlg->reject();
        });
        frame->ExecuteCommand(Cmd::FilePrintPreview);

        // And a printed page, to a PDF.
        const QString dir = qEnvironmentVariable("QEN_SCREENSHOT_DIR");
        QPrinter& printer = f.app->Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.isEmpty() ? f.dir.filePath(QStringLiteral("walk.pdf"))
                                                : dir + QStringLiteral("/walk-10-print.pdf"));
        frame->ExecuteCommand(Cmd::FilePrintDirect);
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 1000);
        Save(v->grab().toImage(), QStringLiteral("walk-11-after-print"));
    }
};

QTEST_MAIN(TestGraphicViewInFrame)
#include "test_GraphicViewInFrame.moc"
