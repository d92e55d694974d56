#include "ZTemplateSet.h"

#include "KeyValueStore.h"
#include "ZFieldTable.h"

namespace {
void LoadFields(const KeyValueStore& s, ZNetObject& obj)
{
    const std::string sec = ZTemplateSet::Section;
    for (const ZField& f : ZFieldTable::Of(obj.GetKind())) {
        if (!(f.use & ZField::Stored) || f.type == ZField::Text)
            continue;
        const double now = f.get(obj);
        double v = now;
        switch (f.type) {
        case ZField::Double:
            v = s.GetDouble(sec, f.key, now);
            break;
        case ZField::Int:
            v = s.GetInt(sec, f.key, static_cast<int>(now));
            break;
        case ZField::Bool:
            v = s.GetInt(sec, f.key, now != 0.0 ? 1 : 0) != 0 ? 1.0 : 0.0;
            break;
        case ZField::Date:
            v = s.GetDate(sec, f.key, static_cast<uint32_t>(now));
            break;
        case ZField::Text:
            break;
        }
        // A value a hand-edited or newer file holds outside the field's range keeps the default.
        if (f.Accepts(v) && v >= f.low && v <= f.high)
            f.set(obj, v);
    }
}

void SaveFields(KeyValueStore& s, const ZNetObject& obj)
{
    const std::string sec = ZTemplateSet::Section;
    for (const ZField& f : ZFieldTable::Of(obj.GetKind())) {
        if (!(f.use & ZField::Stored) || f.type == ZField::Text)
            continue;
        const double v = f.get(obj);
        switch (f.type) {
        case ZField::Double:
            s.SetDouble(sec, f.key, v);
            break;
        case ZField::Int:
            s.WriteInt(sec, f.key, static_cast<int>(v));
            break;
        case ZField::Bool:
            s.WriteInt(sec, f.key, v != 0.0 ? 1 : 0);
            break;
        case ZField::Date:
            s.SetDate(sec, f.key, static_cast<uint32_t>(v));
            break;
        case ZField::Text:
            break;
        }
    }
}
}   // namespace

void ZTemplateSet::Load(const KeyValueStore& s)
{
    for (ZNetObject* obj : std::initializer_list<ZNetObject*>{&Node, &Pipe, &Pump, &Valve, &Tank})
        LoadFields(s, *obj);
}

void ZTemplateSet::Save(KeyValueStore& s) const
{
    for (const ZNetObject* obj : std::initializer_list<const ZNetObject*>{&Node, &Pipe, &Pump, &Valve, &Tank})
        SaveFields(s, *obj);
}
