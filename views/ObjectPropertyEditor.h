// views/ObjectPropertyEditor.h
#pragma once
#include <vector>
class QWidget;
class ZDocument;
class ZNetObject;
class ZNetNode;
// Opens the property dialogs for objects of a document; implemented by the program.
class ObjectPropertyEditor {
public:
    virtual ~ObjectPropertyEditor() = default;
    // Mode 0: edits `objects` (all of one kind) and applies the changes through the document's
    // change path as one undoable step; true on OK.
    virtual bool EditObjects(QWidget* parent, ZDocument& doc, const std::vector<ZNetObject*>& objects) = 0;
    // Mode 1: confirms a node about to be created (not yet in the network); on OK its fields are set.
    virtual bool ConfirmNewNode(QWidget* parent, ZDocument& doc, ZNetNode& node) = 0;
};
