#include "DxfTextCodec.h"
#include "DxfCaseFold.h"

#include <charconv>
#include <iconv.h>

namespace {

// One converter per call; texts here are names and labels, never whole files.
std::string Convert(std::string_view in, const char* to, const char* from, bool& ok)
{
    ok = true;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ok = false;
        return {};
    }
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
        ok = false;
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

void AppendEscape(std::string& out, char32_t c)
{
    char buf[8];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned>(c), 16);
    std::string hex(buf, p);
    for (char& h : hex)
        if (h >= 'a' && h <= 'f')
            h = static_cast<char>(h - 'a' + 'A');
    while (hex.size() < 4)
        hex.insert(hex.begin(), '0');
    out += "\\U+" + hex;
}

}   // namespace

std::string DxfTextCodec::CharsetOfCodePage(std::string_view codePage)
{
    std::string cp(codePage);
    for (char& c : cp)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    std::string charset;
    if (cp.rfind("ANSI_", 0) == 0 && cp.size() > 5)
        charset = "CP" + cp.substr(5);
    else if (cp.rfind("DOS", 0) == 0 && cp.size() > 3)
        charset = "CP" + cp.substr(3);
    else if (cp.rfind("ISO8859_", 0) == 0 && cp.size() > 8)
        charset = "ISO-8859-" + cp.substr(8);
    else if (cp == "UTF8" || cp == "UTF-8")
        return "UTF-8";
    else if (cp == "GB2312")
        return "CP936";
    else if (cp == "MAC-ROMAN")
        charset = "MACINTOSH";
    else if (cp == "KSC5601")
        charset = "CP949";
    else if (cp == "BIG5" || cp == "JOHAB" || cp == "ASCII")
        charset = cp;
    if (charset == "CP1361")
        charset = "JOHAB";
    if (charset.empty() || charset.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") != std::string::npos)
        return {};
    // Only what this system can convert.
    iconv_t cd = iconv_open("UTF-32LE", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    iconv_close(cd);
    return charset;
}

std::u32string DxfTextCodec::Decode(std::string_view bytes, const std::string& charset)
{
    std::u32string out;
    // Byte by byte through runs, so one bad byte costs one replacement character only.
    size_t i = 0;
    while (i < bytes.size()) {
        if (bytes.compare(i, 3, "\\U+") == 0 && i + 7 <= bytes.size()) {
            unsigned v = 0;
            auto [p, ec] = std::from_chars(bytes.data() + i + 3, bytes.data() + i + 7, v, 16);
            if (ec == std::errc() && p == bytes.data() + i + 7) {
                out.push_back(static_cast<char32_t>(v));
                i += 7;
                continue;
            }
        }
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        bool done = false;
        for (size_t len = 2; len <= 4 && i + len <= bytes.size() && !done; ++len) {
            bool ok = false;
            const std::string u = Convert(bytes.substr(i, len), "UTF-32LE", charset.c_str(), ok);
            if (ok && u.size() == 4) {
                out.push_back(static_cast<char32_t>(
                    static_cast<unsigned char>(u[0]) | static_cast<unsigned char>(u[1]) << 8 |
                    static_cast<unsigned char>(u[2]) << 16 | static_cast<unsigned char>(u[3]) << 24));
                i += len;
                done = true;
            }
        }
        if (!done) {
            bool ok = false;
            const std::string u = Convert(bytes.substr(i, 1), "UTF-32LE", charset.c_str(), ok);
            out.push_back(ok && u.size() == 4 ? static_cast<char32_t>(static_cast<unsigned char>(u[0]) |
                                                                      static_cast<unsigned char>(u[1]) << 8)
                                              : U'\uFFFD');
            ++i;
        }
    }
    return out;
}

std::string DxfTextCodec::Encode(std::u32string_view text, const std::string& charset)
{
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        const char u[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                           static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
        bool ok = false;
        const std::string b = Convert(std::string_view(u, 4), charset.c_str(), "UTF-32LE", ok);
        if (ok && !b.empty())
            out += b;
        else
            AppendEscape(out, c);
    }
    return out;
}

std::string DxfTextCodec::ToGbk(std::string_view fileText, const std::string& charset)
{
    bool plain = true;
    for (char c : fileText)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\\')
            plain = false;
    if (plain || (charset == "CP936" && fileText.find("\\U+") == std::string_view::npos))
        return std::string(fileText);
    return Encode(Decode(fileText, charset), "CP936");
}

std::string DxfTextCodec::FromGbk(std::string_view gbk, const std::string& charset)
{
    bool plain = true;
    for (char c : gbk)
        if (static_cast<unsigned char>(c) >= 0x80)
            plain = false;
    if (plain || charset == "CP936")
        return std::string(gbk);
    return Encode(Decode(gbk, "CP936"), charset);
}

std::u32string DxfTextCodec::FoldCase(std::u32string text)
{
    for (char32_t& c : text)
        c = DxfFoldChar(c);
    return text;
}
