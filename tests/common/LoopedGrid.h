#pragma once
#include <algorithm>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

// The topology of a looped network laid on a w-wide grid, as utility networks look: a random spanning
// tree (Kruskal over the grid edges in random order) plus further grid edges up to `linksPerNode`,
// returned in random order so link identifiers say nothing of geometry either. Shared by the
// benchmarks and the solver tests so both stress the same kind of network.
class LoopedGrid {
public:
    static std::vector<std::pair<int, int>> Edges(int nodes, int w, double linksPerNode, std::mt19937& rng)
    {
        std::vector<std::pair<int, int>> edges;
        for (int i = 0; i < nodes; ++i) {
            if (i % w + 1 < w && i + 1 < nodes)
                edges.emplace_back(i, i + 1);
            if (i + w < nodes)
                edges.emplace_back(i, i + w);
        }
        std::shuffle(edges.begin(), edges.end(), rng);
        std::vector<int> parent(static_cast<size_t>(nodes));
        std::iota(parent.begin(), parent.end(), 0);
        auto root = [&](int x) {
            while (parent[static_cast<size_t>(x)] != x)
                x = parent[static_cast<size_t>(x)] = parent[static_cast<size_t>(parent[static_cast<size_t>(x)])];
            return x;
        };
        std::vector<std::pair<int, int>> chosen, rest;
        for (const auto& e : edges) {
            const int a = root(e.first), b = root(e.second);
            if (a != b) {
                parent[static_cast<size_t>(a)] = b;
                chosen.push_back(e);
            } else {
                rest.push_back(e);
            }
        }
        const auto wanted = static_cast<size_t>(linksPerNode * nodes);
        for (size_t k = 0; chosen.size() < wanted && k < rest.size(); ++k)
            chosen.push_back(rest[k]);
        std::shuffle(chosen.begin(), chosen.end(), rng);
        return chosen;
    }
};
