// A day of extended-period simulation: a looped grid of NODES nodes fed by two pumped sources
// (each switched by a tank's level) and two tanks, demands following a 24-hour pattern, hourly
// steps and reports, as qen-cli simulate runs it after reading.
//   bench_simulation [NODES [OUT.inp]]
// OUT.inp: the same network and time data as an EPANET file, to time EPANET on it.
// Prints wall and processor time, balances, passes, the results' memory and the peak resident
// size. Targets: 100,000 nodes under 30 s; results well under 2 GB.
#include "BenchClock.h"
#include "PumpedCity.h"
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
    PumpedCity city(net, nodes, 24);
    city.GridPipes();
    PumpedCity::Sources supply;
    supply.pumpStatic = 50;
    supply.pumpCoef = 20;
    supply.tankBottom = 40;
    supply.tankMin = 0.5;
    supply.tankMax = 9;
    // The whole demand over a tank's area: a day's swing of a few metres.
    supply.tankArea = std::max(200.0, nodes * 0.07 * 3600.0 * 0.5 / 4.0);
    const size_t sources = city.AddSources(supply).size();
    for (size_t s = 1; s <= sources; ++s) {
        // Each source's pump is switched by its tank's level.
        const std::string n = std::to_string(s);
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
