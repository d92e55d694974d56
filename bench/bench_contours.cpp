// Contours of generated networks: the head field over the 101 x 101 grid (the costly part),
// then the tracing; argument: pipe counts (default 10000 100000).
#include "BenchClock.h"
#include "NetworkGenerator.h"

#include "hydraulics/ZHeadField.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10000, 100000};
    for (int pipes : sizes) {
        ZNetwork net;
        NetworkGenerator gen;
        gen.nodes = pipes * 11 / 20;
        gen.pipes = pipes;
        gen.Generate(net);
        for (int i = 0; i < net.NodeCount(); ++i)
            net.NodeAt(i)->NodeHydrElev = 40.0 + 20.0 * std::sin(net.NodeAt(i)->X / 3000.0) * std::cos(net.NodeAt(i)->Y / 2000.0);
        long segments = 0;
        for (const ZFlowLink* l : net.Links())
            segments += 1 + static_cast<long>(static_cast<const ZPipeLink*>(l)->Vertices().size());
        std::printf("%d pipes, %ld segments, %d nodes\n", net.LinkCount(), segments, net.NodeCount());
        for (int threads : {1, 0}) {
            ZHeadField field;
            const double cpu0 = BenchClock::CpuSeconds();
            const auto t0 = std::chrono::steady_clock::now();
            field.Compute(net, ZHeadField::AbsoluteHead, net.BoundRect(), 100, 100, nullptr, 1.0, threads);
            const double wall = BenchClock::Seconds(t0);
            std::printf("  head field, %s: %.3f s wall, %.3f s cpu, %.2f ns per distance\n",
                        threads == 1 ? "1 thread" : "all cores", wall, BenchClock::CpuSeconds() - cpu0,
                        (BenchClock::CpuSeconds() - cpu0) * 1e9 / (segments * 10201.0));
        }
    }
    return 0;
}
