#pragma once
#include "UnitSystem.h"
#include "ZColorSettings.h"
#include "ZLabelTipSettings.h"
#include "ZSizeSettings.h"
#include "ZTemplateSet.h"

class KeyValueStore;

// The application's preferences for the whole run: read once at start, changed in memory by the
// dialogs, written once at a normal end. Every key is read with the current value as its fallback,
// so a missing or malformed value keeps the default.
class ZSettingsStore {
public:
    enum SelectModeValue { WindowSelect = 0, CrossingSelect = 1 };
    enum PipeSerialModeValue { AutoConnect = 0, NoConnect = 1 };

    double ZoomInScale = 2.0 / 3.0;
    double ZoomOutScale = 1.5;
    int PipeSerialMode = NoConnect;
    int SelectMode = CrossingSelect;
    bool ContourLabelOn = true;
    bool ContourFillOn = true;
    bool LabelOn = true;
    bool ToolTipOn = true;
    // Minutes between saves of modified documents to their recovery files; 0 turns it off.
    int AutoSaveMinutes = 5;
    static constexpr int MaxAutoSaveMinutes = 120;
    // Saving over a project keeps the previous file as NAME.wnp.bak.
    bool KeepBackup = true;
    // Minimum service head (m): the balancing summary names the nodes below it. 10 m serves a
    // one-storey building; each storey more needs about 4 m.
    double MinFreeHead = 10.0;
    static constexpr double MaxMinFreeHead = 100.0;
    // "自动平差": every edit of a network is followed by a balance in the background.
    bool AutoBalance = false;
    // Interface language, applied at the next start; unset follows the system's.
    enum LanguageValue { LanguageSystem = 0, LanguageChinese = 1, LanguageEnglish = 2 };
    int InterfaceLanguage = LanguageSystem;

    ZColorSettings& Colors() { return m_colors; }
    const ZColorSettings& Colors() const { return m_colors; }
    ZSizeSettings& Sizes() { return m_sizes; }
    const ZSizeSettings& Sizes() const { return m_sizes; }
    UnitSystem& Units() { return m_units; }
    const UnitSystem& Units() const { return m_units; }
    ZLabelTipSettings& LabelTip() { return m_labelTip; }
    const ZLabelTipSettings& LabelTip() const { return m_labelTip; }
    ZTemplateSet& Templates() { return m_templates; }
    const ZTemplateSet& Templates() const { return m_templates; }

    // Sections in this order: System State, colours, sizes, labels and tooltips, templates, units.
    void Load(const KeyValueStore& store);
    void Save(KeyValueStore& store) const;

    static constexpr const char* StateSection = "System State";

private:
    ZColorSettings m_colors;
    ZSizeSettings m_sizes;
    UnitSystem m_units;
    ZLabelTipSettings m_labelTip;
    ZTemplateSet m_templates;
};
