#include "model/MemoryKeyValueStore.h"
#include "model/ZSettingsStore.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr uint32_t Rgb(int r, int g, int b)
{
    return ZColorSettings::Rgb(r, g, b);
}
}   // namespace

TEST(ZSettingsStore, FreshProfileGivesDefaults)
{
    MemoryKeyValueStore empty;
    ZSettingsStore s;
    s.Load(empty);
    EXPECT_DOUBLE_EQ(s.ZoomInScale, 0.6666666666666666);
    EXPECT_DOUBLE_EQ(s.ZoomOutScale, 1.5);
    EXPECT_EQ(s.PipeSerialMode, 1);
    EXPECT_EQ(s.SelectMode, 1);
    EXPECT_TRUE(s.ContourLabelOn && s.ContourFillOn && s.LabelOn && s.ToolTipOn);
    EXPECT_EQ(s.AutoSaveMinutes, 5);
    EXPECT_TRUE(s.KeepBackup);
    EXPECT_EQ(s.MinFreeHead, 10.0);
    EXPECT_EQ(s.LabelTip().MaxLabelScale, 0.0);

    const ZColorSettings& c = s.Colors();
    EXPECT_EQ(c.BkGround, Rgb(255, 255, 255));
    EXPECT_EQ(c.EquHydr, Rgb(0, 0, 0));
    EXPECT_EQ(c.ContourFillLow, Rgb(0, 255, 0));
    EXPECT_EQ(c.ContourFillHigh, Rgb(255, 0, 0));
    EXPECT_EQ(c.Gird, Rgb(125, 125, 125));
    EXPECT_EQ(c.FocusHint, Rgb(255, 0, 0));
    EXPECT_EQ(c.ZoomWindow, Rgb(255, 0, 0));
    EXPECT_EQ(c.Node, Rgb(255, 0, 0));
    EXPECT_EQ(c.NodeFill, Rgb(0, 255, 125));
    EXPECT_EQ(c.NodeText, Rgb(255, 125, 0));
    EXPECT_EQ(c.BkNodeText, Rgb(255, 255, 255));
    EXPECT_EQ(c.Pipe, Rgb(0, 0, 255));
    EXPECT_EQ(c.PipeText, Rgb(0, 125, 255));
    EXPECT_EQ(c.BkPipeText, Rgb(255, 255, 255));
    const std::vector<uint32_t> grades = {Rgb(51, 204, 0), Rgb(102, 153, 102), Rgb(153, 102, 51), Rgb(204, 51, 102),
                                          Rgb(255, 0, 0)};
    EXPECT_EQ(c.NodeGradeColors, grades);
    EXPECT_EQ(c.PipeGradeColors, grades);

    const ZSizeSettings& z = s.Sizes();
    EXPECT_EQ(z.PipePenWidth, 1);
    EXPECT_EQ(z.NodePenWidth, 1);
    EXPECT_EQ(z.HintPenWidth, 2);
    EXPECT_EQ(z.ArrawLength, 8);
    EXPECT_EQ(z.NodeWidth, 6);
    EXPECT_EQ(z.HintFocWidth, 12);
    EXPECT_EQ(z.TipFocWidth, 6);
    EXPECT_EQ(z.MinZoomWindowWidth, 5);
    EXPECT_EQ(z.SeleExtWidth, 1);
    EXPECT_EQ(z.LabelLead, 0);

    const ZLabelTipSettings& l = s.LabelTip();
    EXPECT_EQ(l.NodeTip, 3);
    EXPECT_EQ(l.PipeTip, 5);
    EXPECT_EQ(l.PumpTip, 1);
    EXPECT_EQ(l.ValveTip, 1);
    EXPECT_EQ(l.TankTip, 1);
    EXPECT_EQ(l.NodeLabe, 1);
    EXPECT_EQ(l.PipeLabel, 1);
    EXPECT_EQ(l.PumpLabel, 0);
    EXPECT_EQ(l.ValveLabel, 0);
    EXPECT_EQ(l.TankLabel, 0);
    EXPECT_EQ(l.LabelMode, 0);
    EXPECT_EQ(l.NodeFlags, 20);
    EXPECT_EQ(l.NodeFlow.Bytes(), "Q=");
    EXPECT_EQ(l.NodeHydr.Bytes(), "H=");
    EXPECT_EQ((l.NodeId + l.NodeCoord + l.NodeElev + l.NodeFreeHead).Bytes(), "");
    EXPECT_EQ(l.PipeUpFlags, 12);
    EXPECT_EQ(l.PipeDownFlags, 544);
    EXPECT_EQ(l.PipeDiam.Bytes(), "D=");
    EXPECT_EQ(l.PipeLeng.Bytes(), "L=");
    EXPECT_EQ(l.PipeFlow.Bytes(), "Q=");
    EXPECT_EQ(l.PipeHLoss.Bytes(), "H=");
    EXPECT_EQ(l.PipeSep.Bytes(), "-");
    EXPECT_EQ((l.PipeId + l.PipeCoef + l.PipeVelo + l.PipeI).Bytes(), "");

    EXPECT_DOUBLE_EQ(s.Templates().Pipe.PipeDiam, 0.3);
    EXPECT_EQ(s.Units().Diam().UnitIndex(), 1);
}

