#pragma once
#include <stdexcept>
#include <string>

// A file that cannot be read or written: the archive error's cause code, the file's
// name, and where known the line and the offending text. Texts are UTF-8 for display.
class ArchiveError : public std::runtime_error {
public:
    enum Cause {
        None = 0,
        Generic = 1,
        ReadOnly = 2,
        EndOfFile = 3,
        WriteOnly = 4,
        BadIndex = 5,
        BadClass = 6,
        BadSchema = 7
    };

    ArchiveError(Cause cause, std::string fileName, std::string detail = {}, int line = 0);

    Cause GetCause() const { return m_cause; }
    const std::string& FileName() const { return m_fileName; }
    const std::string& Detail() const { return m_detail; }
    int Line() const { return m_line; }   // 0 when not a text-file error

private:
    static std::string Compose(Cause cause, const std::string& fileName, const std::string& detail, int line);
    Cause m_cause;
    std::string m_fileName;
    std::string m_detail;
    int m_line;
};
