#pragma once
#include "ZField.h"
#include "ZNetObject.h"

#include <optional>
#include <span>
#include <string_view>

// The fields of each object class, described once. CopyFrom and the template store go through
// these tables; property dialogs, the calculator and the table view read and write fields by key.
class ZFieldTable {
public:
    static std::span<const ZField> Of(ZNetObject::Kind kind);
    static const ZField* Find(ZNetObject::Kind kind, std::string_view key);

    // The value of the field `key` of the object's class; nothing for an unknown key.
    static std::optional<double> Get(const ZNetObject& obj, std::string_view key);
    // False, and nothing changed, for an unknown key or a value that is not finite.
    static bool Set(ZNetObject& obj, std::string_view key, double value);

    // Copies every field with one of the given uses from `from` to `to` (objects of the same class).
    static void Copy(const ZNetObject& from, ZNetObject& to, uint8_t use);
    // Every described field, whatever its use.
    static void CopyAll(const ZNetObject& from, ZNetObject& to);
};
