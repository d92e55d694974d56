#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class ZNetwork;
class ZSimulationResults;

// Puts one report time of an extended-period run where every view reads results (node heads and
// delivered demands, link flows, cut-off marks) and the network's own balancing results back
// afterwards. Results are not user edits: nothing passes through the edit history. Both ways are
// plain array copies, so stepping through a day costs one pass over the network.
class ZResultPlayback {
public:
    // Keeps the network's present results, to be put back by Restore.
    void Save(const ZNetwork& net);
    bool HasSaved() const { return m_saved; }
    // Writes report time `k` of `results`; false (nothing written) when the network no longer has
    // the objects the results were recorded for, or k is out of range.
    static bool Show(ZNetwork& net, const ZSimulationResults& results, size_t k);
    // Puts the saved results back and forgets them; false (nothing written) when the network no
    // longer has the objects they were saved from.
    bool Restore(ZNetwork& net);

private:
    bool m_saved = false;
    std::vector<double> m_head, m_demand, m_flow;
    std::vector<uint8_t> m_cutOff;
    std::vector<int32_t> m_valveState;   // per link, 0 for other kinds
};
