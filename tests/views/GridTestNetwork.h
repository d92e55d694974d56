#pragma once
#include "ViewTestNetworks.h"

#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

// A small network for the table tests: four nodes and pipes around a square, a tank at node "1"
// (its internal node hidden), a gate valve between "3" and a fifth node, and no pump.
namespace GridTestNetwork {

inline void Build(ZDocument& doc)
{
    using namespace ViewTestNetworks;
    Square(doc);
    ZNetwork& net = doc.GetNetwork();
    ZConsumeNode* inner = AddNode(doc, "T1", 0, 0);
    auto* tank = new ZTankLink;
    tank->SetId("T");
    tank->TankCurH = 4.5;
    tank->TankBottomElev = 40.0;
    tank->TankArea = 250.0;
    net.AddLink(net.FindNode("1"), inner, tank);
    ZConsumeNode* n5 = AddNode(doc, "5", 100, 100);
    auto* valve = new ZValveLink;
    valve->SetId("V1");
    valve->SetValveType(ZValveLink::PressureReducing);
    valve->ValveHLess = 5.0;
    net.AddLink(net.FindNode("3"), n5, valve);
    auto* p = static_cast<ZPipeLink*>(net.FindLink("12"));
    p->PipeLength = 1234.5;
    p->PipeDiam = 0.3;
    p->Flow = 0.0125;
    p->PipeDate = 946684800u + 86400u * 45u;   // 2000-02-15
    p->PipeType = ZPipeLink::Manning;
    net.FindNode("2")->NodeFlow = 0.0125;
    net.FindNode("2")->NodeGrunElev = 12.0;
}

}   // namespace GridTestNetwork
