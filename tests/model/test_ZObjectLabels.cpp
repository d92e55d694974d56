#include "model/GbkCodec.h"
#include "model/ZBasicNetView.h"
#include "model/ZConsumeNode.h"
#include "model/ZObjectLabels.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <gtest/gtest.h>

namespace {
std::string U(GbkView gbk)
{
    return GbkCodec::ToUtf8(gbk);
}

class ObjectLabels : public ::testing::Test {
protected:
    ObjectLabels() : view(settings, draw)
    {
        a.SetId("A");
        b.SetId("B");
        a.X = 10;
        a.Y = 20.5;
        a.NodeGrunElev = 12;
        a.NodeHydrElev = 40.25;
        a.NodeFlow = 0.0125;
        b.NodeHydrElev = 38.0;
        pipe.SetId("P7");
        pipe.Connect(&a, &b);
        pipe.PipeLength = 250.0;
        pipe.PipeDiam = 0.2;
        pipe.Flow = -0.02;
    }
    ~ObjectLabels() override { pipe.Disconnect(); }

    std::string Tip(const ZNetObject& o) const
    {
        GbkString t{"x"};
        o.GetTipText(view, t);
        return U(t);
    }
    std::string Grade(const ZNetObject& o) const
    {
        GbkString t{"x"};
        o.GetGradeText(view, t);
        return U(t);
    }

    ZSettingsStore settings;
    ZDrawSettings draw;
    ZBasicNetView view;
    ZConsumeNode a, b;
    ZPipeLink pipe;
};
}   // namespace

TEST_F(ObjectLabels, DefaultTooltipsFollowTheirMasksAndOrder)
{
    EXPECT_EQ(Tip(a), "节点编号:A, 坐标:(10, 20.5) m");
    EXPECT_EQ(Tip(pipe), "管道编号:P7, 管径:200 mm");
    settings.LabelTip().NodeTip = 0x3F;
    EXPECT_EQ(Tip(a), "节点编号:A, 标高:12 m, 流量:12.50 l/s, 坐标:(10, 20.5) m, 压力:40.25 mH2O, 水头:28.25 mH2O");
    settings.LabelTip().PipeTip = 0x3AF;
    EXPECT_EQ(Tip(pipe), "管道编号:P7, 管长:250.0 m, 管径:200 mm, 粗糙系数:100, 流量:20.00 l/s, 流速:0.64 m/s, "
                         "坡度:0.00900 mH2O/m, 水损:2.25 mH2O");
}

TEST_F(ObjectLabels, SwitchesOffGiveEmptyTexts)
{
    settings.ToolTipOn = false;
    EXPECT_EQ(Tip(a), "");
    EXPECT_EQ(Tip(pipe), "");
    EXPECT_EQ(Grade(a), "A");
    settings.LabelOn = false;
    EXPECT_EQ(Grade(a), "");
    EXPECT_EQ(Grade(pipe), "");
    EXPECT_EQ(U(ZObjectLabels::NodeMultiLabel(view, a)), "");
}

TEST_F(ObjectLabels, EmptyMaskAndUnknownItemGiveEmptyTexts)
{
    settings.LabelTip().NodeTip = 0;
    settings.LabelTip().PipeTip = 0x40;   // no item has this bit
    settings.LabelTip().NodeLabe = 6;
    settings.LabelTip().PipeLabel = 0;
    EXPECT_EQ(Tip(a), "");
    EXPECT_EQ(Tip(pipe), "");
    EXPECT_EQ(Grade(a), "");
    EXPECT_EQ(Grade(pipe), "");
}

TEST_F(ObjectLabels, DemandFollowsBalancedCase)
{
    settings.LabelTip().NodeLabe = 2;
    draw.CalcCase = ZDrawSettings::Accident;
    draw.Params.AccidentFactor = 0.5;
    EXPECT_EQ(Grade(a), "12.50");   // not balanced: plain demand
    draw.Balanced = 1;
    EXPECT_EQ(Grade(a), "6.25");
    draw.CalcCase = ZDrawSettings::Fire;
    a.NodeFireFlow = 0.01;
    EXPECT_EQ(Grade(a), "12.50");   // not a fire node
    a.SetFireNode(true);
    EXPECT_EQ(Grade(a), "22.50");
}