TEST(ZSettingsStore, SaveWritesEveryKeyWithItsType)
{
    MemoryKeyValueStore kv;
    ZSettingsStore s;
    s.Save(kv);
    EXPECT_EQ(kv.GetDouble("System State", "ZoomInScale", 0), 2.0 / 3.0);
    EXPECT_EQ(kv.ReadBinary("System State", "ZoomOutScale")->size(), 8u);
    EXPECT_EQ(kv.ReadInt("System State", "ToolTipOn"), 1);
    EXPECT_EQ(kv.ReadInt("System Color", "NodeFill"), 0 + 256 * 255 + 65536 * 125);
    EXPECT_EQ(kv.ReadInt("System Color", "NodeGradeNum"), 5);
    EXPECT_EQ(kv.ReadInt("System Color", "PipeGradeColor4"), 255);
    EXPECT_EQ(kv.ReadInt("System Size", "MinZoomWindowWidth"), 5);
    EXPECT_EQ(kv.ReadInt("System LabelTip", "NodeLabe"), 1);
    EXPECT_FALSE(kv.Contains("System LabelTip", "LabelMode"));
    EXPECT_EQ(kv.ReadString("MultiNodeLabel", "NodeId"), "");
    EXPECT_EQ(kv.ReadString("MultiPipeLabel", "PipeSep"), "-");
    EXPECT_EQ(kv.ReadBinary("System Template", "PipeDate")->size(), 4u);
    EXPECT_EQ(kv.ReadInt("System Unit", "FlowUnitId"), 0);
    EXPECT_EQ(kv.ReadInt("System State", "AutoSaveMinutes"), 5);
    EXPECT_EQ(kv.ReadInt("System State", "KeepBackup"), 1);
    EXPECT_EQ(kv.ReadBinary("System LabelTip", "MaxLabelScale")->size(), 8u);
    EXPECT_EQ(kv.GetDouble("System State", "MinFreeHead", 0.0), 10.0);
    // 12 state + 14 colours + 2 x (count + 5) grades + 10 sizes + 13 + 15 + 1 label keys + 30
    // template keys and 7 + 2 curves of the network components + 12 unit keys.
    EXPECT_EQ(kv.ReadInt("System State", "AutoBalance"), 0);
    EXPECT_EQ(kv.Size(), 12u + 14u + 12u + 10u + 29u + 30u + 9u + 12u);
}

TEST(ZSettingsStore, RoundTripKeepsChangedValues)
{
    ZSettingsStore a;
    a.ZoomInScale = 0.5;
    a.SelectMode = 0;
    a.LabelOn = false;
    a.MinFreeHead = 28.0;
    a.AutoBalance = true;
    a.Colors().Pipe = ZColorSettings::Rgb(1, 2, 3);
    a.Colors().PipeGradeColors.push_back(ZColorSettings::Rgb(9, 9, 9));
    a.Sizes().NodeWidth = 9;
    a.LabelTip().PipeSep = "/";
    a.LabelTip().LabelMode = ZLabelTipSettings::MultiLine;
    a.Templates().Pipe.PipeDate = 86400;
    a.Units().Get(UnitSystem::Flow).SetUnitIndex(2);
    MemoryKeyValueStore kv;
    a.Save(kv);

    ZSettingsStore b;
    b.Load(kv);
    EXPECT_EQ(b.ZoomInScale, 0.5);
    EXPECT_EQ(b.SelectMode, 0);
    EXPECT_FALSE(b.LabelOn);
    EXPECT_EQ(b.MinFreeHead, 28.0);
    EXPECT_TRUE(b.AutoBalance);
    EXPECT_EQ(b.Colors().Pipe, ZColorSettings::Rgb(1, 2, 3));
    ASSERT_EQ(b.Colors().PipeGradeColors.size(), 6u);
    EXPECT_EQ(b.Colors().PipeGradeColors[5], ZColorSettings::Rgb(9, 9, 9));
    EXPECT_EQ(b.Colors().NodeGradeColors.size(), 5u);
    EXPECT_EQ(b.Sizes().NodeWidth, 9);
    EXPECT_EQ(b.LabelTip().PipeSep.Bytes(), "/");
    EXPECT_EQ(b.LabelTip().LabelMode, ZLabelTipSettings::SingleValue);   // never stored
    EXPECT_EQ(b.Templates().Pipe.PipeDate, 86400u);
    EXPECT_EQ(b.Units().FlowUnit().UnitIndex(), 2);
}

