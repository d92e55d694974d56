#pragma once
#include "model/ViewExtent.h"
#include "model/ZNetObject.h"

#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

class ZNetCanvas;
class ZNetwork;

// The selection of one graphic view: a click picks one object, Shift-click toggles it, a drag on
// empty ground draws a rubber rectangle that adds every visible object inside it (window
// selection) or touching it (crossing selection). Selected objects carry FLAG_SELECTED and are
// repainted where their look changes, nowhere else.
class ZSelectTracker {
public:
    explicit ZSelectTracker(ZNetCanvas& canvas) : m_canvas(canvas) {}

    // Button down at a pixel. `canDrag`: a press on empty ground starts a rubber drag (left
    // button only; a right click selects but never drags). Always handled.
    bool ButtonDown(bool shift, const QPoint& pt, bool canDrag);
    // A move while dragging with the left button down; false when not dragging.
    bool MouseMove(const QPoint& pt, bool leftDown);
    // End of a drag: select what the rectangle holds; false when not dragging.
    bool ButtonUp(const QPoint& pt);
    // Focus lost or Escape: the rectangle goes, nothing is selected.
    void KillFocus();
    bool IsTracking() const { return m_tracking; }
    // The rubber rectangle as shown (pixels), null when none.
    QRect RubberRect() const;

    void Clear();
    // The network was replaced: forget the arrays without touching any object.
    void Reset();
    // Keeps only what is still in the network, without touching what is not (it may be gone).
    void KeepOnly(const ZNetwork& network);
    bool Add(ZNetObject* o);
    void Remove(ZNetObject* o);
    // Objects gone from the document: out of the arrays (their flags are the document's).
    void RemoveObjects(const std::vector<ZNetObject*>& objects);
    // Objects that came (back) into the document already carrying the selection bit.
    void AdoptSelected(const std::vector<ZNetObject*>& objects);

    const std::vector<ZNetObject*>& SelectedNodes() const { return m_nodes; }
    const std::vector<ZNetObject*>& SelectedLinks() const { return m_links; }
    // The selected objects of one kind, in selection order.
    std::vector<ZNetObject*> Selected(ZNetObject::Kind kind) const;
    int Count(ZNetObject::Kind kind) const { return m_counts[static_cast<size_t>(kind)]; }
    int Total() const { return static_cast<int>(m_nodes.size() + m_links.size()); }
    // World rectangle covering the objects' display rectangles.
    ViewExtent BoundRect(const std::vector<ZNetObject*>& objects) const;

    // Puts the selection bit on or off without touching the arrays (the find dialog's blink).
    // While the bit shows otherwise than the arrays hold, announcements do not adopt the object.
    void ShowSelected(ZNetObject* o, bool selected);

private:
    void Repaint(const ViewExtent& area);
    void AddOne(ZNetObject* o, ViewExtent& changed);
    void SelectArea(const QRect& pixels);

    ZNetCanvas& m_canvas;
    bool m_tracking = false;
    bool m_rubberShown = false;
    QPoint m_anchor;
    QPoint m_lastPoint;
    std::vector<ZNetObject*> m_nodes;
    std::vector<ZNetObject*> m_links;
    std::array<int, 5> m_counts{};
    const ZNetObject* m_shown = nullptr;   // its bit shows a state the arrays do not hold
};
