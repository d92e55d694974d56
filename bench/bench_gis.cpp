// GIS exchange speed: exporting a network of N pipes to a GeoPackage (every field, with its nodes)
// and importing that file back into a new network (ends joined, points naming their nodes).
//   bench_gis [PIPES]   (default 100,000; target: each under 10 s)
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "gis/ZGisExport.h"
#include "gis/ZGisImport.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    const int pipes = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string dir = (std::filesystem::temp_directory_path() / "qen-bench-gis").string();
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/net.gpkg";

    ZDocument doc;
    NetworkGenerator gen;
    gen.pipes = pipes;
    gen.nodes = pipes * 4 / 5;
    gen.Generate(doc.GetNetwork());

    auto t0 = std::chrono::steady_clock::now();
    double c0 = BenchClock::CpuSeconds();
    const ZGisExport::Report out = ZGisExport::Write(doc, path, {});
    std::printf("export: %d nodes, %d pipes: %.2f s wall, %.2f s cpu, %.1f MB\n", out.nodes, out.pipes,
                BenchClock::Seconds(t0), BenchClock::CpuSeconds() - c0,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6);

    ZDocument back;
    const ZTemplateSet templates;
    t0 = std::chrono::steady_clock::now();
    c0 = BenchClock::CpuSeconds();
    const ZGisImport::Report in = ZGisImport::Run(path, back, templates, {});
    std::printf("import: %d nodes, %d pipes, %d points joined: %.2f s wall, %.2f s cpu\n", in.nodesAdded, in.pipesAdded,
                in.pointsJoined, BenchClock::Seconds(t0), BenchClock::CpuSeconds() - c0);
    std::printf("peak memory: %ld MB\n", BenchClock::PeakRssKb() / 1024);
    std::filesystem::remove_all(dir);
    return in.pipesAdded == pipes ? 0 : 1;
}
