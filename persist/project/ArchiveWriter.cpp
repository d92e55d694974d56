#include "ArchiveWriter.h"

#include "model/NumberFormat.h"
#include "persist/ArchiveError.h"

#include <cmath>
#include <cstring>

void ArchiveWriter::Word(uint16_t v)
{
    const char b[2] = {char(v), char(v >> 8)};
    m_out.append(b, 2);
}

void ArchiveWriter::Dword(uint32_t v)
{
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    m_out.append(b, 4);
}

void ArchiveWriter::Double(double v)
{
    if (!std::isfinite(v))
        throw ArchiveError(ArchiveError::Generic, {},
                           "a value is " + NumberFormat::G(v) + ", not a finite number; not saved");
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    Dword(static_cast<uint32_t>(bits));
    Dword(static_cast<uint32_t>(bits >> 32));
}

void ArchiveWriter::Count(uint32_t n)
{
    if (n < 0xFFFF) {
        Word(static_cast<uint16_t>(n));
    } else {
        Word(0xFFFF);
        Dword(n);
    }
}

void ArchiveWriter::String(std::string_view s)
{
    const size_t n = s.size();
    if (n < 0xFF) {
        Byte(static_cast<uint8_t>(n));
    } else {
        Byte(0xFF);
        if (n < 0xFFFE) {
            Word(static_cast<uint16_t>(n));
        } else {
            Word(0xFFFF);
            Dword(static_cast<uint32_t>(n));
        }
    }
    Raw(s.data(), n);
}

void ArchiveWriter::BackRef(uint32_t index)
{
    if (index < 0x7FFF) {
        Word(static_cast<uint16_t>(index));
    } else {
        Word(0x7FFF);
        Dword(index);
    }
}

uint32_t ArchiveWriter::NewObject(const char* className, uint16_t schema)
{
    auto it = m_classes.find(className);
    if (it == m_classes.end()) {
        const size_t len = std::strlen(className);
        Word(0xFFFF);
        Word(schema);
        Word(static_cast<uint16_t>(len));
        Raw(className, len);
        m_classes.emplace(std::string_view(className, len), m_nextIndex++);
    } else if (it->second < 0x7FFF) {
        Word(static_cast<uint16_t>(0x8000 | it->second));
    } else {
        Word(0x7FFF);
        Dword(0x80000000u | it->second);
    }
    return m_nextIndex++;
}
