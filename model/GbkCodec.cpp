#include "GbkCodec.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {
std::string Convert(std::string_view in, const char* to, const char* from, std::string_view replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    std::vector<char> buf(256);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or a truncated sequence at the end: replace one byte and go on.
            out.append(replacement);
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}
} // namespace

std::string GbkCodec::ToUtf8(std::string_view gbk)
{
    return Convert(gbk, "UTF-8", "GBK", "\xEF\xBF\xBD");
}

std::string GbkCodec::FromUtf8(std::string_view utf8)
{
    return Convert(utf8, "GBK", "UTF-8", "?");
}

std::string GbkCodec::UpperAscii(std::string_view gbk)
{
    std::string out(gbk);
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < out.size()) {
            ++i;   // lead byte: keep the trail byte as it is
            continue;
        }
        if (c >= 'a' && c <= 'z')
            out[i] = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}
