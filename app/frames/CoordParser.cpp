#include "CoordParser.h"

#include "model/NumberFormat.h"

#include <string_view>

namespace {
void SkipBlanks(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

bool ReadNumber(const char*& p, double& v)
{
    // Plain decimal only: [+-]digits[.digits][e[+-]digits].
    const char* s = p;
    const char* q = p;
    if (*q == '+' || *q == '-')
        ++q;
    bool digits = false;
    while (*q >= '0' && *q <= '9') {
        ++q;
        digits = true;
    }
    if (*q == '.') {
        ++q;
        while (*q >= '0' && *q <= '9') {
            ++q;
            digits = true;
        }
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
    if (NumberFormat::ReadLeading(std::string_view(s, static_cast<size_t>(q - s)), v) != static_cast<size_t>(q - s))
        return false;   // out of range
    if (v == 0.0 && *s != '0')
        return false;
    p = q;
    return true;
}
}   // namespace

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
    return c.isDigit() && c.unicode() < 128 ? true : c == u'.' || c == u',' || c == u'-' || c == u'+';
}
