#include "ZNetworkCopy.h"

#include "model/ZNetwork.h"

#include <memory>

void ZNetworkCopy::Copy(const ZNetwork& source, ZNetwork& target)
{
    target.ReserveNodes(static_cast<size_t>(source.NodeCount()));
    target.ReserveLinks(static_cast<size_t>(source.LinkCount()));
    for (const ZConsumeNode* node : source.Nodes()) {
        std::unique_ptr<ZConsumeNode> copy(static_cast<ZConsumeNode*>(node->Snapshot()));
        copy->SetFirstLink(nullptr);
        if (target.AppendNodeSorted(copy.get()))
            copy.release();
    }
    for (const ZFlowLink* link : source.Links()) {
        if (!link->StartNode() || !link->EndNode())
            continue;
        std::unique_ptr<ZFlowLink> copy(static_cast<ZFlowLink*>(link->Snapshot()));
        copy->SetStartNode(nullptr);
        copy->SetEndNode(nullptr);
        copy->SetNextAtStart(nullptr);
        copy->SetNextAtEnd(nullptr);
        ZConsumeNode* a = target.NodeAt(link->StartNode()->GetIndex());
        ZConsumeNode* b = target.NodeAt(link->EndNode()->GetIndex());
        if (target.AppendLinkSorted(copy.get()))
            copy.release()->Connect(a, b);
    }
}
