#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

class ZConsumeNode;

// Nodes by position for the end-node search of a CAD import: the same answer as walking the
// node list (the first node in list order within the tolerance that is neither hidden nor
// filtered) without walking it, so a drawing of 100,000 lines imports in seconds, not hours.
class ZCadNodeIndex {
public:
    explicit ZCadNodeIndex(double tolerance);
    void Add(ZConsumeNode* node);
    // The node of lowest list position (Id order) within tolerance (distance <= tolerance)
    // that is neither hidden nor filtered, or null.
    ZConsumeNode* FirstWithin(double x, double y) const;

private:
    int64_t Key(double v) const;
    static uint64_t CellKey(int64_t cx, int64_t cy)
    {
        return static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(cy);
    }

    double m_tolerance;
    double m_cell;
    std::unordered_multimap<uint64_t, ZConsumeNode*> m_cells;
};
