#include "ZCutOffParts.h"

#include "model/ZNetwork.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"

#include <algorithm>

bool ZCutOffParts::IsOpen(const ZNetLink& link)
{
    switch (link.GetKind()) {
    case ZNetObject::Kind::Pump:
        return static_cast<const ZPumpLink&>(link).PumpOpen;
    case ZNetObject::Kind::Valve:
        return !static_cast<const ZValveLink&>(link).IsShutByUser();
    default:
        return true;
    }
}

ZCutOffParts::ZCutOffParts(const ZNetwork& network)
{
    const size_t n = static_cast<size_t>(network.NodeCount());
    m_pre.assign(n, -1);
    m_size.assign(n, 0);
    m_bridgeChild.assign(static_cast<size_t>(network.LinkCount()), -1);
    m_order.reserve(n);
    std::vector<int> low(n, 0);
    struct Frame {
        const ZNetNode* node;
        int parentLink;
        const ZNetLink* next;
    };
    std::vector<Frame> stack;
    // The common root has search number 0; a known head reaches it directly, so low = 0.
    int count = 1;
    const auto enter = [&](const ZConsumeNode* node, int parentLink) {
        const size_t i = static_cast<size_t>(node->GetIndex());
        m_pre[i] = count++;
        low[i] = node->IsHeadKnown() ? 0 : m_pre[i];
        m_order.push_back(node->GetIndex());
        stack.push_back({node, parentLink, node->FirstLink()});
    };
    for (const ZConsumeNode* head : network.Nodes()) {
        if (!head->IsHeadKnown() || m_pre[static_cast<size_t>(head->GetIndex())] >= 0)
            continue;
        enter(head, -1);
        while (!stack.empty()) {
            Frame& f = stack.back();
            const size_t v = static_cast<size_t>(f.node->GetIndex());
            if (!f.next) {
                m_size[v] = count - m_pre[v];
                const int parentLink = f.parentLink;
                stack.pop_back();
                if (parentLink >= 0) {
                    const size_t u = static_cast<size_t>(stack.back().node->GetIndex());
                    low[u] = std::min(low[u], low[v]);
                    if (low[v] > m_pre[u])
                        m_bridgeChild[static_cast<size_t>(parentLink)] = static_cast<int>(v);
                }
                continue;
            }
            const ZNetLink* link = f.next;
            f.next = link->NextLinkAt(f.node);
            if (link->GetIndex() == f.parentLink || !IsOpen(*link))
                continue;
            const auto* other = static_cast<const ZConsumeNode*>(link->OtherNode(f.node));
            const size_t w = static_cast<size_t>(other->GetIndex());
            if (m_pre[w] < 0)
                enter(other, link->GetIndex());   // invalidates f
            else
                low[v] = std::min(low[v], m_pre[w]);
        }
    }
}

ZCutOffParts::Range ZCutOffParts::CutOffBy(int link) const
{
    const int child = m_bridgeChild[static_cast<size_t>(link)];
    if (child < 0)
        return {};
    const int first = m_pre[static_cast<size_t>(child)] - 1;
    return {first, first + m_size[static_cast<size_t>(child)]};
}

bool ZCutOffParts::IsCutOffBy(int link, int node) const
{
    const Range r = CutOffBy(link);
    const int pre = m_pre[static_cast<size_t>(node)] - 1;
    return pre >= r.first && pre < r.last;
}
