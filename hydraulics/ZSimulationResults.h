#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class ZNetwork;

// The results of an extended-period run at its report times, as flat float arrays (one block per
// time, in the network's node and link order): 9 bytes per link and 8 per node and time, so a
// 100,000-node day at hourly reports takes about 45 MB. A node without a head (cut off by closed
// links) has a NaN head.
class ZSimulationResults {
public:
    enum LinkStatus : uint8_t { Closed = 0, Open = 1 };

    void Reset(int nodes, int links);
    // Appends the network's present heads, delivered demands, flows and the statuses given.
    void Record(int64_t time, const ZNetwork& network, const std::vector<uint8_t>& status);

    int NodeCount() const { return m_nodes; }
    int LinkCount() const { return m_links; }
    size_t TimeCount() const { return m_times.size(); }
    int64_t Time(size_t k) const { return m_times[k]; }
    float Head(size_t k, int node) const { return m_head[k * Stride(m_nodes) + static_cast<size_t>(node)]; }
    float Demand(size_t k, int node) const { return m_demand[k * Stride(m_nodes) + static_cast<size_t>(node)]; }
    float Flow(size_t k, int link) const { return m_flow[k * Stride(m_links) + static_cast<size_t>(link)]; }
    uint8_t Status(size_t k, int link) const { return m_status[k * Stride(m_links) + static_cast<size_t>(link)]; }
    size_t MemoryBytes() const;

private:
    static size_t Stride(int n) { return static_cast<size_t>(n); }

    int m_nodes = 0, m_links = 0;
    std::vector<int64_t> m_times;
    std::vector<float> m_head, m_demand, m_flow;
    std::vector<uint8_t> m_status;
};
