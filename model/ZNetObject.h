#pragma once
#include "GbkString.h"
#include "ObjectFlags.h"
#include "PipePoint.h"
#include "ViewExtent.h"

#include <cstdint>
#include <string>
#include <string_view>

class ZDrawContext;
class ZNetView;

// Root of every network object: identifier, array position and state flags.
class ZNetObject {
public:
    static constexpr int MaxIdLength = 19;
    enum class Kind { Node, Pipe, Pump, Valve, Tank };

    virtual ~ZNetObject() = default;
    ZNetObject(const ZNetObject&) = delete;
    ZNetObject& operator=(const ZNetObject&) = delete;

    virtual Kind GetKind() const = 0;
    virtual const char* ClassName() const = 0;   // the name written into project files
    virtual int Schema() const { return 1; }

    // A detached copy: same class and attributes, empty Id, Index -1, no topology.
    virtual ZNetObject* Clone() const = 0;
    // Copies flags (minus the transient bits) and the fields the class's field table marks
    // Copied (ZFieldTable); never Id, Index, topology, Flow or Resistance. `other` must be of
    // the same class.
    virtual void CopyFrom(const ZNetObject& other);
    // Copies everything the object stores but Index and topology: Id, flags (this object's
    // transient bits stay), every described field and the polyline. For the edit history's
    // snapshots; `other` must be of the same class.
    void CopyState(const ZNetObject& other);
    // A detached copy holding the whole state (CopyState), for the edit history.
    ZNetObject* Snapshot() const;
    void DeleteSelf() { delete this; }
    virtual const char* KindLetter() const = 0;

    // Drawing operations, in world units at the view's current scale. The bound rectangle is the
    // object's geometry; the display rectangle adds the drawn symbol and label.
    virtual ViewExtent GetBoundRect(const ZNetView& view) const = 0;
    virtual ViewExtent GetDisplayRect(const ZNetView& view) const = 0;
    // The display rectangle lies inside the area.
    virtual bool HitTestRect(const ZNetView& view, const ViewExtent& area) const;
    // The drawing touches the pick rectangle.
    virtual bool HitTestPoint(const ZNetView& view, const ViewExtent& pick) const;
    // When a pick square around `at` hits the object, the point to snap to.
    virtual bool SnapPoint(const ZNetView& view, const ViewExtent& pick, PipePoint& snapped) const;
    virtual void Draw(const ZNetView& view, ZDrawContext& dc) const = 0;
    // Tooltip line and single-value label (GBK) selected by the application's settings.
    virtual void GetTipText(const ZNetView&, GbkString& text) const { text.clear(); }
    virtual void GetGradeText(const ZNetView&, GbkString& text) const { text.clear(); }

    bool IsNode() const { return GetKind() == Kind::Node; }
    bool IsLink() const { return GetKind() != Kind::Node; }

    // Identifier bytes (GBK). SetId refuses (returns false, changes nothing) texts longer than
    // MaxIdLength bytes or holding a NUL: cutting could make two identifiers equal.
    const char* GetId() const { return m_id; }
    GbkView IdView() const { return GbkView(std::string_view(m_id, m_idLength)); }
    bool SetId(GbkView text);
    static bool IsValidId(GbkView text);

    int32_t GetIndex() const { return m_index; }
    void SetIndex(int32_t index) { m_index = index; }   // the containing array's business

    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    void SetFlag(uint32_t bits) { m_flags |= bits; }
    void ClearFlag(uint32_t bits) { m_flags &= ~bits; }
    bool HasFlag(uint32_t bits) const { return (m_flags & bits) != 0; }
    bool IsHidden() const { return HasFlag(qen::FLAG_HIDDEN); }
    bool IsFiltered() const { return HasFlag(qen::FLAG_FILTERED); }
    bool IsSelected() const { return HasFlag(qen::FLAG_SELECTED); }

    // The document's change count when an edit last reached the object (ZDocument::IsResultStale).
    // Neither stored nor copied: it belongs to this object in this session.
    uint32_t GetChangeStamp() const { return m_changeStamp; }
    void SetChangeStamp(uint32_t stamp) { m_changeStamp = stamp; }

protected:
    ZNetObject() = default;

private:
    char m_id[MaxIdLength + 1] = {};
    uint8_t m_idLength = 0;
    int32_t m_index = -1;
    uint32_t m_flags = 0;
    uint32_t m_changeStamp = 0;
};
