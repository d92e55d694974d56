// Hostile and damaged text exchange files: each case once loaded silently wrong or not at all.
#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZTemplateSet.h"
#include "persist/ArchiveError.h"
#include "persist/text/TextExchange.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
struct TextImporterTest : ::testing::Test {
    UnitSystem units;
    ZTemplateSet templates;
    ZDocument doc;

    void Import(const std::string& text)
    {
        std::istringstream in(text);
        TextExchange::Import(in, "net.txt", doc, units, templates);
    }
    // The error of a refused file; fails the test when the file loads.
    ArchiveError Refused(const std::string& text)
    {
        try {
            Import(text);
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.FileName(), "net.txt");
            EXPECT_EQ(doc.GetNetwork().NodeCount(), 0);
            EXPECT_EQ(doc.GetNetwork().LinkCount(), 0);
            return e;
        }
        ADD_FAILURE() << "loaded: " << text;
        return ArchiveError(ArchiveError::None, "");
    }
    std::string Export()
    {
        std::ostringstream out;
        TextExchange::Export(out, doc, units);
        return out.str();
    }
    const ZPipeLink& Pipe(const char* id)
    {
        return *static_cast<const ZPipeLink*>(doc.GetNetwork().FindLink(GbkView(id)));
    }
};

const std::string kNodes = "BEGIN NODE\nJ1\t0\t0\t5\t0\t0\t50\t0\nJ2\t100\t0\t5\t1\t2.5\t0\t0\nEND\n";

std::string UnitsLine(const std::string& length, const std::string& diam, const std::string& head,
                      const std::string& flow)
{
    return GbkCodec::FromUtf8("//输出格式: 长度单位:" + length + "\t管径单位:" + diam + "\t压力单位:" + head +
                              "\t流量单位:" + flow + "\n")
        .Bytes();
}
}   // namespace

TEST_F(TextImporterTest, NonFiniteNumbersAreRefusedNamingLineAndField)
{
    for (const char* bad : {"nan", "NaN", "inf", "-inf", "1e999", "-1e400", "infinity"}) {
        const ArchiveError e = Refused("BEGIN NODE\nJ1\t0\t" + std::string(bad) + "\t5\t0\t0\t50\t0\nEND\n");
        EXPECT_EQ(e.Line(), 2) << bad;
        EXPECT_NE(std::string(e.what()).find("第3个字段"), std::string::npos) << e.what();
    }
}

TEST_F(TextImporterTest, FiniteValuesThatOverflowInTheirUnitAreRefused)
{
    // 1e306 km is 1e309 m: finite as written, infinite once converted.
    const ArchiveError e = Refused(UnitsLine("km", "mm", "mH2O", "l/s") + kNodes +
                                   "BEGIN PIPE\nP1\tJ1\tJ2\t1e306\t300\t300\t0\t0\t100\t2\nEND\n");
    EXPECT_NE(std::string(e.what()).find("换算"), std::string::npos) << e.what();
}

TEST_F(TextImporterTest, ExtremeButFiniteCoordinatesLoad)
{
    Import("BEGIN NODE\nA\t1e308\t-1e308\t0\t0\t0\t10\t0\nB\t-1e308\t1e308\t0\t1\t0\t0\t0\nEND\n");
    EXPECT_EQ(doc.GetNetwork().FindNode("A")->X, 1e308);
    EXPECT_EQ(doc.GetNetwork().FindNode("B")->X, -1e308);
}

// Net3's junctions became fixed-head sources when an empty demand cell shifted the type column.
TEST_F(TextImporterTest, EmptyFieldBetweenTabsIsRefusedNamingLineAndColumn)
{
    const ArchiveError e = Refused("BEGIN NODE\nJ1\t0\t0\t5\t0\t0\t50\t0\nJ2\t100\t0\t\t1\t2.5\t0\t0\nEND\n");
    EXPECT_EQ(e.Line(), 3);
    EXPECT_NE(std::string(e.what()).find("第4列为空"), std::string::npos) << e.what();
    // A blank between the tabs is still an empty cell; spaces alone separate fields as before.
    EXPECT_EQ(Refused(kNodes + "BEGIN PIPE\nP1\tJ1\tJ2\t100\t \t300\t0\t0\t100\t2\nEND\n").Line(), 6);
    Import("BEGIN NODE\nJ1   0  0   5 0 0 50 0\nEND\n");
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 1);
}

