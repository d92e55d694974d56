#pragma once
#include <sstream>
#include <string>

// Writes a file so that the target is either the old file or the complete new one: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and the temporary file is renamed over
// the target. Any failure removes the temporary file, leaves the target untouched and throws
// ArchiveError with the reason.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();   // discards an uncommitted temporary file

    // Where to write: an in-memory buffer, flushed to the temporary file by Commit.
    std::ostream& Stream() { return m_buffer; }
    void Commit();

    // One call for callers that already hold the bytes.
    static void Write(const std::string& targetPath, const std::string& bytes);

private:
    std::string m_target;
    std::ostringstream m_buffer;
    bool m_committed = false;
};
