// The cost of the network components in a whole balance: a 12,500-node looped grid fed by two
// pumped sources and two tanks, once as it is and once with 50 pipes each broken by a control
// valve (25 PRVs holding 30 m, 25 FCVs passing at most 2 l/s) and the pressure-driven demand on
// (P0 0 m, PR 10 m). Both are balanced RUNS times from scratch (connectivity
// check, resistances, analysis and passes, as qen-cli balance does after reading).
//   bench_components [NODES [RUNS]]
// Prints the median wall and processor time of each and their ratio. Target: within 1.5 times.
#include "BenchClock.h"
#include "LoopedGrid.h"
#include "hydraulics/ZBalanceRun.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {
void Generate(ZNetwork& net, int nodes, int valves)
{
    std::mt19937 rng(12500);
    const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
    std::uniform_real_distribution<double> demand(0.00002, 0.00012), elev(5.0, 25.0);
    std::vector<ZConsumeNode*> cell;
    auto node = [&](const std::string& id, double x, double y, double ground) {
        auto* n = new ZConsumeNode;
        n->SetId(id);
        n->X = x;
        n->Y = y;
        n->NodeGrunElev = ground;
        net.AddNode(n);
        return n;
    };
    for (int k = 0; k < nodes; ++k) {
        ZConsumeNode* n = node(std::to_string(k + 1), k % w * 80.0, k / w * 80.0, std::round(elev(rng) * 100) / 100);
        n->NodeFlow = std::round(demand(rng) * 1e7) / 1e7;
        cell.push_back(n);
    }
    static const double diam[] = {0.1, 0.15, 0.2, 0.3, 0.5};
    int pipeNo = 0;
    auto pipe = [&](ZConsumeNode* a, ZConsumeNode* b, double d) {
        auto* p = new ZPipeLink;
        p->SetId("P" + std::to_string(++pipeNo));
        p->PipeDiam = p->PipeInDiam = d;
        p->PipeRougCeof = 110;
        net.AddLink(a, b, p);
        p->UpdateAutoLength();
    };
    const auto edges = LoopedGrid::Edges(nodes, w, 1.2, rng);
    const size_t every = valves > 0 ? edges.size() / static_cast<size_t>(valves) : edges.size() + 1;
    int valveNo = 0;
    for (size_t k = 0; k < edges.size(); ++k) {
        ZConsumeNode* a = cell[static_cast<size_t>(edges[k].first)];
        ZConsumeNode* b = cell[static_cast<size_t>(edges[k].second)];
        const double d = diam[rng() % 5];
        if (k % every != every / 2 || valveNo >= valves) {
            pipe(a, b, d);
            continue;
        }
        // The pipe, then the valve at its far end on two nodes of its own, then a short pipe on.
        ++valveNo;
        const std::string id = "V" + std::to_string(valveNo);
        ZConsumeNode* in = node(id + "_I", b->X, b->Y, b->NodeGrunElev);
        ZConsumeNode* out = node(id + "_O", b->X, b->Y, b->NodeGrunElev);
        pipe(a, in, d);
        auto* v = new ZValveLink;
        v->SetId(id);
        v->SetValveType(valveNo % 2 ? ZValveLink::Prv : ZValveLink::Fcv);
        v->ValveSetting = valveNo % 2 ? 30.0 : 0.002;
        net.AddLink(in, out, v);
        pipe(out, b, d);
    }
    for (int s = 0; s < 2; ++s) {
        ZConsumeNode* into = cell[static_cast<size_t>(s == 0 ? 0 : nodes - 1)];
        ZConsumeNode* res = node("R" + std::to_string(s + 1), into->X - 200, into->Y, 20);
        res->SetHeadKnown(true);
        res->NodeHydrElev = 20;
        ZConsumeNode* in = node("R" + std::to_string(s + 1) + "_I", into->X - 150, into->Y, 20);
        ZConsumeNode* out = node("R" + std::to_string(s + 1) + "_O", into->X - 150, into->Y, 20);
        pipe(res, in, 0.8);
        auto* pump = new ZPumpLink;
        pump->SetId("PU" + std::to_string(s + 1));
        pump->PumpStaticH = 45;
        pump->PumpSCoef = 40;
        net.AddLink(in, out, pump);
        pipe(out, into, 0.8);
        ZConsumeNode* at = cell[static_cast<size_t>((s + 1) * nodes / 3)];
        ZConsumeNode* outlet = node("T" + std::to_string(s + 1), at->X + 40, at->Y + 40, at->NodeGrunElev);
        ZConsumeNode* inner = node("T" + std::to_string(s + 1) + "_IN", at->X + 40, at->Y + 40, at->NodeGrunElev);
        auto* tank = new ZTankLink;
        tank->SetId("T" + std::to_string(s + 1));
        tank->TankBottomElev = 45;
        tank->TankCurH = 5;
        net.AddLink(outlet, inner, tank);
        pipe(outlet, at, 0.4);
    }
}

struct Result {
    double wall, cpu;
    int passes, status, deficient;
};

Result Measure(int nodes, int valves, bool pressureDriven, int runs)
{
    ZNetwork net;
    Generate(net, nodes, valves);
    ZDrawSettings settings;
    if (pressureDriven) {
        settings.Params.DemandModel = ZBalanceParams::PressureDriven;
        settings.Params.MinPressure = 0.0;
        settings.Params.RequiredPressure = 10.0;
    }
    std::vector<double> wall, cpu;
    Result r{};
    for (int i = 0; i < runs; ++i) {
        const double c0 = BenchClock::CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        ZBalanceRun run(settings, net);
        run.CheckConnectivity();
        r.status = run.Run();
        wall.push_back(BenchClock::Seconds(t0));
        cpu.push_back(BenchClock::CpuSeconds() - c0);
        r.passes = run.Iterations();
        r.deficient = run.DeficientNodeCount();
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    r.wall = wall[wall.size() / 2];
    r.cpu = cpu[cpu.size() / 2];
    return r;
}
}   // namespace

int main(int argc, char** argv)
{
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 12500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    const Result plain = Measure(nodes, 0, false, runs);
    const Result parts = Measure(nodes, 50, true, runs);
    std::printf("%d nodes, median of %d balances\n", nodes, runs);
    std::printf("  plain network:             status %d, %2d passes, %7.2f ms wall, %7.2f ms processor\n", plain.status,
                plain.passes, plain.wall * 1e3, plain.cpu * 1e3);
    std::printf("  50 PRV/FCV + pressure-driven: status %d, %2d passes, %7.2f ms wall, %7.2f ms processor,"
                " %d nodes short\n",
                parts.status, parts.passes, parts.wall * 1e3, parts.cpu * 1e3, parts.deficient);
    std::printf("  ratio: %.2f wall, %.2f processor (target 1.5)\n", parts.wall / plain.wall, parts.cpu / plain.cpu);
    return plain.status == 1 && parts.status == 1 ? 0 : 1;
}
