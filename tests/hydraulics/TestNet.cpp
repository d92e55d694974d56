#include "TestNet.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

ZConsumeNode* TestNet::Node(const std::string& id, double demand, double ground)
{
    auto* n = new ZConsumeNode;
    n->SetId(id);
    n->NodeFlow = demand;
    n->NodeGrunElev = ground;
    net.AddNode(n);
    return n;
}

ZConsumeNode* TestNet::Source(const std::string& id, double head)
{
    ZConsumeNode* n = Node(id);
    n->SetHeadKnown(true);
    n->NodeHydrElev = head;
    return n;
}

ZPipeLink* TestNet::Pipe(const std::string& id, ZConsumeNode* a, ZConsumeNode* b, double length, double diam,
                         double coef, int type)
{
    auto* p = new ZPipeLink;
    p->SetId(id);
    p->ClearFlag(qen::FLAG_AUTO_LENGTH);
    p->PipeLength = length;
    p->PipeDiam = p->PipeInDiam = diam;
    p->PipeRougCeof = coef;
    p->PipeType = type;
    net.AddLink(a, b, p);
    return p;
}

ZPumpLink* TestNet::Pump(const std::string& id, ZConsumeNode* inlet, ZConsumeNode* outlet, double staticHead, double s)
{
    auto* p = new ZPumpLink;
    p->SetId(id);
    p->PumpStaticH = staticHead;
    p->PumpSCoef = s;
    net.AddLink(inlet, outlet, p);
    return p;
}

ZValveLink* TestNet::Valve(const std::string& id, ZConsumeNode* a, ZConsumeNode* b, double s, int type, double hLess)
{
    auto* v = new ZValveLink;
    v->SetId(id);
    v->ValveSCoef = s;
    v->SetValveType(type);
    v->ValveHLess = hLess;
    net.AddLink(a, b, v);
    return v;
}

ZTankLink* TestNet::Tank(const std::string& id, ZConsumeNode* outlet, double bottom, double level)
{
    auto* t = new ZTankLink;
    t->SetId(id);
    t->TankBottomElev = bottom;
    t->TankCurH = level;
    net.AddLink(outlet, Node(id + "#"), t);
    return t;
}

void MakeLoopedNetwork(TestNet& t, int nodes, int sources, double linksPerNode, unsigned seed)
{
    std::mt19937 rng(seed);
    const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
    std::vector<int> nodeNames(static_cast<size_t>(nodes));
    std::iota(nodeNames.begin(), nodeNames.end(), 0);
    std::shuffle(nodeNames.begin(), nodeNames.end(), rng);
    std::uniform_real_distribution<double> demand(0.00005, 0.0002);
    std::vector<ZConsumeNode*> grid(static_cast<size_t>(nodes));
    for (int i = 0; i < nodes; ++i) {
        ZConsumeNode* n = t.Node("J" + std::to_string(nodeNames[static_cast<size_t>(i)]), demand(rng), 10.0);
        n->X = i % w * 100.0;
        n->Y = i / w * 100.0;
        grid[static_cast<size_t>(i)] = n;
    }
    for (int k = 0; k < sources; ++k) {
        ZConsumeNode* s = grid[static_cast<size_t>(rng() % static_cast<unsigned>(nodes))];
        s->SetHeadKnown(true);
        s->NodeHydrElev = 60.0 + static_cast<double>(rng() % 20);
    }

    // Kruskal over the grid edges in random order gives a spanning tree; the rest adds loops.
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
    std::shuffle(chosen.begin(), chosen.end(), rng);   // link identifiers shuffled as well

    const double diams[] = {0.1, 0.15, 0.2, 0.3, 0.4};
    std::uniform_real_distribution<double> length(80.0, 300.0);
    for (size_t k = 0; k < chosen.size(); ++k) {
        t.Pipe("P" + std::to_string(k), grid[static_cast<size_t>(chosen[k].first)],
               grid[static_cast<size_t>(chosen[k].second)], length(rng), diams[rng() % 5], 100.0 + rng() % 40);
    }
}

double MaxNodeImbalance(const TestNet& t, const ZBalanceContext& ctx)
{
    std::vector<double> balance(static_cast<size_t>(t.net.NodeCount()), 0.0);
    for (const ZFlowLink* link : t.net.Links()) {
        double q = link->Flow;
        if (link->GetKind() == ZNetObject::Kind::Pipe)
            q *= static_cast<const ZPipeLink*>(link)->PipeParallel + 1;
        balance[static_cast<size_t>(link->StartNode()->GetIndex())] -= q;
        balance[static_cast<size_t>(link->EndNode()->GetIndex())] += q;
    }
    double worst = 0.0;
    for (const ZConsumeNode* n : t.net.Nodes())
        if (n->IsFlowKnown())
            worst = std::max(worst, std::fabs(balance[static_cast<size_t>(n->GetIndex())] - n->CaseDemand(ctx)));
    return worst;
}
