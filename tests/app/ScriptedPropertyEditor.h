#pragma once
#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZNetNode.h"
#include "views/ObjectPropertyEditor.h"

#include <deque>
#include <functional>
#include <map>
#include <vector>

// The property dialogs replaced by a script: an edit per object kind applied, as the dialogs do,
// as one step of the document's history; new-node dialogs answered in turn.
class ScriptedPropertyEditor : public ObjectPropertyEditor {
public:
    std::map<ZNetObject::Kind, std::function<void(ZNetObject&)>> edits;
    std::deque<std::function<bool(ZNetNode&)>> confirms;
    int opened = 0;

    bool EditObjects(QWidget*, ZDocument& doc, const std::vector<ZNetObject*>& objects) override
    {
        ++opened;
        if (objects.empty() || !edits.count(objects[0]->GetKind()))
            return false;
        static const char* const names[] = {"节点属性", "管道属性", "水泵属性", "阀门属性", "水池属性"};
        ZEditTransaction tx(doc, GbkCodec::FromUtf8(names[static_cast<int>(objects[0]->GetKind())]));
        for (ZNetObject* o : objects) {
            tx.Touch(o);
            edits[o->GetKind()](*o);
        }
        return tx.Commit();
    }
    bool ConfirmNewNode(QWidget*, ZDocument&, ZNetNode& node) override
    {
        if (confirms.empty())
            return false;
        auto f = confirms.front();
        confirms.pop_front();
        return f(node);
    }
};
