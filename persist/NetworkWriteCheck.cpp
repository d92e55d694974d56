#include "NetworkWriteCheck.h"

#include "model/MessageText.h"
#include "model/ZNetwork.h"
#include "model/ZSortedObArray.h"

namespace {
std::string Named(const ZNetObject& o)
{
    return (o.IsNode() ? "节点" : "管段") + MessageText::Quote(o.IdView());
}
}   // namespace

std::string NetworkWriteCheck::Problem(const ZNetwork& network)
{
    const auto inArray = [&](const ZNetObject* o) {
        const int i = o->GetIndex();
        if (o->IsNode())
            return i >= 0 && i < network.NodeCount() && network.NodeAt(i) == o;
        return i >= 0 && i < network.LinkCount() && network.LinkAt(i) == o;
    };
    const auto twice = [](const ZNetObject& a, const ZNetObject& b) {
        return ZSortedObArray<ZNetObject>::Compare(a.IdView(), b.IdView()) >= 0;
    };
    for (int i = 0; i < network.NodeCount(); ++i) {
        const ZFlowNode* node = network.NodeAt(i);
        if (i > 0 && twice(*network.NodeAt(i - 1), *node))
            return Named(*node) + " 的编号重复或次序错乱, 写出的文件将无法读回, 未写出";
        for (const ZNetLink* link = node->FirstLink(); link; link = link->NextLinkAt(node))
            if (!inArray(link))
                return Named(*link) + " 不在网络的管段表中 (可能与另一管段、水泵、阀门或水池同名), "
                                      "写出的文件将无法读回, 未写出";
    }
    for (int i = 0; i < network.LinkCount(); ++i) {
        const ZFlowLink* link = network.LinkAt(i);
        if (i > 0 && twice(*network.LinkAt(i - 1), *link))
            return Named(*link) + " 的编号重复或次序错乱, 写出的文件将无法读回, 未写出";
        for (const ZNetNode* end : {link->StartNode(), link->EndNode()})
            if (end && !inArray(end))
                return Named(*end) + " 不在网络的节点表中 (可能与另一节点同名), 写出的文件将无法读回, 未写出";
    }
    return {};
}
