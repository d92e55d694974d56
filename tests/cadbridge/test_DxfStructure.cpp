// Damaged section structure and inputs that are no files: refused with a message naming the
// file and the line, never read as an empty drawing (nor a crash, nor a wait).
#include "CadTestUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

const char* kHeader = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n";
const char* kTables =
    "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n2\nPIPE\n70\n0\n0\nENDTAB\n0\nENDSEC\n";
const char* kLine = "0\nLINE\n8\nPIPE\n10\n0\n20\n0\n11\n10\n21\n0\n";

// Opens the text as a drawing: the message of the refusal, or "" when it opened.
std::string Open(const std::string& text)
{
    const auto dir = cadtest::TempDir("structure");
    const std::string path = (dir / "d.dxf").string();
    std::ofstream(path, std::ios::binary) << text;
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    const bool ok = OpenDwgDocument(h, path.c_str()) != 0;
    std::string error = ok ? "" : CadLastError();
    CloseAutoCad(h);
    CadCloseSession();
    return error;
}

}   // namespace

TEST(DxfStructure, UnclosedNestedAndRepeatedSectionsAreRefusedNamingTheLine)
{
    const std::string entities = std::string("0\nSECTION\n2\nENTITIES\n") + kLine;
    // The LAYER table never closed (was: endless recursion, a stack overflow).
    std::string e = Open(std::string(kHeader) + "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n0\n0\nENDSEC\n" +
                         entities + "0\nENDSEC\n0\nEOF\n");
    EXPECT_NE(e.find("第16行的表LAYER没有以ENDTAB结束"), std::string::npos) << e;
    // TABLES never closed.
    e = Open(std::string(kHeader) + "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n0\n0\nENDTAB\n" + entities +
             "0\nENDSEC\n0\nEOF\n");
    EXPECT_NE(e.find("第24行的SECTION出现在TABLES段之中"), std::string::npos) << e;
    // ENTITIES without ENDSEC (was: 0 pipes and success).
    e = Open(std::string(kHeader) + kTables + entities + "0\nEOF\n");
    EXPECT_NE(e.find("ENTITIES段没有以ENDSEC结束"), std::string::npos) << e;
    EXPECT_NE(e.find("d.dxf"), std::string::npos) << e;
    // A second ENTITIES section (was: it replaced the first).
    e = Open(std::string(kHeader) + kTables + entities + "0\nENDSEC\n" + entities + "0\nENDSEC\n0\nEOF\n");
    EXPECT_NE(e.find("是第二个ENTITIES段"), std::string::npos) << e;
    // Sound: the same pieces in order.
    EXPECT_EQ(Open(std::string(kHeader) + kTables + entities + "0\nENDSEC\n0\nEOF\n"), "");
    EXPECT_EQ(Open(entities + "0\nENDSEC\n0\nEOF\n"), "");   // a bare R12 file gets a layer table
}

TEST(DxfStructure, FoldersAndPipesAreNamedForWhatTheyAre)
{
    const auto dir = cadtest::TempDir("notfile");
    const std::string fifo = (dir / "pipe.dxf").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CadCloseSession();
    CadHandle h = OpenAutoCad();
    EXPECT_EQ(OpenDwgDocument(h, dir.string().c_str()), 0);
    EXPECT_NE(std::string(CadLastError()).find("是文件夹，不是DXF图纸"), std::string::npos) << CadLastError();
    EXPECT_EQ(OpenDwgDocument(h, fifo.c_str()), 0);   // no reader waiting on it
    EXPECT_NE(std::string(CadLastError()).find("是命名管道(FIFO)"), std::string::npos) << CadLastError();
    EXPECT_EQ(OpenDwgDocument(h, (dir / "none.dxf").string().c_str()), 0);
    EXPECT_NE(std::string(CadLastError()).find("找不到文件"), std::string::npos) << CadLastError();
    CloseAutoCad(h);
    CadCloseSession();
}
