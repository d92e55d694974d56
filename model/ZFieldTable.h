#pragma once
#include "ZField.h"
#include "ZNetObject.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The fields of each object class, described once. CopyFrom, the template store, the property
// dialogs, the table view and the parameter calculator all take their fields from here, so a new
// field is one entry (plus its own rule, if it has one).
class ZFieldTable {
public:
    static std::span<const ZField> Of(ZNetObject::Kind kind);
    static const ZField* Find(ZNetObject::Kind kind, std::string_view key);
    // The fields the table shows, in column order.
    static const std::vector<const ZField*>& Columns(ZNetObject::Kind kind);

    // The value of the field `key` of the object's class; nothing for an unknown key.
    static std::optional<double> Get(const ZNetObject& obj, std::string_view key);
    // False, and nothing changed, for an unknown key, a field without a value of its own or a
    // value that is not finite.
    static bool Set(ZNetObject& obj, std::string_view key, double value);

    // Copies every field with one of the given uses from `from` to `to` (objects of the same class).
    static void Copy(const ZNetObject& from, ZNetObject& to, uint8_t use);
    // Every member field, whatever its use.
    static void CopyAll(const ZNetObject& from, ZNetObject& to);

    // A control valve's setting means another quantity for each kind (ZValveLink::Type): its
    // caption (UTF-8) and unit category (UnitSystem; -1 shown as stored).
    static const char* ValveSettingCaption(int valveType);
    static int ValveSettingUnit(int valveType);

    // Changes whenever a field is added or taken away, for those who keep lists of fields.
    static unsigned Generation();

    // A field added to a class's table while this object lives, after the described ones (a
    // field kept outside the object's members, as a test's is).
    class Added {
    public:
        Added(ZNetObject::Kind kind, const ZField& field);
        ~Added();
        Added(const Added&) = delete;
        Added& operator=(const Added&) = delete;

    private:
        ZNetObject::Kind m_kind;
    };
};
