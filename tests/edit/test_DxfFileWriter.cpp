// The bridge writes drawings by the same rules as the program's own saves: each case is set up
// twice and written once by each writer, and both must end the same way.
#include "CadTestUtil.h"
#include "cadbridge/DxfError.h"
#include "cadbridge/DxfFileWriter.h"
#include "persist/ArchiveError.h"
#include "persist/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What a write left: whether it threw, and the folder's entries with kind, mode and content.
std::string Outcome(const fs::path& dir, const std::function<void()>& write)
{
    std::string out;
    try {
        write();
        out = "written;";
    } catch (const DxfError&) {
        out = "refused;";
    } catch (const ArchiveError&) {
        out = "refused;";
    }
    std::vector<std::string> entries;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        std::string d = name +
                        (S_ISLNK(st.st_mode)   ? " link"
                         : S_ISDIR(st.st_mode) ? " dir"
                                               : " file") +
                        " " + std::to_string(st.st_mode & 0777);
        if (S_ISREG(st.st_mode))
            d += " " + Slurp(e.path());
        entries.push_back(d);
    }
    std::sort(entries.begin(), entries.end());
    for (const std::string& e : entries)
        out += e + ";";
    return out;
}

}   // namespace

TEST(DxfFileWriter, WritesByTheRulesOfTheProgramsSaves)
{
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> setUp;   // in an empty folder, target "t.dxf"
    };
    const Case cases[] = {
        {"new", [](const fs::path&) {}},
        {"existing", [](const fs::path& d) { std::ofstream(d / "t.dxf") << "old"; }},
        {"mode kept",
         [](const fs::path& d) {
             std::ofstream(d / "t.dxf") << "old";
             fs::permissions(d / "t.dxf", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
         }},
        {"read-only",
         [](const fs::path& d) {
             std::ofstream(d / "t.dxf") << "old";
             fs::permissions(d / "t.dxf", fs::perms::owner_read);
         }},
        {"link",
         [](const fs::path& d) {
             std::ofstream(d / "real.dxf") << "old";
             fs::create_symlink("real.dxf", d / "t.dxf");
         }},
        {"dangling link", [](const fs::path& d) { fs::create_symlink("gone.dxf", d / "t.dxf"); }},
        {"directory", [](const fs::path& d) { fs::create_directory(d / "t.dxf"); }},
        {"fifo", [](const fs::path& d) { ::mkfifo((d / "t.dxf").c_str(), 0644); }},
        {"left-over temporary",
         [](const fs::path& d) { std::ofstream(d / ".t.dxf.qen-save-AbC123") << "killed save"; }},
    };
    for (const Case& c : cases) {
        const fs::path a = cadtest::TempDir("writer-a"), b = cadtest::TempDir("writer-b");
        c.setUp(a);
        c.setUp(b);
        const std::string bridge = Outcome(a, [&] { DxfFileWriter::Write((a / "t.dxf").string(), "new"); });
        const std::string saves = Outcome(b, [&] { AtomicFileWriter::Write((b / "t.dxf").string(), "new"); });
        EXPECT_EQ(bridge, saves) << c.name;
        fs::remove_all(a);
        fs::remove_all(b);
    }
}
