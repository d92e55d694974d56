#include "Continuity.h"

#include "model/ZNetwork.h"

#include <unordered_map>

std::string ContinuityFault(const ZNetwork& net)
{
    auto id = [](const ZNetObject* o) { return "'" + std::string(o->IdView().Bytes()) + "'"; };
    for (int i = 0; i < net.NodeCount(); ++i) {
        const ZConsumeNode* n = net.NodeAt(i);
        if (n->GetIndex() != i)
            return "node " + id(n) + " has index " + std::to_string(n->GetIndex()) + " at " + std::to_string(i);
        if (i > 0 && ZSortedObArray<ZConsumeNode>::Compare(net.NodeAt(i - 1)->IdView(), n->IdView()) >= 0)
            return "node " + id(n) + " out of order";
    }
    // How often each link should be met in the node lists: once at each end.
    std::unordered_map<const ZNetLink*, int> expected;
    for (int i = 0; i < net.LinkCount(); ++i) {
        const ZFlowLink* l = net.LinkAt(i);
        if (l->GetIndex() != i)
            return "link " + id(l) + " has index " + std::to_string(l->GetIndex()) + " at " + std::to_string(i);
        if (i > 0 && ZSortedObArray<ZFlowLink>::Compare(net.LinkAt(i - 1)->IdView(), l->IdView()) >= 0)
            return "link " + id(l) + " out of order";
        for (const ZNetNode* end : {l->StartNode(), l->EndNode()}) {
            if (!end)
                return "link " + id(l) + " has a missing end";
            const int at = end->GetIndex();
            if (at < 0 || at >= net.NodeCount() || net.NodeAt(at) != end)
                return "link " + id(l) + " ends at a node outside the network";
        }
        if (l->StartNode() == l->EndNode())
            return "link " + id(l) + " joins a node to itself";
        expected[l] = 2;
    }
    for (const ZConsumeNode* n : net.Nodes()) {
        int guard = net.LinkCount() + 1;
        for (const ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n)) {
            if (--guard < 0)
                return "node " + id(n) + " has a looping incidence list";
            if (l->StartNode() != n && l->EndNode() != n)
                return "node " + id(n) + " lists link " + id(l) + ", which does not end there";
            const auto it = expected.find(l);
            if (it == expected.end())
                return "node " + id(n) + " lists link " + id(l) + ", which is not in the network";
            if (--it->second < 0)
                return "link " + id(l) + " is listed too often";
        }
    }
    for (const auto& [l, left] : expected)
        if (left != 0)
            return "link " + id(l) + " is missing from an end's list";
    return {};
}
