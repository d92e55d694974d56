// Node flow allocation, the parameter calculator and the cost on generated networks of
// 100,000 pipes (argument: pipe count). Targets: allocation and calculator under 0.2 s.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZFlowAllocation.h"
#include "hydraulics/ZNetCost.h"
#include "hydraulics/ZParamCalculator.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int pipes = argc > 1 ? std::atoi(argv[1]) : 100000;
    ZDocument doc;
    ZNetwork& net = doc.GetNetwork();
    NetworkGenerator gen;
    gen.nodes = pipes;   // as many nodes as pipes: 100,000 objects each way
    gen.pipes = pipes;
    gen.Generate(net);
    std::printf("%d nodes, %d pipes\n", net.NodeCount(), net.LinkCount());

    auto t0 = std::chrono::steady_clock::now();
    const bool ok = ZFlowAllocation::Allocate(net, 1.5);
    std::printf("  allocation:                 %.4f s (%s, total now %.4f m3/s)\n", BenchClock::Seconds(t0),
                ok ? "ok" : "failed", ZFlowAllocation::CurrentTotal(net));

    UnitSystem units;
    for (int param : {ZParamCalculator::NodeFlow, ZParamCalculator::PipeLength}) {
        t0 = std::chrono::steady_clock::now();
        std::vector<ZParamCalculator::Change> changes;
        std::string message;
        const auto targets = ZParamCalculator::Targets(net, param, ZParamCalculator::WholeNetwork);
        ZParamCalculator::Compute(targets, param, ZParamCalculator::Multiply, "1.1", units, changes, message);
        for (const auto& c : changes)
            ZParamCalculator::Set(*c.object, param, c.value);
        std::printf("  calculator %-15s %.4f s (%zu objects)\n",
                    param == 0 ? "node demand:" : "pipe length:", BenchClock::Seconds(t0), changes.size());
    }

    // As the program does it: every change one undo step through a transaction.
    for (int param : {ZParamCalculator::NodeFlow, ZParamCalculator::PipeInDiam}) {
        const double cpu0 = BenchClock::CpuSeconds();
        t0 = std::chrono::steady_clock::now();
        std::vector<ZParamCalculator::Change> changes;
        std::string message;
        const auto targets = ZParamCalculator::Targets(net, param, ZParamCalculator::WholeNetwork);
        ZParamCalculator::Compute(targets, param, ZParamCalculator::Add, "10", units, changes, message);
        ZEditTransaction tx(doc, "calc");
        for (const auto& c : changes) {
            tx.TouchFields(c.object);
            ZParamCalculator::Set(*c.object, param, c.value);
        }
        tx.Commit();
        std::printf("  calculator %s with undo step: %.4f s wall, %.4f s cpu\n", param == 0 ? "nodes" : "pipes",
                    BenchClock::Seconds(t0), BenchClock::CpuSeconds() - cpu0);
        t0 = std::chrono::steady_clock::now();
        doc.Undo();
        std::printf("  its undo:                   %.4f s\n", BenchClock::Seconds(t0));
    }

    t0 = std::chrono::steady_clock::now();
    ZNetCost::Params params;
    params.alpha = 1.3;
    const ZNetCost::Result r = ZNetCost::Compute(net, params);
    std::printf("  cost:                       %.4f s (%d pipes, %.6g yuan)\n", BenchClock::Seconds(t0), r.pipes,
                r.pipeCost);
    return 0;
}
