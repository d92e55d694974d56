#pragma once
#include <string>
#include <string_view>

// Number rules of the property dialogs: the equality of two stored values, reading typed text
// (locale-free, finite only) and the text of a value that has no display unit.
class PropertyNumber {
public:
    // Equal when their difference vanishes when added to 1.
    static bool Same(double a, double b) { return 1.0 + (a - b) == 1.0; }
    // The whole text (blanks around it allowed) as a finite number.
    static bool Parse(std::string_view text, double& value);
    static bool ParseInt(std::string_view text, int& value);
    // Up to ten significant digits, so coordinates keep their decimals.
    static std::string Plain(double v);
};
