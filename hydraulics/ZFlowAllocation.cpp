#include "ZFlowAllocation.h"

#include "model/ZDeviceLink.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

namespace {

// From a pipe end over any chain of devices to the first node that is not a device end, or
// null when the walk stops on one. Each device is crossed once, so a ring of devices ends too.
const ZFlowNode* OrdinaryEnd(const ZFlowNode* node, size_t guard)
{
    while (node && node->IsDeviceNode()) {
        if (guard-- == 0)
            return nullptr;
        const ZDeviceLink* device = node->GetDevice();
        if (!device)
            return nullptr;
        const auto* beyond = static_cast<const ZFlowNode*>(device->OtherNode(node));
        const ZNetLink* next = beyond->FirstLink();
        while (next && next == device)
            next = next->NextLinkAt(beyond);
        if (!next)
            return nullptr;
        node = static_cast<const ZFlowNode*>(next->OtherNode(beyond));
    }
    return node;
}

}   // namespace

double ZFlowAllocation::CurrentTotal(const ZNetwork& network)
{
    double sum = 0.0;
    for (const ZConsumeNode* n : network.Nodes())
        if (n->IsFlowKnown() && !n->IsDeviceNode())
            sum += n->NodeFlow;
    return sum;
}

double ZFlowAllocation::SupplyLength(const ZPipeLink& pipe)
{
    switch (pipe.PipeSideType) {
    case ZPipeLink::SingleSide:
        return pipe.PipeLength * 0.5;
    case ZPipeLink::DoubleSide:
        return pipe.PipeLength;
    default:
        return 0.0;
    }
}

bool ZFlowAllocation::Compute(const ZNetwork& network, double total, std::vector<double>& flows)
{
    double supplied = 0.0;
    for (const ZFlowLink* l : network.Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            supplied += SupplyLength(*static_cast<const ZPipeLink*>(l));
    if (supplied + 1.0 == 1.0 || !(supplied == supplied))
        return false;
    std::vector<double> result(static_cast<size_t>(network.NodeCount()), 0.0);
    const size_t guard = static_cast<size_t>(network.LinkCount()) + 1;
    for (const ZFlowLink* l : network.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe || !l->From() || !l->To())
            continue;
        const double share = SupplyLength(*static_cast<const ZPipeLink*>(l)) * total / supplied;
        double rest = share;
        if (const ZFlowNode* a = OrdinaryEnd(l->From(), guard)) {
            result[static_cast<size_t>(a->GetIndex())] += share / 2.0;
            rest = share - share / 2.0;
        }
        if (const ZFlowNode* b = OrdinaryEnd(l->To(), guard))
            result[static_cast<size_t>(b->GetIndex())] += rest;
    }
    flows = std::move(result);
    return true;
}

bool ZFlowAllocation::Allocate(ZNetwork& network, double total)
{
    std::vector<double> flows;
    if (!Compute(network, total, flows))
        return false;
    for (int i = 0; i < network.NodeCount(); ++i)
        network.NodeAt(i)->NodeFlow = flows[static_cast<size_t>(i)];
    return true;
}
