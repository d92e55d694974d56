// The three-dimensional window: camera, zoom, viewpoint, mouse and rebuilding after a change run
// on any platform; the picture read back from the frame buffer needs OpenGL in a window (ctest
// runs this under xvfb-run), and without it those checks alone are skipped.
// With QEN_SCREENSHOT_DIR set, the pictures are saved there.
#include "ViewTestNetworks.h"

#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZHeadField.h"
#include "edit/ZNetEditor.h"
#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"
#include "persist/project/ProjectFile.h"
#include "views/CQENModuleView.h"
#include "views/CViewpointDlg.h"

#include <QOpenGLContext>
#include <QSlider>
#include <QTimer>

#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {
using namespace ViewTestNetworks;

// A 3 x 3 grid of nodes 100 m apart, heads rising to the north-east.
void Slope(ZDocument& doc)
{
    ZConsumeNode* n[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            n[r][c] = AddNode(doc, QString::asprintf("N%d%d", r, c).toStdString(), c * 100.0, r * 100.0,
                              20.0 + 3 * r + 2 * c);
            n[r][c]->NodeGrunElev = 5.0;
        }
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            if (c < 2)
                AddPipe(doc, QString::asprintf("H%d%d", r, c).toStdString(), n[r][c], n[r][c + 1]);
            if (r < 2)
                AddPipe(doc, QString::asprintf("V%d%d", r, c).toStdString(), n[r][c], n[r + 1][c]);
        }
}

bool Near(QRgb a, QColor b, int tol = 3)
{
    return std::abs(qRed(a) - b.red()) <= tol && std::abs(qGreen(a) - b.green()) <= tol &&
           std::abs(qBlue(a) - b.blue()) <= tol;
}

QString ShotDir()
{
    return qEnvironmentVariable("QEN_SCREENSHOT_DIR");
}

QColor Colour(uint32_t c)
{
    return QColor(ZColorSettings::Red(c), ZColorSettings::Green(c), ZColorSettings::Blue(c));
}

// Pixels of `img` that are not the background colour `bk`.
int Covered(const QImage& img, QColor bk)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += !Near(img.pixel(x, y), bk, 6);
    return n;
}

// Pixels that differ between two pictures of the same size.
int Differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += !Near(a.pixel(x, y), b.pixel(x, y), 6);
    return n;
}

constexpr const char* kNoOpenGl = "no OpenGL window here (the offscreen platform): run under xvfb-run -a as ctest does";
}   // namespace

class TestCQENModuleView : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    bool m_canDraw = false;   // OpenGL in a window: the pictures can be read back

    std::unique_ptr<CQENModuleView> Show(ZDocument& doc, const ZSettingsStore& s, QSize size = {320, 240})
    {
        auto v = std::make_unique<CQENModuleView>(&doc, s);
        v->resize(size);
        // Qt cannot show an OpenGL widget on the offscreen platform (it crashes flushing it):
        // there the window is made and driven without being shown.
        if (!m_canDraw)
            return v;
        v->show();
        if (!QTest::qWaitForWindowExposed(v.get()))
            return nullptr;
        return v;
    }

    // The surface as the window would paint it: built by the paint where OpenGL draws (the
    // path the program takes), else directly.
    void Settle(CQENModuleView& v)
    {
        if (m_canDraw)
            v.grabFramebuffer();
        else
            v.BuildModel();
    }

