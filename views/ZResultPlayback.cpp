#include "ZResultPlayback.h"

#include "hydraulics/ZSimulationResults.h"
#include "model/ObjectFlags.h"
#include "model/ZNetwork.h"
#include "model/ZValveLink.h"

#include <cmath>

void ZResultPlayback::Save(const ZNetwork& net)
{
    const size_t nodes = static_cast<size_t>(net.NodeCount()), links = static_cast<size_t>(net.LinkCount());
    m_head.resize(nodes);
    m_demand.resize(nodes);
    m_cutOff.resize(nodes);
    m_flow.resize(links);
    m_valveState.resize(links);
    for (size_t i = 0; i < nodes; ++i) {
        const ZConsumeNode* n = net.NodeAt(static_cast<int>(i));
        m_head[i] = n->NodeHydrElev;
        m_demand[i] = n->NodeDeliveredFlow;
        m_cutOff[i] = n->IsCutOff() ? 1 : 0;
    }
    for (size_t i = 0; i < links; ++i) {
        const ZFlowLink* l = net.LinkAt(static_cast<int>(i));
        m_flow[i] = l->Flow;
        m_valveState[i] = l->GetKind() == ZNetObject::Kind::Valve ? static_cast<const ZValveLink*>(l)->ValveState : 0;
    }
    m_saved = true;
}

bool ZResultPlayback::Show(ZNetwork& net, const ZSimulationResults& results, size_t k)
{
    if (k >= results.TimeCount() || results.NodeCount() != net.NodeCount() || results.LinkCount() != net.LinkCount())
        return false;
    const int nodes = net.NodeCount(), links = net.LinkCount();
    for (int i = 0; i < nodes; ++i) {
        ZConsumeNode* n = net.NodeAt(i);
        const float head = results.Head(k, i);
        // A node cut off by closed links keeps its last head, marked as the balance marks it.
        if (std::isfinite(head)) {
            n->NodeHydrElev = head;
            n->ClearFlag(qen::FLAG_CUT_OFF);
        } else {
            n->SetFlag(qen::FLAG_CUT_OFF);
        }
        n->NodeDeliveredFlow = results.Demand(k, i);
    }
    for (int i = 0; i < links; ++i) {
        ZFlowLink* l = net.LinkAt(i);
        l->Flow = results.Flow(k, i);
        // The run keeps whether a link was open, not which state a valve held: a shut valve says
        // so, an open one claims no state.
        if (l->GetKind() == ZNetObject::Kind::Valve)
            static_cast<ZValveLink*>(l)->ValveState =
                results.Status(k, i) == ZSimulationResults::Closed ? ZValveLink::StateClosed : ZValveLink::StateNone;
    }
    return true;
}

bool ZResultPlayback::Restore(ZNetwork& net)
{
    if (!m_saved)
        return false;
    m_saved = false;
    if (m_head.size() != static_cast<size_t>(net.NodeCount()) || m_flow.size() != static_cast<size_t>(net.LinkCount()))
        return false;
    for (size_t i = 0; i < m_head.size(); ++i) {
        ZConsumeNode* n = net.NodeAt(static_cast<int>(i));
        n->NodeHydrElev = m_head[i];
        n->NodeDeliveredFlow = m_demand[i];
        m_cutOff[i] ? n->SetFlag(qen::FLAG_CUT_OFF) : n->ClearFlag(qen::FLAG_CUT_OFF);
    }
    for (size_t i = 0; i < m_flow.size(); ++i) {
        ZFlowLink* l = net.LinkAt(static_cast<int>(i));
        l->Flow = m_flow[i];
        if (l->GetKind() == ZNetObject::Kind::Valve)
            static_cast<ZValveLink*>(l)->ValveState = m_valveState[i];
    }
    return true;
}
