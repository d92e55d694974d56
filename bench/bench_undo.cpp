// Edit history speed and memory on a generated network.
//   bench_undo [NODES [PIPES]]    default 100,000 nodes and 100,000 pipes
// Each scenario records one transaction, then undoes and redoes it; the description of the
// network after undo must equal the one before. Target: every undo and redo under 1 s. The edits
// also stamp what they reach for the stale-results query, timed at the end over every object.
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {
// A cheap fingerprint of the whole network: ids, order, positions, fields, incidence.
unsigned long long Fingerprint(const ZNetwork& net)
{
    unsigned long long h = 1469598103934665603ull;
    auto mix = [&](const void* p, size_t n) {
        for (size_t i = 0; i < n; ++i)
            h = (h ^ static_cast<const unsigned char*>(p)[i]) * 1099511628211ull;
    };
    for (const ZConsumeNode* n : net.Nodes()) {
        mix(n->GetId(), n->IdView().size());
        mix(&n->X, sizeof n->X);
        mix(&n->NodeFlow, sizeof n->NodeFlow);
        for (const ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n))
            mix(l->GetId(), l->IdView().size());
    }
    for (const ZFlowLink* l : net.Links()) {
        mix(l->GetId(), l->IdView().size());
        const auto* p = static_cast<const ZPipeLink*>(l);
        mix(&p->PipeDiam, sizeof p->PipeDiam);
        for (const PipePoint& v : p->Vertices())
            mix(&v, sizeof v);
    }
    return h;
}

bool Scenario(ZDocument& doc, const char* name, const std::function<void(ZEditTransaction&)>& change)
{
    const unsigned long long before = Fingerprint(doc.GetNetwork());
    auto t0 = std::chrono::steady_clock::now();
    int objects = 0;
    {
        ZEditTransaction tx(doc, name);
        change(tx);
        tx.Commit();
    }
    const double commit = BenchClock::Seconds(t0);
    objects = doc.History().NextUndo() ? static_cast<int>(doc.History().MemoryUsage()) : 0;
    const unsigned long long after = Fingerprint(doc.GetNetwork());
    t0 = std::chrono::steady_clock::now();
    doc.Undo();
    const double undo = BenchClock::Seconds(t0);
    const bool undone = Fingerprint(doc.GetNetwork()) == before;
    t0 = std::chrono::steady_clock::now();
    doc.Redo();
    const double redo = BenchClock::Seconds(t0);
    const bool redone = Fingerprint(doc.GetNetwork()) == after;
    doc.Undo();
    const bool ok = undone && redone && undo < 1.0 && redo < 1.0;
    std::printf("%-34s record %6.3f s  undo %6.3f s  redo %6.3f s  history %7.1f MB  %s\n", name, commit, undo, redo,
                objects / 1048576.0, ok ? "ok" : (undone && redone ? "OVER TARGET" : "NOT RESTORED"));
    doc.ClearHistory();
    return ok;
}
}   // namespace

int main(int argc, char** argv)
{
    NetworkGenerator gen;
    gen.nodes = argc > 1 ? std::atoi(argv[1]) : 100000;
    gen.pipes = argc > 2 ? std::atoi(argv[2]) : 100000;
    ZDocument doc;
    gen.Generate(doc.GetNetwork());
    ZNetwork& net = doc.GetNetwork();
    std::printf("network: %d nodes, %d links\n", net.NodeCount(), net.LinkCount());
    bool ok = true;
    // As after a balancing run: every edit below stamps what it reaches as stale.
    doc.ResultsComputed(true);

    ok &= Scenario(doc, "diameter of every pipe", [&](ZEditTransaction& tx) {
        for (ZFlowLink* l : net.Links()) {
            tx.Touch(l);
            static_cast<ZPipeLink*>(l)->PipeDiam *= 1.5;
        }
    });
    ok &= Scenario(doc, "move every node", [&](ZEditTransaction& tx) {
        for (ZConsumeNode* n : net.Nodes()) {
            tx.Touch(n);
            n->SetPosition(n->X + 10.0, n->Y);
        }
    });
    ok &= Scenario(doc, "rename every pipe", [&](ZEditTransaction& tx) {
        const std::vector<ZFlowLink*> links = net.Links().Items();
        for (ZFlowLink* l : links)
            tx.Touch(l);
        for (ZFlowLink* l : links)
            l->SetId(GbkView("R" + std::string(l->IdView().Bytes())));
        // One re-sort for all: the renamed ids keep their order.
        net.RemoveFromArrays({}, links);
        net.MergeIntoArrays({}, links);
    });
    ok &= Scenario(doc, "delete every hundredth node", [&](ZEditTransaction& tx) {
        std::vector<ZNetObject*> removed;
        for (int i = net.NodeCount() - 1; i >= 0; i -= 100) {
            if (i >= net.NodeCount())
                continue;
            net.TakeOutNode(net.NodeAt(i), removed);
            for (ZNetObject* o : removed)
                tx.Removed(o);
        }
    });
    // What every table refresh and repaint asks of each object.
    const auto t0 = std::chrono::steady_clock::now();
    int stale = 0;
    for (const ZConsumeNode* n : net.Nodes())
        stale += doc.IsResultStale(*n);
    for (const ZFlowLink* l : net.Links())
        stale += doc.IsResultStale(*l);
    std::printf("stale query of every object        %6.4f s  (%d stale)\n", BenchClock::Seconds(t0), stale);
    std::printf("peak RSS %.1f MB\n", BenchClock::PeakRssKb() / 1024.0);
    return ok ? 0 : 1;
}
