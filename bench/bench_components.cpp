// The cost of the network components in a whole balance: a 12,500-node looped grid fed by two
// pumped sources and two tanks, once as it is and once with 50 pipes each broken by a control
// valve (25 PRVs holding 30 m, 25 FCVs passing at most 2 l/s) and the pressure-driven demand on
// (P0 0 m, PR 10 m). Both are balanced RUNS times from scratch (connectivity
// check, resistances, analysis and passes, as qen-cli balance does after reading).
// Prints the median wall and processor time of each and their ratio, and of the two parts alone.
// With QEN_CLI, also the whole process both ways: each network written as a text file (the
// pressure-driven options in the file), then `qen-cli balance FILE --nodes-csv --links-csv` run
// RUNS times: reading, balancing and writing the results.
//   bench_components [NODES [RUNS [QEN_CLI]]]
// Target: the whole process within 1.5 times.
#include "BenchClock.h"
#include "PumpedGrid.h"
#include "hydraulics/ZBalanceRun.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"
#include "persist/text/TextExchange.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {
using PumpedGrid::Generate;

struct Result {
    double wall, cpu;
    int passes, status, deficient;
};

void UsePressureDriven(ZDrawSettings& settings)
{
    settings.Params.DemandModel = ZBalanceParams::PressureDriven;
    settings.Params.MinPressure = 0.0;
    settings.Params.RequiredPressure = 10.0;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Result Measure(int nodes, int valves, bool pressureDriven, int runs)
{
    ZNetwork net;
    Generate(net, nodes, valves);
    ZDrawSettings settings;
    if (pressureDriven)
        UsePressureDriven(settings);
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
    r.wall = Median(wall);
    r.cpu = Median(cpu);
    return r;
}

// `qen-cli balance` on the network written as a text file, RUNS times: median wall and processor
// time of the process (the exit status in `status`).
Result MeasureProcess(const std::string& cli, int nodes, int valves, bool pressureDriven, int runs)
{
    const std::string base = std::filesystem::temp_directory_path() /
                             ("qen-bench-components-" + std::to_string(getpid()) + (valves ? "-parts" : "-plain"));
    {
        ZDocument doc;
        Generate(doc.GetNetwork(), nodes, valves);
        if (pressureDriven)
            UsePressureDriven(doc.GetDrawSettings());
        TextExchange::SaveFile(base + ".txt", doc, UnitSystem());
    }
    const std::string file = base + ".txt", nodesCsv = base + "-nodes.csv", linksCsv = base + "-links.csv";
    std::vector<double> wall, cpu;
    Result r{};
    std::fflush(stdout);   // the child would write our buffer again
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            std::freopen("/dev/null", "w", stdout);
            execl(cli.c_str(), cli.c_str(), "balance", file.c_str(), "--nodes-csv", nodesCsv.c_str(), "--links-csv",
                  linksCsv.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage u{};
        wait4(pid, &status, 0, &u);
        wall.push_back(BenchClock::Seconds(t0));
        cpu.push_back(u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    for (const std::string& f : {file, nodesCsv, linksCsv})
        std::filesystem::remove(f);
    r.wall = Median(wall);
    r.cpu = Median(cpu);
    return r;
}
}   // namespace

int main(int argc, char** argv)
{
    const int nodes = argc > 1 ? std::atoi(argv[1]) : 12500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    const Result plain = Measure(nodes, 0, false, runs);
    const Result parts = Measure(nodes, 50, true, runs);
    const Result valvesOnly = Measure(nodes, 50, false, runs);
    const Result demandOnly = Measure(nodes, 0, true, runs);
    std::printf("%d nodes, median of %d balances\n", nodes, runs);
    std::printf("  plain network:             status %d, %2d passes, %7.2f ms wall, %7.2f ms processor\n", plain.status,
                plain.passes, plain.wall * 1e3, plain.cpu * 1e3);
    std::printf("  50 PRV/FCV + pressure-driven: status %d, %2d passes, %7.2f ms wall, %7.2f ms processor,"
                " %d nodes short\n",
                parts.status, parts.passes, parts.wall * 1e3, parts.cpu * 1e3, parts.deficient);
    std::printf("  valves only: %d passes %7.2f ms; pressure-driven only: %d passes %7.2f ms\n", valvesOnly.passes,
                valvesOnly.cpu * 1e3, demandOnly.passes, demandOnly.cpu * 1e3);
    std::printf("  ratio: %.2f wall, %.2f processor\n", parts.wall / plain.wall, parts.cpu / plain.cpu);
    if (argc <= 3)
        return plain.status == 1 && parts.status == 1 ? 0 : 1;
    const Result plainProcess = MeasureProcess(argv[3], nodes, 0, false, runs);
    const Result partsProcess = MeasureProcess(argv[3], nodes, 50, true, runs);
    std::printf("whole qen-cli balance process (read, balance, write CSV), median of %d\n", runs);
    std::printf("  plain network:                exit %d, %7.2f ms wall, %7.2f ms processor\n", plainProcess.status,
                plainProcess.wall * 1e3, plainProcess.cpu * 1e3);
    std::printf("  50 PRV/FCV + pressure-driven: exit %d, %7.2f ms wall, %7.2f ms processor\n", partsProcess.status,
                partsProcess.wall * 1e3, partsProcess.cpu * 1e3);
    std::printf("  ratio: %.2f wall, %.2f processor (target 1.5)\n", partsProcess.wall / plainProcess.wall,
                partsProcess.cpu / plainProcess.cpu);
    return plain.status == 1 && parts.status == 1 && plainProcess.status == 0 && partsProcess.status == 0 ? 0 : 1;
}
