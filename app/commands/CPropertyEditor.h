#pragma once
#include <QCoreApplication>
#include "app/dialogs/CPropertyDlg.h"

#include "views/ObjectPropertyEditor.h"

#include <memory>

class UiPrompt;
class ZSettingsStore;

// The program's property dialogs: mode 0 on objects of a document (one undoable step), mode 1 on
// a node about to be created, mode 2 on the settings' template objects.
class CPropertyEditor : public ObjectPropertyEditor {
    Q_DECLARE_TR_FUNCTIONS(CPropertyEditor)

public:
    CPropertyEditor(ZSettingsStore& settings, UiPrompt& prompt);

    bool EditObjects(QWidget* parent, ZDocument& doc, const std::vector<ZNetObject*>& objects) override;
    bool ConfirmNewNode(QWidget* parent, ZDocument& doc, ZNetNode& node) override;
    // The template of a template command (Cmd::TemplateNode ... Cmd::TemplateTank); true on OK.
    bool EditTemplate(QWidget* parent, int commandId);

    // The dialog for objects of one kind.
    static std::unique_ptr<CPropertyDlg> MakeDialog(PropertyForm::Mode mode, std::vector<ZNetObject*> objects,
                                                    const UnitSystem& units, UiPrompt& prompt, QWidget* parent);

private:
    ZSettingsStore& m_settings;
    UiPrompt& m_prompt;
};
