#pragma once
#include <sstream>
#include <string>

// Writes a file so that the target is either the old file or the complete new one: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and the temporary file is renamed over
// the target. Any failure removes the temporary file, leaves the target untouched and throws
// ArchiveError with the reason. A symbolic link is written through to the file it names; a target
// that is read-only or not a regular file is refused. Temporaries are named after their target
// (".NAME.qen-save-XXXXXX") and locked while written, so a save removes those that a killed save
// of the same target left behind (and the unnamed ".qen-save-XXXXXX" of earlier versions).
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();   // discards an uncommitted temporary file

    // Where to write: an in-memory buffer, flushed to the temporary file by Commit.
    std::ostream& Stream() { return m_buffer; }
    void Commit();

    // One call for callers that already hold the bytes.
    static void Write(const std::string& targetPath, const std::string& bytes);

    // Throws what Write would for a target it refuses (read-only, not a regular file, a broken chain
    // of links), so a caller can refuse before long work; the temporary file's own failures remain.
    static void CheckTarget(const std::string& path);

    // The file a path names after following symbolic links (the path itself when it is none).
    static std::string ResolveTarget(const std::string& path);
    static std::string TempPrefix(const std::string& target);

private:
    static void RemoveStaleTemporaries(const std::string& target, const std::string& ours);

    std::string m_target;
    std::ostringstream m_buffer;
    bool m_committed = false;
};
