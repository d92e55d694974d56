// Reading /dev/zero or a directory allocated until memory ran out and said "std::bad_alloc"
// without the file's name.
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/InputFile.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
struct TempDir {
    fs::path path = fs::temp_directory_path() / ("qen-input-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

// The message of the refusal, which must name the file.
std::string RefusalOf(const std::string& path, size_t maxBytes = InputFile::MaxBytes)
{
    try {
        InputFile::ReadAll(path, maxBytes);
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        return e.Detail();
    }
    ADD_FAILURE() << path << " was read";
    return {};
}
}   // namespace

TEST(InputFile, AnythingButARegularFileIsRefusedBeforeReading)
{
    TempDir dir;
    EXPECT_EQ(RefusalOf(dir.path.string()), "是一个目录");
    EXPECT_EQ(RefusalOf("/dev/zero"), "是一个设备");
    const fs::path fifo = dir.path / "net.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(RefusalOf(fifo.string()), "是一个管道");   // without a writer: must not block
    EXPECT_NE(RefusalOf((dir.path / "missing.wnp").string()), "");
}

TEST(InputFile, FilesOverTheLimitAreRefused)
{
    TempDir dir;
    const fs::path file = dir.path / "big.txt";
    std::ofstream(file) << "0123456789";
    EXPECT_EQ(InputFile::ReadAll(file.string(), 10), "0123456789");
    EXPECT_NE(RefusalOf(file.string(), 9).find("文件过大"), std::string::npos);
    // The default limit is far beyond any network file yet refuses a sparse file of 2 GB.
    const fs::path sparse = dir.path / "sparse.wnp";
    std::ofstream(sparse).close();
    fs::resize_file(sparse, 2ull << 30);
    EXPECT_NE(RefusalOf(sparse.string()).find("文件过大"), std::string::npos);
}

TEST(InputFile, BothReadersGoThroughIt)
{
    UnitSystem units;
    ZTemplateSet templates;
    ZDocument doc;
    EXPECT_THROW(TextExchange::LoadFile("/dev/zero", doc, units, templates), ArchiveError);
    EXPECT_THROW(ProjectFile::LoadFile("/dev/zero", doc), ArchiveError);
    try {
        ProjectFile::LoadFile("/", doc);
        ADD_FAILURE();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), "/");
    }
}
