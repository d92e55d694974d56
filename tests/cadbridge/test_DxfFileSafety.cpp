// What a drawing write must never do: lose a file it did not make, write through a structure it
// cannot place entities in, reuse handles, or overwrite a file another program changed.
#include "CadTestUtil.h"
#include "cadbridge/DxfTagReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using cadtest::Data;

namespace {

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

class FileSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        CadCloseSession();
        m_h = OpenAutoCad();
        m_dir = cadtest::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        CloseAutoCad(m_h);
        CadCloseSession();
    }
    fs::path Copy(const std::string& name, const std::string& as)
    {
        fs::copy_file(Data(name), m_dir / as, fs::copy_options::overwrite_existing);
        return m_dir / as;
    }
    void Draw()
    {
        CadCreateLayer(m_h, "QEN");
        const CadPoint p[] = {{0, 0}, {100, 50}};
        ASSERT_EQ(CadDrawPipe(m_h, p, 2, "QEN"), -1) << CadLastError();
    }
    std::vector<CadPoint> ScanFirst()
    {
        cadtest::Recorder r;
        ExtractPipeFromAutoCad(m_h, 0, nullptr, 3, &cadtest::Recorder::Callback, &r);
        for (const auto& c : r.calls)
            if (!c.points.empty())
                return c.points;
        return {};
    }
    CadHandle m_h = nullptr;
    fs::path m_dir;
};

const char* kTwoLines = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n5\n 21\n5\n"
                        "  0\nENDSEC\n  0\nEOF\n";

}   // namespace

TEST_F(FileSafety, BackupsOfOtherProgramsReadOnlyTargetsAndLinksAreKept)
{
    // A CAD program's own backup beside the drawing stays as it was; QEN keeps NAME.dxf.bak.
    const fs::path plan = Copy("pipes_r2000.dxf", "plan.dxf");
    Put(m_dir / "plan.bak", "the CAD program's backup");
    const std::string before = Slurp(plan);
    ASSERT_EQ(OpenDwgDocument(m_h, plan.c_str()), -1);
    Draw();
    ASSERT_EQ(CadSetVisible(m_h, 1), -1) << CadLastError();
    EXPECT_EQ(Slurp(m_dir / "plan.bak"), "the CAD program's backup");
    EXPECT_EQ(Slurp(m_dir / "plan.dxf.bak"), before);

    // A read-only target is refused and left alone, and no backup is made for it.
    const fs::path ro = Copy("pipes_r2000.dxf", "ro.dxf");
    fs::permissions(ro, fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(OpenDwgDocument(m_h, ro.c_str()), -1);
    Draw();
    EXPECT_EQ(CadSetVisible(m_h, 1), 0);
    EXPECT_NE(std::string(CadLastError()).find("只读"), std::string::npos) << CadLastError();
    EXPECT_EQ(Slurp(ro), Slurp(Data("pipes_r2000.dxf")));
    EXPECT_FALSE(fs::exists(m_dir / "ro.dxf.bak"));

    // A symbolic link stays a link: the file it names gets the drawing.
    const fs::path real = Copy("pipes_r2000.dxf", "real.dxf");
    fs::create_symlink("real.dxf", m_dir / "link.dxf");
    ASSERT_EQ(OpenDwgDocument(m_h, (m_dir / "link.dxf").c_str()), -1);
    Draw();
    ASSERT_EQ(CadSetVisible(m_h, 1), -1) << CadLastError();
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.dxf"));
    EXPECT_NE(Slurp(real).find("\nQEN\n"), std::string::npos);
    EXPECT_EQ(Slurp(m_dir / "real.dxf.bak"), Slurp(Data("pipes_r2000.dxf")));
}

TEST_F(FileSafety, BrokenSectionsAreNeverWrittenInto)
{
    // ENTITIES without ENDSEC, a SECTION inside ENTITIES, a second ENTITIES section: what would be
    // added has no sound place, so nothing is written (or the drawing is not even opened).
    const std::string head = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n5\n 21\n5\n";
    const std::string cases[] = {
        head + "  0\nEOF\n",
        head + "  0\nSECTION\n  2\nBLOCKS\n  0\nENDSEC\n  0\nENDSEC\n  0\nEOF\n",
        head + "  0\nENDSEC\n" + head + "  0\nENDSEC\n  0\nEOF\n",
    };
    int n = 0;
    for (const std::string& text : cases) {
        const fs::path f = m_dir / ("broken" + std::to_string(n++) + ".dxf");
        Put(f, text);
        if (OpenDwgDocument(m_h, f.c_str()) == -1) {
            Draw();
            EXPECT_EQ(CadSetVisible(m_h, 1), 0) << f;
        }
        EXPECT_EQ(Slurp(f), text) << f;
        EXPECT_FALSE(fs::exists(f.string() + ".bak")) << f;
    }
}

TEST_F(FileSafety, HandlesNeverWrapOrRepeat)
{
    // $HANDSEED at the top of the range: new handles go on above the highest in use.
    std::string text = Slurp(Data("pipes_r2000.dxf"));
    const auto seed = text.find("$HANDSEED\n  5\n");
    ASSERT_NE(seed, std::string::npos);
    const auto end = text.find('\n', seed + 14);
    text.replace(seed + 14, end - seed - 14, "FFFFFFFFFFFFFFFF");
    const fs::path f = m_dir / "seed.dxf";
    Put(f, text);
    ASSERT_EQ(OpenDwgDocument(m_h, f.c_str()), -1) << CadLastError();
    Draw();
    Draw();
    ASSERT_EQ(CadSetVisible(m_h, 1), -1) << CadLastError();
    std::set<std::string> handles;
    unsigned long long highest = 0, written = 0;
    const DxfTagList tags = DxfTagReader::ReadFile(f.string());
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code == 9 && tags[i].value == "$HANDSEED")
            written = std::stoull(tags[++i].value, nullptr, 16);
        else if (tags[i].code == 5 || tags[i].code == 105) {
            EXPECT_TRUE(handles.insert(tags[i].value).second) << "handle " << tags[i].value << " twice";
            EXPECT_NE(tags[i].value, "0");
            highest = std::max(highest, std::stoull(tags[i].value, nullptr, 16));
        }
    }
    EXPECT_GT(written, highest);
    EXPECT_LT(highest, 0x10000u);

    // A drawing whose handles already reach the top reads (its pipes can be imported), but
    // nothing is drawn into it: refused with a reason, the file left as it was.
    const auto line = text.find("LINE\n  5\n");
    ASSERT_NE(line, std::string::npos);
    const auto hEnd = text.find('\n', line + 9);
    text.replace(line + 9, hEnd - line - 9, "FFFFFFFFFFFFFFFF");
    Put(f, text);
    CloseAutoCad(m_h);
    CadCloseSession();
    m_h = OpenAutoCad();
    ASSERT_EQ(OpenDwgDocument(m_h, f.c_str()), -1) << CadLastError();
    EXPECT_FALSE(ScanFirst().empty());
    const CadPoint p[] = {{0, 0}, {100, 50}};
    EXPECT_EQ(CadDrawPipe(m_h, p, 2, "0"), 0);
    EXPECT_NE(std::string(CadLastError()).find("句柄"), std::string::npos) << CadLastError();
    EXPECT_EQ(Slurp(f.string()), text);

    // One just below the limit takes our entities, and what is written reads back.
    text.replace(line + 9, 16, "FFFFFFFEFFFFFFFF");
    Put(f, text);
    CloseAutoCad(m_h);
    CadCloseSession();
    m_h = OpenAutoCad();
    ASSERT_EQ(OpenDwgDocument(m_h, f.c_str()), -1) << CadLastError();
    Draw();
    ASSERT_EQ(CadSetVisible(m_h, 1), -1) << CadLastError();
    CloseAutoCad(m_h);
    CadCloseSession();
    m_h = OpenAutoCad();
    EXPECT_EQ(OpenDwgDocument(m_h, f.c_str()), -1) << CadLastError();
}

