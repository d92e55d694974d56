#include "ZConnectivityCheck.h"

#include "model/GbkCodec.h"
#include "model/ZNetwork.h"

#include <cstdio>

bool ZConnectivityCheck::Run(const ZNetwork& network)
{
    m_network = &network;
    m_count = 0;
    m_startNodes.clear();
    const int n = network.NodeCount();
    m_component.assign(static_cast<size_t>(n), -1);
    if (n < 1)
        return true;
    std::vector<char> visited(static_cast<size_t>(n), 0);
    for (int i = 0; i < n; ++i)
        if (!visited[static_cast<size_t>(i)])
            Search(i, visited, m_count++);

    m_startNodes.assign(static_cast<size_t>(m_count), nullptr);
    std::vector<const ZFlowNode*> firstAny(static_cast<size_t>(m_count), nullptr);
    for (int i = 0; i < n; ++i) {
        const ZFlowNode* node = network.NodeAt(i);
        const auto c = static_cast<size_t>(m_component[static_cast<size_t>(i)]);
        if (!firstAny[c])
            firstAny[c] = node;
        if (!m_startNodes[c] && !node->IsHidden())
            m_startNodes[c] = node;
    }
    for (size_t c = 0; c < m_startNodes.size(); ++c)
        if (!m_startNodes[c])
            m_startNodes[c] = firstAny[c];
    return m_count < 2;
}

// An explicit stack: a long chain of nodes must not exhaust the call stack.
void ZConnectivityCheck::Search(int start, std::vector<char>& visited, int piece)
{
    std::vector<const ZNetNode*> stack{m_network->NodeAt(start)};
    visited[static_cast<size_t>(start)] = 1;
    while (!stack.empty()) {
        const ZNetNode* node = stack.back();
        stack.pop_back();
        m_component[static_cast<size_t>(node->GetIndex())] = piece;
        for (const ZNetLink* link = node->FirstLink(); link; link = link->NextLinkAt(node)) {
            const ZNetNode* other = link->OtherNode(node);
            char& seen = visited[static_cast<size_t>(other->GetIndex())];
            if (!seen) {
                seen = 1;
                stack.push_back(other);
            }
        }
    }
}

const ZFlowNode* ZConnectivityCheck::PieceStartNode(int piece) const
{
    if (piece < 0 || piece >= m_count)
        return nullptr;
    return m_startNodes[static_cast<size_t>(piece)];
}

std::string ZConnectivityCheck::ReportTitle()
{
    return "管网连通性检查报告";
}

std::string ZConnectivityCheck::ReportText() const
{
    if (m_count < 2)
        return {};
    char line[160];
    std::snprintf(line, sizeof line, "搜索到%d个连通网络, 不能进行管网平差!\n", m_count);
    std::string text = line;
    text += "\n";
    for (int c = 0; c < m_count; ++c) {
        std::snprintf(line, sizeof line, "网络%d, 起始节点\"", c);
        text += line;
        text += GbkCodec::ToUtf8(m_startNodes[static_cast<size_t>(c)]->IdView());
        text += "\"\n";
    }
    return text;
}
