// Three-dimensional window on a 100,000-pipe network: building the surface (head field on the
// 101 x 101 grid, heights, normals, colours, pipe lines), and, given a display (run it under
// xvfb-run -a), the first picture and the redraw of a rotation step.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZHeadField.h"
#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/CQENModuleView.h"
#include "views/ZModuleSurface.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest/QTest>

#include <chrono>
#include <cstdio>

namespace {
// Wall time, and processor time of all threads: on a shared machine the wall time says little.
bool Report(const char* what, double ms, double cpuMs, double limit)
{
    std::printf("%-52s %8.1f ms  cpu %8.1f ms  (target < %.0f ms) %s\n", what, ms, cpuMs, limit,
                ms < limit ? "ok" : "SLOW");
    return ms < limit;
}

double CpuMs(double since)
{
    return (BenchClock::CpuSeconds() - since) * 1000.0;
}

double Ms(std::chrono::steady_clock::time_point since)
{
    return BenchClock::Seconds(since) * 1000.0;
}
}   // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ZSettingsStore settings;
    ZDocument doc;
    NetworkGenerator gen;
    gen.nodes = 56000;
    gen.pipes = 100000;
    gen.Generate(doc.GetNetwork());
    ZNetwork& net = doc.GetNetwork();
    // Heads falling away from the sources, so the surface has relief.
    for (int i = 0; i < net.NodeCount(); ++i) {
        ZConsumeNode* n = net.NodeAt(i);
        n->NodeHydrElev = 80.0 - 0.0004 * n->X - 0.0002 * n->Y + (i % 7) * 0.1;
    }
    std::printf("network: %d nodes, %d links\n", net.NodeCount(), net.LinkCount());
    bool ok = true;

    auto t = std::chrono::steady_clock::now();
    const double cpu0 = BenchClock::CpuSeconds();
    ZHeadField field;
    const ViewExtent bounds = net.BoundRect();
    field.Compute(net, ZHeadField::AbsoluteHead, bounds, CQENModuleView::GridCells, CQENModuleView::GridCells);
    const double fieldMs = Ms(t);
    ZModuleSurface surface;
    surface.Build(bounds, CQENModuleView::GridCells, CQENModuleView::GridCells, field.Values(),
                  settings.Colors().ContourFillLow, settings.Colors().ContourFillHigh);
    surface.BuildPipes(net);
    const double buildMs = Ms(t);
    std::printf("  of which the head field %.1f ms\n", fieldMs);
    ok &= Report("build the surface (head field, model, pipe lines)", buildMs, CpuMs(cpu0), 3000);

    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        t = std::chrono::steady_clock::now();
        double cpu = BenchClock::CpuSeconds();
        CQENModuleView view(&doc, settings);
        view.resize(1280, 800);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            return 2;
        view.grabFramebuffer();
        ok &= Report("open the window (surface built, list compiled, drawn)", Ms(t), CpuMs(cpu), 4000);
        const int frames = 20;
        t = std::chrono::steady_clock::now();
        cpu = BenchClock::CpuSeconds();
        for (int i = 0; i < frames; ++i) {
            view.SetRotation(view.RotationX(), view.RotationY() + 5.0, view.RotationZ());
            view.grabFramebuffer();
        }
        ok &= Report("redraw after a rotation step (software GL), mean", Ms(t) / frames, CpuMs(cpu) / frames, 100);
        // While the left button drags, the pipes of a network this large are left out.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        t = std::chrono::steady_clock::now();
        cpu = BenchClock::CpuSeconds();
        for (int i = 0; i < frames; ++i) {
            view.SetRotation(view.RotationX(), view.RotationY() + 5.0, view.RotationZ());
            view.grabFramebuffer();
        }
        ok &= Report("redraw during a drag (software GL), mean", Ms(t) / frames, CpuMs(cpu) / frames, 100);
    } else {
        std::printf("(no display: run under xvfb-run -a for the window's figures)\n");
    }
    std::printf("peak memory: %ld kB\n", BenchClock::PeakRssKb());
    return ok ? 0 : 1;
}
