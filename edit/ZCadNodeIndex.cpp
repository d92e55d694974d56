#include "ZCadNodeIndex.h"
#include "model/ZConsumeNode.h"
#include "model/ZSortedObArray.h"

#include <algorithm>
#include <cmath>

ZCadNodeIndex::ZCadNodeIndex(double tolerance) : m_tolerance(tolerance), m_cell(std::max(tolerance, 1e-3)) {}

int64_t ZCadNodeIndex::Key(double v) const
{
    const double k = std::floor(v / m_cell);
    // Far-off coordinates share the outermost cells; the distance test still decides.
    return static_cast<int64_t>(std::clamp(k, -4.0e18, 4.0e18));
}

void ZCadNodeIndex::Add(ZConsumeNode* node)
{
    m_cells.emplace(CellKey(Key(node->X), Key(node->Y)), node);
}

ZConsumeNode* ZCadNodeIndex::FirstWithin(double x, double y) const
{
    ZConsumeNode* best = nullptr;
    const int64_t cx = Key(x), cy = Key(y);
    for (int64_t i = cx - 1; i <= cx + 1; ++i)
        for (int64_t j = cy - 1; j <= cy + 1; ++j) {
            auto [b, e] = m_cells.equal_range(CellKey(i, j));
            for (auto it = b; it != e; ++it) {
                ZConsumeNode* n = it->second;
                if (n->IsHidden() || n->IsFiltered() || std::hypot(n->X - x, n->Y - y) > m_tolerance)
                    continue;
                if (!best || ZSortedObArray<ZConsumeNode>::Compare(n->IdView(), best->IdView()) < 0)
                    best = n;
            }
        }
    return best;
}
