#pragma once

struct ZNetMsg;

// Receives every change of a document, once per change, after the change is in place.
class ZDocumentListener {
public:
    virtual ~ZDocumentListener() = default;
    virtual void OnDocumentChanged(const ZNetMsg& msg) = 0;
    // The document's modified state changed (an edit, an undo back to the saved state, a save).
    virtual void OnModifiedChanged(bool /*modified*/) {}
    // The document is being destroyed: forget it (no RemoveListener needed any more).
    virtual void OnDocumentGone() {}
};
