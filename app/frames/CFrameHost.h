#pragma once
#include "views/CommandTarget.h"

class CChildFrame;
class CQENDoc;
class KeyValueStore;
class ObjectPropertyEditor;
class QString;
class UiPrompt;

// What the frames need from the program around them, given to the main frame when it is made
// (the application is the host). Commands no view, document or frame takes come here last.
class CFrameHost : public CommandTarget {
public:
    virtual UiPrompt& Prompt() = 0;
    // The user's profile the CAD dialogs remember their choices in.
    virtual KeyValueStore& Profile() = 0;
    // The object property dialogs the graphic views open.
    virtual ObjectPropertyEditor* PropertyEditor() const = 0;
    // Writes whatever changed in the profile; cheap when nothing did.
    virtual void PersistProfile() = 0;
    // Bar layout and placement, at the main window's close.
    virtual void SaveFrameState() = 0;
    virtual CQENDoc* OpenDocumentFile(const QString& path) = 0;
    virtual void OpenRecentFile(int index) = 0;
    // Asks to save; false when cancelled.
    virtual bool CloseDocument(CQENDoc* doc) = 0;
    virtual bool CloseAllDocuments() = 0;
    // A child window asks before it goes: the last window of a modified document asks to save.
    virtual bool CanCloseFrame(CChildFrame* frame) = 0;
    virtual void OnFrameClosed(CChildFrame* frame) = 0;
};
