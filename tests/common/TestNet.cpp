#include "TestNet.h"

#include "LoopedGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

ZConsumeNode* TestNet::Node(const std::string& id, double demand, double ground)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
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
    p->SetId(GbkView(id));
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
    p->SetId(GbkView(id));
    p->PumpStaticH = staticHead;
    p->PumpSCoef = s;
    net.AddLink(inlet, outlet, p);
    return p;
}

ZValveLink* TestNet::Valve(const std::string& id, ZConsumeNode* a, ZConsumeNode* b, double s, int type, double hLess)
{
    auto* v = new ZValveLink;
    v->SetId(GbkView(id));
    v->ValveSCoef = s;
    v->SetValveType(type);
    v->ValveHLess = hLess;
    net.AddLink(a, b, v);
    return v;
}

ZTankLink* TestNet::Tank(const std::string& id, ZConsumeNode* outlet, double bottom, double level)
{
    auto* t = new ZTankLink;
    t->SetId(GbkView(id));
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

    const std::vector<std::pair<int, int>> chosen = LoopedGrid::Edges(nodes, w, linksPerNode, rng);

    const double diams[] = {0.1, 0.15, 0.2, 0.3, 0.4};
    std::uniform_real_distribution<double> length(80.0, 300.0);
    for (size_t k = 0; k < chosen.size(); ++k) {
        // One draw per statement: the order in which a call's arguments are evaluated is up to
        // the compiler, and the same seed must make the same network with every compiler. Last
        // argument first, as GCC did, so that the networks tests were written against stay.
        const double coef = 100.0 + rng() % 40;
        const double diam = diams[rng() % 5];
        const double len = length(rng);
        t.Pipe("P" + std::to_string(k), grid[static_cast<size_t>(chosen[k].first)],
               grid[static_cast<size_t>(chosen[k].second)], len, diam, coef);
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
