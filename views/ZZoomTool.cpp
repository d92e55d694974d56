#include "ZZoomTool.h"

#include "CommandIds.h"
#include "ZCanvasHost.h"
#include "ZNetCanvas.h"

#include "model/ZDocument.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

QRect ZZoomTool::Client() const
{
    return m_canvas.Host() ? m_canvas.Host()->CanvasClientRect() : m_canvas.GetViewport();
}

bool ZZoomTool::Execute(int command)
{
    switch (command) {
    case Cmd::ZoomRealtime:
        SetMode(RealTimeZoom);
        return true;
    case Cmd::PanRealtime:
        SetMode(RealTimePan);
        return true;
    case Cmd::ZoomWindow:
        SetMode(WindowZoom);
        return true;
    case Cmd::ZoomIn:
        SetMode(ZoomIn);
        return true;
    case Cmd::ZoomOut:
        SetMode(ZoomOut);
        return true;
    case Cmd::LeaveRealtime:
        Exit();
        return true;
    case Cmd::ZoomBack:
        if (CanBack())
            Back();
        return true;
    case Cmd::ZoomForward:
        if (CanForward())
            Forward();
        return true;
    case Cmd::ZoomExtents:
        ZoomExtents();
        return true;
    default:
        return false;
    }
}

bool ZZoomTool::IsChecked(int command) const
{
    switch (command) {
    case Cmd::ZoomRealtime:
        return m_mode == RealTimeZoom;
    case Cmd::PanRealtime:
        return m_mode == RealTimePan;
    case Cmd::ZoomWindow:
        return m_active && m_mode == WindowZoom;
    case Cmd::ZoomIn:
        return m_active && m_mode == ZoomIn;
    case Cmd::ZoomOut:
        return m_active && m_mode == ZoomOut;
    default:
        return false;
    }
}

bool ZZoomTool::IsEnabled(int command) const
{
    switch (command) {
    case Cmd::ZoomBack:
        return CanBack();
    case Cmd::ZoomForward:
        return CanForward();
    case Cmd::LeaveRealtime:
        return m_mode != NoMode;
    default:
        return true;
    }
}

void ZZoomTool::PushHistory()
{
    if (!m_history.empty())
        m_history.resize(static_cast<size_t>(m_current + 1));
    m_history.push_back(ViewExtent{});
    m_current = static_cast<int>(m_history.size()) - 1;
}

void ZZoomTool::Apply(double cx, double cy, double scale)
{
    if (m_current >= 0)
        m_history[static_cast<size_t>(m_current)] = m_canvas.GetExtent();
    m_canvas.SetCentre(cx, cy);
    m_canvas.SetScale(scale);
    m_canvas.RebuildVisibleSet();
}

void ZZoomTool::ApplyView(double cx, double cy, double scale)
{
    Apply(cx, cy, scale);
    ZCanvasHost* host = m_canvas.Host();
    if (m_active) {
        if (host)
            host->CanvasInvalidate(QRect(), false);
    } else {
        PushHistory();
        if (host)
            host->CanvasInvalidate(QRect(), true);
    }
}

void ZZoomTool::SaveViewToDocument()
{
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasSaveView(m_canvas.GetExtent());
}

void ZZoomTool::Back()
{
    if (!CanBack())
        return;
    double cx, cy, s;
    ZNetCanvas::FitExtent(m_history[static_cast<size_t>(m_current - 1)], Client(), cx, cy, s);
    Apply(cx, cy, s);
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasInvalidate(QRect(), !m_active);
    if (!m_active) {
        SaveViewToDocument();
        --m_current;
    }
}

void ZZoomTool::Forward()
{
    if (!CanForward())
        return;
    double cx, cy, s;
    ZNetCanvas::FitExtent(m_history[static_cast<size_t>(m_current + 1)], Client(), cx, cy, s);
    Apply(cx, cy, s);
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasInvalidate(QRect(), !m_active);
    if (!m_active) {
        SaveViewToDocument();
        ++m_current;
    }
}

void ZZoomTool::ZoomExtents()
{
    const ZDocument* doc = m_canvas.Document();
    if (!doc)
        return;
    const ViewExtent e = doc->FullExtent(m_canvas);
    if (!(e.Width() > 0.0) || !(e.Height() > 0.0))
        return;
    const int m = ExtentsMargin();
    const QRect c = Client().adjusted(m, m, -m, -m);
    const double s = std::max(e.Width() / std::max(1, c.width()), e.Height() / std::max(1, c.height()));
    ApplyView((e.left + e.right) / 2, (e.bottom + e.top) / 2, s);
    SaveViewToDocument();
}

void ZZoomTool::SetMode(int mode)
{
    if (mode < RealTimeZoom || mode > NoMode)
        return;
    ZCanvasHost* host = m_canvas.Host();
    if (m_mode == NoMode && host)
        host->CanvasShowFocusHint(false);
    if ((mode == RealTimeZoom || mode == RealTimePan) && !m_active) {
        if (m_current >= 0)
            m_history[static_cast<size_t>(m_current)] = m_canvas.GetExtent();
        PushHistory();
        m_active = true;
        if (host)
            host->CanvasRealTime(true);
    }
    m_mode = static_cast<Mode>(mode);
}

void ZZoomTool::Exit()
{
    ZCanvasHost* host = m_canvas.Host();
    FocusLost();
    m_capture = false;
    if (m_active) {
        m_active = false;
        if (host)
            host->CanvasRealTime(false);
    }
    m_mode = NoMode;
    if (host)
        host->CanvasShowFocusHint(true);
    SaveViewToDocument();
}

