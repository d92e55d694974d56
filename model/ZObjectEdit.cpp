#include "ZObjectEdit.h"

#include "ZDocument.h"
#include "ZPipeLink.h"
#include "ZPumpLink.h"
#include "ZTankLink.h"
#include "ZValveLink.h"

#include <algorithm>

ZObjectEdit::ZObjectEdit(std::string text, ZDocument& doc)
    : ZEdit(std::move(text)), m_doc(doc), m_balancedBefore(doc.GetDrawSettings().Balanced),
      m_balancedAfter(m_balancedBefore)
{
}

ZObjectEdit::~ZObjectEdit()
{
    // What is out of the network in the side in effect is ours; an object the network holds
    // again (index set) is not.
    const bool applied = IsApplied();
    for (Entry& e : m_entries) {
        const State& now = applied ? e.after : e.before;
        if (!now.inNetwork && e.obj->GetIndex() < 0)
            e.obj->DeleteSelf();
    }
}

void ZObjectEdit::Capture(const ZNetObject* obj, State& s, bool withCopy, bool withLinks) const
{
    s.inNetwork = obj->GetIndex() >= 0;
    if (withCopy)
        s.copy.reset(obj->Snapshot());
    if (!withLinks)
        return;
    if (obj->IsLink()) {
        const auto* l = static_cast<const ZNetLink*>(obj);
        s.start = l->StartNode();
        s.end = l->EndNode();
    } else {
        const auto* n = static_cast<const ZNetNode*>(obj);
        s.links.clear();
        for (ZNetLink* l = n->FirstLink(); l; l = l->NextLinkAt(n))
            s.links.push_back(l);
    }
}

size_t ZObjectEdit::Add(ZNetObject* obj, bool touched)
{
    const auto [it, inserted] = m_lookup.try_emplace(obj, m_entries.size());
    if (!inserted) {
        m_entries[it->second].touched |= touched;
        return it->second;
    }
    const size_t i = m_entries.size();
    m_entries.emplace_back();
    m_entries[i].obj = obj;
    m_entries[i].touched = touched;
    // A new object has no earlier state to go back to.
    Capture(obj, m_entries[i].before, obj->GetIndex() >= 0);
    return i;
}

void ZObjectEdit::Record(ZNetObject* obj, bool touched)
{
    if (!obj)
        return;
    if (const auto it = m_lookup.find(obj); it != m_lookup.end()) {
        Entry& e = m_entries[it->second];
        e.touched |= touched;
        if (!e.fieldsOnly)
            return;
        // Its connections are about to change: from now on they are part of the edit.
        e.fieldsOnly = false;
        Capture(obj, e.before, false);
    } else {
        Add(obj, touched);
    }
    if (obj->IsLink()) {
        // The ends' incidence lists change with the link's connections.
        auto* l = static_cast<ZNetLink*>(obj);
        if (l->StartNode())
            Record(l->StartNode(), false);
        if (l->EndNode())
            Record(l->EndNode(), false);
    } else if (touched) {
        // A device node moves the other end of its device along.
        auto* n = static_cast<ZFlowNode*>(obj);
        if (n->IsDeviceNode())
            if (ZDeviceLink* dev = n->GetDevice())
                Record(dev->OtherNode(n), true);
    }
}

void ZObjectEdit::RecordFields(ZNetObject* obj)
{
    if (!obj)
        return;
    if (const auto it = m_lookup.find(obj); it != m_lookup.end()) {
        m_entries[it->second].touched = true;
        return;
    }
    const size_t i = m_entries.size();
    m_lookup.emplace(obj, i);
    m_entries.emplace_back();
    Entry& e = m_entries[i];
    e.obj = obj;
    e.touched = true;
    e.fieldsOnly = true;
    Capture(obj, e.before, obj->GetIndex() >= 0, false);
}

void ZObjectEdit::RecordNew(ZNetObject* obj)
{
    if (!obj || m_lookup.count(obj))
        return;   // recorded by the network before it was added
    const size_t i = m_entries.size();
    m_lookup.emplace(obj, i);
    m_entries.emplace_back();
    m_entries[i].obj = obj;
    if (obj->IsLink()) {
        auto* l = static_cast<ZNetLink*>(obj);
        for (ZNetNode* end : {l->StartNode(), l->EndNode()})
            if (end && !LinksRecorded(end))
                RecordLateNode(end);
    }
}

void ZObjectEdit::MarkRemoved(ZNetObject* obj)
{
    if (!obj)
        return;
    m_entries[Add(obj, false)].handedOver = true;
}

