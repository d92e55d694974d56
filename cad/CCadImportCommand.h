#pragma once
#include <QCoreApplication>
#include <QString>

class KeyValueStore;
class QWidget;
class UiPrompt;
class ZDocument;
class ZSettingsStore;
class ZNetObject;

#include <string>
#include <vector>

// "提取CAD管网" (Cmd::ImportAcad): the dialog, then the drawing's lines and polylines read into the
// network through the CAD bridge, with a progress window that can be stopped, and the count.
class CCadImportCommand {
    Q_DECLARE_TR_FUNCTIONS(CCadImportCommand)

public:
    CCadImportCommand(ZDocument& doc, const ZSettingsStore& settings, KeyValueStore& profile, UiPrompt& prompt,
                      QWidget* owner);
    // Runs everything; true when pipes were added, as one undoable change of the document
    // announced with ZNetMsg::CadImported.
    bool Run();
    // What the run added and changed (split pipes).
    const std::vector<ZNetObject*>& Added() const { return m_added; }
    const std::vector<ZNetObject*>& Changed() const { return m_changed; }
    // What the run left out or noticed (kinds and layers skipped, rings, overlaps), UTF-8 lines.
    const std::string& Report() const { return m_report; }

private:
    ZDocument& m_doc;
    const ZSettingsStore& m_settings;
    KeyValueStore& m_profile;
    UiPrompt& m_prompt;
    QWidget* m_owner;
    std::vector<ZNetObject*> m_added;
    std::vector<ZNetObject*> m_changed;
    std::string m_report;
};
