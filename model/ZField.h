#pragma once
#include "GbkView.h"
#include <cstdint>
#include <limits>
#include <string_view>

class ZNetObject;

// One described field of a network object class: the key that names it everywhere (the member
// name, also the template store's key), its kind, how to read and write it, and how people see it:
// the caption of the property dialog (UTF-8, without the colon), the table's title, the display
// unit and precision, the choices of a list, the range a typed value must lie in, and where the
// property dialog, the table and the parameter calculator place it. Values travel as double:
// every integer and date field fits exactly.
struct ZField {
    enum Type : uint8_t {
        Double,
        Int,   // with `items`: one of a list
        Bool,
        Date,   // seconds since 1970-01-01 UTC
        Text,   // an identifier, read through `text`
    };
    // What the field takes part in.
    enum Use : uint8_t {
        Copied = 0x1,    // CopyFrom (clone from a template, copy between objects)
        Stored = 0x2,    // the template store ("System Template")
        Result = 0x4,    // written by the balancing, not by the user
        Derived = 0x8,   // not a member of its own (computed, a flag or an end): never copied by itself
    };
    static constexpr int NoUnit = -1;
    static constexpr int Plain = -1;        // `digits`: as many as the value needs ("%g")
    static constexpr int8_t Nowhere = -1;   // `group`, `column`, `calc`

    const char* key;
    double (*get)(const ZNetObject& obj) = nullptr;
    void (*set)(ZNetObject& obj, double value) = nullptr;   // none: shown only
    GbkView (*text)(const ZNetObject& obj) = nullptr;       // Text fields: GBK bytes
    Type type = Double;
    uint8_t use = 0;
    int unit = NoUnit;   // UnitSystem::Category the value is converted to for display, or NoUnit
    const char* caption = "";

    const char* title = nullptr;        // the table's column title; none: the caption
    const char* unitText = nullptr;     // the unit of a value shown as stored ("m", "m²", "r/min")
    int digits = Plain;                 // without a display unit: the category whose precision the table uses
    const char* items = nullptr;        // the choices of a list, one a line
    const char* shortItems = nullptr;   // the same choices as the table writes them; none: `items`
    double low = -std::numeric_limits<double>::infinity();   // a typed value's range, in base units
    double high = std::numeric_limits<double>::infinity();
    // For which objects an input holds a balancing result (a source's demand); none: `Result`.
    bool (*resultOf)(const ZNetObject& obj) = nullptr;

    int8_t group = Nowhere;           // the property dialog's group; within it, rows follow the table's order
    int8_t column = Nowhere;          // the table's column order
    int8_t calc = Nowhere;            // the parameter calculator's list order
    const char* calcText = nullptr;   // the calculator's name of the parameter

    // Typed by the user in the dialogs (a result that is also an input, like a known head, is).
    bool IsInput() const { return set && (!(use & Result) || (use & Copied)); }
    bool IsChoice() const { return type == Int && items; }
    bool HasRange() const
    {
        return low > -std::numeric_limits<double>::infinity() || high < std::numeric_limits<double>::infinity();
    }
    bool IsResultOf(const ZNetObject& obj) const { return resultOf ? resultOf(obj) : (use & Result) != 0; }
    const char* Title() const { return title ? title : caption; }

    // Whether `value` can be stored without loss of meaning: finite, and within range for the
    // integer kinds (a fraction is cut off).
    bool Accepts(double value) const
    {
        if (!(value == value) || value - value != 0.0)
            return false;
        switch (type) {
        case Int:
            return value >= -2147483648.0 && value <= 2147483647.0;
        case Date:
            return value >= 0.0 && value <= 4294967295.0;
        default:
            return true;
        }
    }
};
