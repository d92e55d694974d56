#pragma once
#include "model/ZBalanceContext.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <string>

// A network with its calculation record, built in code: its own network, or a document's.
// Identifiers are taken as GBK bytes (the tests use ASCII and GbkCodec::FromUtf8(...).Bytes()).
struct TestNet {
    TestNet() : net(m_own) {}
    explicit TestNet(ZNetwork& target) : net(target) {}
    TestNet(const TestNet&) = delete;
    TestNet& operator=(const TestNet&) = delete;

private:
    ZNetwork m_own;

public:
    ZNetwork& net;
    ZDrawSettings settings;

    ZConsumeNode* Node(const std::string& id, double demand = 0.0, double ground = 0.0);
    ZConsumeNode* Source(const std::string& id, double head);
    ZPipeLink* Pipe(const std::string& id, ZConsumeNode* a, ZConsumeNode* b, double length = 1000.0, double diam = 0.3,
                    double coef = 100.0, int type = ZPipeLink::HazenWilliams);
    ZPumpLink* Pump(const std::string& id, ZConsumeNode* inlet, ZConsumeNode* outlet, double staticHead, double s);
    ZValveLink* Valve(const std::string& id, ZConsumeNode* a, ZConsumeNode* b, double s, int type = ZValveLink::Gate,
                      double hLess = 0.0);
    // Makes the outlet and a hidden internal node `id`+"#" and joins them by a tank.
    ZTankLink* Tank(const std::string& id, ZConsumeNode* outlet, double bottom, double level);

    ZConsumeNode* N(const std::string& id) const { return net.FindNode(GbkView(id)); }
};

// A looped network laid on a grid: a random spanning tree plus extra links up to `linksPerNode`,
// `sources` head-known nodes, identifiers in shuffled order (so list order says nothing of geometry).
void MakeLoopedNetwork(TestNet& t, int nodes, int sources, double linksPerNode, unsigned seed);

// Largest |inflow - outflow - demand| over flow-known nodes, using every link's stored flow.
double MaxNodeImbalance(const TestNet& t, const ZBalanceContext& ctx = ZBalanceContext());
