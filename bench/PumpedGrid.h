#pragma once
// The network the whole-process benchmarks balance: a looped grid of NODES nodes (1.2 links per
// node, numeric identifiers) fed by two pumped sources and two tanks; with VALVES, that many pipes
// are each broken by a control valve (PRVs holding 30 m and FCVs passing 2 l/s, in turn).
#include "LoopedGrid.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace PumpedGrid {
inline void Generate(ZNetwork& net, int nodes, int valves)
{
    std::mt19937 rng(12500);
    const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
    std::uniform_real_distribution<double> demand(0.00002, 0.00012), elev(5.0, 25.0);
    std::vector<ZConsumeNode*> cell;
    auto node = [&](const std::string& id, double x, double y, double ground) {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        n->NodeGrunElev = ground;
        net.AddNode(n);
        return n;
    };
    for (int k = 0; k < nodes; ++k) {
        ZConsumeNode* n = node(std::to_string(k + 1), k % w * 80.0, k / w * 80.0, std::round(elev(rng) * 100) / 100);
        n->NodeFlow = std::round(demand(rng) * 1e7) / 1e7;
        cell.push_back(n);
    }
    static const double diam[] = {0.1, 0.15, 0.2, 0.3, 0.5};
    int pipeNo = 0;
    auto pipe = [&](ZConsumeNode* a, ZConsumeNode* b, double d) {
        auto* p = new ZPipeLink;
        p->SetId(GbkView("P" + std::to_string(++pipeNo)));
        p->PipeDiam = p->PipeInDiam = d;
        p->PipeRougCeof = 110;
        net.AddLink(a, b, p);
        p->UpdateAutoLength();
    };
    const auto edges = LoopedGrid::Edges(nodes, w, 1.2, rng);
    const size_t every = valves > 0 ? edges.size() / static_cast<size_t>(valves) : edges.size() + 1;
    int valveNo = 0;
    for (size_t k = 0; k < edges.size(); ++k) {
        ZConsumeNode* a = cell[static_cast<size_t>(edges[k].first)];
        ZConsumeNode* b = cell[static_cast<size_t>(edges[k].second)];
        const double d = diam[rng() % 5];
        if (k % every != every / 2 || valveNo >= valves) {
            pipe(a, b, d);
            continue;
        }
        // The pipe, then the valve at its far end on two nodes of its own, then a short pipe on.
        ++valveNo;
        const std::string id = "V" + std::to_string(valveNo);
        ZConsumeNode* in = node(id + "_I", b->X, b->Y, b->NodeGrunElev);
        ZConsumeNode* out = node(id + "_O", b->X, b->Y, b->NodeGrunElev);
        pipe(a, in, d);
        auto* v = new ZValveLink;
        v->SetId(GbkView(id));
        v->SetValveType(valveNo % 2 ? ZValveLink::Prv : ZValveLink::Fcv);
        v->ValveSetting = valveNo % 2 ? 30.0 : 0.002;
        net.AddLink(in, out, v);
        pipe(out, b, d);
    }
    for (int s = 0; s < 2; ++s) {
        ZConsumeNode* into = cell[static_cast<size_t>(s == 0 ? 0 : nodes - 1)];
        ZConsumeNode* res = node("R" + std::to_string(s + 1), into->X - 200, into->Y, 20);
        res->SetHeadKnown(true);
        res->NodeHydrElev = 20;
        ZConsumeNode* in = node("R" + std::to_string(s + 1) + "_I", into->X - 150, into->Y, 20);
        ZConsumeNode* out = node("R" + std::to_string(s + 1) + "_O", into->X - 150, into->Y, 20);
        pipe(res, in, 0.8);
        auto* pump = new ZPumpLink;
        pump->SetId(GbkView("PU" + std::to_string(s + 1)));
        pump->PumpStaticH = 45;
        pump->PumpSCoef = 40;
        net.AddLink(in, out, pump);
        pipe(out, into, 0.8);
        ZConsumeNode* at = cell[static_cast<size_t>((s + 1) * nodes / 3)];
        ZConsumeNode* outlet = node("T" + std::to_string(s + 1), at->X + 40, at->Y + 40, at->NodeGrunElev);
        ZConsumeNode* inner = node("T" + std::to_string(s + 1) + "_IN", at->X + 40, at->Y + 40, at->NodeGrunElev);
        auto* tank = new ZTankLink;
        tank->SetId(GbkView("T" + std::to_string(s + 1)));
        tank->TankBottomElev = 45;
        tank->TankCurH = 5;
        net.AddLink(outlet, inner, tank);
        pipe(outlet, at, 0.4);
    }
}
}   // namespace PumpedGrid
