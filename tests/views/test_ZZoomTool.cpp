// World-to-pixel mapping, the zoom modes and the zoom history.
#include "ViewTestNetworks.h"

#include "model/ZSettingsStore.h"
#include "views/CommandIds.h"
#include "views/ZCanvasHost.h"
#include "views/ZNetCanvas.h"

#include <QtTest>

#include <cmath>

namespace {
class FakeHost : public ZCanvasHost {
public:
    QRect client{0, 0, 400, 300};
    int saves = 0, fullInvalidations = 0, erasing = 0;
    bool realTime = false;
    ViewExtent saved;
    QRect CanvasClientRect() const override { return client; }
    void CanvasInvalidate(const QRect& r, bool erase) override
    {
        if (r.isNull())
            ++fullInvalidations;
        erasing += erase ? 1 : 0;
    }
    void CanvasSaveView(const ViewExtent& e) override
    {
        saved = e;
        ++saves;
    }
    void CanvasRealTime(bool on) override { realTime = on; }
};
}   // namespace

class TestZZoomTool : public QObject {
    Q_OBJECT
    ZSettingsStore settings;
    ZDocument doc;
    FakeHost host;

    std::unique_ptr<ZNetCanvas> Canvas()
    {
        auto c = std::make_unique<ZNetCanvas>(settings, &host);
        c->SetDocument(&doc);
        c->SetViewport(host.client);
        c->FitToRect({0, 0, 400, 300});   // scale 1, centre (200, 150)
        return c;
    }

private slots:
    void initTestCase() { ViewTestNetworks::Square(doc); }

    void mappingRoundsTowardZeroAndFlipsY()
    {
        auto c = Canvas();
        QCOMPARE(c->GetScale(), 1.0);
        double x, y;
        c->DeviceToWorld(0, 0, x, y);
        QCOMPARE(x, 0.0);
        QCOMPARE(y, 300.0);
        int px, py;
        c->WorldToDevice(200.7, 150.0, px, py);
        QCOMPARE(px, 200);
        QCOMPARE(py, 150);
        c->WorldToDevice(-0.5, 300.5, px, py);   // truncation, not floor
        QCOMPARE(px, 0);
        QCOMPARE(py, 0);
        // Odd sizes: w / 2 is an integer division in WorldToDevice but not in DeviceToWorld.
        c->SetViewport(QRect(0, 0, 401, 301));
        c->DeviceToWorld(200, 150, x, y);
        QCOMPARE(x, 199.5);
        QCOMPARE(y, 150.5);
        const ViewExtent e = c->DeviceRectToWorld(QRect(10, 20, 30, 40));
        QVERIFY(e.left < e.right && e.bottom < e.top);
        QCOMPARE(e.Width(), 30.0);
    }

    void zeroOrBrokenScaleIsRefused()
    {
        auto c = Canvas();
        QVERIFY(!c->SetScale(0.0));
        QVERIFY(!c->SetScale(-1.0));
        QVERIFY(!c->SetScale(std::numeric_limits<double>::quiet_NaN()));
        QCOMPARE(c->GetScale(), 1.0);
        // A degenerate saved view fits with scale 1.
        double cx, cy, s;
        ZNetCanvas::FitExtent({5, 5, 5, 5}, host.client, cx, cy, s);
        QCOMPARE(s, 1.0);
    }

    void deviceSizeScalesByDpiOver98()
    {
        auto c = Canvas();
        c->SetDeviceDpi(96, 96);
        QCOMPARE(c->DeviceSize(6), 6);
        c->SetDeviceDpi(600, 600);
        QCOMPARE(c->DeviceSize(6), 37);
        QCOMPARE(c->DeviceSize(8), 49);
    }

