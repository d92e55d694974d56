#include "TextLineReader.h"

#include <cstdint>
#include <cstring>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

bool TextLineReader::NextLine()
{
    while (m_pos < m_text.size()) {
        const char* begin = m_text.data() + m_pos;
        const size_t left = m_text.size() - m_pos;
        const void* nl = std::memchr(begin, '\n', left);
        const size_t len = nl ? static_cast<size_t>(static_cast<const char*>(nl) - begin) : left;
        m_pos += len + (nl ? 1 : 0);
        ++m_lineNumber;

        size_t a = 0, b = len;
        while (a < b && IsBlank(begin[a]))
            ++a;
        while (b > a && IsBlank(begin[b - 1]))
            --b;
        if (a == b || (b - a >= 2 && begin[a] == '/' && begin[a + 1] == '/'))
            continue;
        m_line = std::string_view(begin + a, b - a);
        m_fieldCount = 0;
        return true;
    }
    m_line = {};
    m_fieldCount = 0;
    return false;
}

int TextLineReader::Split(std::string_view separators)
{
    // A bit per byte value: string_view::find per character costs a memchr call each.
    uint64_t set[4] = {};
    for (char c : separators) {
        const auto u = static_cast<unsigned char>(c);
        set[u >> 6] |= uint64_t(1) << (u & 63);
    }
    auto isSep = [&set](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (set[u >> 6] >> (u & 63)) & 1;
    };
    m_fieldCount = 0;
    size_t i = 0;
    const size_t n = m_line.size();
    while (i < n && m_fieldCount < MaxFields) {
        while (i < n && isSep(m_line[i]))
            ++i;
        if (i == n)
            break;
        size_t j = i;
        while (j < n && !isSep(m_line[j]))
            ++j;
        m_fields[static_cast<size_t>(m_fieldCount++)] = m_line.substr(i, j - i);
        i = j;
    }
    return m_fieldCount;
}
