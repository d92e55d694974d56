#include "TextLineReader.h"

#include <cstdint>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
}   // namespace

bool TextLineReader::NextLine()
{
    while (m_pos < m_text.size()) {
        const char* begin = m_text.data() + m_pos;
        const size_t left = m_text.size() - m_pos;
        size_t len = 0;
        while (len < left && begin[len] != '\n' && begin[len] != '\r')
            ++len;
        // A CR ends the line too (old Mac files); CR LF counts as one end.
        size_t next = len < left ? len + 1 : len;
        if (len + 1 < left && begin[len] == '\r' && begin[len + 1] == '\n')
            ++next;
        m_pos += next;
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

int TextLineReader::EmptyTabField() const
{
    int field = 1;
    bool empty = false;   // nothing but spaces since the last tab
    for (char c : m_line) {
        if (c == '\t') {
            if (empty)
                return field;
            ++field;
            empty = true;
        } else if (c != ' ') {
            empty = false;
        }
    }
    return 0;
}

int TextLineReader::Split(std::string_view separators)
{
    // A flag per byte value, made once per separator set: string_view::find per character costs
    // a memchr call each, and the readers split every line with one of two sets.
    if (separators != m_separators) {
        m_isSeparator.fill(false);
        for (char c : separators)
            m_isSeparator[static_cast<unsigned char>(c)] = true;
        m_separators.assign(separators);
    }
    const auto isSep = [this](char c) { return m_isSeparator[static_cast<unsigned char>(c)]; };
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
