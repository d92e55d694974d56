#include "PropertyNumber.h"

#include <charconv>
#include <cmath>

namespace {
std::string_view Trim(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    // from_chars takes no plus sign; a typed one is harmless.
    if (t.size() > 1 && t.front() == '+' && t[1] != '-' && t[1] != '+')
        t.remove_prefix(1);
    return t;
}
}   // namespace

bool PropertyNumber::Parse(std::string_view text, double& value)
{
    text = Trim(text);
    if (text.empty())
        return false;
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool PropertyNumber::ParseInt(std::string_view text, int& value)
{
    text = Trim(text);
    if (text.empty())
        return false;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    value = v;
    return true;
}

std::string PropertyNumber::Plain(double v)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v == 0.0 ? 0.0 : v, std::chars_format::general, 10);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}