bool ZObjectEdit::LinksRecorded(const ZNetObject* obj) const
{
    const auto it = m_lookup.find(obj);
    return it != m_lookup.end() && !m_entries[it->second].fieldsOnly;
}

void ZObjectEdit::RecordLateNode(ZNetObject* obj)
{
    // A node first met as the new end of a recorded link: its list before the change is today's
    // without the links that came to it, plus those that left it (their place is lost: last).
    auto* node = static_cast<ZNetNode*>(obj);
    const size_t i = Add(obj, false);
    if (m_entries[i].fieldsOnly) {
        // Recorded for its values alone: today's list is where its list before starts from too.
        m_entries[i].fieldsOnly = false;
        Capture(obj, m_entries[i].before, false);
    }
    auto wasHere = [&](ZNetLink* l) {
        const auto it = m_lookup.find(l);
        if (it == m_lookup.end() || m_entries[it->second].fieldsOnly)
            return true;   // its connections did not change
        const State& b = m_entries[it->second].before;
        return b.inNetwork && (b.start == node || b.end == node);
    };
    std::vector<ZNetLink*> links;
    for (ZNetLink* l : m_entries[i].before.links)
        if (wasHere(l))
            links.push_back(l);
    for (const Entry& e : m_entries)
        if (e.obj->IsLink() && e.before.inNetwork && (e.before.start == node || e.before.end == node)) {
            auto* l = static_cast<ZNetLink*>(e.obj);
            if (std::find(links.begin(), links.end(), l) == links.end())
                links.push_back(l);
        }
    m_entries[i].before.links = std::move(links);
}

void ZObjectEdit::Finish()
{
    for (size_t i = 0, n = m_entries.size(); i < n; ++i) {
        if (!m_entries[i].obj->IsLink() || m_entries[i].fieldsOnly)
            continue;
        auto* l = static_cast<ZNetLink*>(m_entries[i].obj);
        for (ZNetNode* end : {l->StartNode(), l->EndNode()})
            if (end && !LinksRecorded(end))
                RecordLateNode(end);
    }
    m_lookup.clear();

    std::vector<Entry> kept;
    kept.reserve(m_entries.size());
    for (Entry& e : m_entries) {
        Capture(e.obj, e.after, true, !e.fieldsOnly);
        if (!e.before.inNetwork && !e.after.inNetwork) {
            // Never part of the document: added and taken out again, or touched before an add
            // that failed. Only what the caller handed over is ours.
            if (e.handedOver)
                e.obj->DeleteSelf();
            continue;
        }
        if (!e.after.inNetwork)
            e.obj->ClearFlag(qen::FLAG_SELECTED);   // selection ends with the object's removal
        e.reposition = e.before.inNetwork != e.after.inNetwork ||
                       (e.before.copy && e.before.copy->IdView() != e.after.copy->IdView());
        kept.push_back(std::move(e));
    }
    m_entries = std::move(kept);
    m_balancedAfter = m_doc.GetDrawSettings().Balanced;
    SortOutHints();
    m_bytes = sizeof(*this);
    for (const Entry& e : m_entries)
        m_bytes += EntryBytes(e);
    MarkApplied();
}

size_t ZObjectEdit::EntryBytes(const Entry& e) const
{
    size_t objectBytes = sizeof(ZConsumeNode);
    switch (e.obj->GetKind()) {
    case ZNetObject::Kind::Pipe:
        objectBytes = sizeof(ZPipeLink) + static_cast<const ZPipeLink*>(e.obj)->Vertices().size() * sizeof(PipePoint);
        break;
    case ZNetObject::Kind::Pump:
        objectBytes = sizeof(ZPumpLink);
        break;
    case ZNetObject::Kind::Valve:
        objectBytes = sizeof(ZValveLink);
        break;
    case ZNetObject::Kind::Tank:
        objectBytes = sizeof(ZTankLink);
        break;
    default:
        break;
    }
    const size_t copies = (e.before.copy ? 1 : 0) + (e.after.copy ? 1 : 0);
    return sizeof(Entry) + copies * objectBytes +
           (e.before.links.capacity() + e.after.links.capacity()) * sizeof(ZNetLink*) + 2 * sizeof(void*);
}

static bool SameGeometry(const ZNetObject& a, const ZNetObject& b)
{
    if (a.IsNode()) {
        const auto& na = static_cast<const ZFlowNode&>(a);
        const auto& nb = static_cast<const ZFlowNode&>(b);
        return na.X == nb.X && na.Y == nb.Y;
    }
    if (a.GetKind() == ZNetObject::Kind::Pipe)
        return static_cast<const ZPipeLink&>(a).Vertices() == static_cast<const ZPipeLink&>(b).Vertices();
    return true;
}

