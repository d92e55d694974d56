// Stepping the time bar on a 100,000-node network: a day of hourly results put into the result
// fields (ZResultPlayback), then what a graphic window does on the announcement: the visible set
// rebuilt and the whole network painted into a 1920x1080 image with nodes and pipes graded by
// results and flow arrows, labels off and on. The balancing results put back last.
#include "NetworkGenerator.h"

#include "hydraulics/ZSimulationResults.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/ZNetCanvas.h"
#include "views/ZResultPlayback.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

// Median processor time of the runs (the machine may be shared: wall time says little), and the
// median wall time beside it.
double MedianStepMs(int runs, const std::function<void(int)>& fn, double* wallMs = nullptr)
{
    std::vector<double> cpu, wall;
    for (int i = 0; i < runs; ++i) {
        const auto a = std::chrono::steady_clock::now();
        const double c = ThreadCpuMs();
        fn(i);
        cpu.push_back(ThreadCpuMs() - c);
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    if (wallMs)
        *wallMs = wall[wall.size() / 2];
    return cpu[cpu.size() / 2];
}

bool Report(const char* what, double ms, double limit)
{
    std::printf("%-56s %8.2f ms cpu  (target < %.0f ms) %s\n", what, ms, limit, ms < limit ? "ok" : "SLOW");
    return ms < limit;
}
}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::max(100, std::atoi(argv[1])) : 100000;
    ZSettingsStore settings;
    ZDocument doc;
    NetworkGenerator gen;
    gen.nodes = nodes;
    gen.pipes = nodes * 3 / 2;
    ZNetwork& net = doc.GetNetwork();
    gen.Generate(net);
    std::printf("network: %d nodes, %d links\n", net.NodeCount(), net.LinkCount());

    // A day of hourly results: heads and flows swinging with the hour.
    ZSimulationResults results;
    results.Reset(net.NodeCount(), net.LinkCount());
    const std::vector<uint8_t> open(static_cast<size_t>(net.LinkCount()), ZSimulationResults::Open);
    for (int h = 0; h <= 24; ++h) {
        const double swing = 1.0 + 0.5 * std::sin(h * 0.26);
        for (ZConsumeNode* n : net.Nodes()) {
            n->NodeHydrElev = n->NodeGrunElev + 20.0 * swing + 0.001 * n->X;
            n->NodeDeliveredFlow = n->NodeFlow * swing;
        }
        for (ZFlowLink* l : net.Links())
            l->Flow = (l->GetIndex() % 7 == 0 ? -0.01 : 0.01) * swing;
        results.Record(h * 3600, net, open);
    }
    std::printf("results: %zu times, %.1f MB\n", results.TimeCount(), results.MemoryBytes() / 1048576.0);

    ZDrawSettings& ds = doc.GetDrawSettings();
    ds.Balanced = 1;
    ds.NodeGradeOn = 1;
    ds.NodeGradeMode = ZDrawSettings::NodeByFreeHead;
    ds.PipeGradeOn = 1;
    ds.PipeGradeMode = ZDrawSettings::PipeByFlow;
    doc.ResultsComputed(true);

    const QSize size(1920, 1080);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    ZNetCanvas canvas(settings);
    canvas.SetDocument(&doc);
    canvas.SetViewport(QRect(QPoint(0, 0), size));
    double cx, cy, s;
    ZNetCanvas::FitExtent(net.BoundRect(), QRect(QPoint(0, 0), size), cx, cy, s);
    canvas.SetCentre(cx, cy);
    canvas.SetScale(s);
    canvas.RebuildVisibleSet();

    bool ok = true;
    ZResultPlayback playback;
    playback.Save(net);
    ok &= Report("results of one time into the network",
                 MedianStepMs(25, [&](int k) { ZResultPlayback::Show(net, results, static_cast<size_t>(k)); }), 20);
    settings.LabelOn = false;
    std::printf("%-56s %8.2f ms cpu\n", "  visible set rebuild alone",
                MedianStepMs(5, [&](int) { canvas.RebuildVisibleSet(); }));
    std::printf("%-56s %8.2f ms cpu\n", "  paint alone (labels off)", MedianStepMs(5, [&](int) {
                    QPainter p(&img);
                    canvas.Paint(p);
                }));
    {
        // For comparison: the same picture without grades (colours that do not follow results).
        ds.NodeGradeOn = ds.PipeGradeOn = 0;
        std::printf("%-56s %8.2f ms cpu\n", "  paint alone, no grades (for comparison)", MedianStepMs(5, [&](int) {
                        QPainter p(&img);
                        canvas.Paint(p);
                    }));
        ds.NodeGradeOn = ds.PipeGradeOn = 1;
    }
    // The time bar's own share of a step: the results and the visible set the view rebuilds.
    ok &= Report("time step without painting: results, visible set",
                 MedianStepMs(9,
                              [&](int k) {
                                  ZResultPlayback::Show(net, results, static_cast<size_t>(k));
                                  canvas.RebuildVisibleSet();
                              }),
                 50);
    // The whole step as the user waits for it; the painting is any repaint's.
    std::printf("%-56s %8.2f ms cpu\n", "time step with painting, labels off", MedianStepMs(9, [&](int k) {
                    ZResultPlayback::Show(net, results, static_cast<size_t>(k));
                    canvas.RebuildVisibleSet();
                    QPainter p(&img);
                    canvas.Paint(p);
                }));
    settings.LabelOn = true;
    std::printf("%-56s %8.2f ms cpu\n", "time step with painting, labels on", MedianStepMs(9, [&](int k) {
                    ZResultPlayback::Show(net, results, static_cast<size_t>(k));
                    canvas.RebuildVisibleSet();
                    canvas.ForgetLabels();
                    QPainter p(&img);
                    canvas.Paint(p);
                }));
    ok &= Report("balancing results put back", MedianStepMs(1, [&](int) { playback.Restore(net); }), 20);
    return ok ? 0 : 1;
}
