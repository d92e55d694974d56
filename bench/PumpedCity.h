#pragma once
// A network shaped like the ones engineers open every day, for the whole-process, component and
// simulation benchmarks: NODES demand nodes 80 m apart on a looped grid at 1.2 links per node
// (LoopedGrid), numeric identifiers in text order, two pumped sources at opposite corners and two
// tanks on risers a third and two thirds of the way across. The same seed gives the same network,
// so figures of different benchmarks compare.
#include "LoopedGrid.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

class PumpedCity {
public:
    // The sources' pumps and the tanks.
    struct Sources {
        double pumpStatic = 45, pumpCoef = 40;
        double tankBottom = 45, tankLevel = 5, tankMin = 0, tankMax = 8, tankArea = 300;
    };
    // Called for each grid pipe in turn; returns true when it built something in its place.
    using GridLink = std::function<bool(size_t k, ZConsumeNode* a, ZConsumeNode* b, double diameter)>;

    PumpedCity(ZNetwork& net, int nodes, unsigned seed = 12500) : m_net(net), m_rng(seed)
    {
        const int w = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(nodes))));
        std::uniform_real_distribution<double> demand(0.00002, 0.00012), elev(5.0, 25.0);
        for (int k = 0; k < nodes; ++k) {
            const double ground = std::round(elev(m_rng) * 100) / 100;
            ZConsumeNode* n = Node(std::to_string(k + 1), k % w * 80.0, k / w * 80.0, ground);
            n->NodeFlow = std::round(demand(m_rng) * 1e7) / 1e7;
            m_cells.push_back(n);
        }
        m_edges = LoopedGrid::Edges(nodes, w, 1.2, m_rng);
    }

    size_t GridPipeCount() const { return m_edges.size(); }
    ZConsumeNode* Cell(size_t k) const { return m_cells[k]; }

    ZConsumeNode* Node(const std::string& id, double x, double y, double ground)
    {
        auto* n = new ZConsumeNode;
        n->SetId(GbkView(id));
        n->X = x;
        n->Y = y;
        n->NodeGrunElev = ground;
        m_net.AddNode(n);
        return n;
    }

    ZPipeLink* Pipe(ZConsumeNode* a, ZConsumeNode* b, double diameter)
    {
        auto* p = new ZPipeLink;
        p->SetId(GbkView("P" + std::to_string(++m_pipeNo)));
        p->PipeDiam = p->PipeInDiam = diameter;
        p->PipeRougCeof = 110;
        m_net.AddLink(a, b, p);
        p->UpdateAutoLength();
        return p;
    }

    // The grid's pipes, diameters drawn from 100-500 mm.
    void GridPipes(const GridLink& instead = {})
    {
        static const double diam[] = {0.1, 0.15, 0.2, 0.3, 0.5};
        for (size_t k = 0; k < m_edges.size(); ++k) {
            ZConsumeNode* a = m_cells[static_cast<size_t>(m_edges[k].first)];
            ZConsumeNode* b = m_cells[static_cast<size_t>(m_edges[k].second)];
            const double d = diam[m_rng() % 5];
            if (!instead || !instead(k, a, b, d))
                Pipe(a, b, d);
        }
    }

    // Source s (1, 2): reservoir R<s>, suction main, pump PU<s>, delivery main into a corner; tank
    // T<s> on its own riser. Returns the tanks.
    std::vector<ZTankLink*> AddSources(const Sources& sources)
    {
        std::vector<ZTankLink*> tanks;
        const size_t nodes = m_cells.size();
        for (size_t s = 0; s < 2; ++s) {
            const std::string n = std::to_string(s + 1);
            ZConsumeNode* into = m_cells[s == 0 ? 0 : nodes - 1];
            ZConsumeNode* res = Node("R" + n, into->X - 200, into->Y, 20);
            res->SetHeadKnown(true);
            res->NodeHydrElev = 20;
            ZConsumeNode* in = Node("R" + n + "_I", into->X - 150, into->Y, 20);
            ZConsumeNode* out = Node("R" + n + "_O", into->X - 150, into->Y, 20);
            Pipe(res, in, 0.8);
            auto* pump = new ZPumpLink;
            pump->SetId(GbkView("PU" + n));
            pump->PumpStaticH = sources.pumpStatic;
            pump->PumpSCoef = sources.pumpCoef;
            m_net.AddLink(in, out, pump);
            Pipe(out, into, 0.8);
            ZConsumeNode* at = m_cells[(s + 1) * nodes / 3];
            ZConsumeNode* outlet = Node("T" + n, at->X + 40, at->Y + 40, at->NodeGrunElev);
            ZConsumeNode* inner = Node("T" + n + "_IN", at->X + 40, at->Y + 40, at->NodeGrunElev);
            auto* tank = new ZTankLink;
            tank->SetId(GbkView("T" + n));
            tank->TankBottomElev = sources.tankBottom;
            tank->TankCurH = sources.tankLevel;
            tank->TankMinHead = sources.tankMin;
            tank->TankMaxHead = sources.tankMax;
            tank->TankArea = sources.tankArea;
            m_net.AddLink(outlet, inner, tank);
            Pipe(outlet, at, 0.4);
            tanks.push_back(tank);
        }
        return tanks;
    }

private:
    ZNetwork& m_net;
    std::mt19937 m_rng;
    std::vector<ZConsumeNode*> m_cells;
    std::vector<std::pair<int, int>> m_edges;
    int m_pipeNo = 0;
};
