// Editing speed on a 100,000-pipe network in a 1920x1080 graphic view: a rubber band that selects
// about 10,000 objects (selection and the repaint it causes), what a click selection repaints,
// and undo and redo of one edit that touches every pipe.
#include "NetworkGenerator.h"

#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"
#include "views/ZNetCanvas.h"
#include "views/ZSelectTracker.h"

#include <QApplication>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace {
double Ms(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

bool Report(const char* what, double ms, double limit)
{
    std::printf("%-58s %8.2f ms  (target < %.0f ms) %s\n", what, ms, limit, ms < limit ? "ok" : "SLOW");
    return ms < limit;
}

// A view that adds up the area it is asked to repaint.
class CountingView : public CQENView {
public:
    using CQENView::CQENView;
    long long area = 0;
    int calls = 0;
    void CanvasInvalidate(const QRect& r, bool erase) override
    {
        area +=
            r.isNull() ? static_cast<long long>(width()) * height() : static_cast<long long>(r.width()) * r.height();
        ++calls;
        CQENView::CanvasInvalidate(r, erase);
    }
};
}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int pipes = argc > 1 ? std::atoi(argv[1]) : 100000;
    ZSettingsStore settings;
    ZDocument doc;
    NetworkGenerator gen;
    gen.nodes = pipes * 56 / 100;
    gen.pipes = pipes;
    gen.Generate(doc.GetNetwork());
    std::printf("network: %d nodes, %d links\n", doc.GetNetwork().NodeCount(), doc.GetNetwork().LinkCount());
    bool ok = true;

    // A view of 12,000 m x 6,750 m: 6.25 m a pixel, some 15,000 nodes on screen with their labels.
    doc.SetExtents({-1000, 0, 11000, 6750});
    CountingView view(&doc, settings);
    view.resize(1920, 1080);
    view.show();
    view.InitialUpdate();
    for (int i = 0; i < 100 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    view.repaint();
    ZNetCanvas& canvas = view.Canvas();
    ZSelectTracker& tracker = canvas.Tracker();

    // Rubber band from the empty margin left of the network over 57 columns and 59 rows.
    int ax, ay, bx, by;
    canvas.WorldToDevice(-400, 6050, ax, ay);
    canvas.WorldToDevice(5650, 150, bx, by);
    const auto t0 = std::chrono::steady_clock::now();
    tracker.ButtonDown(false, QPoint(ax, ay), true);
    tracker.MouseMove(QPoint(bx, by), true);
    tracker.ButtonUp(QPoint(bx, by));
    const double selectMs = Ms(t0);
    const auto t1 = std::chrono::steady_clock::now();
    view.repaint();
    const double paintMs = Ms(t1);
    std::printf("rubber band selected %d objects (%d nodes, %d pipes)\n", tracker.Total(),
                tracker.Count(ZNetObject::Kind::Node), tracker.Count(ZNetObject::Kind::Pipe));
    ok &= Report("rubber band selection, ~10,000 objects", selectMs, 200);
    ok &= Report("repaint after it", paintMs, 200);
    ok &= Report("rubber band selection and repaint", selectMs + paintMs, 200);

    // A plain click on one node: the old selection goes, the node comes; only their areas repaint.
    int nx, ny;
    canvas.WorldToDevice(8000, 3000, nx, ny);
    tracker.ButtonDown(false, QPoint(nx, ny), true);
    view.repaint();
    view.area = 0;
    view.calls = 0;
    canvas.WorldToDevice(8100, 3100, nx, ny);
    const auto t2 = std::chrono::steady_clock::now();
    tracker.ButtonDown(false, QPoint(nx, ny), true);
    view.repaint();
    const double clickMs = Ms(t2);
    std::printf("click selected %d object(s)\n", tracker.Total());
    std::printf("click selection: %d repaint request(s), %lld pixels of %d (%.3f%%)\n", view.calls, view.area,
                1920 * 1080, 100.0 * static_cast<double>(view.area) / (1920.0 * 1080.0));
    ok &= Report("click selection and its repaint", clickMs, 20);
    ok &= view.area < 1920 * 1080 / 100;

    // One edit of every pipe (what the pipe dialog does on a selection of all of them), then
    // undo and redo with the view listening and repainting.
    const ZNetwork& net = doc.GetNetwork();
    const auto t3 = std::chrono::steady_clock::now();
    {
        ZEditTransaction tx(doc, "管道属性");
        for (ZFlowLink* l : net.Links()) {
            tx.Touch(l);
            static_cast<ZPipeLink*>(l)->PipeDiam = 0.5;
        }
        tx.Commit();
    }
    view.repaint();
    ok &= Report("edit of 100,000 pipes, recorded, and repaint", Ms(t3), 1000);
    const auto t4 = std::chrono::steady_clock::now();
    doc.Undo();
    view.repaint();
    ok &= Report("undo of it, and repaint", Ms(t4), 1000);
    const auto t5 = std::chrono::steady_clock::now();
    doc.Redo();
    view.repaint();
    ok &= Report("redo of it, and repaint", Ms(t5), 1000);
    std::printf("history holds %.1f MB\n", static_cast<double>(doc.History().MemoryUsage()) / 1048576.0);
    return ok ? 0 : 1;
}
