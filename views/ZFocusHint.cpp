#include "ZFocusHint.h"

#include "QtDrawContext.h"
#include "ZCanvasHost.h"
#include "ZNetCanvas.h"

#include "model/ZPipeLink.h"
#include "model/ZSettingsStore.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {
// Whether the segment a-b meets the rectangle (Liang-Barsky clipping).
bool SegmentCrosses(const PipePoint& a, const PipePoint& b, const ViewExtent& r)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.bottom, r.top - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}
}   // namespace

bool ZFocusHint::SnapPipe(const ZNetView& view, const ZPipeLink& pipe, const ViewExtent& pick, PipePoint& at,
                          int& segment, int& bend)
{
    const auto* from = pipe.From();
    const auto* to = pipe.To();
    if (!from || !to)
        return false;
    for (int i = 0; i < pipe.VertexCount(); ++i) {
        const PipePoint& v = pipe.VertexAt(i);
        if (pick.Contains(v.x, v.y)) {
            at = v;
            segment = -1;
            bend = i;
            return true;
        }
    }
    const double cx = (pick.left + pick.right) / 2, cy = (pick.bottom + pick.top) / 2;
    PipePoint a = from->GetPosition(view);
    const int n = pipe.VertexCount();
    for (int k = 0; k <= n; ++k) {
        const PipePoint b = k < n ? pipe.VertexAt(k) : to->GetPosition(view);
        if (SegmentCrosses(a, b, pick)) {
            const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
            const double t = len2 > 0.0 ? std::clamp(((cx - a.x) * dx + (cy - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
            at = {a.x + t * dx, a.y + t * dy};
            segment = k;
            bend = -1;
            return true;
        }
        a = b;
    }
    return false;
}

void ZFocusHint::MouseMove(const QPoint& pt)
{
    const QRect before = Bounds();
    m_cursor = pt;
    m_hasCursor = true;
    Find(pt);
    Changed(before);
}

void ZFocusHint::Refresh()
{
    if (!m_hasCursor)
        return;
    const QRect before = Bounds();
    Find(m_cursor);
    Changed(before);
}

void ZFocusHint::Find(const QPoint& pt)
{
    m_object = nullptr;
    m_segment = m_bend = -1;
    if (!m_mode)
        return;
    const int side = m_canvas.Settings().Sizes().HintFocWidth, half = side / 2;
    const ViewExtent pick = m_canvas.DeviceRectToWorld(QRect(pt.x() - half, pt.y() - half, side, side));
    const ZVisibleSet& set = m_canvas.VisibleSet();
    ZNetObject* hit = nullptr;
    if (m_mode & SnapNodes)
        hit = set.First(m_canvas, pick,
                        [&](ZNetObject* o) { return o->IsNode() && o->SnapPoint(m_canvas, pick, m_point); });
    if (!hit && (m_mode & SnapPipes)) {
        hit = set.First(m_canvas, pick, [&](ZNetObject* o) {
            return o->GetKind() == ZNetObject::Kind::Pipe &&
                   SnapPipe(m_canvas, *static_cast<ZPipeLink*>(o), pick, m_point, m_segment, m_bend);
        });
    }
    m_object = hit;
    if (!hit)
        m_segment = m_bend = -1;
}

void ZFocusHint::Reset()
{
    const QRect before = Bounds();
    m_object = nullptr;
    m_segment = m_bend = -1;
    m_hasAnchor = false;
    m_moveLines.clear();
    m_movePath.clear();
    m_mode = 0;
    Changed(before);
}

void ZFocusHint::Forget(const std::vector<ZNetObject*>& objects)
{
    if (m_object && std::find(objects.begin(), objects.end(), m_object) != objects.end())
        Refresh();
}

void ZFocusHint::SetAnchor(const PipePoint& p)
{
    const QRect before = Bounds();
    m_anchor = p;
    m_hasAnchor = true;
    Changed(before);
}

void ZFocusHint::ClearAnchor()
{
    const QRect before = Bounds();
    m_hasAnchor = false;
    Changed(before);
}

void ZFocusHint::SetMoveLines(const PipePoint& grab, std::vector<std::pair<PipePoint, PipePoint>> lines,
                              std::vector<PipePoint> path)
{
    const QRect before = Bounds();
    m_grab = grab;
    m_moveLines = std::move(lines);
    m_movePath = std::move(path);
    Changed(before);
}

PipePoint ZFocusHint::CursorWorld() const
{
    if (m_object)
        return m_point;
    PipePoint p;
    m_canvas.DeviceToWorld(m_cursor.x(), m_cursor.y(), p.x, p.y);
    return p;
}

QPointF ZFocusHint::MovingEnd(const PipePoint& base) const
{
    const PipePoint c = CursorWorld();
    return m_canvas.WorldToDeviceF(base.x + c.x - m_grab.x, base.y + c.y - m_grab.y);
}

void ZFocusHint::Changed(const QRect& before)
{
    const QRect after = Bounds();
    if (before == after && before.isNull())
        return;
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasRubberChanged(before, after);
}

QRect ZFocusHint::Bounds() const
{
    QRectF r;
    auto include = [&r](const QRectF& b) { r = r.isNull() ? b : r.united(b); };
    const int pen = std::max(1, m_canvas.Settings().Sizes().HintPenWidth);
    if (m_object) {
        const double half = m_canvas.Settings().Sizes().HintFocWidth / 2.0 + pen;
        const QPointF c = m_canvas.WorldToDeviceF(m_point.x, m_point.y);
        include(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
    }
    if (m_hasCursor) {
        const PipePoint cw = CursorWorld();
        const QPointF cur = m_canvas.WorldToDeviceF(cw.x, cw.y);
        if (m_hasAnchor)
            include(QRectF(m_canvas.WorldToDeviceF(m_anchor.x, m_anchor.y), cur).normalized());
        for (const auto& [fixed, moving] : m_moveLines)
            include(QRectF(m_canvas.WorldToDeviceF(fixed.x, fixed.y), MovingEnd(moving)).normalized());
        for (const PipePoint& p : m_movePath)
            include(QRectF(MovingEnd(p), QSizeF(1, 1)));
    }
    if (r.isNull())
        return QRect();
    return r.toAlignedRect().adjusted(-pen - 1, -pen - 1, pen + 1, pen + 1);
}

void ZFocusHint::Paint(QPainter& p) const
{
    if (!m_object && !(m_hasCursor && (m_hasAnchor || !m_moveLines.empty() || !m_movePath.empty())))
        return;
    const auto& colors = m_canvas.Settings().Colors();
    const auto& sizes = m_canvas.Settings().Sizes();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setBrush(Qt::NoBrush);
    const QColor xorColor = QtDrawContext::ToColor(colors.BkGround ^ colors.FocusHint);
    if (m_hasCursor) {
        // Rubber lines are thin, so crossing lines stay readable.
        p.setPen(QPen(xorColor, 1));
        const PipePoint cw = CursorWorld();
        const QPointF cur = m_canvas.WorldToDeviceF(cw.x, cw.y);
        if (m_hasAnchor)
            p.drawLine(m_canvas.WorldToDeviceF(m_anchor.x, m_anchor.y), cur);
        for (const auto& [fixed, moving] : m_moveLines)
            p.drawLine(m_canvas.WorldToDeviceF(fixed.x, fixed.y), MovingEnd(moving));
        if (m_movePath.size() > 1) {
            QPolygonF path;
            for (const PipePoint& q : m_movePath)
                path << MovingEnd(q);
            p.drawPolyline(path);
        }
    }
    if (m_object) {
        p.setPen(QPen(xorColor, std::max(1, sizes.HintPenWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const double half = sizes.HintFocWidth / 2.0;
        const QPointF c = m_canvas.WorldToDeviceF(m_point.x, m_point.y);
        if (m_object->IsNode()) {
            p.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
        } else {
            const QPointF d[4] = {
                {c.x(), c.y() - half}, {c.x() + half, c.y()}, {c.x(), c.y() + half}, {c.x() - half, c.y()}};
            p.drawPolygon(d, 4);
        }
    }
    p.restore();
}
