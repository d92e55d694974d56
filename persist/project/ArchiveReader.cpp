#include "ArchiveReader.h"

#include <cstring>

uint16_t ArchiveReader::Word()
{
    Need(2);
    const uint8_t* p = m_data + m_pos;
    m_pos += 2;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t ArchiveReader::Dword()
{
    Need(4);
    const uint8_t* p = m_data + m_pos;
    m_pos += 4;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

double ArchiveReader::Double()
{
    const uint64_t lo = Dword();
    const uint64_t hi = Dword();
    const uint64_t bits = lo | hi << 32;
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

void ArchiveReader::Raw(void* out, size_t n)
{
    Need(n);
    std::memcpy(out, m_data + m_pos, n);
    m_pos += n;
}

uint32_t ArchiveReader::Count()
{
    const uint16_t w = Word();
    return w != 0xFFFF ? w : Dword();
}

std::string ArchiveReader::String()
{
    uint32_t n = Byte();
    if (n == 0xFF) {
        n = Word();
        if (n == 0xFFFF)
            n = Dword();
    }
    const uint8_t* p = Take(n);   // checked against the file before any allocation
    return std::string(reinterpret_cast<const char*>(p), n);
}

void ArchiveReader::Fail(ArchiveError::Cause cause, const std::string& detail) const
{
    throw ArchiveError(cause, m_fileName,
                       detail.empty() ? "at byte " + std::to_string(m_pos)
                                      : detail + " (at byte " + std::to_string(m_pos) + ")");
}
