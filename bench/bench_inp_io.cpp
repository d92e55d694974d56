// EPANET file export and import on a generated network.
//   bench_inp_io [NODES [PIPES]]    default 100,000 nodes and 100,000 pipes
// Exports the network as an .inp, imports it again (parsing, conversion, hand-over) and reports
// both times and the processor time. Target: each well under 2 s at 100,000 pipes.
#include "BenchClock.h"
#include "NetworkGenerator.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/epanet/EpanetFile.h"
#include "persist/epanet/InpExporter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    NetworkGenerator gen;
    gen.nodes = argc > 1 ? std::atoi(argv[1]) : 100000;
    gen.pipes = argc > 2 ? std::atoi(argv[2]) : gen.nodes;
    ZDocument doc;
    gen.Generate(doc.GetNetwork());

    auto t0 = std::chrono::steady_clock::now();
    double c0 = BenchClock::CpuSeconds();
    InpExporter exporter(doc);
    const std::string text = exporter.Write();
    std::printf("export %8.3f s  cpu %.3f s   %.1f MB of text   %s\n", BenchClock::Seconds(t0),
                BenchClock::CpuSeconds() - c0, text.size() / 1048576.0,
                BenchClock::Seconds(t0) < 2.0 ? "ok" : "OVER TARGET");

    t0 = std::chrono::steady_clock::now();
    c0 = BenchClock::CpuSeconds();
    ZDocument back;
    EpanetFile::Import(text, "bench.inp", back, ZTemplateSet(), 0.0);
    std::printf("import %8.3f s  cpu %.3f s   %d nodes, %d links   peak RSS %.1f MB   %s\n", BenchClock::Seconds(t0),
                BenchClock::CpuSeconds() - c0, back.GetNetwork().NodeCount(), back.GetNetwork().LinkCount(),
                BenchClock::PeakRssKb() / 1024.0, BenchClock::Seconds(t0) < 2.0 ? "ok" : "OVER TARGET");
    return 0;
}
