#pragma once
#include <string>
#include <string_view>
#include <vector>

// One group of a DXF file: its code and the value line as it stood (trailing CR removed).
struct DxfTag {
    int code = 0;
    std::string value;
};

using DxfTagList = std::vector<DxfTag>;

namespace dxf {
// Locale-free number reading; false for text that is no number (non-finite values included).
bool ParseDouble(std::string_view text, double& value);
bool ParseInt(std::string_view text, long long& value);
// Shortest text that reads back as the same double, '.' as decimal point.
std::string FormatDouble(double value);
// Handles are hexadecimal without prefix.
bool ParseHandle(std::string_view text, unsigned long long& value);
std::string FormatHandle(unsigned long long value);
// Group codes whose values are doubles (points, distances, angles, scales).
bool IsDoubleCode(int code);
}   // namespace dxf
