#include "CadTestUtil.h"
#include "cadbridge/DxfError.h"
#include "cadbridge/DxfTagReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

using cadtest::Data;

namespace {

std::string ErrorOf(const std::string& path)
{
    try {
        DxfTagReader::ReadFile(path);
    } catch (const DxfError& e) {
        return e.what();
    }
    return {};
}

std::string ErrorOfBuffer(const std::string& text)
{
    try {
        DxfTagReader::ReadBuffer(text, "x.dxf");
    } catch (const DxfError& e) {
        return e.what();
    }
    return {};
}

}   // namespace

TEST(DxfTagReader, RefusesDwgAndBinaryDxfSayingToSaveAsAscii)
{
    const std::string dwg = ErrorOf(Data("drawing.dwg"));
    EXPECT_NE(dwg.find("DWG"), std::string::npos) << dwg;
    EXPECT_NE(dwg.find("ASCII DXF"), std::string::npos) << dwg;
    EXPECT_NE(dwg.find("drawing.dwg"), std::string::npos) << dwg;
    const std::string bin = ErrorOf(Data("binary.dxf"));
    EXPECT_NE(bin.find("二进制"), std::string::npos) << bin;
    EXPECT_NE(bin.find("ASCII DXF"), std::string::npos) << bin;
}

TEST(DxfTagReader, BrokenFilesNameTheirLine)
{
    EXPECT_NE(ErrorOfBuffer("  0\nSECTION\nabc\nHEADER\n").find("第3行"), std::string::npos);
    EXPECT_NE(ErrorOfBuffer("  0\nSECTION\n  2\nENTITIES\n").find("EOF"), std::string::npos);
    EXPECT_NE(ErrorOfBuffer("  0\nSECTION\n  2\n").find("缺少值"), std::string::npos);
    EXPECT_NE(ErrorOf(Data("no-such-file.dxf")).find("no-such-file.dxf"), std::string::npos);
}

// Refused by its size, stated, before the memory fills: a sparse file takes no disk.
TEST(DxfTagReader, RefusesAFileOverTheLimitSayingTheLimit)
{
    const std::filesystem::path big = cadtest::TempDir("big") / "big.dxf";
    {
        std::ofstream(big) << "  0\nSECTION\n";
    }
    std::filesystem::resize_file(big, (std::uintmax_t{1024} << 20) + 1);
    const std::string error = ErrorOf(big.string());
    EXPECT_NE(error.find("1024 MB"), std::string::npos) << error;
    EXPECT_NE(error.find("big.dxf"), std::string::npos) << error;
    std::filesystem::remove(big);
}

TEST(DxfTagReader, ReadsGroupsOfEveryReleaseWithCrLfAndBom)
{
    for (const char* f : {"pipes_r12.dxf", "pipes_r2000.dxf", "chinese_r2018.dxf"}) {
        const DxfTagList t = DxfTagReader::ReadFile(Data(f));
        ASSERT_GE(t.size(), 4u) << f;
        EXPECT_EQ(t.front().code, 0);
        EXPECT_EQ(t.front().value, "SECTION");
        EXPECT_EQ(t.back().value, "EOF");
    }
    const DxfTagList t =
        DxfTagReader::ReadBuffer("\xEF\xBB\xBF  0\r\nSECTION\r\n  2\r\n ENTITIES \r\n0\r\nEOF\r\n", "x");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].code, 2);
    EXPECT_EQ(t[1].value, " ENTITIES ");   // values stay as written, only CR goes
}
