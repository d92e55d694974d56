#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// GBK <-> UTF-8 through iconv. The model keeps GBK bytes; only the UI edge and CSV output convert.
class GbkCodec {
public:
    // Invalid sequences become U+FFFD / '?' rather than failing: a label must always show.
    static std::string ToUtf8(std::string_view gbk);
    static std::string FromUtf8(std::string_view utf8);
    // Upper-cases ASCII letters only, stepping over GBK double-byte characters so their trail
    // bytes (which may look like ASCII letters) stay intact.
    static std::string UpperAscii(std::string_view gbk);
    static void UpperAsciiInPlace(char* gbk, size_t size);
};
