#include "ZTemplateSet.h"

#include "KeyValueStore.h"
#include "ZFieldTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
// A curve is a binary block of (flow, head) double pairs, as doubles are stored; an empty block is
// no curve. A block that is not whole pairs, holds a value that is not finite or more points
// than a curve is given leaves the template's curve as it is.
constexpr size_t kMaxCurvePoints = 1000;

void LoadCurve(const KeyValueStore& s, const char* key, Curve& curve)
{
    const auto bytes = s.ReadBinary(ZTemplateSet::Section, key);
    if (!bytes || bytes->size() % 16 != 0 || bytes->size() / 16 > kMaxCurvePoints)
        return;
    Curve read(bytes->size() / 16);
    for (size_t i = 0; i < read.size(); ++i) {
        std::memcpy(&read[i].flow, bytes->data() + 16 * i, 8);
        std::memcpy(&read[i].head, bytes->data() + 16 * i + 8, 8);
        if (!std::isfinite(read[i].flow) || !std::isfinite(read[i].head))
            return;
    }
    curve = std::move(read);
}

void SaveCurve(KeyValueStore& s, const char* key, const Curve& curve)
{
    std::vector<uint8_t> bytes(16 * std::min(curve.size(), kMaxCurvePoints));
    for (size_t i = 0; i < bytes.size() / 16; ++i) {
        std::memcpy(bytes.data() + 16 * i, &curve[i].flow, 8);
        std::memcpy(bytes.data() + 16 * i + 8, &curve[i].head, 8);
    }
    s.WriteBinary(ZTemplateSet::Section, key, bytes);
}
}   // namespace

void ZTemplateSet::Load(const KeyValueStore& s)
{
    for (ZNetObject* obj : std::initializer_list<ZNetObject*>{&Node, &Pipe, &Pump, &Valve, &Tank})
        LoadFields(s, *obj);
    LoadCurve(s, "PumpCurve", Pump.PumpCurve);
    LoadCurve(s, "ValveCurve", Valve.ValveCurve);
}

void ZTemplateSet::Save(KeyValueStore& s) const
{
    for (const ZNetObject* obj : std::initializer_list<const ZNetObject*>{&Node, &Pipe, &Pump, &Valve, &Tank})
        SaveFields(s, *obj);
    SaveCurve(s, "PumpCurve", Pump.PumpCurve);
    SaveCurve(s, "ValveCurve", Valve.ValveCurve);
}
