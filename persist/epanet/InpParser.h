#pragma once
#include "InpFile.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the text of an EPANET input file into an InpFile. Keywords and section names are read in
// any letter case; identifiers are kept as written. Numbers are read without the C locale, and a
// field that must be a number but is not, or is not finite, is an ArchiveError naming the file,
// the line and the field.
class InpParser {
public:
    InpParser(std::string_view text, std::string fileName);
    InpFile Parse();

private:
    enum class Section {
        None,
        Title,
        Junctions,
        Reservoirs,
        Tanks,
        Pipes,
        Pumps,
        Valves,
        Demands,
        Patterns,
        Curves,
        Status,
        Options,
        Times,
        Coordinates,
        Vertices,
        Controls,
        Energy,
        Skipped,
        End
    };

    bool NextLine();
    void Split(std::string_view line);
    void ReadRecord(Section s);
    void ReadKeyValue(const char* section, std::map<std::string, std::string>& into);
    [[noreturn]] void Fail(const std::string& what) const;
    void Need(size_t count, const char* what) const;
    double Number(size_t i, const char* what) const;
    const std::string& Id(size_t i, const char* what) const;

    std::string_view m_text;
    std::string m_fileName;
    size_t m_pos = 0;
    int m_lineNumber = 0;
    std::string_view m_line;
    std::vector<std::string> m_fields;
    std::string m_comment;   // the text after ';' on the current line
    InpFile m_file;
    std::string m_skippedName;
};
