#include "GbkCodec.h"

#include <cstdint>
#include <cstring>

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
}   // namespace

std::string GbkCodec::ToUtf8(GbkView gbk)
{
    return Convert(gbk.Bytes(), "UTF-8", "GBK", "\xEF\xBF\xBD");
}

GbkString GbkCodec::FromUtf8(std::string_view utf8)
{
    return GbkString(Convert(utf8, "GBK", "UTF-8", "?"));
}

void GbkCodec::UpperAsciiInPlace(char* text, size_t size)
{
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHigh = 0x8080808080808080ULL;
    size_t i = 0;
    while (i < size) {
        // Eight plain ASCII bytes at once: the high bit of a + (0x80 - 'a') marks bytes from 'a' up,
        // that of a + (0x80 - 'z' - 1) bytes past 'z'; no byte carries into the next.
        if (i + 8 <= size) {
            uint64_t w;
            std::memcpy(&w, text + i, 8);
            if ((w & kHigh) == 0) {
                const uint64_t fromA = w + kOnes * (0x80 - 'a');
                const uint64_t pastZ = w + kOnes * (0x80 - 'z' - 1);
                w ^= ((fromA & ~pastZ) & kHigh) >> 2;
                std::memcpy(text + i, &w, 8);
                i += 8;
                continue;
            }
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < size) {
            i += 2;   // lead byte: keep the trail byte as it is
            continue;
        }
        if (c >= 'a' && c <= 'z')
            text[i] = static_cast<char>(c - 'a' + 'A');
        ++i;
    }
}

GbkString GbkCodec::UpperAscii(GbkView gbk)
{
    std::string out(gbk.Bytes());
    UpperAsciiInPlace(out.data(), out.size());
    return GbkString(std::move(out));
}
