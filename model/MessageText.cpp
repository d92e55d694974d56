#include "MessageText.h"

#include "GbkCodec.h"

namespace {
void AppendHex(std::string& out, unsigned char c)
{
    static const char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 15];
}
}   // namespace

std::string MessageText::Escape(GbkView gbk)
{
    std::string out;
    out.reserve(gbk.size());
    size_t i = 0;
    while (i < gbk.size()) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if ((c >= 0x20 && c < 0x7F) || c == '\t') {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c >= 0x81 && c <= 0xFE && i + 1 < gbk.size()) {
            const auto t = static_cast<unsigned char>(gbk[i + 1]);
            if (t >= 0x40 && t <= 0xFE && t != 0x7F) {
                const std::string u = GbkCodec::ToUtf8(gbk.substr(i, 2));
                if (u != "\xEF\xBF\xBD" && !u.empty()) {
                    out += u;
                    i += 2;
                    continue;
                }
            }
        }
        AppendHex(out, c);
        ++i;
    }
    return out;
}

std::string MessageText::Quote(GbkView gbk)
{
    return "\"" + Cut(gbk, 160) + "\"";
}

std::string MessageText::Cut(GbkView gbk, size_t maxBytes)
{
    if (gbk.size() <= maxBytes)
        return Escape(gbk);
    size_t cut = 0;   // not inside a double-byte character
    while (cut < maxBytes) {
        const size_t step = static_cast<unsigned char>(gbk[cut]) >= 0x81 ? 2 : 1;
        if (cut + step > maxBytes)
            break;
        cut += step;
    }
    return Escape(gbk.substr(0, cut)) + "...";
}
