#include "InpCheckValves.h"

#include "InpImporter.h"

#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZValveLink.h"

namespace {
constexpr double kGravity = 9.80665;   // as the exporter's TCV losses
constexpr double kQuarterPi = 0.78539816339744831;

// The one link at `node` besides `except`, when there is exactly one and the node has no demand
// and no known head.
const ZFlowLink* OnlyOtherLink(const ZNetNode* node, const ZFlowLink* except)
{
    const auto* n = static_cast<const ZFlowNode*>(node);
    if (n->IsHeadKnown() || n->NodeFlow != 0.0 || n->NodeFireFlow != 0.0)
        return nullptr;
    const ZFlowLink* other = nullptr;
    int count = 0;
    for (const ZNetLink* l = node->FirstLink(); l; l = l->NextLinkAt(node)) {
        ++count;
        if (l != except)
            other = static_cast<const ZFlowLink*>(l);
    }
    return count == 2 ? other : nullptr;
}

const ZPipeLink* AsSinglePipe(const ZFlowLink* link)
{
    if (!link || link->GetKind() != ZNetObject::Kind::Pipe)
        return nullptr;
    const auto* p = static_cast<const ZPipeLink*>(link);
    return p->PipeParallel == 0 ? p : nullptr;
}

bool IsConnector(const ZPipeLink* p)
{
    return p && p->PipeLength == InpImporter::kConnectorLength && p->PipeInDiam == InpImporter::kConnectorDiameter &&
           p->PipeRougCeof == InpImporter::kConnectorCoefficient && p->PipeType == ZPipeLink::HazenWilliams &&
           p->PipeMinorLoss == 0.0 && p->VertexCount() == 0;
}
}   // namespace

InpCheckValves::InpCheckValves(const ZNetwork& net, bool closeAgainstReverse)
{
    if (!closeAgainstReverse)
        return;
    for (const ZFlowLink* l : net.Links()) {
        if (l->GetKind() != ZNetObject::Kind::Valve)
            continue;
        const auto* v = static_cast<const ZValveLink*>(l);
        if (v->GetValveType() != ZValveLink::Check || !v->ValveOpen)
            continue;
        const ZPipeLink* pipe = AsSinglePipe(OnlyOtherLink(v->EndNode(), v));
        if (!pipe || m_folds.count(pipe) || Skips(pipe) || pipe->IsAccidentPipe()) {
            m_own.emplace(v, Fold{v, v->StartNode(), v->EndNode(), false});
            continue;
        }
        const bool reversed = pipe->EndNode() == v->EndNode();
        const ZNetNode* to = reversed ? pipe->StartNode() : pipe->EndNode();
        const ZNetNode* from = v->StartNode();
        const ZPipeLink* connector = AsSinglePipe(OnlyOtherLink(from, v));
        if (IsConnector(connector) && !m_folds.count(connector) && !Skips(connector)) {
            m_skipped.insert(connector);
            m_skipped.insert(from);
            from = connector->OtherNode(from);
        }
        m_skipped.insert(v);
        m_skipped.insert(v->EndNode());
        m_folds.emplace(pipe, Fold{v, from, to, reversed});
    }
}

const InpCheckValves::Fold* InpCheckValves::ForPipe(const ZPipeLink& pipe) const
{
    auto it = m_folds.find(&pipe);
    return it == m_folds.end() ? nullptr : &it->second;
}

const InpCheckValves::Fold* InpCheckValves::OwnPipe(const ZValveLink& valve) const
{
    auto it = m_own.find(&valve);
    return it == m_own.end() ? nullptr : &it->second;
}

double InpCheckValves::ValveLossOn(const ZValveLink& valve, double diameter)
{
    const double area = kQuarterPi * diameter * diameter;
    return valve.ValveSCoef > 0.0 ? valve.ValveSCoef * 2.0 * kGravity * area * area : 0.0;
}
