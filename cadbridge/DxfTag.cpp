#include "DxfTag.h"

#include <charconv>
#include <cmath>

namespace dxf {

static std::string_view Trim(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}

bool ParseDouble(std::string_view text, double& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    return ec == std::errc() && p == end && std::isfinite(value);
}

bool ParseInt(std::string_view text, long long& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end;
}

std::string FormatDouble(double value)
{
    if (value == 0.0)
        value = 0.0;   // no "-0"
    char buf[32];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, ec == std::errc() ? p : buf);
    // Plain integers get a decimal point, as CAD programs write them.
    if (s.find_first_of(".eEn") == std::string::npos)
        s += ".0";
    return s;
}

bool ParseHandle(std::string_view text, unsigned long long& value)
{
    text = Trim(text);
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value, 16);
    return ec == std::errc() && p == end;
}

std::string FormatHandle(unsigned long long value)
{
    char buf[24];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string s(buf, p);
    for (char& c : s)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool IsDoubleCode(int code)
{
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059);
}

}   // namespace dxf