TEST_F(TextImporterTest, CarriageReturnAloneEndsLines)
{
    std::string text = kNodes + "BEGIN PIPE\nP1\tJ1\tJ2\t100\t300\t300\t0\t0\t100\t2\nEND\n";
    std::string mac = text;
    for (char& c : mac)
        if (c == '\n')
            c = '\r';
    Import(mac);
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 2);
    EXPECT_EQ(doc.GetNetwork().LinkCount(), 1);
    EXPECT_DOUBLE_EQ(Pipe("P1").PipeDiam, 0.3);

    // Line numbers in messages count CR, LF and CR LF ends alike.
    std::string mixed = "BEGIN NODE\rJ1\t0\t0\t5\t0\t0\t50\t0\r\nJ2\tx\t0\t5\t1\t2.5\t0\t0\nEND\n";
    EXPECT_EQ(Refused(mixed).Line(), 3);
}

// A file cut inside its last section read a 250 mm pipe as 2 mm.
TEST_F(TextImporterTest, MissingEndIsReportedNamingTheSection)
{
    const std::string cut = kNodes + "BEGIN PIPE\nP1\tJ1\tJ2\t100\t2";
    const ArchiveError e = Refused(cut);
    EXPECT_NE(std::string(e.what()).find("PIPE 段缺少 END"), std::string::npos) << e.what();
    EXPECT_NE(std::string(Refused("BEGIN NODE\nJ1\t0\t0\nBEGIN PIPE\nEND\n").what()).find("NODE 段缺少 END"),
              std::string::npos);
    Import(kNodes + "BEGIN PIPE\nP1\tJ1\tJ2\t100\t250\nEND");   // END without a final line break is fine
    EXPECT_DOUBLE_EQ(Pipe("P1").PipeDiam, 0.25);
}

TEST_F(TextImporterTest, HeaderUnitsAreHonoured)
{
    // Written in km, m3/s, MPa and m; read by a program set to m, l/s, mH2O and mm.
    Import(UnitsLine("km", "m", "MPa", "m3/s") +
           "BEGIN NODE\nJ1\t0\t0\t5\t0\t0\t0.5\t0\nJ2\t100\t0\t5\t1\t0.0025\t0\t0\nEND\n"
           "BEGIN PIPE\nP1\tJ1\tJ2\t1.5\t0.3\t0.29\t0\t0\t100\t2\nEND\n");
    EXPECT_DOUBLE_EQ(Pipe("P1").PipeLength, 1500.0);
    EXPECT_DOUBLE_EQ(Pipe("P1").PipeDiam, 0.3);
    EXPECT_DOUBLE_EQ(Pipe("P1").PipeInDiam, 0.29);
    EXPECT_DOUBLE_EQ(doc.GetNetwork().FindNode("J1")->NodeHydrElev, 50.0);
    EXPECT_DOUBLE_EQ(doc.GetNetwork().FindNode("J2")->NodeFlow, 0.0025);
    // The program's own units are not changed by reading.
    EXPECT_EQ(units.Leng().UnitName(), "m");

    // What is written in other units reads back to the same values.
    UnitSystem km;
    km.Get(UnitSystem::Length).SetUnitIndex(1);
    km.Get(UnitSystem::Flow).SetUnitIndex(2);
    std::ostringstream out;
    TextExchange::Export(out, doc, km);
    ZDocument again;
    std::istringstream in(out.str());
    TextExchange::Import(in, "again.txt", again, units, templates);
    EXPECT_DOUBLE_EQ(static_cast<const ZPipeLink*>(again.GetNetwork().FindLink("P1"))->PipeLength, 1500.0);
    EXPECT_NEAR(again.GetNetwork().FindNode("J2")->NodeFlow, 0.0025, 1e-12);
}

TEST_F(TextImporterTest, UnknownHeaderUnitIsRefused)
{
    const ArchiveError e = Refused(UnitsLine("ft", "mm", "mH2O", "l/s") + kNodes);
    EXPECT_EQ(e.Line(), 1);
    EXPECT_NE(std::string(e.what()).find("长度单位 \"FT\""), std::string::npos) << e.what();
    // A header line after the first data line is a plain comment.
    Import(kNodes + UnitsLine("ft", "mm", "mH2O", "l/s"));
    EXPECT_EQ(doc.GetNetwork().NodeCount(), 2);
}

TEST_F(TextImporterTest, RawBytesInMessagesAreEscaped)
{
    const ArchiveError e = Refused("BEGIN NODE\nJ1\t0\t1\x1b[2J\xff\t5\nEND\n");
    const std::string what = e.what();
    EXPECT_EQ(what.find('\x1b'), std::string::npos) << what;
    EXPECT_EQ(what.find('\xff'), std::string::npos) << what;
    EXPECT_NE(what.find("1\\x1B[2J\\xFF"), std::string::npos) << what;
}
