// The whole `qen-cli balance FILE` process on a network shaped like the ones engineers open every
// day: 12,500 nodes at 1.2 links per node (a looped grid), two pumped sources, two tanks, numeric
// identifiers in text order.
//   bench_process QEN_CLI [NODES [RUNS [FILE]]]   FILE: where to write the network, kept afterwards
// Writes the network as a text file, then runs the tool RUNS times (default 21) and prints the
// median wall and processor time of the process, and the parts measured in this process: reading
// the file, the connectivity check and the balancing with its own timings.
// Target at 12,500 nodes: the whole process under 40 ms.
#include "BenchClock.h"
#include "PumpedCity.h"
#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZConnectivityCheck.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
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
void Generate(ZNetwork& net, int nodes)
{
    PumpedCity city(net, nodes);
    city.GridPipes();
    city.AddSources({});
}

struct Run {
    double wall, cpu;
    int status;
};

Run RunProcess(const std::string& cli, const std::string& file)
{
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(cli.c_str(), cli.c_str(), "balance", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    const double cpu = u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
    return {BenchClock::Seconds(t0), cpu, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}   // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_process QEN_CLI [NODES [RUNS [FILE]]]\n");
        return 1;
    }
    const int nodes = argc > 2 ? std::atoi(argv[2]) : 12500;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 21;
    const bool keep = argc > 4;
    const std::string file = keep ? std::string(argv[4])
                                  : std::string(std::filesystem::temp_directory_path() /
                                                ("qen-bench-process-" + std::to_string(getpid()) + ".txt"));
    UnitSystem units;
    ZTemplateSet templates;
    {
        ZDocument doc;
        Generate(doc.GetNetwork(), nodes);
        TextExchange::SaveFile(file, doc, units);
    }

    std::vector<double> wall, cpu;
    int status = 0;
    for (int i = 0; i < runs; ++i) {
        const Run r = RunProcess(argv[1], file);
        wall.push_back(r.wall);
        cpu.push_back(r.cpu);
        status = r.status;
    }
    std::printf("process   wall %7.1f ms   cpu %7.1f ms   (median of %d, exit %d)   %s\n", Median(wall) * 1e3,
                Median(cpu) * 1e3, runs, status, Median(wall) < 0.040 ? "ok" : "OVER TARGET");

    std::vector<double> read, check, balance;
    ZBalanceInfo::Timings tm{};
    int passes = 0;
    for (int i = 0; i < std::max(3, runs / 4); ++i) {
        ZDocument doc;
        auto t0 = std::chrono::steady_clock::now();
        TextExchange::LoadFile(file, doc, units, templates);
        read.push_back(BenchClock::Seconds(t0));
        t0 = std::chrono::steady_clock::now();
        ZConnectivityCheck().Run(doc.GetNetwork());
        check.push_back(BenchClock::Seconds(t0));
        t0 = std::chrono::steady_clock::now();
        ZBalanceInfo info(doc.GetDrawSettings(), doc.GetNetwork());
        info.Run();
        balance.push_back(BenchClock::Seconds(t0));
        tm = info.GetTimings();
        passes = info.GetIterationCount();
    }
    std::printf("read      %7.1f ms\nconnected %7.1f ms\nbalance   %7.1f ms   %d passes: ordering %.1f, symbolic %.1f, "
                "factorisation %.1f, solves %.1f, assembly %.1f ms; L holds %lld entries\n",
                Median(read) * 1e3, Median(check) * 1e3, Median(balance) * 1e3, passes, tm.ordering * 1e3,
                tm.symbolic * 1e3, tm.factor * 1e3, tm.solve * 1e3, tm.assembly * 1e3, tm.factorNonZeros);
    if (!keep)
        std::filesystem::remove(file);
    return 0;
}
