#pragma once
#include <array>
#include <string>
#include <string_view>

// Walks an upper-cased text buffer line by line without allocating: each line is trimmed, and split
// into at most MaxFields views into the buffer. Accepts LF, CR LF and CR (old Mac) endings.
class TextLineReader {
public:
    static constexpr int MaxFields = 16;

    // `text` must outlive the reader.
    explicit TextLineReader(std::string_view text) : m_text(text) {}

    // Advances to the next line that is neither empty nor a "//" comment; false at the end.
    bool NextLine();
    std::string_view Line() const { return m_line; }
    std::string_view Text() const { return m_text; }
    int LineNumber() const { return m_lineNumber; }

    // Splits the current line at the given separator characters; empty fields are skipped.
    int Split(std::string_view separators);
    int FieldCount() const { return m_fieldCount; }
    // The 1-based number of the first field left empty between two tabs (a spreadsheet's empty
    // cell), 0 when there is none. Splitting at white space would shift the later fields left.
    int EmptyTabField() const;
    std::string_view Field(int i) const
    {
        return i < m_fieldCount ? m_fields[static_cast<size_t>(i)] : std::string_view();
    }

    static constexpr std::string_view WhiteSpace = " \t\r\v\f";
    static constexpr std::string_view SectionSeparators = " \t,;";

private:
    std::string_view m_text;
    size_t m_pos = 0;
    std::string_view m_line;
    int m_lineNumber = 0;
    std::array<std::string_view, MaxFields> m_fields;
    std::array<bool, 256> m_isSeparator{};   // for the separator set last split at
    std::string m_separators;
    int m_fieldCount = 0;
};
