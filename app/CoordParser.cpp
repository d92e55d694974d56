#include "CoordParser.h"

#include <charconv>
#include <cmath>

namespace {
void SkipBlanks(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

bool ReadNumber(const char*& p, double& v)
{
    // strtod also skips leading white space of other kinds and reads hex and inf; the format is
    // plain decimal, so only [+-]digits[.digits][e[+-]digits] is taken.
    const char* s = p;
    const char* q = p;
    if (*q == '+' || *q == '-')
        ++q;
    bool digits = false;
    while (*q >= '0' && *q <= '9') { ++q; digits = true; }
    if (*q == '.') {
        ++q;
        while (*q >= '0' && *q <= '9') { ++q; digits = true; }
    }
    if (!digits)
        return false;
    if (*q == 'e' || *q == 'E') {
        const char* e = q + 1;
        if (*e == '+' || *e == '-')
            ++e;
        if (*e >= '0' && *e <= '9') {
            while (*e >= '0' && *e <= '9')
                ++e;
            q = e;
        }
    }
    // from_chars, not strtod: the program runs under the user's locale, where strtod may want a
    // decimal comma and read "12.5" as 12.
    const char* b = *s == '+' ? s + 1 : s;
    const auto r = std::from_chars(b, q, v);
    if (r.ec != std::errc() || r.ptr != q || !std::isfinite(v) || (v == 0.0 && *s != '0'))
        return false;
    p = q;
    return true;
}
}

bool CoordParser::Parse(const QString& text, double& x, double& y)
{
    const QByteArray bytes = text.toLatin1();   // anything outside Latin-1 becomes '?' and fails
    const char* p = bytes.constData();
    double a = 0, b = 0;
    SkipBlanks(p);
    if (!ReadNumber(p, a))
        return false;
    SkipBlanks(p);
    if (*p != ',')
        return false;
    ++p;
    SkipBlanks(p);
    if (!ReadNumber(p, b))
        return false;
    SkipBlanks(p);
    if (*p != '\0')
        return false;
    x = a;
    y = b;
    return true;
}

bool CoordParser::IsAllowedChar(QChar c)
{
    return c.isDigit() && c.unicode() < 128 ? true
         : c == u'.' || c == u',' || c == u'-' || c == u'+';
}
