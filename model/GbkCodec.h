#pragma once
#include "GbkString.h"

#include <cstddef>
#include <string>
#include <string_view>

// GBK <-> UTF-8 through iconv: the one crossing between GbkString/GbkView (model, files) and the
// UTF-8 of messages and outputs. Qt text crosses through GbkText (views).
class GbkCodec {
public:
    // Invalid sequences become U+FFFD / '?' rather than failing: a label must always show.
    static std::string ToUtf8(GbkView gbk);
    static GbkString FromUtf8(std::string_view utf8);
    // Upper-cases ASCII letters only, stepping over GBK double-byte characters so their trail
    // bytes (which may look like ASCII letters) stay intact.
    static GbkString UpperAscii(GbkView gbk);
    static void UpperAsciiInPlace(char* gbk, size_t size);
};
