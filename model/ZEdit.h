#pragma once
#include "ZNetMsg.h"

#include <cstddef>
#include <string>
#include <vector>

class ZDocument;
class ZNetObject;

// One undoable change of a document. Apply puts it into effect, Revert takes it out again; each
// leaves the document exactly as it was on the other side of the change. Hint is what listeners
// are told afterwards; its object list is owned by the edit.
class ZEdit {
public:
    explicit ZEdit(std::string text) : m_text(std::move(text)) {}
    virtual ~ZEdit() = default;
    ZEdit(const ZEdit&) = delete;
    ZEdit& operator=(const ZEdit&) = delete;

    // What the Edit menu shows after 撤销/重做 (UTF-8: a program text, never a name), e.g. "插入管道".
    const std::string& Text() const { return m_text; }
    bool IsApplied() const { return m_applied; }

    void Apply(ZDocument& doc)
    {
        if (!m_applied)
            DoApply(doc);
        m_applied = true;
    }
    void Revert(ZDocument& doc)
    {
        if (m_applied)
            DoRevert(doc);
        m_applied = false;
    }

    // Bytes the edit keeps alive while it is in the history.
    virtual size_t MemoryUsage() const = 0;
    // The announcement after the edit went into effect (applied) or out of it.
    virtual ZNetMsg Hint(bool applied) const = 0;
    // The network objects the edit changes either way (their balancing results no longer hold);
    // null for edits that leave the network alone.
    virtual const std::vector<ZNetObject*>* ReachedObjects() const { return nullptr; }

protected:
    virtual void DoApply(ZDocument& doc) = 0;
    virtual void DoRevert(ZDocument& doc) = 0;
    // For edits built from a change that has already been made.
    void MarkApplied() { m_applied = true; }

private:
    std::string m_text;
    bool m_applied = false;
};
