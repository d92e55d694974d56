#include "DxfStringWriter.h"

#include <charconv>
#include <cstdio>

DxfStringWriter::DxfStringWriter() : DL_WriterA("", DL_Codes::AC1015) {}

void DxfStringWriter::Code(int gc) const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d\n", gc);
    m_text += buf;
}

void DxfStringWriter::dxfReal(int gc, double value) const
{
    // Fixed notation, trailing zeros cut but one digit kept after the point, as drawings write it.
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 16);
    std::string s = ec == std::errc() ? std::string(buf, end) : std::string("0.0");
    const auto dot = s.find('.');
    if (dot != std::string::npos) {
        const auto last = s.find_last_not_of('0');
        s.erase(std::max(last + 1, dot + 2));
    }
    dxfString(gc, s);
}

void DxfStringWriter::dxfInt(int gc, int value) const
{
    Code(gc);
    m_text += std::to_string(value);
    m_text += '\n';
}

void DxfStringWriter::dxfHex(int gc, int value) const
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(value));
    dxfString(gc, buf);
}

void DxfStringWriter::dxfString(int gc, const char* value) const
{
    Code(gc);
    m_text += value ? value : "";
    m_text += '\n';
}

void DxfStringWriter::dxfString(int gc, const std::string& value) const
{
    dxfString(gc, value.c_str());
}
