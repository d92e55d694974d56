#include "ZLabelTipSettings.h"

#include "KeyValueStore.h"

#include <cmath>

namespace {
using Self = ZLabelTipSettings;
struct IntEntry {
    const char* section;
    const char* key;
    int Self::*field;
};
struct TextEntry {
    const char* section;
    const char* key;
    GbkString Self::*field;
};

const IntEntry kInts[] = {
    {Self::Section, "NodeTip", &Self::NodeTip},
    {Self::Section, "PipeTip", &Self::PipeTip},
    {Self::Section, "PumpTip", &Self::PumpTip},
    {Self::Section, "ValveTip", &Self::ValveTip},
    {Self::Section, "TankTip", &Self::TankTip},
    {Self::Section, "NodeLabe", &Self::NodeLabe},
    {Self::Section, "PipeLabel", &Self::PipeLabel},
    {Self::Section, "PumpLabel", &Self::PumpLabel},
    {Self::Section, "ValveLabel", &Self::ValveLabel},
    {Self::Section, "TankLabel", &Self::TankLabel},
    {Self::NodeSection, "NodeFlags", &Self::NodeFlags},
    {Self::PipeSection, "PipeUpFlags", &Self::PipeUpFlags},
    {Self::PipeSection, "PipeDownFlags", &Self::PipeDownFlags},
};

const TextEntry kTexts[] = {
    {Self::NodeSection, "NodeId", &Self::NodeId},     {Self::NodeSection, "NodeCoord", &Self::NodeCoord},
    {Self::NodeSection, "NodeFlow", &Self::NodeFlow}, {Self::NodeSection, "NodeElev", &Self::NodeElev},
    {Self::NodeSection, "NodeHydr", &Self::NodeHydr}, {Self::NodeSection, "NodeFreeHead", &Self::NodeFreeHead},
    {Self::PipeSection, "PipeId", &Self::PipeId},     {Self::PipeSection, "PipeCoef", &Self::PipeCoef},
    {Self::PipeSection, "PipeDiam", &Self::PipeDiam}, {Self::PipeSection, "PipeLeng", &Self::PipeLeng},
    {Self::PipeSection, "PipeFlow", &Self::PipeFlow}, {Self::PipeSection, "PipeVelo", &Self::PipeVelo},
    {Self::PipeSection, "PipeI", &Self::PipeI},       {Self::PipeSection, "PipeHLoss", &Self::PipeHLoss},
    {Self::PipeSection, "PipeSep", &Self::PipeSep},
};

// Masks and item numbers are small non-negative numbers; anything else was not written by us.
bool Plausible(int v)
{
    return v >= 0 && v <= 0xFFFF;
}
}   // namespace

void ZLabelTipSettings::Load(const KeyValueStore& s)
{
    for (const IntEntry& e : kInts) {
        auto v = s.ReadInt(e.section, e.key);
        if (v && Plausible(*v))
            this->*e.field = *v;
    }
    for (const TextEntry& e : kTexts)
        this->*e.field = GbkString(s.GetString(e.section, e.key, (this->*e.field).Bytes()));
    const double scale = s.GetDouble(Section, "MaxLabelScale", MaxLabelScale);
    if (std::isfinite(scale) && scale >= 0.0)
        MaxLabelScale = scale;
}

void ZLabelTipSettings::Save(KeyValueStore& s) const
{
    for (const IntEntry& e : kInts)
        s.WriteInt(e.section, e.key, this->*e.field);
    for (const TextEntry& e : kTexts)
        s.WriteString(e.section, e.key, (this->*e.field).Bytes());
    s.SetDouble(Section, "MaxLabelScale", MaxLabelScale);
}