TEST_F(ObjectLabels, PipeValuesAreAbsoluteAndParallelCountAppended)
{
    settings.LabelTip().PipeLabel = 4;
    EXPECT_EQ(Grade(pipe), "20.00");
    settings.LabelTip().PipeLabel = 2;
    pipe.PipeParallel = 2;
    EXPECT_EQ(Grade(pipe), "250.0(3)");
    settings.LabelTip().PipeLabel = 5;
    pipe.Reverse();
    EXPECT_EQ(Grade(pipe), "2.25(3)");
    pipe.Reverse();
    pipe.PipeParallel = 0;
    settings.LabelTip().PipeLabel = 6;
    EXPECT_EQ(Grade(pipe), "0.00900");
    settings.LabelTip().PipeLabel = 7;
    EXPECT_EQ(Grade(pipe), "0.64");
}

TEST_F(ObjectLabels, DegeneratePipesShowZeroNotInfinity)
{
    ZPipeLink loose;
    loose.PipeDiam = 0.0;
    loose.Flow = 0.1;
    settings.LabelTip().PipeTip = 0x380;
    EXPECT_EQ(Tip(loose), "流速:0.00 m/s, 坡度:0.00000 mH2O/m, 水损:0.00 mH2O");
}

TEST_F(ObjectLabels, DeviceTextsFollowTheirTypes)
{
    ZValveLink valve;
    valve.SetId("V1");
    valve.ValveSCoef = 3.5;
    valve.ValveHLess = 5;
    settings.LabelTip().ValveTip = 0x7;
    EXPECT_EQ(Tip(valve), "阀门编号:V1, 阻力系数:3.5");
    valve.SetValveType(ZValveLink::Check);
    EXPECT_EQ(Tip(valve), "阀门编号:V1");
    valve.SetValveType(ZValveLink::PressureReducing);
    EXPECT_EQ(Tip(valve), "阀门编号:V1, 减压量:5.00 mH2O");
    EXPECT_EQ(Grade(valve), "");
    settings.LabelTip().ValveLabel = 1;
    EXPECT_EQ(Grade(valve), "V1");

    ZPumpLink pump;
    pump.SetId("B1");
    pump.PumpStaticH = 32;
    pump.PumpRatedRotV = 1450;
    pump.PumpSCoef = 0.25;
    settings.LabelTip().PumpTip = 0x1D;
    EXPECT_EQ(Tip(pump), "水泵编号:B1, 扬程:32.00 mH2O, 转速:1450, 粗糙系数:0.25");
    settings.LabelTip().PumpLabel = 3;
    EXPECT_EQ(Grade(pump), "32.00");
    settings.LabelTip().PumpLabel = 2;
    EXPECT_EQ(Grade(pump), "");

    ZTankLink tank;
    tank.SetId("T");
    tank.TankArea = 100;
    tank.TankCurH = 3;
    tank.TankMinHead = 1;
    tank.TankMaxHead = 5;
    settings.LabelTip().TankTip = 0x1F;
    EXPECT_EQ(Tip(tank), "水池编号:T, 面积:100 m2, 水位:3 m, 最低水位:1 m, 最高水位:5 m");
    settings.LabelTip().TankLabel = 2;
    EXPECT_EQ(Grade(tank), "3");
}

TEST_F(ObjectLabels, NodeTableLabelUsesPrefixesInItsOrder)
{
    EXPECT_EQ(U(ZObjectLabels::NodeMultiLabel(view, a)), "H=40.25\nQ=12.50");
    settings.LabelTip().NodeFlags = 0x3F;
    settings.LabelTip().NodeId = GbkCodec::FromUtf8("节点");
    EXPECT_EQ(U(ZObjectLabels::NodeMultiLabel(view, a)), "节点A\n(10, 20.5)\n12\nH=40.25\nQ=12.50\n28.25");
    settings.LabelTip().NodeFlags = 0;
    EXPECT_EQ(U(ZObjectLabels::NodeMultiLabel(view, a)), "");
}

TEST_F(ObjectLabels, PipeTwoPartLabel)
{
    GbkString up, down;
    ZObjectLabels::PipeMultiLabel(view, pipe, up, down);
    EXPECT_EQ(U(up), "L=250.0-D=200");
    EXPECT_EQ(U(down), "Q=20.00-H=2.25");
    settings.LabelTip().PipeUpFlags = 0xF;
    settings.LabelTip().PipeDownFlags = 0x180;
    settings.LabelTip().PipeSep = " ";
    ZObjectLabels::PipeMultiLabel(view, pipe, up, down);
    EXPECT_EQ(U(up), "P7 L=250.0 D=200 100");
    EXPECT_EQ(U(down), "0.64 0.00900");
    settings.LabelTip().PipeUpFlags = 0;
    ZObjectLabels::PipeMultiLabel(view, pipe, up, down);
    EXPECT_EQ(U(up), "");
}

