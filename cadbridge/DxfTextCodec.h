#pragma once
#include <string>
#include <string_view>

// Texts between the bridge's GBK strings and a drawing's own encoding: UTF-8 from R2007 on,
// the code page of $DWGCODEPAGE before (CP936 when a file names none). Characters the target
// cannot hold are written as \U+XXXX, which CAD programs read back as the character.
class DxfTextCodec {
public:
    // "ANSI_936" -> "CP936"; "" for an unknown name.
    static std::string CharsetOfCodePage(std::string_view codePage);
    static std::u32string Decode(std::string_view bytes, const std::string& charset);
    static std::string Encode(std::u32string_view text, const std::string& charset);
    static std::string ToGbk(std::string_view fileText, const std::string& charset);
    static std::string FromGbk(std::string_view gbk, const std::string& charset);
    // Letter case folded as CAD programs compare names, in every cased script.
    static std::u32string FoldCase(std::u32string text);
};
