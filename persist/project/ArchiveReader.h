#pragma once
#include "persist/ArchiveError.h"

#include <cstdint>
#include <string>

// Little-endian object archive input over a buffer that holds the whole file. Every read checks
// the remaining length and throws ArchiveError (end of file, with the file's name) on a short file,
// so counts and lengths can be checked against what the file could hold before allocating.
class ArchiveReader {
public:
    ArchiveReader(const uint8_t* data, size_t size, std::string fileName)
        : m_data(data), m_size(size), m_fileName(std::move(fileName))
    {
    }

    uint8_t Byte()
    {
        Need(1);
        return m_data[m_pos++];
    }
    uint16_t Word();
    uint32_t Dword();
    int32_t Long() { return static_cast<int32_t>(Dword()); }
    double Double();
    // Copies n bytes out, or views them in place.
    void Raw(void* out, size_t n);
    const uint8_t* Take(size_t n)
    {
        Need(n);
        const uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    uint32_t Count();
    std::string String();

    size_t Position() const { return m_pos; }
    void Seek(size_t pos) { m_pos = pos <= m_size ? pos : m_size; }
    size_t Remaining() const { return m_size - m_pos; }
    // Throws end of file unless n more bytes exist.
    void Need(size_t n) const
    {
        if (n > m_size - m_pos)
            Fail(ArchiveError::EndOfFile);
    }
    // A collection of n items of at least itemSize bytes each must fit in the rest of the file.
    void NeedItems(uint64_t n, size_t itemSize) const
    {
        if (n * itemSize > m_size - m_pos)
            Fail(ArchiveError::EndOfFile, "count " + std::to_string(n) + " larger than the file can hold");
    }

    [[noreturn]] void Fail(ArchiveError::Cause cause, const std::string& detail = {}) const;
    const std::string& FileName() const { return m_fileName; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    std::string m_fileName;
};
