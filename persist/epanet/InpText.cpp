#include "InpText.h"

#include "persist/ArchiveError.h"
#include "model/MessageText.h"
#include "model/NumberFormat.h"

#include <charconv>
#include <cmath>

namespace InpText {
bool ParseFinite(std::string_view f, double& v)
{
    const char* b = f.data();
    const char* e = b + f.size();
    if (b != e && *b == '+')
        ++b;
    const auto r = std::from_chars(b, e, v);
    return b != e && r.ec == std::errc() && r.ptr == e && std::isfinite(v);
}

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string Printable(std::string_view s, size_t maxBytes)
{
    return MessageText::Cut(GbkView(s), maxBytes);
}

std::string Format(double v)
{
    // A value finite in QEN's units can overflow in EPANET's (a diameter in millimetres): the
    // reader would refuse "inf", so the writer refuses to write it.
    if (!std::isfinite(v))
        throw ArchiveError(ArchiveError::Generic, {},
                           "数值 " + NumberFormat::G(v) + " 超出 EPANET 文件可写的范围, 未写出");
    if (v == 0.0)
        return "0";
    // Twelve significant digits: values converted between unit systems come back from their
    // round trip as written instead of with a rounding tail.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 12);
    return std::string(buf, r.ptr);
}
}   // namespace InpText
