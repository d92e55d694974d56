// Drawing speed of the graphic view on a 100,000-pipe network painted into a 1920x1080 image:
// the whole network without and with labels (node squares thinned where they crowd), one percent
// of it with labels, opening a view that fits the whole network, real-time pan steps, and pan and
// wheel-zoom steps over an 8,000 x 8,000 pixel background map.
#include "NetworkGenerator.h"

#include "model/ZDocument.h"
#include "model/ZNetBkDib.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"
#include "views/ZBackgroundImage.h"
#include "views/ZNetCanvas.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double MedianMs(int runs, const std::function<void()>& fn)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto a = std::chrono::steady_clock::now();
        fn();
        t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

bool Report(const char* what, double ms, double limit)
{
    std::printf("%-52s %8.2f ms  (target < %.0f ms) %s\n", what, ms, limit, ms < limit ? "ok" : "SLOW");
    return ms < limit;
}
}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // --save DIR keeps the painted images, so a faster drawing can be checked pixel by pixel.
    const QStringList args = QCoreApplication::arguments();
    const int saveAt = static_cast<int>(args.indexOf(QStringLiteral("--save")));
    const QString saveDir = saveAt >= 0 && saveAt + 1 < args.size() ? args[saveAt + 1] : QString();
    auto save = [&](const QImage& image, const char* name) {
        if (!saveDir.isEmpty())
            image.save(saveDir + QLatin1Char('/') + QLatin1String(name));
    };
    ZSettingsStore settings;
    ZDocument doc;
    NetworkGenerator gen;
    gen.nodes = 56000;
    gen.pipes = 100000;
    gen.Generate(doc.GetNetwork());
    const ViewExtent all = doc.GetNetwork().BoundRect();
    std::printf("network: %d nodes, %d links\n", doc.GetNetwork().NodeCount(), doc.GetNetwork().LinkCount());

    const QSize size(1920, 1080);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    ZNetCanvas canvas(settings);
    canvas.SetDocument(&doc);
    canvas.SetViewport(QRect(QPoint(0, 0), size));
    bool ok = true;

    // Whole network, labels off.
    settings.LabelOn = false;
    double cx, cy, s;
    ZNetCanvas::FitExtent(all, QRect(QPoint(0, 0), size), cx, cy, s);
    canvas.SetCentre(cx, cy);
    canvas.SetScale(s);
    const double buildMs = MedianMs(1, [&] { canvas.RebuildVisibleSet(); });
    std::printf("%-52s %8.2f ms\n", "spatial grid build + visible set, whole network", buildMs);
    ok &= Report("visible set rebuild, whole network", MedianMs(5, [&] { canvas.RebuildVisibleSet(); }), 100);
    ok &= Report("paint whole network, labels off",
                 MedianMs(5,
                          [&] {
                              QPainter p(&img);
                              canvas.Paint(p);
                          }),
                 100);
    save(img, "whole.png");

    // Whole network with labels on and no largest label scale: most labels give way.
    settings.LabelOn = true;
    ok &= Report("paint whole network, labels on (overlaps left out)",
                 MedianMs(5,
                          [&] {
                              canvas.ForgetLabels();
                              QPainter p(&img);
                              canvas.Paint(p);
                          }),
                 100);
    std::printf("labels shown at zoom extents: %zu\n", canvas.Placer()->PlacedCount());
    save(img, "whole-labels.png");
    canvas.SetLabelDeclutter(false);
    std::printf("%-52s %8.2f ms\n", "  the same with every label drawn (for comparison)", MedianMs(3, [&] {
                    QPainter p(&img);
                    canvas.Paint(p);
                }));
    canvas.SetLabelDeclutter(true);
    settings.LabelOn = false;

    // One percent of the area, labels on.
    settings.LabelOn = true;
    canvas.SetScale(s / 10.0);
    ok &= Report("visible set rebuild, 1% view, labels on", MedianMs(9, [&] { canvas.RebuildVisibleSet(); }), 10);
    std::printf("visible: %zu nodes, %zu links\n", canvas.VisibleSet().Nodes().size(),
                canvas.VisibleSet().Links().size());
    ok &= Report("paint 1% view, labels on",
                 MedianMs(9,
                          [&] {
                              QPainter p(&img);
                              canvas.Paint(p);
                          }),
                 10);
    save(img, "labels.png");
    canvas.SetLabelDeclutter(false);
    std::printf("%-52s %8.2f ms\n", "  the same with every label drawn (for comparison)", MedianMs(9, [&] {
                    QPainter p(&img);
                    canvas.Paint(p);
                }));
    canvas.SetLabelDeclutter(true);

    // Opening a view whose stored view cuts the network: the first fit measures every symbol
    // and label at the scale, a few times.
    {
        settings.LabelOn = true;
        doc.SetExtents({all.left, all.bottom, all.left + all.Width() / 4, all.bottom + all.Height() / 4});
        const double ms = MedianMs(3, [&] {
            CQENView view(&doc, settings);
            view.resize(size);
            view.InitialUpdate();
        });
        ok &= Report("open a view: whole network fitted, labels on", ms, 1000);
        settings.LabelOn = false;
    }

    // Real-time pan steps through the view widget (buffer scroll and strip repaint).
    for (int labels = 0; labels < 2; ++labels) {
        settings.LabelOn = labels != 0;
        CQENView view(&doc, settings);
        view.resize(size);
        view.show();   // a hidden widget ignores repaint(), which would time nothing
        QCoreApplication::processEvents();
        view.Canvas().SetViewport(QRect(QPoint(0, 0), size));
        view.InitialUpdate();
        view.Canvas().ZoomTool().Apply(cx, cy, labels ? s / 10.0 : s);
        view.repaint();
        ZZoomTool& tool = view.Canvas().ZoomTool();
        tool.SetMode(ZZoomTool::RealTimePan);
        QPoint pt(900, 500);
        tool.MousePress(pt);
        const double ms = MedianMs(9, [&] {
            pt += QPoint(7, 4);
            tool.MouseMove(pt, true);
            view.repaint();
        });
        // What the pan steps left in the view (scrolled buffer and repainted strips).
        QImage panned(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&panned);
            view.render(&p);
        }
        save(panned, labels ? "pan-labels.png" : "pan.png");
        ok &= Report(labels ? "pan step, 1% view, labels on" : "pan step, whole network, labels off", ms, 30);
    }

    // An 8,000 x 8,000 scanned map under the whole network.
    {
        QImage map(8000, 8000, QImage::Format_RGB888);
        map.fill(QColor(235, 230, 215));
        {
            QPainter p(&map);
            p.setPen(QPen(QColor(120, 110, 100), 3));
            for (int i = 0; i < 8000; i += 97)
                p.drawLine(i, 0, 8000 - i, 8000);
        }
        QByteArray bmp;
        QBuffer out(&bmp);
        out.open(QIODevice::WriteOnly);
        map.save(&out, "BMP");
        map = QImage();
        auto dib = std::make_unique<ZNetBkDib>();
        dib->SetBytes(std::vector<uint8_t>(bmp.begin(), bmp.end()));
        bmp.clear();
        dib->BkLeft = all.left;
        dib->BkTop = all.top;
        dib->BkWidth = all.Width();
        dib->BkHeight = all.Height();
        const ZNetBkDib* placed = dib.get();
        doc.SetBkDib(std::move(dib));
        ZBackgroundImage probe;
        std::printf("%-52s %8.2f ms\n", "background map decode and halvings (once)",
                    MedianMs(1, [&] { probe.Prepare(*placed); }));
    }
    for (int labels = 0; labels < 2; ++labels) {
        settings.LabelOn = labels != 0;
        CQENView view(&doc, settings);
        view.resize(size);
        view.show();
        QCoreApplication::processEvents();
        view.Canvas().SetViewport(QRect(QPoint(0, 0), size));
        view.InitialUpdate();
        view.Canvas().ZoomTool().Apply(cx, cy, labels ? s / 10.0 : s);
        view.repaint();   // the first paint decodes the map
        ZZoomTool& tool = view.Canvas().ZoomTool();
        QPoint from(900, 500);
        const double pan = MedianMs(9, [&] {
            const QPoint to = from + QPoint(7, 4);
            tool.PanStep(from, to, false);
            from = to;
            view.repaint();
        });
        ok &= Report(labels ? "pan step over the map, 1% view, labels on" : "pan step over the map, whole network", pan,
                     30);
        bool in = true;
        const double zoom = MedianMs(8, [&] {
            tool.WheelStep(QPoint(700, 400), in, false);
            in = !in;
            view.repaint();
        });
        ok &= Report(labels ? "wheel zoom step over the map, 1% view, labels on"
                            : "wheel zoom step over the map, whole network",
                     zoom, 100);
        QImage shown(size, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&shown);
            view.render(&p);
        }
        save(shown, labels ? "map-labels.png" : "map.png");
    }
    return ok ? 0 : 1;
}