void ZObjectEdit::SortOutHints()
{
    for (const Entry& e : m_entries) {
        m_all.push_back(e.obj);
        if (e.touched || !e.before.inNetwork || !e.after.inNetwork ||
            (!e.fieldsOnly &&
             (e.before.start != e.after.start || e.before.end != e.after.end || e.before.links != e.after.links)))
            m_reached.push_back(e.obj);
        if (!e.before.inNetwork)
            m_added.push_back(e.obj);
        else if (!e.after.inNetwork)
            m_removed.push_back(e.obj);
        else if (e.touched) {
            m_changed.push_back(e.obj);
            if (!SameGeometry(*e.before.copy, *e.after.copy) || e.before.start != e.after.start ||
                e.before.end != e.after.end)
                m_geometryChanged = true;
        }
    }
}

ZNetMsg ZObjectEdit::Hint(bool applied) const
{
    const std::vector<ZNetObject*>& came = applied ? m_added : m_removed;
    const std::vector<ZNetObject*>& went = applied ? m_removed : m_added;
    ZNetMsg msg;
    if (applied && m_appliedCode) {
        msg.Code = m_appliedCode;
        return msg;
    }
    msg.Code = ZNetMsg::ObjectsChanged;
    if (m_changed.empty() && came.empty() && !went.empty()) {
        msg.SubCode = ZNetMsg::Removed;
        msg.Objects = &went;
    } else if (m_changed.empty() && went.empty() && !came.empty()) {
        msg.SubCode = ZNetMsg::Added;
        msg.Objects = &came;
    } else if (came.empty() && went.empty() && !m_changed.empty()) {
        msg.SubCode = m_geometryChanged ? ZNetMsg::PositionEdited : ZNetMsg::AttributesEdited;
        msg.Objects = &m_changed;
    } else {
        msg.SubCode = ZNetMsg::None;   // several kinds at once: views refresh as a whole
        msg.Objects = &m_all;
    }
    return msg;
}

void ZObjectEdit::Restore(ZDocument& doc, bool toAfter)
{
    ZNetwork& net = doc.GetNetwork();
    std::vector<ZConsumeNode*> outNodes, inNodes;
    std::vector<ZFlowLink*> outLinks, inLinks;
    for (const Entry& e : m_entries) {
        if (!e.reposition)
            continue;
        const State& from = toAfter ? e.before : e.after;
        const State& to = toAfter ? e.after : e.before;
        if (e.obj->IsNode()) {
            if (from.inNetwork)
                outNodes.push_back(static_cast<ZConsumeNode*>(e.obj));
            if (to.inNetwork)
                inNodes.push_back(static_cast<ZConsumeNode*>(e.obj));
        } else {
            if (from.inNetwork)
                outLinks.push_back(static_cast<ZFlowLink*>(e.obj));
            if (to.inNetwork)
                inLinks.push_back(static_cast<ZFlowLink*>(e.obj));
        }
    }
    net.RemoveFromArrays(outNodes, outLinks);

    for (const Entry& e : m_entries) {
        const State& to = toAfter ? e.after : e.before;
        if (to.copy)
            e.obj->CopyState(*to.copy);
        if (!to.inNetwork)
            e.obj->ClearFlag(qen::FLAG_SELECTED);
        if (e.obj->IsLink() && !e.fieldsOnly) {
            auto* l = static_cast<ZNetLink*>(e.obj);
            l->SetStartNode(to.start);
            l->SetEndNode(to.end);
            l->SetNextAtStart(nullptr);
            l->SetNextAtEnd(nullptr);
        }
    }
    net.MergeIntoArrays(std::move(inNodes), std::move(inLinks));

    // Every end of a recorded link is a recorded node, so rethreading the recorded nodes' lists
    // sets every link pointer that changed.
    for (const Entry& e : m_entries) {
        if (e.obj->IsLink() || e.fieldsOnly)
            continue;
        const State& to = toAfter ? e.after : e.before;
        auto* n = static_cast<ZNetNode*>(e.obj);
        n->SetFirstLink(to.links.empty() ? nullptr : to.links.front());
        for (size_t i = 0; i < to.links.size(); ++i)
            to.links[i]->SetNextLinkAt(n, i + 1 < to.links.size() ? to.links[i + 1] : nullptr);
    }
    doc.GetDrawSettings().Balanced = toAfter ? m_balancedAfter : m_balancedBefore;
}