TEST_F(FileSafety, ADrawingChangedOnDiskIsReadAgainAndNotOverwrittenUnasked)
{
    const fs::path f = m_dir / "site.dxf";
    Put(f, kTwoLines);
    ASSERT_EQ(OpenDwgDocument(m_h, f.c_str()), -1);
    ASSERT_EQ(ScanFirst().size(), 2u);
    EXPECT_DOUBLE_EQ(ScanFirst()[1].x, 5.0);

    // Edited by another program between two imports: the second sees the edited line.
    std::string edited = kTwoLines;
    edited.replace(edited.find(" 11\n5\n"), 6, " 11\n77.5\n");
    Put(f, edited);
    ASSERT_EQ(OpenDwgDocument(m_h, f.c_str()), -1);
    ASSERT_EQ(ScanFirst().size(), 2u);
    EXPECT_DOUBLE_EQ(ScanFirst()[1].x, 77.5);

    // Changed after QEN drew into it: the write is refused until allowed, the change kept.
    Draw();
    std::string again = edited;
    again.replace(again.find(" 21\n5\n"), 6, " 21\n66.25\n");
    Put(f, again);
    EXPECT_EQ(CadDwgChangedOnDisk(m_h), -1);
    EXPECT_EQ(CadSetVisible(m_h, 1), 0);
    EXPECT_NE(std::string(CadLastError()).find("已被其他程序修改"), std::string::npos) << CadLastError();
    EXPECT_EQ(Slurp(f), again);
    EXPECT_FALSE(fs::exists(f.string() + ".bak"));
    ASSERT_EQ(CadSetOverwriteChanged(m_h, -1), -1);
    EXPECT_EQ(CadSetVisible(m_h, 1), -1) << CadLastError();
    EXPECT_EQ(Slurp(f.string() + ".bak"), again);
    EXPECT_EQ(CadDwgChangedOnDisk(m_h), 0);

    // A scan of the active drawing sees the file as it is now.
    std::string third = edited;
    third.replace(third.find(" 11\n77.5\n"), 9, " 11\n12.75\n");
    Put(f, third);
    EXPECT_DOUBLE_EQ(ScanFirst()[1].x, 12.75);

    // The next pass starts from the file as it is now when nothing was added since.
    Put(f, edited);
    const char* layer[] = {"QEN"};
    CadCreateLayers(m_h, layer, 1);
    EXPECT_EQ(CadDwgChangedOnDisk(m_h), 0);
    EXPECT_DOUBLE_EQ(ScanFirst()[1].x, 77.5);
}
