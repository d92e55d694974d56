// Node flow allocation, the parameter calculator and the cost on generated networks of
// 100,000 pipes (argument: pipe count). Targets: allocation and calculator under 0.2 s.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZFlowAllocation.h"
#include "hydraulics/ZNetCost.h"
#include "hydraulics/ZParamCalculator.h"
#include "model/UnitSystem.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int pipes = argc > 1 ? std::atoi(argv[1]) : 100000;
    ZNetwork net;
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
        std::printf("  calculator %-15s %.4f s (%zu objects)\n", param == 0 ? "node demand:" : "pipe length:",
                    BenchClock::Seconds(t0), changes.size());
    }

    t0 = std::chrono::steady_clock::now();
    ZNetCost::Params params;
    params.alpha = 1.3;
    const ZNetCost::Result r = ZNetCost::Compute(net, params);
    std::printf("  cost:                       %.4f s (%d pipes, %.6g yuan)\n", BenchClock::Seconds(t0), r.pipes, r.pipeCost);
    return 0;
}
