#include "ZLabelPlacer.h"

#include <cmath>

namespace {
// Beyond this many placed labels the memory is dropped rather than grown without end.
constexpr size_t MaxPlaced = 200000;
constexpr double CellPixels = 64.0;
}   // namespace

void ZLabelPlacer::Reset()
{
    m_rects.clear();
    m_grid.clear();
    m_scale = 0.0;
}

void ZLabelPlacer::BeginPaint(double scale)
{
    if (scale != m_scale || m_rects.size() > MaxPlaced) {
        Reset();
        m_scale = scale;
        m_cell = CellPixels * scale;
    }
}

void ZLabelPlacer::CellRange(const ViewExtent& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const
{
    x0 = static_cast<int64_t>(std::floor(r.left / m_cell));
    y0 = static_cast<int64_t>(std::floor(r.bottom / m_cell));
    x1 = static_cast<int64_t>(std::floor(r.right / m_cell));
    y1 = static_cast<int64_t>(std::floor(r.top / m_cell));
}

bool ZLabelPlacer::Place(const void* owner, const ViewExtent& bounds)
{
    if (bounds.IsEmpty() || !(m_cell > 0.0) || !std::isfinite(bounds.Width() + bounds.Height()))
        return true;
    // Labels that only touch may stand side by side: a tenth of a pixel is given away.
    const double e = m_scale * 0.1;
    const ViewExtent r{bounds.left + e, bounds.bottom + e, bounds.right - e, bounds.top - e};
    int64_t x0, y0, x1, y1;
    CellRange(r, x0, y0, x1, y1);
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > 4096)
        return true;   // larger than any window: not a label worth weighing
    for (int64_t cx = x0; cx <= x1; ++cx)
        for (int64_t cy = y0; cy <= y1; ++cy) {
            auto it = m_grid.find(Key(cx, cy));
            if (it == m_grid.end())
                continue;
            for (uint32_t i : it->second) {
                const Placed& p = m_rects[i];
                if (p.rect.Intersects(r))
                    return p.owner == owner;
            }
        }
    const auto index = static_cast<uint32_t>(m_rects.size());
    m_rects.push_back({r, owner});
    for (int64_t cx = x0; cx <= x1; ++cx)
        for (int64_t cy = y0; cy <= y1; ++cy)
            m_grid[Key(cx, cy)].push_back(index);
    return true;
}
