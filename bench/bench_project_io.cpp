// Project file (.wnp) speed and memory on a generated network.
//   bench_project_io [NODES [PIPES]]    default 1,000,000 nodes and 1,000,000 pipes
// Save is timed in this process (serialising and the atomic write to disk); the load runs in a
// fresh child process (this program with --load FILE) so its peak resident size is its own.
// Targets for 1M + 1M: save under 2 s, load under 3 s.
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "model/ZDocument.h"
#include "persist/project/ProjectFile.h"

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
    ZDocument doc;
    const auto t0 = std::chrono::steady_clock::now();
    ProjectFile::LoadFile(path, doc);
    const double s = BenchClock::Seconds(t0);
    const long kb = BenchClock::PeakRssKb();
    std::printf("load   %8.3f s   peak RSS %7.1f MB   (%d nodes, %d links)   %s\n", s, kb / 1024.0,
                doc.GetNetwork().NodeCount(), doc.GetNetwork().LinkCount(), s < 3.0 ? "ok" : "OVER TARGET");
    std::fflush(stdout);
    return 0;
}
}   // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--load")
        return Load(argv[2]);

    NetworkGenerator gen;
    if (argc > 1)
        gen.nodes = std::atoi(argv[1]);
    gen.pipes = argc > 2 ? std::atoi(argv[2]) : gen.nodes;
    const std::string dir = std::filesystem::temp_directory_path() / ("qen-bench-wnp-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = dir + "/net.wnp";
    {
        ZDocument doc;
        auto t0 = std::chrono::steady_clock::now();
        gen.Generate(doc.GetNetwork());
        std::printf("generate %6.3f s   %d nodes, %d links\n", BenchClock::Seconds(t0), doc.GetNetwork().NodeCount(),
                    doc.GetNetwork().LinkCount());
        t0 = std::chrono::steady_clock::now();
        const std::string bytes = ProjectFile::Serialize(doc);
        const double ser = BenchClock::Seconds(t0);
        t0 = std::chrono::steady_clock::now();
        ProjectFile::SaveFile(file, doc);
        const double s = BenchClock::Seconds(t0);
        std::printf("save   %8.3f s   (serialise alone %.3f s)   %.1f MB written   %s\n", s, ser,
                    bytes.size() / 1048576.0, s < 2.0 ? "ok" : "OVER TARGET");
        std::fflush(stdout);
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const int rc = std::system(("\"" + self + "\" --load \"" + file + "\"").c_str());
    std::filesystem::remove_all(dir);
    return rc == 0 ? 0 : 1;
}
