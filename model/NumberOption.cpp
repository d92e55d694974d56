#include "NumberOption.h"

#include "GbkCodec.h"
#include "MessageText.h"
#include "NumberFormat.h"

#include <charconv>

namespace {
std::string Complaint(std::string_view option, const std::string& wanted, std::string_view text)
{
    // A command line is UTF-8; the quote escapes GBK.
    return std::string(option) + " wants " + wanted + ", not " + MessageText::Quote(GbkCodec::FromUtf8(text));
}
}   // namespace

std::string NumberOption::Describe(const Range& range)
{
    if (range.aboveLo)
        return "a number above " + NumberFormat::G(range.lo) + " and at most " + NumberFormat::G(range.hi);
    return "a number from " + NumberFormat::G(range.lo) + " to " + NumberFormat::G(range.hi);
}

std::string NumberOption::Parse(std::string_view option, std::string_view text, const Range& range, double& v)
{
    double d = 0.0;
    const bool whole = !text.empty() && NumberFormat::ReadLeading(text, d) == text.size();
    if (!whole || d < range.lo || d > range.hi || (range.aboveLo && d == range.lo))
        return Complaint(option, Describe(range), text);
    v = d;
    return {};
}

std::string NumberOption::ParseInt(std::string_view option, std::string_view text, long long lo, long long hi,
                                   long long& v)
{
    long long n = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+' && b + 1 != e && b[1] != '-')
        ++b;
    const auto r = std::from_chars(b, e, n);
    if (text.empty() || r.ec != std::errc() || r.ptr != e || n < lo || n > hi)
        return Complaint(option, "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi), text);
    v = n;
    return {};
}
