#include "ZColorSettings.h"

#include "KeyValueStore.h"

#include <string>

const ZColorSettings::Entry ZColorSettings::s_entries[] = {
    {"BkGround", &ZColorSettings::BkGround},
    {"EquHydr", &ZColorSettings::EquHydr},
    {"ContourFillLow", &ZColorSettings::ContourFillLow},
    {"ContourFillHigh", &ZColorSettings::ContourFillHigh},
    {"Gird", &ZColorSettings::Gird},
    {"FocusHint", &ZColorSettings::FocusHint},
    {"ZoomWindow", &ZColorSettings::ZoomWindow},
    {"Node", &ZColorSettings::Node},
    {"NodeFill", &ZColorSettings::NodeFill},
    {"NodeText", &ZColorSettings::NodeText},
    {"BkNodeText", &ZColorSettings::BkNodeText},
    {"Pipe", &ZColorSettings::Pipe},
    {"PipeText", &ZColorSettings::PipeText},
    {"BkPipeText", &ZColorSettings::BkPipeText},
};

ZColorSettings::ZColorSettings() : NodeGradeColors(DefaultGradeColors()), PipeGradeColors(DefaultGradeColors()) {}

std::vector<uint32_t> ZColorSettings::DefaultGradeColors()
{
    std::vector<uint32_t> colors;
    for (int i = 0; i < 5; ++i) {
        const int v = 51 * (i + 1);
        colors.push_back(Rgb(v, 255 - v, v * i % 255));
    }
    return colors;
}

namespace {
// A colour is three bytes; anything above 0xFFFFFF (or negative) was not written by us.
uint32_t ReadColor(const KeyValueStore& s, const std::string& sec, const std::string& key, uint32_t def)
{
    auto v = s.ReadInt(sec, key);
    if (!v || *v < 0 || *v > 0xFFFFFF)
        return def;
    return static_cast<uint32_t>(*v);
}
}   // namespace

void ZColorSettings::LoadGrades(const KeyValueStore& s, const char* numKey, const char* colorKey,
                                std::vector<uint32_t>& list)
{
    const int n = s.GetInt(Section, numKey, static_cast<int>(list.size()));
    // The stored count is the user's choice of grade count: it can grow and shrink the list.
    if (n >= 1 && n <= MaxGradeColors)
        list.resize(static_cast<size_t>(n), 0);
    for (size_t i = 0; i < list.size(); ++i)
        list[i] = ReadColor(s, Section, colorKey + std::to_string(i), list[i]);
}

void ZColorSettings::SaveGrades(KeyValueStore& s, const char* numKey, const char* colorKey,
                                const std::vector<uint32_t>& list)
{
    s.WriteInt(Section, numKey, static_cast<int>(list.size()));
    for (size_t i = 0; i < list.size(); ++i)
        s.WriteInt(Section, colorKey + std::to_string(i), static_cast<int>(list[i]));
}

void ZColorSettings::Load(const KeyValueStore& s)
{
    for (const Entry& e : s_entries)
        this->*e.field = ReadColor(s, Section, e.key, this->*e.field);
    LoadGrades(s, "NodeGradeNum", "NodeGradeColor", NodeGradeColors);
    LoadGrades(s, "PipeGradeNum", "PipeGradeColor", PipeGradeColors);
}

void ZColorSettings::Save(KeyValueStore& s) const
{
    for (const Entry& e : s_entries)
        s.WriteInt(Section, e.key, static_cast<int>(this->*e.field));
    SaveGrades(s, "NodeGradeNum", "NodeGradeColor", NodeGradeColors);
    SaveGrades(s, "PipeGradeNum", "PipeGradeColor", PipeGradeColors);
}
