#pragma once
#include <cstdint>

class ZNetObject;

// One described field of a network object class: the key that names it everywhere (the member
// name, also the template store's key), its kind, a caption for people (UTF-8), the display unit
// category it is shown in, and how to read and write it. Values travel as double: every integer
// and date field fits exactly.
struct ZField {
    enum Type : uint8_t { Double, Int, Bool, Date };
    // What the field takes part in.
    enum Use : uint8_t {
        Copied = 0x1,   // CopyFrom (clone from a template, copy between objects)
        Stored = 0x2,   // the template store ("System Template")
        Result = 0x4,   // written by the balancing, not by the user
    };
    static constexpr int NoUnit = -1;

    const char* key;
    Type type;
    uint8_t use;
    int unit;   // UnitSystem::Category or NoUnit
    const char* caption;
    double (*get)(const ZNetObject& obj);
    void (*set)(ZNetObject& obj, double value);

    // Whether `value` can be stored without loss of meaning: finite, and within range for the
    // integer kinds (a fraction is cut off).
    bool Accepts(double value) const
    {
        if (!(value == value) || value - value != 0.0)
            return false;
        switch (type) {
        case Int: return value >= -2147483648.0 && value <= 2147483647.0;
        case Date: return value >= 0.0 && value <= 4294967295.0;
        default: return true;
        }
    }
};
