#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
struct TempDir {
    fs::path path = fs::temp_directory_path() / ("qen-atomic-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
    size_t Entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(path), {})); }
};
} // namespace

TEST(AtomicFileWriter, ReplacesTheTargetAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const fs::path target = dir.path / "net.wnp";
    AtomicFileWriter::Write(target, "old");
    AtomicFileWriter w(target);
    w.Stream() << "new contents";
    EXPECT_EQ(ReadAll(target), "old");   // nothing reaches the target before the commit
    w.Commit();
    EXPECT_EQ(ReadAll(target), "new contents");
    EXPECT_EQ(dir.Entries(), 1u);
}

TEST(AtomicFileWriter, FailureKeepsThePreviousFile)
{
    TempDir dir;
    const fs::path target = dir.path / "net.wnp";
    AtomicFileWriter::Write(target, "precious");
    // A target that is a directory cannot be replaced by a file.
    const fs::path blocked = dir.path / "blocked";
    fs::create_directories(blocked / "inner");
    EXPECT_THROW(AtomicFileWriter::Write(blocked, "x"), ArchiveError);
    EXPECT_THROW(AtomicFileWriter::Write((dir.path / "missing" / "f.wnp").string(), "x"), ArchiveError);
    EXPECT_EQ(ReadAll(target), "precious");
    EXPECT_EQ(dir.Entries(), 2u);
}
