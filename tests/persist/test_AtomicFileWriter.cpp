#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
}   // namespace

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

// Four kills during saves had left 263 MB of hidden temporaries that no later save removed.
TEST(AtomicFileWriter, TemporariesAreNamedAfterTheTargetAndStaleOnesRemoved)
{
    TempDir dir;
    const fs::path target = dir.path / "net.wnp";
    EXPECT_EQ(AtomicFileWriter::TempPrefix(target.string()), ".net.wnp.qen-save-");
    const fs::path stale1 = dir.path / ".net.wnp.qen-save-a1B2c3";
    const fs::path stale2 = dir.path / ".net.wnp.qen-save-Zz9Yy8";
    const fs::path other = dir.path / ".other.wnp.qen-save-a1B2c3";   // another target's
    const fs::path busy = dir.path / ".net.wnp.qen-save-busy00";      // a save still writing
    const fs::path legacy = dir.path / ".qen-save-Q1w2E3";            // unnamed, of earlier versions
    for (const fs::path& p : {stale1, stale2, other, busy, legacy})
        std::ofstream(p) << std::string(1000, 'x');
    const int busyFd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(busyFd, 0);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);

    AtomicFileWriter::Write(target, "saved");
    EXPECT_EQ(ReadAll(target), "saved");
    EXPECT_FALSE(fs::exists(stale1));
    EXPECT_FALSE(fs::exists(stale2));
    EXPECT_FALSE(fs::exists(legacy));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(busy));
    ::close(busyFd);
    AtomicFileWriter::Write(target, "again");
    EXPECT_FALSE(fs::exists(busy));
    EXPECT_EQ(dir.Entries(), 2u);   // the target and the other target's temporary
}

// Saving over a symbolic link replaced the link and left the linked file with the old data.
TEST(AtomicFileWriter, SymbolicLinksAreWrittenThrough)
{
    TempDir dir;
    fs::create_directories(dir.path / "real");
    const fs::path real = dir.path / "real" / "net.wnp";
    AtomicFileWriter::Write(real, "old");
    const fs::path link = dir.path / "link.wnp";
    const fs::path chain = dir.path / "chain.wnp";
    fs::create_symlink("real/net.wnp", link);   // relative to the link's folder
    fs::create_symlink(link, chain);
    AtomicFileWriter::Write(chain, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(chain));
    EXPECT_EQ(ReadAll(real), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), {}), 1);

    const fs::path dangling = dir.path / "dangling.wnp";
    fs::create_symlink("real/created.wnp", dangling);
    AtomicFileWriter::Write(dangling, "made");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadAll(dir.path / "real" / "created.wnp"), "made");

    const fs::path loop = dir.path / "loop.wnp";
    fs::create_symlink("loop.wnp", loop);
    EXPECT_THROW(AtomicFileWriter::Write(loop, "x"), ArchiveError);
}

TEST(AtomicFileWriter, ReadOnlyAndSpecialTargetsAreRefused)
{
    TempDir dir;
    const fs::path target = dir.path / "net.wnp";
    AtomicFileWriter::Write(target, "keep");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        AtomicFileWriter::Write(target, "lost");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.GetCause(), ArchiveError::ReadOnly);
        EXPECT_EQ(e.FileName(), target.string());
    }
    EXPECT_EQ(ReadAll(target), "keep");

    const fs::path fifo = dir.path / "pipe.wnp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_THROW(AtomicFileWriter::Write(fifo, "x"), ArchiveError);
    EXPECT_TRUE(fs::is_fifo(fifo));
    fs::create_directory(dir.path / "folder.wnp");
    EXPECT_THROW(AtomicFileWriter::Write(dir.path / "folder.wnp", "x"), ArchiveError);
    EXPECT_TRUE(fs::is_directory(dir.path / "folder.wnp"));
    EXPECT_EQ(dir.Entries(), 3u);   // no temporaries left
}