bool ZZoomTool::MousePress(const QPoint& pt)
{
    switch (m_mode) {
    case RealTimeZoom:
    case RealTimePan:
        m_capture = true;
        break;
    case WindowZoom:
        m_capture = true;
        m_anchor = pt;
        m_rubberShown = false;
        break;
    case ZoomIn:
    case ZoomOut: {
        const auto& st = m_canvas.Settings();
        const double s = m_canvas.GetScale() * (m_mode == ZoomIn ? st.ZoomInScale : st.ZoomOutScale);
        double x, y;
        m_canvas.DeviceToWorld(pt.x(), pt.y(), x, y);
        m_last = pt;
        ApplyView(x, y, s);
        if (!m_active)
            Exit();
        return true;
    }
    default:
        return false;
    }
    m_last = pt;
    return true;
}

void ZZoomTool::Step(int d)
{
    const QRect c = Client();
    // A drag that would turn the window inside out leaves the scale alone.
    if (c.width() + 2 * d <= 0 || c.height() + 2 * d <= 0)
        return;
    const QRect grown(QPoint(c.left() - d, c.top() - d), QSize(c.width() + 2 * d, c.height() + 2 * d));
    const ViewExtent w = m_canvas.DeviceRectToWorld(grown);
    ApplyView(m_canvas.CentreX(), m_canvas.CentreY(), w.Width() / std::max(1, c.width()));
}

bool ZZoomTool::MouseMove(const QPoint& pt, bool leftDown)
{
    if (!m_capture || !leftDown || pt == m_last)
        return false;
    switch (m_mode) {
    case RealTimeZoom:
        Step(pt.y() - m_last.y());
        break;
    case RealTimePan: {
        double x0, y0, x1, y1;
        m_canvas.DeviceToWorld(m_last.x(), m_last.y(), x0, y0);
        m_canvas.DeviceToWorld(pt.x(), pt.y(), x1, y1);
        ApplyView(m_canvas.CentreX() - (x1 - x0), m_canvas.CentreY() - (y1 - y0), m_canvas.GetScale());
        break;
    }
    case WindowZoom: {
        const QRect old = RubberRect();
        m_last = pt;
        m_rubberShown = true;
        if (ZCanvasHost* host = m_canvas.Host())
            host->CanvasRubberChanged(old, RubberRect());
        return true;
    }
    default:
        return false;
    }
    m_last = pt;
    return true;
}

bool ZZoomTool::MouseRelease(const QPoint&)
{
    if (m_mode == NoMode)
        return false;
    if (!m_capture)
        return true;
    m_capture = false;
    if (m_mode != WindowZoom)
        return true;
    FocusLost();
    const int minW = m_canvas.Settings().Sizes().MinZoomWindowWidth;
    if (std::abs(m_anchor.x() - m_last.x()) > minW && std::abs(m_anchor.y() - m_last.y()) > minW) {
        double cx, cy, s, x0, y0, x1, y1;
        m_canvas.DeviceToWorld(m_anchor.x(), m_anchor.y(), x0, y0);
        m_canvas.DeviceToWorld(m_last.x(), m_last.y(), x1, y1);
        ViewExtent w{x0, y0, x1, y1};
        w.Normalize();
        ZNetCanvas::FitExtent(w, Client(), cx, cy, s);
        ApplyView(cx, cy, s);
    }
    if (!m_active)
        Exit();
    return true;
}

void ZZoomTool::FocusLost()
{
    if (!m_rubberShown)
        return;
    const QRect old = RubberRect();
    m_rubberShown = false;
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasRubberChanged(old, QRect());
}

QRect ZZoomTool::RubberRect() const
{
    if (!m_rubberShown)
        return QRect();
    return QRect(m_anchor, m_last).normalized();
}

int ZZoomTool::CursorId() const
{
    static const int ids[] = {145, 146, 142, 144, 143};
    return m_mode == NoMode ? -1 : ids[m_mode];
}

int ZZoomTool::ExtentsMargin() const
{
    const QRect c = Client();
    const int wanted = m_canvas.DeviceSize(m_canvas.Settings().Sizes().NodeWidth) + m_canvas.LabelHeight();
    // A tiny window keeps most of itself for the network.
    return std::max(1, std::min(wanted, std::min(c.width(), c.height()) / 8));
}

void ZZoomTool::Navigate(double cx, double cy, double scale, bool first)
{
    ZCanvasHost* host = m_canvas.Host();
    if (m_active || !first) {
        Apply(cx, cy, scale);
        if (host)
            host->CanvasInvalidate(QRect(), false);
        return;
    }
    ApplyView(cx, cy, scale);
}

void ZZoomTool::WheelStep(const QPoint& pt, bool zoomIn, bool first)
{
    const auto& st = m_canvas.Settings();
    const double s = m_canvas.GetScale() * (zoomIn ? st.ZoomInScale : st.ZoomOutScale);
    if (!(s > 0.0) || !std::isfinite(s))
        return;
    double x, y;
    m_canvas.DeviceToWorld(pt.x(), pt.y(), x, y);
    const QRect vp = m_canvas.GetViewport();
    // The centre that keeps (x, y) under the pixel at the new scale.
    const double cx = x - (pt.x() - vp.width() * 0.5) * s;
    const double cy = y + (pt.y() - vp.height() * 0.5) * s;
    Navigate(cx, cy, s, first);
}

void ZZoomTool::PanStep(const QPoint& from, const QPoint& to, bool first)
{
    if (from == to)
        return;
    double x0, y0, x1, y1;
    m_canvas.DeviceToWorld(from.x(), from.y(), x0, y0);
    m_canvas.DeviceToWorld(to.x(), to.y(), x1, y1);
    Navigate(m_canvas.CentreX() - (x1 - x0), m_canvas.CentreY() - (y1 - y0), m_canvas.GetScale(), first);
}
