#include "ZSizeSettings.h"

#include "KeyValueStore.h"

namespace {
struct Entry {
    const char* key;
    int ZSizeSettings::*field;
};
const Entry kEntries[] = {
    {"PipePenWidth", &ZSizeSettings::PipePenWidth}, {"NodePenWidth", &ZSizeSettings::NodePenWidth},
    {"HintPenWidth", &ZSizeSettings::HintPenWidth}, {"ArrawLength", &ZSizeSettings::ArrawLength},
    {"NodeWidth", &ZSizeSettings::NodeWidth},       {"HintFocWidth", &ZSizeSettings::HintFocWidth},
    {"TipFocWidth", &ZSizeSettings::TipFocWidth},   {"MinZoomWindowWidth", &ZSizeSettings::MinZoomWindowWidth},
    {"SeleExtWidth", &ZSizeSettings::SeleExtWidth}, {"LabelLead", &ZSizeSettings::LabelLead},
};
}   // namespace

void ZSizeSettings::Load(const KeyValueStore& s)
{
    for (const Entry& e : kEntries) {
        auto v = s.ReadInt(Section, e.key);
        if (v && *v >= 0 && *v <= MaxSize)
            this->*e.field = *v;
    }
}

void ZSizeSettings::Save(KeyValueStore& s) const
{
    for (const Entry& e : kEntries)
        s.WriteInt(Section, e.key, this->*e.field);
}
