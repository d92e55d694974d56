#pragma once
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"

#include <string>

// Small networks built in code for the view tests.
namespace ViewTestNetworks {

inline ZConsumeNode* AddNode(ZDocument& doc, const std::string& id, double x, double y, double head = 0.0)
{
    auto* n = new ZConsumeNode;
    n->SetId(GbkView(id));
    n->X = x;
    n->Y = y;
    n->NodeHydrElev = head;
    doc.GetNetwork().AddNode(n);
    return n;
}

inline ZPipeLink* AddPipe(ZDocument& doc, const std::string& id, ZConsumeNode* a, ZConsumeNode* b)
{
    auto* p = new ZPipeLink;
    p->SetId(GbkView(id));
    doc.GetNetwork().AddLink(a, b, p);
    p->UpdateAutoLength();
    return p;
}

// A square of four nodes 100 m apart, four pipes around it; a pump off node "1" to node "P".
inline void Square(ZDocument& doc)
{
    ZConsumeNode* n1 = AddNode(doc, "1", 0, 0, 30);
    ZConsumeNode* n2 = AddNode(doc, "2", 100, 0, 28);
    ZConsumeNode* n3 = AddNode(doc, "3", 100, 100, 26);
    ZConsumeNode* n4 = AddNode(doc, "4", 0, 100, 27);
    AddPipe(doc, "12", n1, n2);
    AddPipe(doc, "23", n2, n3);
    AddPipe(doc, "34", n3, n4);
    AddPipe(doc, "41", n4, n1);
}

}   // namespace ViewTestNetworks
