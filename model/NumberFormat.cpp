#include "NumberFormat.h"

#include <charconv>
#include <cstdio>

// std::to_chars never consults the locale, unlike snprintf under a Qt program's setlocale.
std::string NumberFormat::G(double v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

std::string NumberFormat::Fixed(double v, int decimals)
{
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return G(v);
    return std::string(buf, r.ptr);
}
