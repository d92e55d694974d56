#pragma once
#include "ZNetView.h"

// A view that only answers for settings and the document record: for object texts away from
// the screen (the CAD export, the command-line tool, tests).
class ZBasicNetView : public ZNetView {
public:
    ZBasicNetView(const ZSettingsStore& settings, const ZDrawSettings& drawSettings)
        : m_settings(settings), m_drawSettings(drawSettings)
    {
    }
    const ZSettingsStore& Settings() const override { return m_settings; }
    const ZDrawSettings& DrawSettings() const override { return m_drawSettings; }

private:
    const ZSettingsStore& m_settings;
    const ZDrawSettings& m_drawSettings;
};
