// Drawings in code pages other than 936 and UTF-8 keep their own texts and code page; Chinese
// they cannot hold goes in as \U+XXXX. New and unit-less drawings are told the export's units.
#include "CadTestUtil.h"
#include "cadbridge/DxfTagReader.h"
#include "cadbridge/DxfTextCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Sjis(const std::string& utf8)
{
    return DxfTextCodec::Encode(DxfTextCodec::Decode(utf8, "UTF-8"), "CP932");
}

// The value of the first group `code` after the group (0, `kind`) whose layer is `layer`.
std::string ValueOn(const DxfTagList& tags, const std::string& kind, const std::string& layer, int code)
{
    for (size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code != 0 || tags[i].value != kind)
            continue;
        std::string l, v;
        for (size_t j = i + 1; j < tags.size() && tags[j].code != 0; ++j) {
            if (tags[j].code == 8)
                l = tags[j].value;
            if (tags[j].code == code && v.empty())
                v = tags[j].value;
        }
        if (l == layer)
            return v;
    }
    return {};
}

std::string Header(const DxfTagList& tags, const std::string& name)
{
    for (size_t i = 0; i + 1 < tags.size(); ++i)
        if (tags[i].code == 9 && tags[i].value == name)
            return tags[i + 1].value;
    return {};
}

}   // namespace

TEST(DxfCodePages, AnR13DrawingInDos932KeepsItsTextAndGetsEscapedChinese)
{
    CadCloseSession();
    const fs::path dir = cadtest::TempDir("dos932");
    const fs::path f = dir / "plan.dxf";
    const std::string japanese = Sjis("配管テキスト");
    std::ofstream(f, std::ios::binary)
        << "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1012\n  9\n$DWGCODEPAGE\n  3\ndos932\n"
           "  9\n$HANDSEED\n  5\n40\n  0\nENDSEC\n"
           "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  5\n2\n100\nAcDbSymbolTable\n 70\n1\n"
           "  0\nLAYER\n  5\n10\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n  2\n0\n 70\n0\n 62\n7\n"
           "  6\nCONTINUOUS\n  0\nENDTAB\n  0\nENDSEC\n"
           "  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  5\n20\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n"
           " 10\n0.0\n 20\n0.0\n 30\n0.0\n 40\n2.5\n  1\n"
        << japanese << "\n100\nAcDbText\n  0\nENDSEC\n  0\nEOF\n";
    CadHandle h = OpenAutoCad();
    ASSERT_EQ(OpenDwgDocument(h, f.c_str()), -1) << CadLastError();
    ASSERT_EQ(CadCreateLayer(h, "LABEL"), -1);
    const CadPoint at{1, 2};
    const std::string label = cadtest::Gbk("节点J2 管径300");
    ASSERT_EQ(CadDrawPipeLabel(h, &at, 0.0, 3.5, 4.0, "LABEL", label.c_str(), "", 0), -1);
    ASSERT_EQ(CadSetVisible(h, 1), -1) << CadLastError();
    CloseAutoCad(h);
    CadCloseSession();

    const DxfTagList tags = DxfTagReader::ReadFile(f.string());
    EXPECT_EQ(Header(tags, "$DWGCODEPAGE"), "dos932");
    EXPECT_EQ(ValueOn(tags, "TEXT", "0", 1), japanese);   // the drawing's own text, byte for byte
    const std::string ours = ValueOn(tags, "TEXT", "LABEL", 1);
    // Characters Shift-JIS holds are written in it, the others (节) as escapes; read back in the
    // drawing's code page they are the label.
    EXPECT_NE(ours.find("\\U+8282"), std::string::npos) << ours;
    EXPECT_EQ(DxfTextCodec::Encode(DxfTextCodec::Decode(ours, "CP932"), "UTF-8"), "节点J2 管径300");
}

TEST(DxfCodePages, DrawingsAreToldTheExportsUnits)
{
    CadCloseSession();
    const fs::path dir = cadtest::TempDir("units");
    CadHandle h = OpenAutoCad();
    const struct {
        double perMetre;
        const char* code;
    } cases[] = {{1000.0, "4"}, {1.0, "6"}, {100.0, "5"}, {0.001, "7"}, {250.0, "0"}};
    for (const auto& c : cases) {
        const fs::path f = dir / ("u" + std::string(c.code) + ".dxf");
        ASSERT_EQ(CadNewDwg(h), -1);
        ASSERT_EQ(CadSetDwgPath(h, f.c_str()), -1);
        ASSERT_EQ(CadSetDwgUnits(h, c.perMetre), -1);
        ASSERT_EQ(CadSetVisible(h, 1), -1) << CadLastError();
        EXPECT_EQ(Header(DxfTagReader::ReadFile(f.string()), "$INSUNITS"), c.code) << c.perMetre;
    }
    EXPECT_EQ(CadSetDwgUnits(h, std::nan("")), 0);
    // A drawing with units of its own keeps them (pipes_r2000.dxf is in metres).
    const fs::path own = dir / "own.dxf";
    fs::copy_file(cadtest::Data("pipes_r2000.dxf"), own);
    ASSERT_EQ(OpenDwgDocument(h, own.c_str()), -1);
    ASSERT_EQ(CadSetDwgUnits(h, 1000.0), -1);
    ASSERT_EQ(CadCreateLayer(h, "X"), -1);
    ASSERT_EQ(CadSetVisible(h, 1), -1) << CadLastError();
    EXPECT_EQ(Header(DxfTagReader::ReadFile(own.string()), "$INSUNITS"), "6");
    CloseAutoCad(h);
    CadCloseSession();
}
