// "自动平差" on the pumped 12,500-node grid of bench_sweeps, the way the program runs it: a
// document with its graphic window, the switch on, one pipe's diameter changed through an edit
// transaction; timed from the edit to the results in the document (copy, balance on the worker
// from the last heads, written back and announced) and to the window repainted with them.
//   bench_live [NODES]
// Target at 12,500 nodes: the result of an edit shown in under 100 ms.
#include "PumpedCity.h"

#include "app/commands/CLiveBalance.h"
#include "app/commands/CQENDoc.h"
#include "app/dialogs/QtPrompt.h"
#include "hydraulics/ZLiveBalance.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"
#include "views/CQENView.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
double Ms(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// Spins the event loop until the live balance has applied `count` results; false after 30 s.
bool WaitApplied(const CLiveBalance& live, int count)
{
    const auto start = std::chrono::steady_clock::now();
    while (live.AppliedCount() < count) {
        if (!live.IsBusy() || Ms(start) > 30000.0)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}
}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 12500;
    ZSettingsStore settings;
    settings.AutoBalance = true;
    QtPrompt prompt;
    CQENDoc doc(settings, prompt);
    ZNetwork& net = doc.Data().GetNetwork();
    {
        PumpedCity city(net, nodes);
        city.GridPipes();
        city.AddSources({});
    }
    for (ZConsumeNode* n : net.Nodes())   // as in bench_sweeps: free heads of a designed network
        n->NodeFlow *= 0.15;
    doc.Data().SetExtents(doc.Data().FullExtent());
    std::printf("%d nodes, %d links\n", net.NodeCount(), net.LinkCount());

    CQENView view(&doc.Data(), settings);
    view.resize(1280, 800);
    view.show();
    QCoreApplication::processEvents();
    view.InitialUpdate();
    view.repaint();

    CLiveBalance* live = CLiveBalance::Of(doc);
    live->Attach(view);   // as the main frame does
    live->Start();        // the first balance, from the solver's first guess
    if (!WaitApplied(*live, 1)) {
        std::printf("the network did not balance: %s\n", qPrintable(live->StatusText()));
        return 1;
    }
    std::vector<double> applied, shown;
    for (int i = 0; i < 21; ++i) {
        int k = i * 97 % net.LinkCount();
        while (net.LinkAt(k)->GetKind() != ZNetObject::Kind::Pipe)
            k = (k + 1) % net.LinkCount();
        auto* pipe = static_cast<ZPipeLink*>(net.LinkAt(k));
        const auto t0 = std::chrono::steady_clock::now();
        {
            ZEditTransaction tx(doc.Data(), "管道属性");
            tx.TouchFields(pipe);
            pipe->PipeDiam = pipe->PipeInDiam = pipe->PipeDiam * 1.5;
            tx.Commit();
        }
        if (!WaitApplied(*live, i + 2)) {
            std::printf("edit %d: no result (%s)\n", i, qPrintable(live->StatusText()));
            return 1;
        }
        applied.push_back(Ms(t0));
        view.repaint();
        shown.push_back(Ms(t0));
    }
    // The parts, one after another on this thread: copy, balance from the last heads, write back
    // and announce (the views take up the results), repaint.
    std::vector<double> copy, balance, announce, paint;
    for (int i = 0; i < 21; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        ZLiveBalance run(net, doc.Data().GetDrawSettings());
        copy.push_back(Ms(t0));
        t0 = std::chrono::steady_clock::now();
        if (run.Run(true) != ZLiveBalance::Balanced)
            return 1;
        balance.push_back(Ms(t0));
        t0 = std::chrono::steady_clock::now();
        run.WriteBack(net);
        doc.Data().Announce(ZNetMsg{ZNetMsg::Balanced, 0, 0, nullptr});
        announce.push_back(Ms(t0));
        t0 = std::chrono::steady_clock::now();
        view.repaint();
        paint.push_back(Ms(t0));
    }
    for (std::vector<double>* v : {&copy, &balance, &announce, &paint})
        std::sort(v->begin(), v->end());
    std::printf("parts, median of 21: copy %.1f ms, balance from the last heads %.1f ms, write back and announce"
                " %.1f ms, repaint %.1f ms\n",
                copy[10], balance[10], announce[10], paint[10]);
    std::sort(applied.begin(), applied.end());
    std::sort(shown.begin(), shown.end());
    std::printf("live balancing, edit to results in the document, median of 21: %.1f ms (max %.1f)\n", applied[10],
                applied.back());
    std::printf("live balancing, edit to the graphic window repainted, median of 21: %.1f ms (max %.1f)"
                " (target 100 ms) %s\n",
                shown[10], shown.back(), shown[10] < 100.0 ? "ok" : "SLOW");
    doc.SetModifiedFlag(false);
    return 0;
}
