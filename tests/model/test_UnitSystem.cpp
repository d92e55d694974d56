#include "CommaLocale.h"

#include "model/GbkCodec.h"
#include "model/MemoryKeyValueStore.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"
#include "model/ZTemplateSet.h"

#include <gtest/gtest.h>

TEST(Units, DefaultsFormatAsEngineersExpect)
{
    UnitSystem u;
    EXPECT_EQ(u.FlowUnit().FormatFixed(0.0125), "12.50");
    EXPECT_EQ(u.FlowUnit().FormatShort(0.0125), "12.5");
    EXPECT_EQ(u.Diam().FormatFixed(0.3), "300");
    EXPECT_EQ(u.Slope().FormatFixed(0.0023), "0.00230");
    EXPECT_EQ(u.Leng().UnitName(), "m");
    EXPECT_EQ(u.Hydr().UnitName(), "mH2O");
    EXPECT_EQ(UnitSystem::FormatPlain(1234567.0), "1.23457e+06");
    EXPECT_EQ(UnitSystem::FormatPlain(12.5), "12.5");
}

TEST(Units, OtherUnits)
{
    UnitSystem u;
    u.Get(UnitSystem::Flow).SetUnitIndex(2);   // m3/h
    EXPECT_EQ(u.FlowUnit().FormatShort(0.01), "36");
    EXPECT_NEAR(u.FlowUnit().Parse("36"), 0.01, 1e-15);
    u.Get(UnitSystem::Head).SetUnitIndex(1);   // MPa
    EXPECT_EQ(u.Hydr().FormatShort(25), "0.25");
    u.Get(UnitSystem::Velocity).SetUnitIndex(1);
    EXPECT_EQ(u.Velo().FormatShort(1.2), "1200");
    EXPECT_EQ(u.Hydr().Parse("  abc"), 0.0);
    EXPECT_NEAR(u.Hydr().Parse(" 0.3MPa"), 30.0, 1e-12);
    // Typed numbers never become infinite or NaN.
    EXPECT_EQ(u.Hydr().Parse("1e999"), 0.0);
    EXPECT_EQ(u.Hydr().Parse("inf"), 0.0);
    EXPECT_EQ(u.Hydr().Parse("nan"), 0.0);
}

TEST(Units, ParsingIgnoresACommaDecimalLocale)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    UnitSystem u;
    u.Get(UnitSystem::Flow).SetUnitIndex(2);                         // m3/h
    EXPECT_NEAR(u.FlowUnit().Parse("12.5"), 12.5 / 3600.0, 1e-15);   // strtod would stop at '.'
    EXPECT_EQ(u.Hydr().Parse("12,5"), 12.0);                         // a comma is no decimal mark here
    EXPECT_EQ(u.FlowUnit().FormatFixed(0.0125), "45.00");
}

TEST(Units, PrecisionChoices)
{
    UnitSystem u;
    const auto c = u.FlowUnit().PrecisionChoices();
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[0], "0");
    EXPECT_EQ(c[3], "0.000");
}

TEST(Units, LoadClampsAndSaveWritesTwelveKeys)
{
    MemoryKeyValueStore s;
    s.WriteInt("System Unit", "FlowUnitId", 9);
    s.WriteInt("System Unit", "FlowPrecision", -3);
    s.WriteInt("System Unit", "IsPrecision", 4);
    s.WriteString("System Unit", "DiamUnitId", "garbage");   // wrong type keeps the default
    UnitSystem u;
    u.Load(s);
    EXPECT_EQ(u.FlowUnit().UnitIndex(), 3);
    EXPECT_EQ(u.FlowUnit().Precision(), 0);
    EXPECT_EQ(u.Slope().Precision(), 4);
    EXPECT_EQ(u.Diam().UnitIndex(), 1);

    MemoryKeyValueStore out;
    u.Save(out);
    EXPECT_EQ(out.Size(), 12u);
    EXPECT_EQ(out.GetInt("System Unit", "FlowUnitId", -1), 3);
    EXPECT_EQ(out.GetInt("System Unit", "VeloPrecision", -1), 2);
}

TEST(Settings, DoublesAndDatesNeedTheirExactSize)
{
    MemoryKeyValueStore s;
    s.SetDouble("S", "d", 2.5);
    EXPECT_EQ(s.GetDouble("S", "d", 0), 2.5);
    s.WriteBinary("S", "bad", {1, 2, 3});
    EXPECT_EQ(s.GetDouble("S", "bad", 7.0), 7.0);
    s.SetDate("S", "t", 1700000000u);
    EXPECT_EQ(s.GetDate("S", "t", 0), 1700000000u);
    EXPECT_EQ(s.GetDate("S", "d", 5), 5u);   // 8 bytes are not a date
    // Little-endian layout of the stored double.
    EXPECT_EQ((*s.ReadBinary("S", "d"))[7], 0x40);
}

