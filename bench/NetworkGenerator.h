#pragma once
// Builds large, valid, connected networks for benchmarks: nodes on a square grid (100 m apart),
// a spanning comb of pipes (every row, plus the first column) and further grid pipes spread over
// the columns until the wanted pipe count; a few head-known sources; every `bendEvery`-th pipe gets
// one bend point. Identifiers are "J0000042" / "P0000042", so the arrays fill in sorted order.
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

struct NetworkGenerator {
    int nodes = 1000000;
    int pipes = 1000000;
    int sources = 4;
    int bendEvery = 10;   // 0: no bend points
    unsigned seed = 1;

    void Generate(ZNetwork& net) const
    {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> demand(0.00005, 0.0005), elev(10.0, 40.0);
        const int w = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes)))));
        net.ReserveNodes(static_cast<size_t>(nodes));
        net.ReserveLinks(static_cast<size_t>(pipes));
        char id[24];
        for (int k = 0; k < nodes; ++k) {
            auto* n = new ZConsumeNode;
            std::snprintf(id, sizeof id, "J%07d", k);
            n->SetId(GbkView(std::string_view(id)));
            n->X = 100.0 * (k % w);
            n->Y = 100.0 * (k / w);
            n->NodeGrunElev = std::round(elev(rng) * 100.0) / 100.0;
            n->NodeFlow = demand(rng);
            net.AppendNodeSorted(n);
        }
        for (int s = 0; s < std::min(sources, nodes); ++s) {
            ZConsumeNode* n = net.NodeAt(static_cast<int>(static_cast<long long>(s) * nodes / std::max(1, sources)));
            n->SetHeadKnown(true);
            n->NodeFlow = 0.0;
            n->NodeHydrElev = 80.0;
        }

        std::vector<std::pair<int, int>> edges = Edges(w);
        static const double diameters[] = {0.1, 0.15, 0.2, 0.3, 0.4, 0.6};
        for (int i = 0; i < static_cast<int>(edges.size()); ++i) {
            auto* p = new ZPipeLink;
            std::snprintf(id, sizeof id, "P%07d", i);
            p->SetId(GbkView(std::string_view(id)));
            p->PipeDiam = p->PipeInDiam = diameters[rng() % 6];
            p->PipeRougCeof = 110.0;
            ZConsumeNode* a = net.NodeAt(edges[static_cast<size_t>(i)].first);
            ZConsumeNode* b = net.NodeAt(edges[static_cast<size_t>(i)].second);
            net.AppendLinkSorted(p);
            p->Connect(a, b);
            if (bendEvery > 0 && i % bendEvery == 0)
                p->SetVertices({PipePoint{(a->X + b->X) * 0.5 + 7.5, (a->Y + b->Y) * 0.5 + 7.5}});
            p->PipeLength = p->PolylineLength();
        }
    }

private:
    // Grid edges between node numbers: rows, then the first column (a spanning comb), then the
    // other vertical edges column by column in a spread order, up to `pipes`.
    std::vector<std::pair<int, int>> Edges(int w) const
    {
        std::vector<std::pair<int, int>> e;
        e.reserve(static_cast<size_t>(pipes));
        auto add = [&](int a, int b) {
            if (static_cast<int>(e.size()) < pipes && b < nodes)
                e.emplace_back(a, b);
        };
        for (int k = 0; k < nodes; ++k)
            if (k % w + 1 < w)
                add(k, k + 1);
        for (int k = 0; k + w < nodes; k += w)
            add(k, k + w);
        for (int step = w / 2; step >= 1 && static_cast<int>(e.size()) < pipes; step /= 2)
            for (int c = step; c < w; c += 2 * step)
                for (int k = c; k + w < nodes; k += w)
                    add(k, k + w);
        return e;
    }
};
