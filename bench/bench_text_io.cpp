// Text exchange speed and memory on a generated network.
//   bench_text_io [NODES [PIPES]]    default 1,000,000 nodes and 1,000,000 pipes
//   bench_text_io --write FILE [NODES [PIPES]]   only write the generated file (for profiling)
//   bench_text_io --load FILE                    only load a file
// Export is timed in this process; each load runs in a fresh child process (this program with
// --load FILE) so that its peak resident size (VmHWM) belongs to the load alone.
// Targets for 1M + 1M: load under 3 s and 1.5 GB peak, export under 3 s.
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/text/TextExchange.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
int Load(const char* path)
{
    UnitSystem units;
    ZTemplateSet templates;
    ZDocument doc;
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = BenchClock::CpuSeconds();
    TextExchange::LoadFile(path, doc, units, templates);
    const double s = BenchClock::Seconds(t0);
    const double cpu = BenchClock::CpuSeconds() - c0;
    const long kb = BenchClock::PeakRssKb();
    std::printf("load   %8.3f s (cpu %.3f s)   peak RSS %7.1f MB   (%d nodes, %d links)   %s\n", s, cpu, kb / 1024.0,
                doc.GetNetwork().NodeCount(), doc.GetNetwork().LinkCount(),
                s < 3.0 && kb < 1536L * 1024 ? "ok" : "OVER TARGET");
    std::fflush(stdout);
    return 0;
}

// The same file with the NODE and PIPE lines in descending identifier order: the worst case for a
// reader that inserts one object at a time into sorted arrays.
void WriteReversed(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    std::string line;
    std::vector<std::string> block;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == "BEGIN NODE" || line == "BEGIN PIPE") {
            out << line << '\n';
            inside = true;
            continue;
        }
        if (inside && line == "END") {
            for (auto it = block.rbegin(); it != block.rend(); ++it)
                out << *it << '\n';
            block.clear();
            inside = false;
        }
        if (inside)
            block.push_back(line);
        else
            out << line << '\n';
    }
}
}   // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--load")
        return Load(argv[2]);

    const bool writeOnly = argc >= 3 && std::string(argv[1]) == "--write";
    const int first = writeOnly ? 3 : 1;
    NetworkGenerator gen;
    if (argc > first)
        gen.nodes = std::atoi(argv[first]);
    gen.pipes = argc > first + 1 ? std::atoi(argv[first + 1]) : gen.nodes;
    if (writeOnly) {
        ZDocument doc;
        gen.Generate(doc.GetNetwork());
        TextExchange::SaveFile(argv[2], doc, UnitSystem());
        return 0;
    }
    const std::string dir = std::filesystem::temp_directory_path() / ("qen-bench-text-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = dir + "/net.txt";

    {
        ZDocument doc;
        auto t0 = std::chrono::steady_clock::now();
        gen.Generate(doc.GetNetwork());
        std::printf("generate %6.3f s   %d nodes, %d links\n", BenchClock::Seconds(t0), doc.GetNetwork().NodeCount(),
                    doc.GetNetwork().LinkCount());
        UnitSystem units;
        t0 = std::chrono::steady_clock::now();
        const double c0 = BenchClock::CpuSeconds();
        TextExchange::SaveFile(file, doc, units);
        const double s = BenchClock::Seconds(t0);
        const double cpu = BenchClock::CpuSeconds() - c0;
        std::printf("export %8.3f s (cpu %.3f s)   %.1f MB written   %s\n", s, cpu,
                    std::filesystem::file_size(file) / 1048576.0, s < 3.0 ? "ok" : "OVER TARGET");
        std::fflush(stdout);
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    std::printf("-- file in identifier order\n");
    std::fflush(stdout);
    int rc = std::system(("\"" + self + "\" --load \"" + file + "\"").c_str());
    const std::string reversed = dir + "/reversed.txt";
    WriteReversed(file, reversed);
    std::printf("-- file in descending order\n");
    std::fflush(stdout);
    rc |= std::system(("\"" + self + "\" --load \"" + reversed + "\"").c_str());
    std::filesystem::remove_all(dir);
    return rc == 0 ? 0 : 1;
}
