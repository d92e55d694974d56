// Least-cost sizing of a generated looped network (arguments: pipe count, time limit in s, threads;
// defaults 1000, 600, 2): cost against time from the economic-velocity design down. Target: a
// feasible design cheaper than the economic one within 10 minutes on 2 cores.
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZPipeSizing.h"
#include "model/ZDrawSettings.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int pipes = argc > 1 ? std::atoi(argv[1]) : 1000;
    const double limit = argc > 2 ? std::atof(argv[2]) : 600.0;
    const int jobs = argc > 3 ? std::atoi(argv[3]) : 2;
    ZNetwork net;
    NetworkGenerator gen;
    gen.nodes = pipes * 7 / 10;
    gen.pipes = pipes;
    gen.sources = 2;
    gen.bendEvery = 0;
    gen.Generate(net);                          // two reservoirs at 80 m, ground 10-40 m
    for (int i = 0; i < net.NodeCount(); ++i)   // 0.25-2.5 l/s a node: heads, not the smallest pipe, bind
        net.NodeAt(i)->NodeFlow *= 5.0;
    ZDrawSettings settings;
    ZSizingProblem p;
    // Installed cost per metre of ductile iron mains (yuan), rising faster than the diameter.
    p.candidates = {{0.1, 180}, {0.15, 250}, {0.2, 330}, {0.25, 420}, {0.3, 520}, {0.4, 750}, {0.5, 1000}, {0.6, 1300}};
    p.minFreeHead = 20.0;
    p.jobs = jobs;
    p.timeLimit = limit;
    p.stallRounds = 1000000;
    std::printf("%d nodes, %d pipes, %d threads, minimum free head %.0f m\n", net.NodeCount(), net.LinkCount(), jobs,
                p.minFreeHead);
    ZPipeSizing sizing(net, settings, p);
    sizing.SetListener([](const ZPipeSizing::Point& pt) {
        std::printf("  %8.1f s  %14.0f %s  %lld evaluations\n", pt.seconds, pt.cost, pt.feasible ? "" : "(infeasible)",
                    pt.evaluations);
        std::fflush(stdout);
    });
    const ZPipeSizing::Result r = sizing.Run();
    std::printf("economic design: %.0f (%s)\n", r.economicCost, r.economicFeasible ? "feasible" : "infeasible");
    std::printf("best:            %.0f (%s), %.1f %% below the economic design\n", r.cost,
                r.feasible ? "feasible" : "infeasible", 100.0 * (1.0 - r.cost / r.economicCost));
    std::printf("lowest free head %.3f m above the minimum; %lld evaluations in %d rounds, %.1f s, processor %.1f s\n",
                r.lowestSlack, r.evaluations, r.rounds, r.seconds, BenchClock::CpuSeconds());
    return r.feasible && r.cost < r.economicCost ? 0 : 1;
}
