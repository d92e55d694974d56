#include "CadTestUtil.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using cadtest::Data;

TEST(CadConnection, SessionOutlivesHandlesAndKeepsItsDrawings)
{
    CadCloseSession();
    EXPECT_EQ(IsAutoCadRunning(), 0);
    EXPECT_EQ(IsExistActiveDwg(), 0);
    EXPECT_EQ(DetectAutoCad(), 0);
    CadHandle h = OpenAutoCad();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(IsAutoCadRunning(), -1);
    EXPECT_EQ(IsExistActiveDwg(), 0);
    EXPECT_EQ(CadNewDwg(h), -1);
    EXPECT_EQ(IsExistActiveDwg(), -1);
    EXPECT_EQ(CadCreateLayer(h, "KEEP"), -1);
    EXPECT_EQ(CloseAutoCad(h), -1);
    EXPECT_EQ(CloseAutoCad(nullptr), 0);
    // The next command finds the session and its active drawing as they were.
    EXPECT_EQ(IsAutoCadRunning(), -1);
    EXPECT_EQ(IsExistActiveDwg(), -1);
    h = OpenAutoCad();
    const CadPoint p{0, 0};
    EXPECT_EQ(CadDrawNode(h, &p, 2, "KEEP"), -1);
    CloseAutoCad(h);
    CadCloseSession();
    EXPECT_EQ(IsAutoCadRunning(), 0);
}

TEST(CadConnection, OpeningDrawings)
{
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    EXPECT_EQ(OpenDwgDocument(h, Data("missing.dxf").c_str()), 0);
    EXPECT_NE(std::string(CadLastError()).find("missing.dxf"), std::string::npos);
    EXPECT_EQ(OpenDwgDocument(h, Data("drawing.dwg").c_str()), 0);
    EXPECT_NE(std::string(CadLastError()).find("ASCII DXF"), std::string::npos);
    EXPECT_EQ(IsExistActiveDwg(), 0);

    const fs::path dir = cadtest::TempDir("open");
    fs::copy_file(Data("pipes_r2000.dxf"), dir / "a.dxf");
    ASSERT_EQ(OpenDwgDocument(h, (dir / "a.dxf").c_str()), -1);
    ASSERT_EQ(CadCreateLayer(h, "ADDED"), -1);
    ASSERT_EQ(CadNewDwg(h), -1);
    EXPECT_EQ(CadCreateLayer(h, "OTHER"), -1);
    const CadPoint p{0, 0};
    EXPECT_EQ(CadDrawNode(h, &p, 2, "ADDED"), 0);   // the new drawing has no such layer
    // The same file again (by another spelling of its path) activates the open drawing.
    ASSERT_EQ(OpenDwgDocument(h, (dir / "." / "a.dxf").c_str()), -1);
    EXPECT_EQ(CadDrawNode(h, &p, 2, "ADDED"), -1);
    // Nothing is written until the drawing is shown.
    EXPECT_FALSE(fs::exists(dir / "a.dxf.bak"));
    EXPECT_EQ(CadSetVisible(h, 0), -1);
    EXPECT_FALSE(fs::exists(dir / "a.dxf.bak"));
    EXPECT_EQ(CadSetVisible(h, 1), -1);
    EXPECT_TRUE(fs::exists(dir / "a.dxf.bak"));
    EXPECT_EQ(CadSetVisible(nullptr, 1), 0);
    CloseAutoCad(h);
    CadCloseSession();
}