TEST_F(ObjectLabels, StaleResultsAreLeftEmptyAndTheRestShown)
{
    // A view that holds one object's results for stale, as a document does after an edit.
    struct StaleView : ZBasicNetView {
        using ZBasicNetView::ZBasicNetView;
        const ZNetObject* stale = nullptr;
        bool IsResultStale(const ZNetObject& o) const override { return &o == stale; }
    } sv(settings, draw);
    auto tip = [&](const ZNetObject& o) {
        GbkString t;
        o.GetTipText(sv, t);
        return U(t);
    };
    auto grade = [&](const ZNetObject& o) {
        GbkString t;
        o.GetGradeText(sv, t);
        return U(t);
    };
    settings.LabelTip().NodeTip = 0x3F;
    settings.LabelTip().PipeTip = 0x3AF;
    sv.stale = &a;
    EXPECT_EQ(tip(a), "节点编号:A, 标高:12 m, 流量:12.50 l/s, 坐标:(10, 20.5) m, 压力:, 水头:");
    settings.LabelTip().NodeLabe = 4;
    EXPECT_EQ(grade(a), "");
    settings.LabelTip().NodeLabe = 2;
    EXPECT_EQ(grade(a), "12.50");   // a flow-known node's demand is its own, not a result
    // A head-known node: its head is its own, its demand (a source's supply) the result.
    a.SetHeadKnown(true);
    EXPECT_EQ(tip(a), "节点编号:A, 标高:12 m, 流量:, 坐标:(10, 20.5) m, 压力:40.25 mH2O, 水头:28.25 mH2O");
    EXPECT_EQ(grade(a), "");
    a.SetHeadKnown(false);
    EXPECT_NE(tip(b).find("压力:38.00 mH2O"), std::string::npos);
    sv.stale = &pipe;
    EXPECT_EQ(tip(pipe), "管道编号:P7, 管长:250.0 m, 管径:200 mm, 粗糙系数:100, 流量:, 流速:, 坡度:, 水损:");
    settings.LabelTip().PipeLabel = 4;
    EXPECT_EQ(grade(pipe), "");
    settings.LabelTip().PipeLabel = 3;
    EXPECT_EQ(grade(pipe), "200");
    GbkString upper, lower;
    settings.LabelTip().PipeUpFlags = 0x4;
    settings.LabelTip().PipeDownFlags = 0x20;
    ZObjectLabels::PipeMultiLabel(sv, pipe, upper, lower);
    EXPECT_FALSE(upper.empty());
    EXPECT_EQ(U(lower), "");
    sv.stale = nullptr;
    ZObjectLabels::PipeMultiLabel(sv, pipe, upper, lower);
    EXPECT_NE(U(lower), "");
    EXPECT_EQ(tip(pipe), "管道编号:P7, 管长:250.0 m, 管径:200 mm, 粗糙系数:100, 流量:20.00 l/s, 流速:0.64 m/s, "
                         "坡度:0.00900 mH2O/m, 水损:2.25 mH2O");
}

// A node cut off from every known head by closed links has no head to show.
TEST_F(ObjectLabels, CutOffNodeShowsNoHead)
{
    settings.LabelTip().NodeTip = 0x3F;
    settings.LabelTip().NodeFlags = 0x3F;
    settings.LabelTip().NodeId = GbkCodec::FromUtf8("节点");
    a.SetFlag(qen::FLAG_CUT_OFF);
    EXPECT_EQ(Tip(a), "节点编号:A, 标高:12 m, 流量:12.50 l/s, 坐标:(10, 20.5) m");
    EXPECT_EQ(U(ZObjectLabels::NodeMultiLabel(view, a)), "节点A\n(10, 20.5)\n12\nQ=12.50");
    for (int label : {4, 5}) {
        settings.LabelTip().NodeLabe = label;
        EXPECT_EQ(Grade(a), "") << label;
        EXPECT_NE(Grade(b), "") << label;
    }
}
