#include "ZSimulationResults.h"

#include "model/ZNetwork.h"

#include <limits>

void ZSimulationResults::Reset(int nodes, int links)
{
    m_nodes = nodes;
    m_links = links;
    m_times.clear();
    m_head.clear();
    m_demand.clear();
    m_flow.clear();
    m_status.clear();
}

void ZSimulationResults::Record(int64_t time, const ZNetwork& network, const std::vector<uint8_t>& status)
{
    m_times.push_back(time);
    for (const ZConsumeNode* n : network.Nodes()) {
        m_head.push_back(n->IsCutOff() ? std::numeric_limits<float>::quiet_NaN() : static_cast<float>(n->NodeHydrElev));
        m_demand.push_back(static_cast<float>(n->NodeDeliveredFlow));
    }
    for (const ZFlowLink* l : network.Links())
        m_flow.push_back(static_cast<float>(l->Flow));
    m_status.insert(m_status.end(), status.begin(), status.end());
}

size_t ZSimulationResults::MemoryBytes() const
{
    return m_times.capacity() * sizeof(int64_t) +
           (m_head.capacity() + m_demand.capacity() + m_flow.capacity()) * sizeof(float) + m_status.capacity();
}
