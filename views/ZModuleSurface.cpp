#include "ZModuleSurface.h"

#include "model/ZColorSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>

void ZModuleSurface::Build(const ViewExtent& networkBounds, int rows, int columns, const std::vector<double>& values,
                           uint32_t lowColour, uint32_t highColour)
{
    m_pipeLines.clear();   // those of the network the old surface stood for
    m_rows = std::max(1, rows);
    m_columns = std::max(1, columns);
    ViewExtent b = networkBounds;
    b.Normalize();
    const bool hasExtent = b.Width() > 0.0 && b.Height() > 0.0;
    // A network of no area still gets a square to stand on: as wide as its longer side, or 2 m.
    const double side = std::max({b.Width(), b.Height(), 0.0}) > 0.0 ? std::max(b.Width(), b.Height()) : 2.0;
    m_centreX = (b.left + b.right) * 0.5;
    m_centreY = (b.bottom + b.top) * 0.5;
    m_width = b.Width() > 0.0 ? b.Width() : side;
    m_depth = b.Height() > 0.0 ? b.Height() : side;

    const size_t count = static_cast<size_t>(m_rows + 1) * static_cast<size_t>(m_columns + 1);
    const bool haveValues = values.size() == count;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    if (haveValues)
        for (double v : values)
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
    if (!(lo <= hi))
        lo = hi = 0.0;
    m_low = lo;
    m_high = hi;
    // Equal values or no extent: the factor would divide by zero; the surface lies flat. Values
    // that differ only by rounding (an average of equal heads) count as equal.
    m_flat = !hasExtent || !(hi - lo > 1e-9 * std::max({1.0, std::fabs(hi), std::fabs(lo)}));
    const double k = m_flat ? 0.0 : 0.8 * std::min(m_width, m_depth) / (hi - lo);
    m_height = (hi - lo) * k;

    m_positions.resize(count * 3);
    m_normals.resize(count * 3);
    m_colours.resize(count * 3);
    const double dx = m_width / m_columns, dy = m_depth / m_rows;
    const double x0 = -m_width * 0.5, y0 = -m_depth * 0.5;
    auto at = [this](int r, int c) {
        return static_cast<size_t>(r) * static_cast<size_t>(m_columns + 1) + static_cast<size_t>(c);
    };
    for (int r = 0; r <= m_rows; ++r)
        for (int c = 0; c <= m_columns; ++c) {
            const size_t i = at(r, c);
            const double v = haveValues && std::isfinite(values[i]) ? values[i] : lo;
            m_positions[i * 3] = static_cast<float>(x0 + c * dx);
            m_positions[i * 3 + 1] = static_cast<float>(y0 + r * dy);
            m_positions[i * 3 + 2] = static_cast<float>((v - lo) * k);
        }
    // Normal of the plane through each cell's lower-left, lower-right and upper-left points; the
    // last row and column take their neighbours'.
    for (int r = 0; r <= m_rows; ++r)
        for (int c = 0; c <= m_columns; ++c) {
            const int cr = std::min(r, m_rows - 1), cc = std::min(c, m_columns - 1);
            const double z00 = m_positions[at(cr, cc) * 3 + 2];
            const double z10 = m_positions[at(cr, cc + 1) * 3 + 2];
            const double z01 = m_positions[at(cr + 1, cc) * 3 + 2];
            double nx = -(z10 - z00) * dy, ny = -dx * (z01 - z00), nz = dx * dy;
            const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
            if (len + 1.0 == 1.0) {
                nx = ny = 0.0;
                nz = 1.0;
            } else {
                nx /= len;
                ny /= len;
                nz /= len;
            }
            const size_t i = at(r, c);
            m_normals[i * 3] = static_cast<float>(nx);
            m_normals[i * 3 + 1] = static_cast<float>(ny);
            m_normals[i * 3 + 2] = static_cast<float>(nz);
        }
    const double lowRgb[3] = {double(ZColorSettings::Red(lowColour)), double(ZColorSettings::Green(lowColour)),
                              double(ZColorSettings::Blue(lowColour))};
    const double highRgb[3] = {double(ZColorSettings::Red(highColour)), double(ZColorSettings::Green(highColour)),
                               double(ZColorSettings::Blue(highColour))};
    for (size_t i = 0; i < count; ++i) {
        const double t = m_height > 0.0 ? m_positions[i * 3 + 2] / m_height : 0.0;
        for (int ch = 0; ch < 3; ++ch)
            m_colours[i * 3 + static_cast<size_t>(ch)] =
                static_cast<float>((lowRgb[ch] + t * (highRgb[ch] - lowRgb[ch])) / 255.0);
    }
    m_strips.clear();
    m_strips.reserve(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns + 1) * 2);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c <= m_columns; ++c) {
            m_strips.push_back(static_cast<uint32_t>(at(r + 1, c)));
            m_strips.push_back(static_cast<uint32_t>(at(r, c)));
        }
}

void ZModuleSurface::BuildPipes(const ZNetwork& network)
{
    m_pipeLines.clear();
    std::vector<PipePoint> pts;
    for (int i = 0; i < network.LinkCount(); ++i) {
        const ZFlowLink* link = network.LinkAt(i);
        if (link->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(link);
        const auto* a = static_cast<const ZFlowNode*>(pipe->StartNode());
        const auto* b = static_cast<const ZFlowNode*>(pipe->EndNode());
        if (!a || !b)
            continue;
        pts.clear();
        pts.push_back({a->X, a->Y});
        pts.insert(pts.end(), pipe->Vertices().begin(), pipe->Vertices().end());
        pts.push_back({b->X, b->Y});
        double total = 0.0;
        for (size_t k = 1; k < pts.size(); ++k)
            total += std::hypot(pts[k].x - pts[k - 1].x, pts[k].y - pts[k - 1].y);
        const double za = a->NodeGrunElev, zb = b->NodeGrunElev;
        double run = 0.0;
        for (size_t k = 1; k < pts.size(); ++k) {
            const double len = std::hypot(pts[k].x - pts[k - 1].x, pts[k].y - pts[k - 1].y);
            const double t0 = total > 0.0 ? run / total : 0.0;
            run += len;
            const double t1 = total > 0.0 ? run / total : 1.0;
            const float seg[6] = {float(pts[k - 1].x - m_centreX), float(pts[k - 1].y - m_centreY),
                                  float(za + t0 * (zb - za)),      float(pts[k].x - m_centreX),
                                  float(pts[k].y - m_centreY),     float(za + t1 * (zb - za))};
            m_pipeLines.insert(m_pipeLines.end(), seg, seg + 6);
        }
    }
}

double ZModuleSurface::HeightAt(int row, int column) const
{
    const size_t i = static_cast<size_t>(row) * static_cast<size_t>(m_columns + 1) + static_cast<size_t>(column);
    return i * 3 + 2 < m_positions.size() ? m_positions[i * 3 + 2] : 0.0;
}

double ZModuleSurface::Diagonal() const
{
    return std::sqrt(m_width * m_width + m_depth * m_depth + m_height * m_height);
}