private slots:
    void initTestCase()
    {
        QOpenGLContext probe;
        m_canDraw = QGuiApplication::platformName() != QLatin1String("offscreen") && probe.create();
        if (!m_canDraw)
            qInfo("%s", kNoOpenGl);
    }

    void defaultCameraAndZoom()
    {
        ZDocument doc;
        Slope(doc);
        auto v = Show(doc, settings);
        QVERIFY(v);
        Settle(*v);
        QVERIFY(v->IsModelCurrent());
        const ZModuleSurface& s = v->Surface();
        // Heads 20 .. 30 over a 200 m square: 160 m high.
        QCOMPARE(s.Width(), 200.0);
        QVERIFY(std::fabs(s.Height() - 160.0) < 1.0);
        QCOMPARE(v->Distance(), s.Diagonal());
        QCOMPARE(v->RotationX(), -30.0);
        QCOMPARE(v->RotationY(), 15.0);
        QCOMPARE(v->RotationZ(), 0.0);
        const double d = v->Distance();
        QVERIFY(v->OnCommand(CQENModuleView::CmdZoomIn));
        QVERIFY(std::fabs(v->Distance() - d * 2.0 / 3.0) < 1e-9);
        QVERIFY(v->OnCommand(CQENModuleView::CmdZoomOut));
        QVERIFY(std::fabs(v->Distance() - d) < 1e-9);
        CommandState st;
        QVERIFY(v->OnUpdateCommand(CQENModuleView::CmdViewAngle, st) && st.enabled);
        QVERIFY(!v->OnUpdateCommand(Cmd::ViewOrtho, st));   // not this view's
    }

    void pictureShowsBackgroundAndSurface()
    {
        ZDocument doc;
        Slope(doc);
        ZSettingsStore own;
        own.Colors().BkGround = ZColorSettings::Rgb(20, 30, 60);
        auto v = Show(doc, own);
        QVERIFY(v);
        if (!m_canDraw)
            QSKIP(kNoOpenGl);
        const QImage img = v->grabFramebuffer();
        QCOMPARE(img.size(), v->size() * v->devicePixelRatio());
        const QColor bk(20, 30, 60);
        const int w = img.width(), h = img.height();
        for (QPoint p : {QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QVERIFY2(Near(img.pixel(p), bk), qPrintable(QColor(img.pixel(p)).name()));
        // The middle of the surface: between green and red, lit, nothing of the background's blue.
        const QRgb c = img.pixel(w / 2, h / 2);
        QVERIFY2(!Near(c, bk, 10), qPrintable(QColor(c).name()));
        QVERIFY2(qRed(c) > 40 && qGreen(c) > 40 && qBlue(c) < 30, qPrintable(QColor(c).name()));
        if (!ShotDir().isEmpty())
            img.save(ShotDir() + "/module-slope.png");
    }

    void equalHeadsGiveAFlatSurface()
    {
        ZDocument doc;
        Slope(doc);
        for (int i = 0; i < doc.GetNetwork().NodeCount(); ++i)
            doc.GetNetwork().NodeAt(i)->NodeHydrElev = 25.0;
        auto v = Show(doc, settings);
        QVERIFY(v);
        Settle(*v);
        QVERIFY(v->Surface().IsFlat());
        QCOMPARE(v->Surface().Height(), 0.0);
        QVERIFY(std::isfinite(v->Distance()) && v->Distance() > 0.0);
        // An empty network: a flat square, no division by zero.
        ZDocument empty;
        auto e = Show(empty, settings);
        QVERIFY(e);
        Settle(*e);
        QVERIFY(e->Surface().IsFlat());
        QVERIFY(std::isfinite(e->Distance()));
        if (!m_canDraw)
            QSKIP(kNoOpenGl);
        // The low colour (green) lit, seen from above.
        const QImage img = v->grabFramebuffer();
        const QRgb c = img.pixel(img.width() / 2, img.height() / 2);
        QVERIFY2(qGreen(c) > 100 && qRed(c) < 40, qPrintable(QColor(c).name()));
    }

    void changesRebuildTheSurface()
    {
        ZDocument doc;
        Slope(doc);
        auto v = Show(doc, settings);
        QVERIFY(v);
        Settle(*v);
        QCOMPARE(v->Surface().High(), 30.0);
        const double distance = v->Distance();
        // A balancing run changed the heads.
        doc.GetNetwork().FindNode("N22")->NodeHydrElev = 40.0;
        ZNetMsg msg{ZNetMsg::Balanced, 0, 0, nullptr};
        v->OnUpdate(&msg);
        QVERIFY(!v->IsModelCurrent());
        Settle(*v);
        QVERIFY(v->IsModelCurrent());
        QVERIFY(std::fabs(v->Surface().High() - 40.0) < 0.5);
        QCOMPARE(v->Distance(), distance);   // the camera stays where the user put it
        // The quantity shown follows the contour setting: free head 15 .. 25 (ground at 5).
        doc.GetDrawSettings().ContourKind = 1;
        msg = ZNetMsg{ZNetMsg::OptionsChanged, 0, 0, nullptr};
        v->OnUpdate(&msg);
        Settle(*v);
        QVERIFY(std::fabs(v->Surface().Low() - 15.0) < 0.5);
        // A repaint request alone keeps the model.
        v->OnUpdate(nullptr);
        QVERIFY(v->IsModelCurrent());
        // The hint reaches the window through the document.
        doc.GetNetwork().FindNode("N22")->NodeHydrElev = 50.0;
        doc.GetDrawSettings().ContourKind = 0;
        doc.Announce(ZNetMsg{ZNetMsg::ObjectsChanged, ZNetMsg::AttributesEdited, 0, nullptr});
        QVERIFY(!v->IsModelCurrent());
        Settle(*v);
        QVERIFY(std::fabs(v->Surface().High() - 50.0) < 0.5);
    }

    void documentGoingFirst()
    {
        auto doc = std::make_unique<ZDocument>();
        Slope(*doc);
        auto v = Show(*doc, settings);
        QVERIFY(v);
        Settle(*v);
        QVERIFY(!v->Surface().IsFlat());
        doc.reset();
        QVERIFY(!v->IsModelCurrent());
        Settle(*v);
        QVERIFY(v->Surface().IsFlat());
        QVERIFY(v->Surface().PipeLines().empty());
    }

    void viewpointDialogSetsTheAngles()
    {
        ZDocument doc;
        Slope(doc);
        auto v = Show(doc, settings);
        QVERIFY(v);
        bool seen = false;
        auto answer = [&seen](int x, bool accept) {
            QTimer::singleShot(0, [&seen, x, accept]() {
                auto* dlg = qobject_cast<CViewpointDlg*>(QApplication::activeModalWidget());
                if (!dlg)
                    return;
                seen = true;
                QCOMPARE(dlg->AngleX(), -30);   // opens with the current angles
                QCOMPARE(dlg->AngleY(), 15);
                dlg->Slider(0)->setValue(x + 180);
                accept ? dlg->accept() : dlg->reject();
            });
        };
        answer(60, false);
        QVERIFY(v->OnCommand(CQENModuleView::CmdViewAngle));
        QVERIFY(seen);
        QCOMPARE(v->RotationX(), -30.0);   // 放弃 changes nothing
        seen = false;
        answer(60, true);
        QVERIFY(v->EditViewpoint());
        QVERIFY(seen);
        QCOMPARE(v->RotationX(), 60.0);
        QCOMPARE(v->RotationY(), 15.0);
    }

    void mouseRotatesAndWheelZooms()
    {
        ZDocument doc;
        Slope(doc);
        auto v = Show(doc, settings);
        QVERIFY(v);
        Settle(*v);
        QTest::mousePress(v.get(), Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(v->IsDragging());
        QMouseEvent move(QEvent::MouseMove, QPointF(140, 80), v->mapToGlobal(QPointF(140, 80)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(v.get(), &move);
        QTest::mouseRelease(v.get(), Qt::LeftButton, {}, QPoint(140, 80));
        QVERIFY(!v->IsDragging());
        QCOMPARE(v->RotationY(), 35.0);
        QCOMPARE(v->RotationX(), -40.0);
        const double d = v->Distance();
        QWheelEvent wheel(QPointF(50, 50), v->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(v.get(), &wheel);
        QVERIFY(std::fabs(v->Distance() - d * 2.0 / 3.0) < 1e-9);
        // Keys: arrows turn by 5 degrees, + and - zoom.
        QTest::keyClick(v.get(), Qt::Key_Left);
        QCOMPARE(v->RotationY(), 30.0);
        QTest::keyClick(v.get(), Qt::Key_Down);
        QCOMPARE(v->RotationX(), -35.0);
        const double before = v->Distance();
        QTest::keyClick(v.get(), Qt::Key_Minus);
        QVERIFY(std::fabs(v->Distance() - before * 1.5) < 1e-9);
        // Rotations wrap into the dialog's range.
        v->SetRotation(190, -200, 0);
        QCOMPARE(v->RotationX(), -170.0);
        QCOMPARE(v->RotationY(), 160.0);
    }

    // The example town balanced: the surface fills much of the window, graded from the low colour
    // (green) to the high one (red), and free head grades it otherwise than head.
    void exampleTownBalanced()
    {
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        ZBalanceRun run(doc);
        QVERIFY(run.CheckConnectivity());
        run.Run();
        QVERIFY(run.ResultsChanged());
        auto v = Show(doc, settings, {900, 640});
        QVERIFY(v);
        Settle(*v);
        QVERIFY(!v->Surface().IsFlat());
        QVERIFY(v->Surface().PipeLines().size() > 58 * 6 - 1);
        if (!m_canDraw)
            QSKIP(kNoOpenGl);
        const QImage head = v->grabFramebuffer();
        doc.GetDrawSettings().ContourKind = 1;
        ZNetMsg msg{ZNetMsg::OptionsChanged, 0, 0, nullptr};
        v->OnUpdate(&msg);
        const QImage free = v->grabFramebuffer();
        QVERIFY(v->IsModelCurrent());
        if (!ShotDir().isEmpty()) {
            head.save(ShotDir() + "/module-town-head.png");
            free.save(ShotDir() + "/module-town-freehead.png");
        }
        const QColor bk = Colour(settings.Colors().BkGround);
        const int all = head.width() * head.height();
        QVERIFY2(Covered(head, bk) > all / 5, qPrintable(QString::number(Covered(head, bk))));
        // Heads are high over most of the town (red); free head is low on the high ground to the
        // north-east (green there).
        const auto count = [](const QImage& img, bool red) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const int r = qRed(img.pixel(x, y)), g = qGreen(img.pixel(x, y)), b = qBlue(img.pixel(x, y));
                    n += red ? r > g + 100 && r > b + 100 : g >= r && g > b + 40;
                }
            return n;
        };
        const int redHead = count(head, true), greenHead = count(head, false), greenFree = count(free, false);
        const QString counts = QString("%1 %2 %3").arg(redHead).arg(greenHead).arg(greenFree);
        QVERIFY2(redHead > all / 10 && count(free, true) < redHead * 3 / 4, qPrintable(counts));
        QVERIFY2(greenFree > all / 200 && greenFree > 3 * greenHead, qPrintable(counts));
        QVERIFY2(Differing(head, free) > all / 20, qPrintable(QString::number(Differing(head, free))));
    }

    // Turning and zooming the camera change what the window shows, not only its numbers.
    void turningAndZoomingMoveThePicture()
    {
        ZDocument doc;
        Slope(doc);
        auto v = Show(doc, settings, {320, 240});
        QVERIFY(v);
        if (!m_canDraw)
            QSKIP(kNoOpenGl);
        const QColor bk = Colour(settings.Colors().BkGround);
        const QImage start = v->grabFramebuffer();
        const int all = start.width() * start.height();
        const int covered = Covered(start, bk);
        QVERIFY2(covered > all / 10 && covered < all, qPrintable(QString::number(covered)));
        QTest::keyClick(v.get(), Qt::Key_Left);
        QTest::keyClick(v.get(), Qt::Key_Left);
        QTest::keyClick(v.get(), Qt::Key_Left);
        const QImage turned = v->grabFramebuffer();
        QVERIFY2(Differing(start, turned) > covered / 10, qPrintable(QString::number(Differing(start, turned))));
        // Closer, the surface covers more of the window; back where it was, the picture is the same.
        v->OnCommand(CQENModuleView::CmdZoomIn);
        const QImage closer = v->grabFramebuffer();
        QVERIFY2(Covered(closer, bk) > Covered(turned, bk) * 5 / 4, qPrintable(QString::number(Covered(closer, bk))));
        v->OnCommand(CQENModuleView::CmdZoomOut);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(v.get(), Qt::Key_Right);
        QCOMPARE(Differing(start, v->grabFramebuffer()), 0);
        if (!ShotDir().isEmpty()) {
            start.save(ShotDir() + "/module-slope-start.png");
            turned.save(ShotDir() + "/module-slope-turned.png");
            closer.save(ShotDir() + "/module-slope-closer.png");
        }
    }

    void staleHeadsStayOutOfTheSurface()
    {
        ZDocument doc;
        ProjectFile::LoadFile(QEN_SOURCE_DIR "/examples/town.wnp", doc);
        ZBalanceRun run(doc);
        QVERIFY(run.CheckConnectivity());
        run.Run();
        QVERIFY(run.ResultsChanged());
        auto v = Show(doc, settings, {900, 640});
        QVERIFY(v);
        Settle(*v);
        // The surface blends node values: it never goes below the lowest of those it is built from.
        const std::vector<double> values =
            ZHeadField::NodeValues(doc.GetNetwork(), doc.GetDrawSettings().ContourKind != 0 ? 1 : 0);
        const double low = *std::min_element(values.begin(), values.end());
        QVERIFY(low > 10.0);
        QVERIFY(v->Surface().Low() >= low - 1e-9);
        // A node put on pipe P11 after the run has no head yet (0): the surface must not dive to it.
        auto* node = new ZConsumeNode;
        node->SetId("N1");
        node->X = 465;
        node->Y = 500;
        QVERIFY(
            ZNetEditor(doc).InsertNodeOnPipe(static_cast<ZPipeLink*>(doc.GetNetwork().FindLink("P11")), node, 0, -1));
        QVERIFY(!v->IsModelCurrent());
        Settle(*v);
        if (!ShotDir().isEmpty() && m_canDraw)
            v->grabFramebuffer().save(ShotDir() + "/module-town-stale.png");
        QVERIFY2(v->Surface().Low() >= low - 1e-9, qPrintable(QString::number(v->Surface().Low())));
        // Balanced again, the new node takes part.
        ZBalanceRun again(doc);
        again.Run();
        QVERIFY(again.ResultsChanged());
        ZNetMsg msg{ZNetMsg::Balanced, 0, 0, nullptr};
        v->OnUpdate(&msg);
        Settle(*v);
        QVERIFY(v->Surface().Low() > 10.0);
    }
};

QTEST_MAIN(TestCQENModuleView)
#include "test_CQENModuleView.moc"
