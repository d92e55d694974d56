#pragma once
#include "model/ViewExtent.h"

#include <QPoint>
#include <QRect>

#include <vector>

class ZNetCanvas;

// Zooming and panning of one graphic view: the modes a click or drag works in, the history of
// views with back and forward, zoom extents, and the real-time run during which every drag step
// repaints through the off-screen buffer and the history takes a single entry.
class ZZoomTool {
public:
    enum Mode { RealTimeZoom = 0, RealTimePan = 1, WindowZoom = 2, ZoomIn = 3, ZoomOut = 4, NoMode = 5 };

    explicit ZZoomTool(ZNetCanvas& canvas) : m_canvas(canvas) {}

    Mode GetMode() const { return m_mode; }
    bool IsActive() const { return m_active; }
    // Runs one of the zoom and pan command ids (CommandIds.h); false for another id.
    bool Execute(int command);
    bool IsChecked(int command) const;
    bool IsEnabled(int command) const;

    void SetMode(int mode);
    void Exit();
    void Back();
    void Forward();
    void ZoomExtents();
    bool CanBack() const { return m_current > 0; }
    bool CanForward() const { return m_current >= 0 && m_current + 1 < static_cast<int>(m_history.size()); }

    void PushHistory();
    void Apply(double cx, double cy, double scale);
    void ApplyView(double cx, double cy, double scale);
    void SaveViewToDocument();

    // Mouse, in viewport pixels. Each returns true when the tool consumed the event.
    bool MousePress(const QPoint& pt);
    bool MouseMove(const QPoint& pt, bool leftDown);
    bool MouseRelease(const QPoint& pt);
    bool DoubleClick() const { return m_mode != NoMode; }
    // Focus lost: take the window-zoom frame off the screen.
    void FocusLost();
    bool HasCapture() const { return m_capture; }

    // The window-zoom frame as shown, or null.
    QRect RubberRect() const;
    // Cursor resource of the mode (145, 146, 142, 144, 143), -1 in no mode.
    int CursorId() const;

    const std::vector<ViewExtent>& History() const { return m_history; }
    int Current() const { return m_current; }

private:
    void Step(int delta);
    QRect Client() const;

    ZNetCanvas& m_canvas;
    std::vector<ViewExtent> m_history;
    int m_current = -1;
    bool m_active = false;
    Mode m_mode = NoMode;
    QPoint m_last;
    QPoint m_anchor;
    bool m_rubberShown = false;
    bool m_capture = false;
};
