#pragma once
#include "GbkView.h"

#include <string>
#include <string_view>

// Text from a file (GBK bytes) made safe for a message: valid characters as UTF-8, control bytes
// other than tab and bytes that are not GBK text as \xNN, so a damaged file cannot put terminal escapes, line
// breaks or invalid UTF-8 into what the user reads.
class MessageText {
public:
    static std::string Escape(GbkView gbk);
    // Escaped, in double quotes, cut after 160 bytes so a huge line cannot flood the message.
    static std::string Quote(GbkView gbk);
    // Escaped, cut after `maxBytes` of the input (never inside a double-byte character) with "...".
    static std::string Cut(GbkView gbk, size_t maxBytes);
};
