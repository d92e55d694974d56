// A day of extended-period simulation: a looped grid of NODES nodes fed by two pumped sources
// (each switched by a tank's level) and two tanks, demands following a 24-hour pattern, hourly
// steps and reports, as qen-cli simulate runs it after reading.
//   bench_simulation [NODES [OUT.inp]]
// OUT.inp: the same network and time data as an EPANET file, to time EPANET on it.
// Prints wall and processor time, balances, passes, the results' memory and the peak resident
// size. Targets: 100,000 nodes under 30 s; results well under 2 GB.
#include "BenchClock.h"
#include "LoopedGrid.h"
#include "hydraulics/ZSimulation.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZDocument.h"
#include "model/ZTankLink.h"
#include "persist/epanet/EpanetFile.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {
void Generate(ZNetwork& net, ZTimeData& data, int nodes)
{
    std::mt19937 rng(24);
    const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
    std::uniform_real_distribution<double> demand(0.00002, 0.00012), elev(5.0, 25.0);
    std::vector<ZConsumeNode*> cell;
    auto node = [&](const std::string& id, double x, double y, double ground) {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
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
        p->SetId(GbkView("P" + std::to_string(++pipeNo)));
        p->PipeDiam = p->PipeInDiam = d;
        p->PipeRougCeof = 110;
        net.AddLink(a, b, p);
        p->UpdateAutoLength();
    };
    for (const auto& [a, b] : LoopedGrid::Edges(nodes, w, 1.2, rng))
        pipe(cell[static_cast<size_t>(a)], cell[static_cast<size_t>(b)], diam[rng() % 5]);
    // The whole demand over a tank's area: a day's swing of a few metres.
    const double area = std::max(200.0, nodes * 0.07 * 3600.0 * 0.5 / 4.0);
    for (int s = 0; s < 2; ++s) {
        const std::string n = std::to_string(s + 1);
        ZConsumeNode* into = cell[static_cast<size_t>(s == 0 ? 0 : nodes - 1)];
        ZConsumeNode* res = node("R" + n, into->X - 200, into->Y, 20);
        res->SetHeadKnown(true);
        res->NodeHydrElev = 20;
        ZConsumeNode* in = node("R" + n + "_I", into->X - 150, into->Y, 20);
        ZConsumeNode* out = node("R" + n + "_O", into->X - 150, into->Y, 20);
        pipe(res, in, 0.8);
        auto* pump = new ZPumpLink;
        pump->SetId(GbkView("PU" + n));
        pump->PumpStaticH = 50;
        pump->PumpSCoef = 20;
        net.AddLink(in, out, pump);
        pipe(out, into, 0.8);
        ZConsumeNode* at = cell[static_cast<size_t>((s + 1) * nodes / 3)];
        ZConsumeNode* outlet = node("T" + n, at->X + 40, at->Y + 40, at->NodeGrunElev);
        ZConsumeNode* inner = node("T" + n + "_IN", at->X + 40, at->Y + 40, at->NodeGrunElev);
        auto* tank = new ZTankLink;
        tank->SetId(GbkView("T" + n));
        tank->TankBottomElev = 40;
        tank->TankCurH = 5;
        tank->TankMinHead = 0.5;
        tank->TankMaxHead = 9;
        tank->TankArea = area;
        net.AddLink(outlet, inner, tank);
        pipe(outlet, at, 0.4);
        ZTimeData::Control off, on;
        off.link = on.link = GbkString("PU" + n);
        off.node = on.node = GbkString("T" + n);
        off.action = ZTimeData::Control::Close;
        off.trigger = ZTimeData::Control::Above;
        off.value = 8;
        on.action = ZTimeData::Control::Open;
        on.trigger = ZTimeData::Control::Below;
        on.value = 3;
        data.Controls.push_back(off);
        data.Controls.push_back(on);
    }
    data.Duration = 86400;
    data.Patterns.push_back(
        {GbkString(std::string("DAY")), {0.5, 0.4, 0.4, 0.4, 0.5, 0.7, 1.0, 1.3, 1.4, 1.3, 1.2, 1.2,
                                         1.3, 1.2, 1.1, 1.0, 1.1, 1.3, 1.5, 1.4, 1.2, 1.0, 0.8, 0.6}});
    data.DefaultPattern = GbkString(std::string("DAY"));
}
}   // namespace

int main(int argc, char** argv)
{
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 12500;
    ZDocument doc;
    ZNetwork& net = doc.GetNetwork();
    ZTimeData& data = doc.GetTimeData();
    Generate(net, data, nodes);
    if (argc > 2)
        EpanetFile::SaveFile(argv[2], doc);
    const ZDrawSettings& settings = doc.GetDrawSettings();
    const double c0 = BenchClock::CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    ZSimulation sim(settings, net, data);
    const int status = sim.Run();
    const double wall = BenchClock::Seconds(t0), cpu = BenchClock::CpuSeconds() - c0;
    std::printf("%d nodes, %d links, 24 h hourly: status %d, %d steps, %d balances, %lld passes\n", net.NodeCount(),
                net.LinkCount(), status, sim.Steps(), sim.Balances(), sim.Passes());
    std::printf("  %.2f s wall, %.2f s processor; results %.1f MB at %zu report times; peak resident %.0f MB\n", wall,
                cpu, sim.Results().MemoryBytes() / 1048576.0, sim.Results().TimeCount(),
                BenchClock::PeakRssKb() / 1024.0);
    for (const ZSimulation::TankEvent& e : sim.TankEvents())
        std::printf("  tank %s %s at %s\n", e.tank.c_str(), e.filled ? "filled" : "emptied",
                    ZSimulation::ClockText(e.time).c_str());
    return status == 1 ? 0 : 1;
}
