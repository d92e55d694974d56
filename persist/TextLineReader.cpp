#include "TextLineReader.h"

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
    m_fieldCount = 0;
    size_t i = 0;
    const size_t n = m_line.size();
    while (i < n && m_fieldCount < MaxFields) {
        while (i < n && separators.find(m_line[i]) != std::string_view::npos)
            ++i;
        if (i == n)
            break;
        size_t j = i;
        while (j < n && separators.find(m_line[j]) == std::string_view::npos)
            ++j;
        m_fields[static_cast<size_t>(m_fieldCount++)] = m_line.substr(i, j - i);
        i = j;
    }
    return m_fieldCount;
}
