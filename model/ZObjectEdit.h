#pragma once
#include "ZEdit.h"
#include "ZNetObject.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class ZNetLink;
class ZNetNode;

// The edit a ZEditTransaction records: for every object the change reached, its whole state
// before and after (a snapshot of fields, Id and flags, whether it was in the network, a link's
// end nodes, a node's incidence list in order), and the document's balanced flag. Undo and redo
// put the recorded side back, so identifiers, array order, positions, bend points, connections
// and the flag come back exactly. Objects out of the network in the side in effect belong to
// the edit.
class ZObjectEdit : public ZEdit {
public:
    ZObjectEdit(std::string text, ZDocument& doc);
    ~ZObjectEdit() override;

    // Captures the object's state before it changes; later calls for the same object only mark
    // it touched. `touched`: the caller changes the object itself (fields, position, Id), as
    // opposed to the network's bookkeeping of connections.
    void Record(ZNetObject* obj, bool touched);
    // Captures the object's own state only, not its connections nor its ends: for changes of
    // values and flags. Should its connections change later in the edit, Record adds them.
    void RecordFields(ZNetObject* obj);
    // An object the caller put into the network; it had no state before the change.
    void RecordNew(ZNetObject* obj);
    // The caller hands over an object it took out of the network.
    void MarkRemoved(ZNetObject* obj);
    // Captures the state after the change; the edit is then in effect.
    void Finish();
    bool IsEmpty() const { return m_entries.empty() && m_balancedBefore == m_balancedAfter; }
    int ObjectCount() const { return static_cast<int>(m_entries.size()); }

    size_t MemoryUsage() const override { return m_bytes; }
    ZNetMsg Hint(bool applied) const override;
    // Objects added, removed, touched or connected otherwise; not those recorded only in case
    // their connections changed.
    const std::vector<ZNetObject*>* ReachedObjects() const override { return &m_reached; }
    // Announces going into effect with this code and no further fields (a CAD import: views
    // rebuild as a whole); undo still announces the objects it removes.
    void SetAppliedCode(int code) { m_appliedCode = code; }

protected:
    void DoApply(ZDocument& doc) override { Restore(doc, true); }
    void DoRevert(ZDocument& doc) override { Restore(doc, false); }

private:
    struct State {
        std::unique_ptr<ZNetObject> copy;   // null where the object did not exist yet
        bool inNetwork = false;
        ZNetNode* start = nullptr;   // links
        ZNetNode* end = nullptr;
        std::vector<ZNetLink*> links;   // nodes: incidence order
    };
    struct Entry {
        ZNetObject* obj = nullptr;
        State before, after;
        bool touched = false;
        bool handedOver = false;   // given to MarkRemoved
        bool reposition = false;   // its place in the arrays differs between the sides
        bool fieldsOnly = false;   // no connections captured, none put back
    };

    size_t Add(ZNetObject* obj, bool touched);
    void Capture(const ZNetObject* obj, State& s, bool withCopy, bool withLinks = true) const;
    void RecordLateNode(ZNetObject* node);
    bool LinksRecorded(const ZNetObject* obj) const;
    void Restore(ZDocument& doc, bool after);
    void SortOutHints();
    size_t EntryBytes(const Entry& e) const;

    ZDocument& m_doc;
    std::vector<Entry> m_entries;
    std::unordered_map<const ZNetObject*, size_t> m_lookup;   // while recording
    uint32_t m_balancedBefore = 0;
    uint32_t m_balancedAfter = 0;
    std::vector<ZNetObject*> m_added, m_removed, m_changed, m_all, m_reached;
    bool m_geometryChanged = false;
    int m_appliedCode = 0;
    size_t m_bytes = 0;
};
