#pragma once
#include <QRect>

struct ViewExtent;

// What a canvas asks of the window that shows it. The exporter and tests run without one.
class ZCanvasHost {
public:
    virtual ~ZCanvasHost() = default;
    // Client rectangle in pixels (the restored size while the window is minimised).
    virtual QRect CanvasClientRect() const = 0;
    // Repaint the rectangle (the whole client area when null); `erase` repaints the background too.
    virtual void CanvasInvalidate(const QRect& rect, bool erase) = 0;
    // The saved view changed: store it in the document (a view change is no edit).
    virtual void CanvasSaveView(const ViewExtent& extent) = 0;
    // Start and end of a real-time run, during which paints go through the off-screen buffer.
    virtual void CanvasRealTime(bool active) = 0;
    // Hide or show the editing focus hint while navigating.
    virtual void CanvasShowFocusHint(bool) {}
    // The window-zoom frame moved: repaint where it was and where it is (either may be null).
    virtual void CanvasRubberChanged(const QRect&, const QRect&) {}
};