    void realTimeZoomDragScalesByGrownClient()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        t.SetMode(ZZoomTool::RealTimeZoom);
        QVERIFY(host.realTime);
        QVERIFY(t.MousePress(QPoint(100, 100)));
        QVERIFY(t.MouseMove(QPoint(100, 90), true));   // 10 up: zoom in
        QCOMPARE(c->GetScale(), 380.0 / 400.0);
        QVERIFY(t.MouseMove(QPoint(100, 100), true));   // 10 down
        QCOMPARE(c->GetScale(), 380.0 / 400.0 * 420.0 / 400.0);
        QVERIFY(!t.MouseMove(QPoint(100, 100), true));   // same point: not handled
        // A drag past the window's middle would turn it inside out: the scale stays.
        const double s = c->GetScale();
        t.MouseMove(QPoint(100, -300), true);
        QCOMPARE(c->GetScale(), s);
        QVERIFY(t.MouseRelease(QPoint(100, 100)));
        QVERIFY(t.IsActive());   // release keeps the run
    }

    void realTimeRunAddsOneEntryAndBackKeepsIt()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        QCOMPARE(int(t.History().size()), 1);
        t.SetMode(ZZoomTool::RealTimePan);
        t.MousePress(QPoint(0, 0));
        for (int i = 1; i <= 5; ++i)
            t.MouseMove(QPoint(i * 3, i * 2), true);
        t.MouseRelease(QPoint(15, 10));
        QCOMPARE(int(t.History().size()), 2);
        // The drawing followed the cursor.
        QCOMPARE(c->CentreX(), 200.0 - 15.0);
        QCOMPARE(c->CentreY(), 150.0 + 10.0);
        const int cur = t.Current();
        t.Back();
        QCOMPARE(t.Current(), cur);   // moves the view, keeps the entry inside a run
        QCOMPARE(c->CentreX(), 200.0);
        const int savesBefore = host.saves;
        t.Exit();
        QCOMPARE(t.GetMode(), ZZoomTool::NoMode);
        QVERIFY(!host.realTime);
        QCOMPARE(host.saves, savesBefore + 1);
    }

    void windowZoomHistoryBackAndForward()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        std::vector<double> scales{c->GetScale()};
        for (int i = 0; i < 3; ++i) {
            t.SetMode(ZZoomTool::WindowZoom);
            t.MousePress(QPoint(100, 100));
            t.MouseMove(QPoint(300, 200), true);
            QVERIFY(!t.RubberRect().isNull());
            t.MouseRelease(QPoint(300, 200));
            QVERIFY(t.RubberRect().isNull());
            QCOMPARE(t.GetMode(), ZZoomTool::NoMode);   // one-shot
            scales.push_back(c->GetScale());
        }
        QCOMPARE(scales[1], 0.5);
        QVERIFY(t.CanBack());
        QVERIFY(!t.CanForward());
        for (int i = 2; i >= 0; --i) {
            t.Back();
            QCOMPARE(c->GetScale(), scales[static_cast<size_t>(i)]);
        }
        QVERIFY(!t.CanBack());
        QVERIFY(!t.IsEnabled(Cmd::ZoomBack));
        for (int i = 1; i <= 3; ++i) {
            t.Forward();
            QVERIFY(qFuzzyCompare(c->GetScale(), scales[static_cast<size_t>(i)]));
        }
        QVERIFY(!t.CanForward());
        // A new zoom after two backs drops the two newer entries.
        t.Back();
        t.Back();
        const size_t before = t.History().size();
        t.SetMode(ZZoomTool::ZoomIn);
        t.MousePress(QPoint(200, 150));
        QCOMPARE(t.History().size(), before - 1);
        QVERIFY(!t.CanForward());
    }

    void smallWindowIsIgnored()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        t.SetMode(ZZoomTool::WindowZoom);
        t.MousePress(QPoint(100, 100));
        t.MouseMove(QPoint(104, 180), true);   // 4 px wide: not more than MinZoomWindowWidth
        t.MouseRelease(QPoint(104, 180));
        QCOMPARE(c->GetScale(), 1.0);
        QCOMPARE(t.GetMode(), ZZoomTool::NoMode);
    }

    void zoomInThenOutReturnsCentredOnSecondClick()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        t.SetMode(ZZoomTool::ZoomIn);
        t.MousePress(QPoint(50, 60));
        QCOMPARE(t.GetMode(), ZZoomTool::NoMode);
        t.SetMode(ZZoomTool::ZoomOut);
        double x, y;
        c->DeviceToWorld(300, 200, x, y);
        t.MousePress(QPoint(300, 200));
        QVERIFY(qFuzzyCompare(c->GetScale(), 1.0));
        QCOMPARE(c->CentreX(), x);
        QCOMPARE(c->CentreY(), y);
    }

    void zoomExtentsOfALineDoesNothing()
    {
        ZDocument line;
        ViewTestNetworks::AddNode(line, "a", 0, 0);
        ViewTestNetworks::AddNode(line, "b", 500, 0);
        ZNetCanvas c(settings, &host);
        c.SetDocument(&line);
        c.SetViewport(host.client);
        c.FitToRect({0, 0, 400, 300});
        const int saves = host.saves;
        c.ZoomTool().ZoomExtents();
        QCOMPARE(c.GetScale(), 1.0);
        QCOMPARE(host.saves, saves);
    }

    void zoomExtentsLeavesRoomForEdgeSymbolsAndLabels()
    {
        auto c = Canvas();
        const int saves = host.saves;
        c->ZoomTool().ZoomExtents();
        QCOMPARE(host.saves, saves + 1);
        QCOMPARE(c->CentreX(), 50.0);
        QCOMPARE(c->CentreY(), 50.0);
        // A label below an edge node and half its square fit between the network and the border.
        const int m = c->ZoomTool().ExtentsMargin();
        QVERIFY(m >= c->DeviceSize(settings.Sizes().NodeWidth) / 2 + c->LabelHeight());
        QVERIFY(qFuzzyCompare(c->GetScale(), 100.0 / (300.0 - 2 * m)));
        int l, t, r, b;
        c->WorldToDevice(0, 100, l, t);
        c->WorldToDevice(100, 0, r, b);
        QVERIFY(t >= m - 1 && b <= 300 - m + 1);
        // A window too small for that keeps most of itself for the network.
        host.client = QRect(0, 0, 40, 40);
        QVERIFY(c->ZoomTool().ExtentsMargin() <= 5);
        host.client = QRect(0, 0, 400, 300);
    }

    void wheelZoomKeepsThePointUnderTheCursorAndOneBurstIsOneHistoryEntry()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        const size_t entries = t.History().size();
        const QPoint at(100, 80);
        double x0, y0;
        c->DeviceToWorld(at.x(), at.y(), x0, y0);
        t.WheelStep(at, true, true);
        t.WheelStep(at, true, false);
        t.WheelStep(at, true, false);
        QVERIFY(qFuzzyCompare(c->GetScale(), std::pow(2.0 / 3.0, 3)));
        double x1, y1;
        c->DeviceToWorld(at.x(), at.y(), x1, y1);
        QVERIFY(std::fabs(x1 - x0) < 1e-9 && std::fabs(y1 - y0) < 1e-9);
        QCOMPARE(t.History().size(), entries + 1);
        // Back returns to where the burst began; Forward to where it ended.
        t.Back();
        QVERIFY(qFuzzyCompare(c->GetScale(), 1.0));
        QCOMPARE(c->CentreX(), 200.0);
        t.Forward();
        QVERIFY(qFuzzyCompare(c->GetScale(), std::pow(2.0 / 3.0, 3)));
        // Zooming out about the same point undoes it.
        t.WheelStep(at, false, true);
        t.WheelStep(at, false, false);
        t.WheelStep(at, false, false);
        QVERIFY(qFuzzyCompare(c->GetScale(), 1.0));
        QVERIFY(std::fabs(c->CentreX() - 200.0) < 1e-9 && std::fabs(c->CentreY() - 150.0) < 1e-9);
    }

    void middleDragPansInAnyModeWithOneHistoryEntry()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        t.SetMode(ZZoomTool::WindowZoom);
        const size_t entries = t.History().size();
        t.PanStep(QPoint(100, 100), QPoint(110, 100), true);
        t.PanStep(QPoint(110, 100), QPoint(130, 90), false);
        QCOMPARE(c->CentreX(), 170.0);   // the drawing followed the mouse 30 right and 10 up
        QCOMPARE(c->CentreY(), 140.0);
        QCOMPARE(t.History().size(), entries + 1);
        QCOMPARE(t.GetMode(), ZZoomTool::WindowZoom);
        // Inside a real-time run steps add nothing to the history.
        t.SetMode(ZZoomTool::RealTimePan);
        const size_t inRun = t.History().size();
        t.PanStep(QPoint(0, 0), QPoint(5, 5), true);
        QCOMPARE(t.History().size(), inRun);
    }

    void commandStates()
    {
        auto c = Canvas();
        ZZoomTool& t = c->ZoomTool();
        t.SetMode(ZZoomTool::WindowZoom);
        QVERIFY(!t.IsChecked(Cmd::ZoomWindow));   // checked only inside a real-time run
        t.SetMode(ZZoomTool::RealTimeZoom);
        QVERIFY(t.IsChecked(Cmd::ZoomRealtime));
        t.SetMode(ZZoomTool::WindowZoom);
        QVERIFY(t.IsActive());
        QVERIFY(t.IsChecked(Cmd::ZoomWindow));
        QCOMPARE(t.CursorId(), 142);
        t.Exit();
        QCOMPARE(t.CursorId(), -1);
    }
};

QTEST_MAIN(TestZZoomTool)
#include "test_ZZoomTool.moc"
