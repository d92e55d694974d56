// Contours of generated networks: the head field over the 101 x 101 grid (the costly part), the
// tracing and sorting of the levels, and drawing them into an image. Arguments: pipe counts
// (default 10000 100000).
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZContourGenerator.h"
#include "hydraulics/ZHeadField.h"
#include "model/ZContourSet.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/NetworkImageExporter.h"
#include "views/ZContourPainter.h"
#include "views/ZNetCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10000, 100000};
    for (int pipes : sizes) {
        ZDocument doc;
        ZNetwork& net = doc.GetNetwork();
        NetworkGenerator gen;
        gen.nodes = pipes * 3 / 5;
        gen.pipes = pipes;
        gen.Generate(net);
        // A few hills and hollows over the town.
        for (int i = 0; i < net.NodeCount(); ++i) {
            ZConsumeNode* n = net.NodeAt(i);
            n->NodeHydrElev = 40.0 + 20.0 * std::sin(n->X / 3000.0) * std::cos(n->Y / 2000.0);
        }
        long segments = 0;
        for (const ZFlowLink* l : net.Links())
            segments += 1 + static_cast<long>(static_cast<const ZPipeLink*>(l)->Vertices().size());
        std::printf("%d pipes, %ld segments, %d nodes\n", net.LinkCount(), segments, net.NodeCount());

        ZHeadField field;
        for (int threads : {1, 0}) {
            const double cpu0 = BenchClock::CpuSeconds();
            const auto t0 = std::chrono::steady_clock::now();
            field.Compute(net, ZHeadField::AbsoluteHead, net.BoundRect(), 100, 100, nullptr, 0.85, threads);
            const double wall = BenchClock::Seconds(t0), cpu = BenchClock::CpuSeconds() - cpu0;
            std::printf("  head field, %-9s %.3f s wall, %.3f s cpu, %.2f ns cpu per distance\n",
                        threads == 1 ? "1 thread:" : "2 threads:", wall, cpu, cpu * 1e9 / (segments * 10201.0));
        }

        ZContourGenerator::Range range;
        ZContourGenerator::LevelRange(ZHeadField::NodeValues(net, 0), 0.5, range);
        ZContourSet& set = doc.GetContours();
        auto t0 = std::chrono::steady_clock::now();
        ZContourGenerator::Trace(field, range, 0.5, set);
        size_t points = 0;
        for (const ZContourPolygon& p : set.Polygons)
            points += p.Points.size();
        std::printf("  tracing %ld levels: %.4f s, %zu polygons, %zu points\n", range.levels, BenchClock::Seconds(t0),
                    set.Polygons.size(), points);

        t0 = std::chrono::steady_clock::now();
        const auto status = ZContourGenerator::Generate(net, 0, 0.5, set);
        std::printf("  whole generation: %.3f s wall (status %d)\n", BenchClock::Seconds(t0), status);

        ZSettingsStore settings;
        NetworkImageExporter ex(doc, settings);
        ZNetCanvas canvas(settings);
        ex.Fit(canvas, QSize(1600, 1200), 96, 96, false);
        QImage img(1600, 1200, QImage::Format_ARGB32_Premultiplied);
        for (bool fill : {false, true}) {
            ZContourPainter::Style style;
            style.fill = fill;
            QPainter p(&img);
            t0 = std::chrono::steady_clock::now();
            ZContourPainter::Paint(set, canvas, p, style);
            p.end();
            std::printf("  drawing 1600x1200, %s: %.4f s\n", fill ? "lines, labels, fill" : "lines and labels",
                        BenchClock::Seconds(t0));
        }
        {
            // A pan step repaints a strip.
            QPainter p(&img);
            p.setClipRect(QRect(0, 600, 1600, 40));
            t0 = std::chrono::steady_clock::now();
            ZContourPainter::Paint(set, canvas, p, ZContourPainter::Style());
            p.end();
            std::printf("  drawing a 1600x40 strip, lines, labels, fill: %.4f s\n", BenchClock::Seconds(t0));
        }
    }
    return 0;
}
