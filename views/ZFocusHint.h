#pragma once
#include "model/PipePoint.h"

#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;
class ZNetCanvas;
class ZNetObject;
class ZPipeLink;
class ZNetView;
struct ViewExtent;

// The marker that follows the cursor while a workshop runs: it snaps to the node or the point on a
// pipe that a click would act on (a square for a node, a diamond on a pipe), and draws the rubber
// lines of a pipe being drawn or an object being moved. It is painted over the view's picture in
// exclusive-or, so it never enters the picture and moving it repaints nothing of the network.
class ZFocusHint {
public:
    enum ModeBits { SnapNodes = 1, SnapPipes = 2 };

    explicit ZFocusHint(ZNetCanvas& canvas) : m_canvas(canvas) {}

    void SetMode(int bits) { m_mode = bits; }
    int Mode() const { return m_mode; }

    // The cursor moved: find what it would act on, and repaint where the marker or lines changed.
    void MouseMove(const QPoint& pt);
    // The network changed under the marker: look again at the last cursor position.
    void Refresh();
    // Forget everything (the workshop ended) and take the drawing off the screen.
    void Reset();
    // Objects left the network: the marker must not point at one of them.
    void Forget(const std::vector<ZNetObject*>& objects);

    // The hinted object (a node or a pipe), or null; its snap point (world) and, for a pipe, the
    // segment index (0 from the start node) or -1 when a bend point was hit (then BendIndex()).
    ZNetObject* Object() const { return m_object; }
    const PipePoint& Point() const { return m_point; }
    int Segment() const { return m_segment; }
    int BendIndex() const { return m_bend; }

    // The rubber line of a pipe being drawn runs from the anchor to the cursor.
    void SetAnchor(const PipePoint& p);
    void ClearAnchor();
    // Lines of a move: each runs from a fixed world point to a point that moves with the cursor
    // (its position at `grab` plus the cursor's travel since); `path` moves whole.
    void SetMoveLines(const PipePoint& grab, std::vector<std::pair<PipePoint, PipePoint>> lines,
                      std::vector<PipePoint> path = {});

    // Where the cursor or snap point is in world units (the point a click would give).
    PipePoint CursorWorld() const;
    bool HasCursor() const { return m_hasCursor; }

    // Exclusive-or drawing over the picture, in the FocusHint colour.
    void Paint(QPainter& p) const;
    // The pixels the drawing covers now, null when nothing shows.
    QRect Bounds() const;

    // Snapping of a pick rectangle onto a pipe: its first bend point inside the rectangle
    // (segment -1, `bend` its index), else the foot of the perpendicular from the rectangle's
    // centre onto the first segment crossing it (`segment` its index). False when none.
    static bool SnapPipe(const ZNetView& view, const ZPipeLink& pipe, const ViewExtent& pick, PipePoint& at,
                         int& segment, int& bend);

private:
    void Find(const QPoint& pt);
    void Changed(const QRect& before);
    QPointF MovingEnd(const PipePoint& base) const;

    ZNetCanvas& m_canvas;
    int m_mode = 0;
    bool m_hasCursor = false;
    QPoint m_cursor;
    ZNetObject* m_object = nullptr;
    PipePoint m_point;
    int m_segment = -1;
    int m_bend = -1;
    bool m_hasAnchor = false;
    PipePoint m_anchor;
    PipePoint m_grab;
    std::vector<std::pair<PipePoint, PipePoint>> m_moveLines;
    std::vector<PipePoint> m_movePath;   // a polyline that moves whole (a pipe being moved)
};
