#include "NumberFormat.h"

#include <charconv>
#include <cmath>
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

size_t NumberFormat::ReadLeading(std::string_view text, double& v)
{
    const char* b = text.data();
    const char* e = b + text.size();
    const char* p = b;
    // from_chars takes no '+'; nor does it take hex or inf here (fixed | scientific = general).
    if (p != e && *p == '+' && p + 1 != e && p[1] != '-' && p[1] != '+')
        ++p;
    double d = 0.0;
    const auto r = std::from_chars(p, e, d, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(d))
        return 0;
    v = d;
    return static_cast<size_t>(r.ptr - b);
}