TEST(ZSettingsStore, GradeCountGrowsListWithBlackEntries)
{
    MemoryKeyValueStore kv;
    kv.WriteInt("System Color", "NodeGradeNum", 7);
    for (int i = 0; i < 5; ++i)
        kv.WriteInt("System Color", "NodeGradeColor" + std::to_string(i), 100 + i);
    ZSettingsStore s;
    s.Load(kv);
    const auto& g = s.Colors().NodeGradeColors;
    ASSERT_EQ(g.size(), 7u);
    EXPECT_EQ(g[0], 100u);
    EXPECT_EQ(g[4], 104u);
    EXPECT_EQ(g[5], 0u);
    EXPECT_EQ(g[6], 0u);
    EXPECT_EQ(s.Colors().PipeGradeColors.size(), 5u);
}

TEST(ZSettingsStore, MalformedValuesKeepDefaults)
{
    MemoryKeyValueStore kv;
    kv.WriteBinary("System State", "ZoomInScale", {1, 2, 3, 4});   // not 8 bytes
    kv.SetDouble("System State", "ZoomOutScale", -2.0);            // not a scale
    kv.WriteString("System State", "SelectMode", "crossing");      // not an integer
    kv.WriteInt("System State", "PipeSerialMode", 7);              // no such mode
    kv.WriteInt("System Color", "Pipe", -1);                       // not a colour
    kv.WriteInt("System Color", "NodeText", 0x1000000);
    kv.WriteInt("System Color", "NodeGradeNum", -3);
    kv.WriteInt("System Color", "PipeGradeNum", 1 << 30);   // would allocate gigabytes
    kv.WriteInt("System Size", "NodeWidth", -6);
    kv.WriteInt("System LabelTip", "NodeTip", -1);
    kv.WriteInt("MultiPipeLabel", "PipeSep", 5);   // integer where a string belongs
    kv.WriteBinary("System Template", "PipeDate", {1, 2, 3, 4, 5, 6, 7, 8});
    kv.WriteInt("System State", "AutoSaveMinutes", -5);
    kv.SetDouble("System State", "MinFreeHead", -1.0);
    kv.SetDouble("System LabelTip", "MaxLabelScale", -1.0);
    ZSettingsStore s;
    s.Load(kv);
    EXPECT_DOUBLE_EQ(s.ZoomInScale, 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(s.ZoomOutScale, 1.5);
    EXPECT_EQ(s.SelectMode, 1);
    EXPECT_EQ(s.PipeSerialMode, 1);
    EXPECT_EQ(s.Colors().Pipe, Rgb(0, 0, 255));
    EXPECT_EQ(s.Colors().NodeText, Rgb(255, 125, 0));
    EXPECT_EQ(s.Colors().NodeGradeColors.size(), 5u);
    EXPECT_EQ(s.Colors().PipeGradeColors.size(), 5u);
    EXPECT_EQ(s.Sizes().NodeWidth, 6);
    EXPECT_EQ(s.LabelTip().NodeTip, 3);
    EXPECT_EQ(s.LabelTip().PipeSep.Bytes(), "-");
    EXPECT_EQ(s.Templates().Pipe.PipeDate, 0u);
    EXPECT_EQ(s.AutoSaveMinutes, 5);
    EXPECT_EQ(s.MinFreeHead, 10.0);
    EXPECT_EQ(s.LabelTip().MaxLabelScale, 0.0);
    kv.WriteInt("System State", "AutoSaveMinutes", 100000);
    kv.SetDouble("System State", "MinFreeHead", std::numeric_limits<double>::quiet_NaN());
    kv.SetDouble("System LabelTip", "MaxLabelScale", std::numeric_limits<double>::infinity());
    s.Load(kv);
    EXPECT_EQ(s.AutoSaveMinutes, 5);
    EXPECT_EQ(s.MinFreeHead, 10.0);
    EXPECT_EQ(s.LabelTip().MaxLabelScale, 0.0);
}

TEST(ZSettingsStore, InterfaceLanguageIsWrittenOnlyOnceChosen)
{
    MemoryKeyValueStore kv;
    ZSettingsStore s;
    s.Save(kv);
    EXPECT_FALSE(kv.Contains("System State", "InterfaceLanguage"));
    s.InterfaceLanguage = ZSettingsStore::LanguageEnglish;
    s.Save(kv);
    ZSettingsStore back;
    back.Load(kv);
    EXPECT_EQ(back.InterfaceLanguage, ZSettingsStore::LanguageEnglish);
    // A value from a later program is not a language of this one.
    kv.WriteInt("System State", "InterfaceLanguage", 7);
    ZSettingsStore other;
    other.Load(kv);
    EXPECT_EQ(other.InterfaceLanguage, ZSettingsStore::LanguageSystem);
}
