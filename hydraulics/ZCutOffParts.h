#pragma once
#include <vector>

class ZNetLink;
class ZNetwork;

// Which nodes the loss of one link cuts off from every known head, for all links at once: one
// depth-first search over the open links (closed pumps and valves left out) from the known heads,
// as if they hung from one common root, finds the bridges; the nodes a bridge cuts off are the
// search subtree below it, a run of the search order.
class ZCutOffParts {
public:
    explicit ZCutOffParts(const ZNetwork& network);

    // Whether open links join the node to a known head with every link in place.
    bool IsReached(int node) const { return m_pre[static_cast<size_t>(node)] >= 0; }
    // The nodes (list positions) the loss of the link cuts off: Order()[first .. last), empty
    // when none.
    struct Range {
        int first = 0, last = 0;
    };
    Range CutOffBy(int link) const;
    bool IsCutOffBy(int link, int node) const;
    const std::vector<int>& Order() const { return m_order; }

    // The rule of the balance: pipes and tanks are open, pumps when running, valves unless shut.
    static bool IsOpen(const ZNetLink& link);

private:
    std::vector<int> m_pre;           // per node: search order, -1 when not reached
    std::vector<int> m_size;          // per node: nodes in its search subtree
    std::vector<int> m_bridgeChild;   // per link: the node below it when a bridge, else -1
    std::vector<int> m_order;         // nodes in search order
};
