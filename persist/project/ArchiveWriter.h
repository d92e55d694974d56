#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// Little-endian object archive output: plain values, counts, strings, and the shared table of
// class and object indices (index 0 is null; classes and objects draw from one counter).
class ArchiveWriter {
public:
    explicit ArchiveWriter(size_t reserve = 0) { m_out.reserve(reserve); }

    void Byte(uint8_t v) { m_out.push_back(static_cast<char>(v)); }
    void Word(uint16_t v);
    void Dword(uint32_t v);
    void Long(int32_t v) { Dword(static_cast<uint32_t>(v)); }
    void Double(double v);
    void Raw(const void* data, size_t size) { m_out.append(static_cast<const char*>(data), size); }
    void Zeros(size_t n) { m_out.append(n, '\0'); }
    // WORD below 0xFFFF, else 0xFFFF and a DWORD.
    void Count(uint32_t n);
    // Length-prefixed bytes: BYTE, or 0xFF + WORD, or 0xFF + 0xFFFF + DWORD.
    void String(std::string_view s);

    void NullRef() { Word(0); }
    // A reference to an object already in the table.
    void BackRef(uint32_t index);
    // Starts a new object of the named class (tagging the class, or naming it the first time) and
    // returns the object's new index; its fields follow.
    uint32_t NewObject(const char* className, uint16_t schema);

    uint32_t NextIndex() const { return m_nextIndex; }
    std::string& Bytes() { return m_out; }

private:
    std::string m_out;
    std::unordered_map<std::string_view, uint32_t> m_classes;
    uint32_t m_nextIndex = 1;
};
