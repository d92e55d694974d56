// Table window on a 100,000-pipe network: opening it (models, first layout and paint of the
// shown tab), switching to the pipe tab, sorting 100,000 pipes by a column, scrolling a page,
// and the refresh after a balancing run.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "model/ZDocument.h"
#include "model/ZSettingsStore.h"
#include "views/CQENGrid.h"
#include "views/CQENGridModel.h"
#include "views/CQENGridView.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>

namespace {
bool Report(const char* what, double ms, double limit)
{
    std::printf("%-52s %8.1f ms  (target < %.0f ms) %s\n", what, ms, limit, ms < limit ? "ok" : "SLOW");
    return ms < limit;
}

double Ms(std::chrono::steady_clock::time_point since)
{
    return BenchClock::Seconds(since) * 1000.0;
}
}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ZSettingsStore settings;
    ZDocument doc;
    NetworkGenerator gen;
    gen.nodes = 56000;
    gen.pipes = 100000;
    gen.Generate(doc.GetNetwork());
    std::printf("network: %d nodes, %d links\n", doc.GetNetwork().NodeCount(), doc.GetNetwork().LinkCount());
    bool ok = true;

    auto t = std::chrono::steady_clock::now();
    CQENGridView view(&doc, settings);
    view.resize(1280, 800);
    view.show();
    view.grab();   // lays out and paints now
    ok &= Report("open the table window (first tab painted)", Ms(t), 1000);

    t = std::chrono::steady_clock::now();
    view.SetCurrentTab(1);
    view.Grid(1)->grab();
    ok &= Report("switch to the pipe tab (painted)", Ms(t), 300);

    t = std::chrono::steady_clock::now();
    view.Model(1)->sort(11, Qt::DescendingOrder);
    view.Grid(1)->grab();
    ok &= Report("sort 100,000 pipes by flow (painted)", Ms(t), 1000);

    t = std::chrono::steady_clock::now();
    view.Model(1)->sort(0, Qt::AscendingOrder);
    view.Grid(1)->grab();
    ok &= Report("sort 100,000 pipes by identifier (painted)", Ms(t), 1000);

    CQENGrid* grid = view.Grid(1);
    t = std::chrono::steady_clock::now();
    const int steps = 50;
    for (int i = 0; i < steps; ++i) {
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() + grid->verticalScrollBar()->pageStep());
        grid->viewport()->grab();
    }
    ok &= Report("scroll one page (painted), mean", Ms(t) / steps, 30);

    t = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i)
        view.OnCommand(CQENGridView::CmdRecordNext);
    grid->viewport()->grab();
    ok &= Report("next-record command (marker moved, scrolled), mean", Ms(t) / 1000, 16);

    t = std::chrono::steady_clock::now();
    ZNetMsg msg{ZNetMsg::Balanced, 0, 0, nullptr};
    view.OnUpdate(&msg);
    grid->viewport()->grab();
    ok &= Report("refresh after balancing (painted)", Ms(t), 100);

    std::printf("peak memory: %ld kB\n", BenchClock::PeakRssKb());
    return ok ? 0 : 1;
}
