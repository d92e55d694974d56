#include "ZSymbolThinner.h"

#include <algorithm>
#include <cmath>

namespace {
// Beyond this many placed symbols the memory is dropped rather than grown without end.
constexpr size_t MaxPlaced = 400000;
}   // namespace

void ZSymbolThinner::Reset()
{
    m_cells.clear();
    m_scale = 0.0;
}

void ZSymbolThinner::BeginPaint(double scale, int spacingPixels)
{
    if (scale != m_scale || spacingPixels != m_spacing || m_cells.size() > MaxPlaced) {
        Reset();
        m_scale = scale;
        m_spacing = spacingPixels;
        m_cell = std::max(1, spacingPixels) * scale;
        m_cells.reserve(1 << 14);
    }
}

bool ZSymbolThinner::Place(const void* owner, double x, double y)
{
    if (!(m_cell > 0.0) || !std::isfinite(x) || !std::isfinite(y))
        return true;
    const auto cx = static_cast<int64_t>(std::floor(x / m_cell));
    const auto cy = static_cast<int64_t>(std::floor(y / m_cell));
    // Any symbol closer than a cell in both directions lies in one of the nine cells around.
    for (int64_t i = cx - 1; i <= cx + 1; ++i)
        for (int64_t j = cy - 1; j <= cy + 1; ++j) {
            auto range = m_cells.equal_range(Key(i, j));
            for (auto it = range.first; it != range.second; ++it) {
                const Placed& p = it->second;
                if (p.owner == owner)
                    return true;
                if (std::fabs(p.x - x) < m_cell && std::fabs(p.y - y) < m_cell)
                    return false;
            }
        }
    m_cells.emplace(Key(cx, cy), Placed{owner, x, y});
    return true;
}

void ZSymbolThinner::Force(const void* owner, double x, double y)
{
    if (!(m_cell > 0.0) || !std::isfinite(x) || !std::isfinite(y))
        return;
    const int64_t key = Key(static_cast<int64_t>(std::floor(x / m_cell)), static_cast<int64_t>(std::floor(y / m_cell)));
    auto range = m_cells.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.owner == owner)
            return;
    m_cells.emplace(key, Placed{owner, x, y});
}
