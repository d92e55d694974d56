#pragma once
#include <string>
#include <string_view>

class UnitSystem;

// The units line at the top of a text exchange file ("//输出格式: 长度单位:m\t管径单位:mm\t...").
// Its values are in the units it names, whatever the program's current units are.
class TextUnitsHeader {
public:
    // Sets the length, diameter, head and flow units of `units` from the header line among the
    // comment lines before the first data line of `upperText` (upper-cased); categories the line
    // does not name, or a file without it, keep their unit. Throws ArchiveError for a unit name
    // not in its category's list.
    static void Apply(std::string_view upperText, const std::string& fileName, UnitSystem& units);
};
