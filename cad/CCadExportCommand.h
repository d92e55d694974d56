#pragma once
#include <QCoreApplication>

class KeyValueStore;
class QWidget;
class UiPrompt;
class ZDocument;
class ZSettingsStore;

// "生成CAD图纸" (Cmd::ExportAcad): the dialog, then the network drawn through the CAD bridge into the
// active drawing or a new one, written to its file (the previous one kept as NAME.dxf.bak) and,
// when asked, opened in the desktop's program for DXF files. A drawing whose file another program
// changed since it was read is overwritten only when the user says so.
class CCadExportCommand {
    Q_DECLARE_TR_FUNCTIONS(CCadExportCommand)

public:
    CCadExportCommand(const ZDocument& doc, const ZSettingsStore& settings, KeyValueStore& profile, UiPrompt& prompt,
                      QWidget* owner);
    // True when a drawing was written.
    bool Run();

private:
    const ZDocument& m_doc;
    const ZSettingsStore& m_settings;
    KeyValueStore& m_profile;
    UiPrompt& m_prompt;
    QWidget* m_owner;
};
