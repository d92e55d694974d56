#include "ZSelectTracker.h"

#include "ZCanvasHost.h"
#include "ZNetCanvas.h"

#include "model/ZNetwork.h"
#include "model/ZSettingsStore.h"

#include <algorithm>
#include <unordered_set>

bool ZSelectTracker::ButtonDown(bool shift, const QPoint& pt, bool canDrag)
{
    ZNetObject* hit = m_canvas.PickAt(pt, m_canvas.Settings().Sizes().TipFocWidth);
    if (!shift && (!hit || !hit->IsSelected()))
        Clear();
    if (!hit) {
        if (canDrag) {
            m_tracking = true;
            m_anchor = m_lastPoint = pt;
            m_rubberShown = false;
        }
        return true;
    }
    if (!hit->IsSelected())
        Add(hit);
    else if (shift)
        Remove(hit);
    return true;
}

bool ZSelectTracker::MouseMove(const QPoint& pt, bool leftDown)
{
    if (!m_tracking)
        return false;
    if (!leftDown || pt == m_lastPoint)
        return true;
    const QRect old = RubberRect();
    m_lastPoint = pt;
    m_rubberShown = true;
    if (ZCanvasHost* host = m_canvas.Host())
        host->CanvasRubberChanged(old, RubberRect());
    return true;
}

bool ZSelectTracker::ButtonUp(const QPoint& pt)
{
    if (!m_tracking)
        return false;
    if (pt != m_lastPoint && m_rubberShown)
        MouseMove(pt, true);
    const bool shown = m_rubberShown;
    const QRect r = QRect(m_anchor, m_lastPoint).normalized();
    KillFocus();
    if (shown)
        SelectArea(r);
    return true;
}

void ZSelectTracker::KillFocus()
{
    if (!m_tracking)
        return;
    const QRect old = RubberRect();
    m_tracking = false;
    m_rubberShown = false;
    if (ZCanvasHost* host = m_canvas.Host(); host && !old.isNull())
        host->CanvasRubberChanged(old, QRect());
}

QRect ZSelectTracker::RubberRect() const
{
    if (!m_tracking || !m_rubberShown)
        return QRect();
    return QRect(m_anchor, m_lastPoint).normalized();
}

void ZSelectTracker::SelectArea(const QRect& pixels)
{
    // Corner pixels both count: the rectangle reaches to the far edge of the last pixel.
    const ViewExtent area = m_canvas.DeviceRectToWorld(pixels.adjusted(0, 0, 1, 1));
    const bool window = m_canvas.Settings().SelectMode == ZSettingsStore::WindowSelect;
    std::vector<ZNetObject*> found;
    m_canvas.VisibleSet().Select(m_canvas, area, window, found);
    ViewExtent changed = ViewExtent::Empty();
    for (ZNetObject* o : found)
        if (!o->IsSelected())
            AddOne(o, changed);
    Repaint(changed);
}

void ZSelectTracker::Repaint(const ViewExtent& area)
{
    ZCanvasHost* host = m_canvas.Host();
    if (!host || area.IsEmpty())
        return;
    // Dotted pens and fills reach a pen width or two beyond the display rectangle.
    host->CanvasInvalidate(m_canvas.WorldRectToDevice(area).adjusted(-2, -2, 3, 3), true);
}

void ZSelectTracker::AddOne(ZNetObject* o, ViewExtent& changed)
{
    o->SetFlag(qen::FLAG_SELECTED);
    (o->IsNode() ? m_nodes : m_links).push_back(o);
    ++m_counts[static_cast<size_t>(o->GetKind())];
    changed.Include(o->GetDisplayRect(m_canvas));
}

bool ZSelectTracker::Add(ZNetObject* o)
{
    if (!o || o->IsSelected())
        return false;
    ViewExtent changed = ViewExtent::Empty();
    AddOne(o, changed);
    Repaint(changed);
    return true;
}

void ZSelectTracker::Remove(ZNetObject* o)
{
    auto& arr = o->IsNode() ? m_nodes : m_links;
    auto it = std::find(arr.begin(), arr.end(), o);
    if (it == arr.end())
        return;
    arr.erase(it);
    --m_counts[static_cast<size_t>(o->GetKind())];
    o->ClearFlag(qen::FLAG_SELECTED);
    Repaint(o->GetDisplayRect(m_canvas));
}

