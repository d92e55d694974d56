// Balancing speed and memory on generated looped networks.
//   bench_balance                 10k, 100k and 1M nodes at 1.3 links/node, 100k lattice at 1.9
//   bench_balance NODES [LINKS_PER_NODE]   one network (memory figures then belong to it alone)
#include "LoopedGrid.h"
#include "hydraulics/ZBalanceInfo.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {
// Grid-laid network: random spanning tree plus extra grid links up to the wanted density, one
// source per 2,000 nodes (at least three), identifiers in shuffled order relative to the geometry.
void Generate(ZNetwork& net, int nodes, double linksPerNode, unsigned seed)
{
    std::mt19937 rng(seed);
    const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
    std::vector<int> place(static_cast<size_t>(nodes));   // list position -> grid cell
    std::iota(place.begin(), place.end(), 0);
    std::shuffle(place.begin(), place.end(), rng);
    std::vector<ZConsumeNode*> cell(static_cast<size_t>(nodes));
    std::uniform_real_distribution<double> demand(0.00005, 0.0002);
    char id[24];
    for (int k = 0; k < nodes; ++k) {
        auto* n = new ZConsumeNode;
        std::snprintf(id, sizeof id, "J%08d", k);
        n->SetId(GbkView(std::string_view(id)));
        const int c = place[static_cast<size_t>(k)];
        n->X = c % w * 100.0;
        n->Y = c / w * 100.0;
        n->NodeGrunElev = 10.0;
        n->NodeFlow = demand(rng);
        net.AppendNodeSorted(n);
        cell[static_cast<size_t>(c)] = n;
    }
    const int sources = std::max(3, nodes / 2000);
    for (int s = 0; s < sources; ++s) {
        ZConsumeNode* n = net.NodeAt(static_cast<int>(rng() % static_cast<unsigned>(nodes)));
        n->SetHeadKnown(true);
        n->NodeFlow = 0.0;
        n->NodeHydrElev = 60.0 + static_cast<double>(rng() % 20);
    }

    const std::vector<std::pair<int, int>> chosen = LoopedGrid::Edges(nodes, w, linksPerNode, rng);

    const double diams[] = {0.1, 0.15, 0.2, 0.3, 0.4};
    std::uniform_real_distribution<double> length(80.0, 300.0);
    for (size_t k = 0; k < chosen.size(); ++k) {
        auto* p = new ZPipeLink;
        std::snprintf(id, sizeof id, "P%08zu", k);
        p->SetId(GbkView(std::string_view(id)));
        p->ClearFlag(qen::FLAG_AUTO_LENGTH);
        p->PipeLength = length(rng);
        p->PipeDiam = p->PipeInDiam = diams[rng() % 5];
        p->PipeRougCeof = 100.0 + rng() % 40;
        net.AppendLinkSorted(p);
        p->Connect(cell[static_cast<size_t>(chosen[k].first)], cell[static_cast<size_t>(chosen[k].second)]);
    }
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

double PeakMemoryMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

void RunOne(int nodes, double density)
{
    ZNetwork net;
    ZDrawSettings settings;
    const auto t0 = std::chrono::steady_clock::now();
    Generate(net, nodes, density, 20240501u + static_cast<unsigned>(nodes));
    const double genSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double memBefore = PeakMemoryMb();

    ZBalanceInfo info(settings, net);
    const double cpu0 = CpuSeconds();
    info.Run();
    const double cpu = CpuSeconds() - cpu0;
    const auto& tm = info.GetTimings();
    const int passes = info.GetIterationCount();
    std::printf("%9d nodes %9d links (%.2f/node)  status %d  passes %d  total %.3f s (cpu %.3f s)  per pass %.4f s\n",
                nodes, net.LinkCount(), static_cast<double>(net.LinkCount()) / nodes, info.GetStatus(), passes,
                tm.total, cpu, passes ? (tm.assembly + tm.factor + tm.solve) / passes : 0.0);
    std::printf("          ordering %.3f s  symbolic %.3f s  factorisation %.3f s  solves %.3f s  assembly %.3f s\n",
                tm.ordering, tm.symbolic, tm.factor, tm.solve, tm.assembly);
    std::printf("          factor entries %lld (%.1f per node)  peak memory %.0f MB (network alone %.0f MB)  "
                "generation %.2f s  last correction %.2e\n",
                tm.factorNonZeros, static_cast<double>(tm.factorNonZeros) / nodes, PeakMemoryMb(), memBefore,
                genSeconds, info.GetMaxCorrection());
    std::fflush(stdout);
}
}   // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        RunOne(std::atoi(argv[1]), argc > 2 ? std::atof(argv[2]) : 1.3);
        return 0;
    }
    RunOne(10000, 1.3);
    RunOne(100000, 1.3);
    RunOne(100000, 1.9);
    RunOne(1000000, 1.3);
    return 0;
}