TEST(Settings, TemplatesRoundTrip)
{
    ZTemplateSet t;
    t.Pipe.PipeDiam = 0.45;
    t.Pipe.PipeDate = 86400;
    t.Node.SetFireNode(true);
    t.Valve.SetValveType(2);
    t.Pump.PumpOpen = false;
    t.Tank.TankBottomElev = 33;
    MemoryKeyValueStore s;
    t.Save(s);
    ZTemplateSet r;
    r.Load(s);
    EXPECT_EQ(r.Pipe.PipeDiam, 0.45);
    EXPECT_EQ(r.Pipe.PipeDate, 86400u);
    EXPECT_TRUE(r.Node.IsFireNode());
    EXPECT_EQ(r.Valve.GetValveType(), 2);
    EXPECT_EQ(r.Valve.SymbolIndex(), 2);
    EXPECT_FALSE(r.Pump.PumpOpen);
    EXPECT_EQ(r.Tank.TankBottomElev, 33);
    ZTemplateSet fresh;
    fresh.Load(MemoryKeyValueStore{});
    EXPECT_EQ(fresh.Pipe.PipeRougCeof, 100.0);
}

TEST(Document, DefaultsAndFileKinds)
{
    ZDocument d;
    EXPECT_EQ(d.GetExtents(), (ViewExtent{0, 0, 1000, 1000}));
    EXPECT_EQ(d.GetFileVersion(), 0x20000u);
    EXPECT_EQ(ZDocument::VersionText(0x10000), "1.0");
    const auto& ds = d.GetDrawSettings();
    ASSERT_EQ(ds.PipeDiamGrades.size(), 4u);
    EXPECT_DOUBLE_EQ(ds.PipeDiamGrades[1], 0.3);
    EXPECT_DOUBLE_EQ(ds.NodeFlowGrades[3], 0.3);
    EXPECT_EQ(ds.NodeGradeMode, 1);
    EXPECT_EQ(ds.PipeGradeMode, 3);
    EXPECT_EQ(ds.Params.MaxIterations, -1);
    EXPECT_EQ(ZDocument::FileKindFromName("net.Txt"), ZDocument::TextFile);
    EXPECT_EQ(ZDocument::FileKindFromName("net.wnp"), ZDocument::ProjectFile);
    EXPECT_EQ(ZDocument::FileKindFromName("net.tx"), ZDocument::ProjectFile);
    ZDocument seven(8, 3);
    EXPECT_EQ(seven.GetDrawSettings().NodeHeadGrades.size(), 7u);
    EXPECT_EQ(seven.GetDrawSettings().PipeFlowGrades.size(), 2u);
}

TEST(Document, FullExtentWithBackgroundImage)
{
    ZDocument d;
    auto dib = std::make_unique<ZNetBkDib>();
    dib->BkLeft = 100;
    dib->BkTop = 500;
    dib->BkWidth = 200;
    dib->BkHeight = 100;
    ZNetBkDib* raw = dib.get();
    EXPECT_TRUE(d.SetBkDib(std::move(dib)));
    EXPECT_EQ(d.FullExtent(), (ViewExtent{100, 400, 300, 500}));   // empty network: the image alone
    auto* a = new ZConsumeNode;
    a->SetId("a");
    auto* b = new ZConsumeNode;
    b->SetId("b");
    b->X = 1000;
    b->Y = 1000;
    d.GetNetwork().AddNode(a);
    d.GetNetwork().AddNode(b);
    EXPECT_EQ(d.FullExtent(), (ViewExtent{0, 0, 1000, 1000}));
    raw->BkVisible = false;
    EXPECT_EQ(d.FullExtent(), (ViewExtent{0, 0, 1000, 1000}));
}

TEST(Gbk, ConversionAndUpperCasing)
{
    EXPECT_EQ(GbkCodec::ToUtf8(GbkView(std::string_view("\xB9\xDC\xCD\xF8"))), "管网");
    EXPECT_EQ(GbkCodec::FromUtf8("管网").Bytes(), "\xB9\xDC\xCD\xF8");
    // The trail byte 0x61 ('a') of this character must survive upper-casing.
    const std::string withTrailA = std::string("j7\x81") + "a";
    EXPECT_EQ(GbkCodec::UpperAscii(GbkView(withTrailA)).Bytes(), std::string("J7\x81") + "a");
    EXPECT_EQ(GbkCodec::ToUtf8(GbkView(std::string_view("\xFF"))), "\xEF\xBF\xBD");
}
