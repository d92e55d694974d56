#include "ZSweepNetwork.h"

#include "model/ZValveLink.h"

namespace {
template <class T>
T* Copy(const T& from)
{
    return static_cast<T*>(from.Snapshot());
}
}   // namespace

ZSweepNetwork::ZSweepNetwork(const ZNetwork& source, const ZDrawSettings& settings)
    : m_settings(settings), m_info(m_settings, m_network)
{
    // Objects and their incidence lists as they stand, so that the solver sees the same rows,
    // links and list orders as on the source.
    const int nodes = source.NodeCount(), links = source.LinkCount();
    m_network.ReserveNodes(static_cast<size_t>(nodes));
    m_network.ReserveLinks(static_cast<size_t>(links));
    for (const ZConsumeNode* from : source.Nodes()) {
        ZConsumeNode* n = Copy(*from);
        n->SetFlags(from->GetFlags());
        n->NodeHydrElev = from->NodeHydrElev;
        n->NodeFlow = from->NodeFlow;
        n->NodeFireFlow = from->NodeFireFlow;
        n->NodeDeliveredFlow = from->NodeDeliveredFlow;
        m_network.AppendNodeSorted(n);
    }
    for (const ZFlowLink* from : source.Links()) {
        ZFlowLink* l = Copy(*from);
        l->SetFlags(from->GetFlags());
        l->Flow = from->Flow;
        l->Resistance = from->Resistance;
        m_network.AppendLinkSorted(l);
    }
    const auto nodeAt = [this](const ZNetNode* n) { return n ? m_network.NodeAt(n->GetIndex()) : nullptr; };
    const auto linkAt = [this](const ZNetLink* l) { return l ? m_network.LinkAt(l->GetIndex()) : nullptr; };
    for (int i = 0; i < nodes; ++i)
        m_network.NodeAt(i)->SetFirstLink(linkAt(source.NodeAt(i)->FirstLink()));
    for (int i = 0; i < links; ++i) {
        const ZFlowLink* from = source.LinkAt(i);
        ZFlowLink* l = m_network.LinkAt(i);
        l->SetStartNode(nodeAt(from->StartNode()));
        l->SetEndNode(nodeAt(from->EndNode()));
        l->SetNextAtStart(linkAt(from->NextAtStart()));
        l->SetNextAtEnd(linkAt(from->NextAtEnd()));
    }
    m_info.KeepSystem(true);
    m_info.SecantAtReversal(true);
    KeepAsBase();
}

int ZSweepNetwork::Balance(const std::vector<char>* shut, bool warm)
{
    m_info.SetShutLinks(shut);
    m_info.StartFromPresentHeads(warm);
    m_info.Run();
    m_info.SetShutLinks(nullptr);
    return m_info.GetStatus();
}

void ZSweepNetwork::KeepAsBase()
{
    m_baseNodes.clear();
    m_baseNodes.reserve(static_cast<size_t>(m_network.NodeCount()));
    for (const ZConsumeNode* n : m_network.Nodes())
        m_baseNodes.push_back({n->NodeHydrElev, n->NodeFlow, n->NodeFireFlow, n->NodeDeliveredFlow, n->GetFlags()});
    m_baseLinks.clear();
    m_baseLinks.reserve(static_cast<size_t>(m_network.LinkCount()));
    for (const ZFlowLink* l : m_network.Links()) {
        const auto* valve = l->GetKind() == ZNetObject::Kind::Valve ? static_cast<const ZValveLink*>(l) : nullptr;
        m_baseLinks.push_back({l->Flow, l->Resistance, valve ? valve->ValveState : 0});
    }
}

void ZSweepNetwork::RestoreBase()
{
    for (int i = 0; i < m_network.NodeCount(); ++i) {
        ZConsumeNode* n = m_network.NodeAt(i);
        const NodeState& s = m_baseNodes[static_cast<size_t>(i)];
        n->NodeHydrElev = s.head;
        n->NodeFlow = s.flow;
        n->NodeFireFlow = s.fireFlow;
        n->NodeDeliveredFlow = s.delivered;
        n->SetFlags(s.flags);
    }
    for (int i = 0; i < m_network.LinkCount(); ++i) {
        ZFlowLink* l = m_network.LinkAt(i);
        l->Flow = m_baseLinks[static_cast<size_t>(i)].flow;
        l->Resistance = m_baseLinks[static_cast<size_t>(i)].resistance;
        if (l->GetKind() == ZNetObject::Kind::Valve)
            static_cast<ZValveLink*>(l)->ValveState = m_baseLinks[static_cast<size_t>(i)].valveState;
    }
}
