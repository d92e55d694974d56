// Node and device symbols thinned out where they crowd: the spacing rule on its own, and a dense
// grid network painted at its extents (pipes show between the squares) and zoomed in (every
// node drawn), with sources and selected nodes always shown.
#include "ViewTestNetworks.h"

#include "model/ObjectFlags.h"
#include "model/ZSettingsStore.h"
#include "model/ZValveLink.h"
#include "views/QtDrawContext.h"
#include "views/ZNetCanvas.h"
#include "views/ZSymbolThinner.h"

#include <QPainter>
#include <QtTest>

using namespace ViewTestNetworks;

class TestZSymbolThinner : public QObject {
    Q_OBJECT
    ZSettingsStore settings;

    // n x n nodes `step` metres apart, joined along rows and columns.
    static void Grid(ZDocument& doc, int n, double step)
    {
        std::vector<ZConsumeNode*> nodes;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                nodes.push_back(AddNode(doc, "N" + std::to_string(i * n + j), j * step, i * step, 30.0));
        int k = 0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (j + 1 < n)
                    AddPipe(doc, "P" + std::to_string(k++), nodes[size_t(i * n + j)], nodes[size_t(i * n + j + 1)]);
                if (i + 1 < n)
                    AddPipe(doc, "P" + std::to_string(k++), nodes[size_t(i * n + j)], nodes[size_t((i + 1) * n + j)]);
            }
    }

    struct Counts {
        int nodeFill = 0, pipe = 0, area = 0;
    };
    Counts Paint(ZNetCanvas& c, QImage& img)
    {
        img.fill(Qt::white);
        QPainter p(&img);
        c.Paint(p);
        p.end();
        Counts n;
        const QRgb fill = QtDrawContext::ToColor(settings.Colors().NodeFill).rgb();
        const QRgb pipe = QtDrawContext::ToColor(settings.Colors().Pipe).rgb();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                n.nodeFill += img.pixel(x, y) == fill;
                n.pipe += img.pixel(x, y) == pipe;
            }
        return n;
    }

private slots:
    void initTestCase() { settings.LabelOn = false; }

    void spacingRule()
    {
        ZSymbolThinner t;
        t.BeginPaint(0.5, 12);   // 6 m apart at half a metre a pixel
        int a, b, c, d;
        QVERIFY(t.Place(&a, 0, 0));
        QVERIFY(!t.Place(&b, 5.9, 3));   // closer than 6 m in both directions
        QVERIFY(t.Place(&c, 6.0, 0));    // 6 m off in x: room
        QVERIFY(t.Place(&a, 0, 0));      // placed already: drawn again (a strip repaint)
        t.Force(&d, 1, 1);               // a source shows whatever is near
        QVERIFY(!t.Place(&b, 3, 4));
        QCOMPARE(t.PlacedCount(), size_t(3));
        t.BeginPaint(0.5, 12);   // same scale: kept
        QVERIFY(!t.Place(&b, 5.9, 3));
        t.BeginPaint(0.25, 12);   // zoomed in: afresh, 3 m now
        QVERIFY(t.Place(&b, 5.9, 3));
        QVERIFY(t.Place(&a, 0, 0));
    }

    void denseNetworkAtExtentsShowsItsPipes()
    {
        ZDocument doc;
        Grid(doc, 60, 10.0);   // 3,600 nodes over 590 m
        ZConsumeNode* source = doc.GetNetwork().FindNode("N61");
        source->SetFlag(qen::FLAG_HEAD_KNOWN);
        ZConsumeNode* picked = doc.GetNetwork().FindNode("N62");
        picked->SetFlag(qen::FLAG_SELECTED);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        const QSize size(400, 400);
        c.SetViewport(QRect(QPoint(0, 0), size));
        c.SetCentre(295, 295);
        c.SetScale(600.0 / 400.0);   // nodes under 7 pixels apart: squares would nearly touch
        c.RebuildVisibleSet();
        QImage img(size, QImage::Format_ARGB32_Premultiplied);
        const Counts thinned = Paint(c, img);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/dense-grid-thinned.png"));
        c.SetSymbolThinning(false);
        const Counts all = Paint(c, img);
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/dense-grid-all.png"));
        // Every square drawn leaves the pipes a few stray pixels; thinned, about one node in four
        // is drawn and the pipes show.
        QVERIFY2(all.pipe < thinned.pipe / 4, qPrintable(QStringLiteral("%1 / %2").arg(all.pipe).arg(thinned.pipe)));
        QVERIFY2(thinned.nodeFill * 3 < all.nodeFill,
                 qPrintable(QStringLiteral("%1 / %2").arg(thinned.nodeFill).arg(all.nodeFill)));
        QVERIFY(thinned.nodeFill > all.nodeFill / 10);

        // The source and the selected node show whatever crowds them.
        c.SetSymbolThinning(true);
        Paint(c, img);
        int px, py;
        c.WorldToDevice(source->X, source->Y, px, py);
        QCOMPARE(img.pixelColor(px, py), QtDrawContext::ToColor(settings.Colors().NodeFill));
        c.WorldToDevice(picked->X, picked->Y, px, py);
        QVERIFY(img.pixelColor(px - 2, py - 2) != QColor(Qt::white));
    }

    void zoomedInEveryNodeShows()
    {
        ZDocument doc;
        Grid(doc, 6, 10.0);
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 400, 400));
        c.SetCentre(25, 25);
        c.SetScale(0.5);   // 20 pixels apart
        c.RebuildVisibleSet();
        QImage img(400, 400, QImage::Format_ARGB32_Premultiplied);
        Paint(c, img);
        for (const ZConsumeNode* n : doc.GetNetwork().Nodes()) {
            int px, py;
            c.WorldToDevice(n->X, n->Y, px, py);
            QCOMPARE(img.pixelColor(px, py), QtDrawContext::ToColor(settings.Colors().NodeFill));
        }
    }

    void crowdedDevicesShowOnce()
    {
        ZDocument doc;
        for (int k = 0; k < 3; ++k) {
            ZConsumeNode* from = AddNode(doc, "S" + std::to_string(k), 2.0 * k, 0);
            ZConsumeNode* to = AddNode(doc, "E" + std::to_string(k), 2.0 * k, 1.0);
            auto* v = new ZValveLink;
            v->SetId(GbkView("V" + std::to_string(k)));
            doc.GetNetwork().AddLink(from, to, v);
        }
        ZNetCanvas c(settings);
        c.SetDocument(&doc);
        c.SetViewport(QRect(0, 0, 200, 200));
        c.SetCentre(2, 0);
        c.SetScale(0.2);   // the three 20-pixel symbols 10 pixels apart overlap
        c.RebuildVisibleSet();
        QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
        auto drawn = [&] {
            img.fill(Qt::white);
            QPainter p(&img);
            c.Paint(p);
            p.end();
            int ink = 0;
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 200; ++x)
                    ink += img.pixel(x, y) != qRgb(255, 255, 255);
            return ink;
        };
        const int thinned = drawn();
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/devices-thinned.png"));
        c.SetSymbolThinning(false);
        const int all = drawn();
        if (!qEnvironmentVariableIsEmpty("QEN_SCREENSHOT_DIR"))
            img.save(qEnvironmentVariable("QEN_SCREENSHOT_DIR") + QStringLiteral("/devices-all.png"));
        QVERIFY2(thinned < all, qPrintable(QStringLiteral("%1 / %2").arg(thinned).arg(all)));
    }
};

QTEST_MAIN(TestZSymbolThinner)
#include "test_ZSymbolThinner.moc"
