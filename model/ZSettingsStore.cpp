#include "ZSettingsStore.h"

#include "KeyValueStore.h"

#include <cmath>

namespace {
// Zoom factors multiply the view scale: only a finite positive value makes sense.
double ReadScale(const KeyValueStore& s, const char* key, double def)
{
    const double v = s.GetDouble(ZSettingsStore::StateSection, key, def);
    return std::isfinite(v) && v > 0.0 ? v : def;
}

int ReadChoice(const KeyValueStore& s, const char* key, int def)
{
    auto v = s.ReadInt(ZSettingsStore::StateSection, key);
    return v && (*v == 0 || *v == 1) ? *v : def;
}

bool ReadSwitch(const KeyValueStore& s, const char* key, bool def)
{
    return s.GetInt(ZSettingsStore::StateSection, key, def ? 1 : 0) != 0;
}
}   // namespace

void ZSettingsStore::Load(const KeyValueStore& s)
{
    ZoomInScale = ReadScale(s, "ZoomInScale", ZoomInScale);
    ZoomOutScale = ReadScale(s, "ZoomOutScale", ZoomOutScale);
    PipeSerialMode = ReadChoice(s, "PipeSerialMode", PipeSerialMode);
    SelectMode = ReadChoice(s, "SelectMode", SelectMode);
    ContourLabelOn = ReadSwitch(s, "ContourLabelOn", ContourLabelOn);
    ContourFillOn = ReadSwitch(s, "ContourFillOn", ContourFillOn);
    LabelOn = ReadSwitch(s, "LabelOn", LabelOn);
    ToolTipOn = ReadSwitch(s, "ToolTipOn", ToolTipOn);
    const int minutes = s.GetInt(StateSection, "AutoSaveMinutes", AutoSaveMinutes);
    if (minutes >= 0 && minutes <= MaxAutoSaveMinutes)
        AutoSaveMinutes = minutes;
    KeepBackup = ReadSwitch(s, "KeepBackup", KeepBackup);
    const double minHead = s.GetDouble(StateSection, "MinFreeHead", MinFreeHead);
    if (minHead >= 0.0 && minHead <= MaxMinFreeHead)   // NaN fails both
        MinFreeHead = minHead;
    AutoBalance = ReadSwitch(s, "AutoBalance", AutoBalance);
    const int language = s.GetInt(StateSection, "InterfaceLanguage", InterfaceLanguage);
    if (language >= LanguageSystem && language <= LanguageEnglish)
        InterfaceLanguage = language;

    m_colors.Load(s);
    m_sizes.Load(s);
    m_labelTip.Load(s);
    m_templates.Load(s);
    m_units.Load(s);
}

void ZSettingsStore::Save(KeyValueStore& s) const
{
    s.SetDouble(StateSection, "ZoomInScale", ZoomInScale);
    s.SetDouble(StateSection, "ZoomOutScale", ZoomOutScale);
    s.WriteInt(StateSection, "PipeSerialMode", PipeSerialMode);
    s.WriteInt(StateSection, "SelectMode", SelectMode);
    s.WriteInt(StateSection, "ContourLabelOn", ContourLabelOn ? 1 : 0);
    s.WriteInt(StateSection, "ContourFillOn", ContourFillOn ? 1 : 0);
    s.WriteInt(StateSection, "LabelOn", LabelOn ? 1 : 0);
    s.WriteInt(StateSection, "ToolTipOn", ToolTipOn ? 1 : 0);
    s.WriteInt(StateSection, "AutoSaveMinutes", AutoSaveMinutes);
    s.WriteInt(StateSection, "KeepBackup", KeepBackup ? 1 : 0);
    s.SetDouble(StateSection, "MinFreeHead", MinFreeHead);
    s.WriteInt(StateSection, "AutoBalance", AutoBalance ? 1 : 0);
    // A profile that never chose keeps following the system.
    if (InterfaceLanguage != LanguageSystem)
        s.WriteInt(StateSection, "InterfaceLanguage", InterfaceLanguage);

    m_colors.Save(s);
    m_sizes.Save(s);
    m_labelTip.Save(s);
    m_templates.Save(s);
    m_units.Save(s);
}