void ZSelectTracker::Clear()
{
    ViewExtent changed = ViewExtent::Empty();
    for (auto* arr : {&m_nodes, &m_links}) {
        for (ZNetObject* o : *arr) {
            o->ClearFlag(qen::FLAG_SELECTED);
            // Objects outside the view need no repaint and no label layout.
            if (o->HasFlag(qen::FLAG_PICKED))
                changed.Include(o->GetDisplayRect(m_canvas));
        }
        arr->clear();
    }
    m_counts.fill(0);
    Repaint(changed);
}

void ZSelectTracker::Reset()
{
    KillFocus();
    m_nodes.clear();
    m_links.clear();
    m_counts.fill(0);
    m_shown = nullptr;
}

void ZSelectTracker::KeepOnly(const ZNetwork& network)
{
    if (Total() == 0)
        return;
    std::unordered_set<const ZNetObject*> present;
    present.reserve(static_cast<size_t>(Total()));
    const std::unordered_set<const ZNetObject*> selected = [&] {
        std::unordered_set<const ZNetObject*> s(m_nodes.begin(), m_nodes.end());
        s.insert(m_links.begin(), m_links.end());
        return s;
    }();
    for (const ZNetObject* o : network.Nodes())
        if (selected.count(o))
            present.insert(o);
    for (const ZNetObject* o : network.Links())
        if (selected.count(o))
            present.insert(o);
    m_counts.fill(0);
    for (auto* arr : {&m_nodes, &m_links}) {
        std::erase_if(*arr, [&](ZNetObject* o) { return !present.count(o); });
        for (ZNetObject* o : *arr)
            ++m_counts[static_cast<size_t>(o->GetKind())];
    }
}

void ZSelectTracker::RemoveObjects(const std::vector<ZNetObject*>& objects)
{
    if (std::find(objects.begin(), objects.end(), m_shown) != objects.end())
        m_shown = nullptr;
    if (objects.empty() || Total() == 0)
        return;
    const std::unordered_set<ZNetObject*> gone(objects.begin(), objects.end());
    for (auto* arr : {&m_nodes, &m_links}) {
        std::erase_if(*arr, [&](ZNetObject* o) {
            if (!gone.count(o))
                return false;
            --m_counts[static_cast<size_t>(o->GetKind())];
            return true;
        });
    }
}

void ZSelectTracker::AdoptSelected(const std::vector<ZNetObject*>& objects)
{
    for (ZNetObject* o : objects) {
        if (!o->IsSelected() || o == m_shown)
            continue;
        auto& arr = o->IsNode() ? m_nodes : m_links;
        if (std::find(arr.begin(), arr.end(), o) != arr.end())
            continue;
        arr.push_back(o);
        ++m_counts[static_cast<size_t>(o->GetKind())];
    }
}

std::vector<ZNetObject*> ZSelectTracker::Selected(ZNetObject::Kind kind) const
{
    std::vector<ZNetObject*> out;
    const auto& arr = kind == ZNetObject::Kind::Node ? m_nodes : m_links;
    for (ZNetObject* o : arr)
        if (o->GetKind() == kind)
            out.push_back(o);
    return out;
}

ViewExtent ZSelectTracker::BoundRect(const std::vector<ZNetObject*>& objects) const
{
    ViewExtent r = ViewExtent::Empty();
    for (const ZNetObject* o : objects)
        r.Include(o->GetDisplayRect(m_canvas));
    return r;
}

void ZSelectTracker::ShowSelected(ZNetObject* o, bool selected)
{
    const auto& arr = o->IsNode() ? m_nodes : m_links;
    const bool member = std::find(arr.begin(), arr.end(), o) != arr.end();
    m_shown = selected != member ? o : nullptr;
    if (o->IsSelected() == selected)
        return;
    selected ? o->SetFlag(qen::FLAG_SELECTED) : o->ClearFlag(qen::FLAG_SELECTED);
    Repaint(o->GetDisplayRect(m_canvas));
}
