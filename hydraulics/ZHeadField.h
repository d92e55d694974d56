#pragma once
#include "model/ViewExtent.h"

#include <functional>
#include <vector>

class ProgressObserver;
class ZFlowLink;
class ZNetwork;

// Head (or free head) spread from the nodes onto a regular grid of (nx + 1) x (ny + 1) points by
// inverse-cube distance weighting against every pipe segment, the value along a pipe running
// linearly from its start node's value to its end node's. Contours and the 3D view use it.
class ZHeadField {
public:
    enum Kind { AbsoluteHead = 0, FreeHead = 1 };
    enum Status { Ok = 0, Stopped, NoPipes, BadGrid };

    // The value of every node by list position: its head or free head (NaN for a node cut off
    // from every known head, whose pipes are left out); a tank's hidden internal node takes its
    // outlet's value.
    static std::vector<double> NodeValues(const ZNetwork& network, int kind);

    // Pipes the next Compute passes over: those whose heads are not current (the 3D view after an
    // edit). None by default.
    void LeaveOut(std::function<bool(const ZFlowLink&)> leaveOut) { m_leaveOut = std::move(leaveOut); }

    // Fills the grid over `rect` (normalised; a side of zero width is widened so cells never
    // vanish). The observer sees fractions up to `fractionEnd` and may stop the work. `threads`
    // 0 uses every core.
    Status Compute(const ZNetwork& network, int kind, const ViewExtent& rect, int nx, int ny,
                   ProgressObserver* observer = nullptr, double fractionEnd = 1.0, int threads = 0);

    int Columns() const { return m_nx + 1; }
    int Rows() const { return m_ny + 1; }
    int CellsX() const { return m_nx; }
    int CellsY() const { return m_ny; }
    const ViewExtent& Extent() const { return m_rect; }
    double Dx() const { return m_dx; }
    double Dy() const { return m_dy; }
    double X(int column) const { return m_rect.left + column * m_dx; }
    double Y(int row) const { return m_rect.bottom + row * m_dy; }
    // Row by row: index = row * Columns() + column. Empty unless the last Compute succeeded.
    const std::vector<double>& Values() const { return m_values; }
    std::vector<double>& Values() { return m_values; }
    double At(int column, int row) const { return m_values[static_cast<size_t>(row * Columns() + column)]; }
    bool IsEmpty() const { return m_values.empty(); }
    // A grid made elsewhere ((nx + 1) * (ny + 1) values, row by row); false when the sizes differ.
    bool Assign(const ViewExtent& rect, int nx, int ny, std::vector<double> values);
    void Clear() { m_values.clear(); }

    // One grid value from the whole list of segments, computed plainly: the reference the fast
    // path is tested against.
    static double ReferenceValue(const ZNetwork& network, const std::vector<double>& nodeValues, double x, double y);

private:
    int m_nx = 0;
    int m_ny = 0;
    ViewExtent m_rect;
    double m_dx = 0.0;
    double m_dy = 0.0;
    std::vector<double> m_values;
    std::function<bool(const ZFlowLink&)> m_leaveOut;
};
