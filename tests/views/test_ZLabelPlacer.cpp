// Labels that would overlap one already shown are left out, and the choice holds while the
// scale stays, so a strip painted after a pan agrees with a whole repaint.
#include "ViewTestNetworks.h"

#include "model/ZSettingsStore.h"
#include "views/ZLabelPlacer.h"
#include "views/ZNetCanvas.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace ViewTestNetworks;

class TestZLabelPlacer : public QObject {
    Q_OBJECT

private slots:
    void overlapsAreRefusedUntilTheScaleChanges()
    {
        ZLabelPlacer p;
        int a, b, c;
        p.BeginPaint(1.0);
        QVERIFY(p.Place(&a, {0, 0, 50, 10}));
        QVERIFY(!p.Place(&b, {40, 5, 90, 15}));
        QVERIFY(p.Place(&c, {50, 0, 100, 10}));   // touching is not overlapping
        QVERIFY(p.Place(&a, {0, 0, 50, 10}));     // its own place again
        QCOMPARE(p.PlacedCount(), size_t(2));
        p.BeginPaint(1.0);
        QVERIFY(!p.Place(&b, {40, 5, 90, 15}));
        p.BeginPaint(2.0);
        QVERIFY(p.Place(&b, {40, 5, 90, 15}));
        p.Reset();
        QCOMPARE(p.PlacedCount(), size_t(0));
    }

    void largerPipesWinAndTheScaleLimitHidesLabels()
    {
        ZSettingsStore settings;
        settings.LabelTip().PipeLabel = 1;   // ids
        settings.LabelTip().NodeLabe = 0;
        settings.LabelTip().PumpLabel = 1;
        ZDocument doc;
        // Two parallel pipes 4 m apart: at 1 m per pixel their labels collide.
        ZConsumeNode* a = AddNode(doc, "A", 0, 0);
        ZConsumeNode* b = AddNode(doc, "B", 200, 0);
        ZConsumeNode* c = AddNode(doc, "C", 0, 4);
        ZConsumeNode* d = AddNode(doc, "D", 200, 4);
        ZPipeLink* small = AddPipe(doc, "SMALL", a, b);
        ZPipeLink* large = AddPipe(doc, "LARGE", c, d);
        small->PipeDiam = 0.1;
        large->PipeDiam = 0.8;
        ZNetCanvas canvas(settings);
        canvas.SetDocument(&doc);
        canvas.SetViewport(QRect(0, 0, 400, 200));
        canvas.SetCentre(100, 2);
        canvas.SetScale(1.0);
        canvas.RebuildVisibleSet();
        QImage img(400, 200, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&img);
            canvas.Paint(p);
        }
        QCOMPARE(canvas.Placer()->PlacedCount(), size_t(1));
        // The large pipe's label is the one shown, whatever the drawing order.
        QVERIFY(canvas.Placer()->Place(large, large->GetDisplayRect(canvas)));
        QVERIFY(!canvas.Placer()->Place(small, small->GetDisplayRect(canvas)));
        small->PipeDiam = 1.0;
        canvas.ForgetLabels();
        {
            QPainter p(&img);
            canvas.Paint(p);
        }
        QVERIFY(canvas.Placer()->Place(small, small->GetDisplayRect(canvas)));
        QVERIFY(!canvas.Placer()->Place(large, large->GetDisplayRect(canvas)));
        // Without placement both show.
        canvas.SetLabelDeclutter(false);
        QVERIFY(canvas.Placer() == nullptr);
        canvas.SetLabelDeclutter(true);
        // Zoomed out beyond the largest label scale nothing is labelled.
        settings.LabelTip().MaxLabelScale = 0.5;
        QVERIFY(!canvas.LabelsShown());
        canvas.ForgetLabels();
        {
            QPainter p(&img);
            canvas.Paint(p);
        }
        QCOMPARE(canvas.Placer()->PlacedCount(), size_t(0));
        canvas.SetScale(0.5);
        QVERIFY(canvas.LabelsShown());
    }

    void aStripAgreesWithTheWholePaint()
    {
        ZSettingsStore settings;
        ZDocument doc;
        // A dense row of nodes whose labels overlap their neighbours'.
        for (int i = 0; i < 40; ++i)
            AddNode(doc, "N" + std::to_string(i), i * 8.0, 0);
        ZNetCanvas canvas(settings);
        canvas.SetDocument(&doc);
        canvas.SetViewport(QRect(0, 0, 400, 100));
        canvas.SetCentre(160, 0);
        canvas.SetScale(1.0);
        canvas.RebuildVisibleSet();
        QImage whole(400, 100, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&whole);
            canvas.Paint(p);
        }
        const size_t placed = canvas.Placer()->PlacedCount();
        QVERIFY(placed > 5 && placed < 40);
        QImage strips = whole;
        strips.fill(Qt::black);
        {
            QPainter p(&strips);
            for (int x = 0; x < 400; x += 100) {
                p.save();
                p.setClipRect(QRect(x, 0, 100, 100));
                canvas.Paint(p, QRect(x, 0, 100, 100));
                p.restore();
            }
        }
        QCOMPARE(canvas.Placer()->PlacedCount(), placed);
        QCOMPARE(strips, whole);
    }
};

QTEST_MAIN(TestZLabelPlacer)
#include "test_ZLabelPlacer.moc"
