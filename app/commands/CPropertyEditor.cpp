#include "CPropertyEditor.h"
#include "app/dialogs/CNodePropertyDlg.h"
#include "app/dialogs/CPipePropertyDlg.h"
#include "app/dialogs/CPumpPropertyDlg.h"
#include "app/dialogs/CTankPropertyDlg.h"
#include "app/dialogs/CValvePropertyDlg.h"
#include "views/CommandIds.h"

#include "model/ZDeviceLink.h"
#include "model/ZDocument.h"
#include "model/ZEditTransaction.h"
#include "model/ZSettingsStore.h"

namespace {
std::string EditText(ZNetObject::Kind kind)
{
    switch (kind) {
    case ZNetObject::Kind::Node:
        return QCoreApplication::translate("CPropertyEditor", "修改节点属性").toStdString();
    case ZNetObject::Kind::Pipe:
        return QCoreApplication::translate("CPropertyEditor", "修改管道属性").toStdString();
    case ZNetObject::Kind::Pump:
        return QCoreApplication::translate("CPropertyEditor", "修改水泵属性").toStdString();
    case ZNetObject::Kind::Valve:
        return QCoreApplication::translate("CPropertyEditor", "修改阀门属性").toStdString();
    case ZNetObject::Kind::Tank:
        return QCoreApplication::translate("CPropertyEditor", "修改水池属性").toStdString();
    }
    return QCoreApplication::translate("CPropertyEditor", "修改属性").toStdString();
}
}   // namespace

CPropertyEditor::CPropertyEditor(ZSettingsStore& settings, UiPrompt& prompt) : m_settings(settings), m_prompt(prompt) {}

std::unique_ptr<CPropertyDlg> CPropertyEditor::MakeDialog(PropertyForm::Mode mode, std::vector<ZNetObject*> objects,
                                                          const UnitSystem& units, UiPrompt& prompt, QWidget* parent)
{
    if (objects.empty())
        return nullptr;
    switch (objects.front()->GetKind()) {
    case ZNetObject::Kind::Node:
        return std::make_unique<CNodePropertyDlg>(mode, std::move(objects), units, prompt, parent);
    case ZNetObject::Kind::Pipe:
        return std::make_unique<CPipePropertyDlg>(mode, std::move(objects), units, prompt, parent);
    case ZNetObject::Kind::Pump:
        return std::make_unique<CPumpPropertyDlg>(mode, std::move(objects), units, prompt, parent);
    case ZNetObject::Kind::Valve:
        return std::make_unique<CValvePropertyDlg>(mode, std::move(objects), units, prompt, parent);
    case ZNetObject::Kind::Tank:
        return std::make_unique<CTankPropertyDlg>(mode, std::move(objects), units, prompt, parent);
    }
    return nullptr;
}

bool CPropertyEditor::EditObjects(QWidget* parent, ZDocument& doc, const std::vector<ZNetObject*>& objects)
{
    if (objects.empty())
        return false;
    const ZNetObject::Kind kind = objects.front()->GetKind();
    std::vector<ZNetObject*> same;
    same.reserve(objects.size());
    for (ZNetObject* o : objects)
        if (o->GetKind() == kind)
            same.push_back(o);
    auto dlg = MakeDialog(PropertyForm::EditMode, std::move(same), m_settings.Units(), m_prompt, parent);
    ZNetwork& net = doc.GetNetwork();
    const bool nodes = kind == ZNetObject::Kind::Node;
    dlg->Form().IdTaken = [&net, nodes](GbkView id) {
        return nodes ? net.FindNode(id) != nullptr : net.FindLink(id) != nullptr;
    };
    dlg->WithholdResults([&doc](const ZNetObject& o) { return doc.IsResultStale(o); });
    if (dlg->exec() != QDialog::Accepted)
        return false;
    // The whole OK is one undoable step.
    ZEditTransaction tx(doc, EditText(kind));
    PropertyForm::Sink sink;
    sink.touch = [&tx](ZNetObject& o) { tx.Touch(&o); };
    sink.rename = [&net](ZNetObject& o, GbkView id) {
        o.SetId(id);
        if (o.IsNode())
            net.ReSortNode(static_cast<ZConsumeNode*>(&o));
        else
            net.ReSortLink(static_cast<ZFlowLink*>(&o));
    };
    sink.reverse = [&tx](ZDeviceLink& d) {
        // The outlet mark moves from one end node to the other.
        tx.Touch(d.StartNode());
        tx.Touch(d.EndNode());
        d.Reverse();
    };
    dlg->Form().Apply(sink);
    tx.Commit();
    return true;
}

bool CPropertyEditor::ConfirmNewNode(QWidget* parent, ZDocument& doc, ZNetNode& node)
{
    auto dlg = MakeDialog(PropertyForm::NewNodeMode, {&node}, m_settings.Units(), m_prompt, parent);
    const ZNetwork& net = doc.GetNetwork();
    dlg->Form().IdTaken = [&net](GbkView id) { return net.FindNode(id) != nullptr; };
    if (dlg->exec() != QDialog::Accepted)
        return false;
    // Not in the network yet: nothing to record.
    dlg->Form().Apply({});
    return true;
}

bool CPropertyEditor::EditTemplate(QWidget* parent, int commandId)
{
    ZTemplateSet& t = m_settings.Templates();
    ZNetObject* target = nullptr;
    switch (commandId) {
    case Cmd::TemplateNode:
        target = &t.Node;
        break;
    case Cmd::TemplatePipe:
        target = &t.Pipe;
        break;
    case Cmd::TemplatePump:
        target = &t.Pump;
        break;
    case Cmd::TemplateValve:
        target = &t.Valve;
        break;
    case Cmd::TemplateTank:
        target = &t.Tank;
        break;
    default:
        return false;
    }
    auto dlg = MakeDialog(PropertyForm::TemplateMode, {target}, m_settings.Units(), m_prompt, parent);
    if (dlg->exec() != QDialog::Accepted)
        return false;
    // Templates live in the settings, outside any document's history.
    dlg->Form().Apply({});
    return true;
}
