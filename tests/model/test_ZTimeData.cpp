#include "model/ZDocument.h"
#include "model/ZTimeData.h"
#include "model/ZTimeDataEdit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
GbkString Id(const char* s)
{
    return GbkString(std::string(s));
}
}   // namespace

// Patterns repeat from the pattern start; factors are picked by whole pattern steps.
TEST(ZTimeData, FactorsRepeatFromThePatternStart)
{
    ZTimeData d;
    d.PatternStep = 7200;
    d.PatternStart = 3600;
    const ZTimeData::Pattern p{Id("P"), {1.0, 2.0, 3.0}};
    EXPECT_EQ(d.Factor(p, 0), 1.0);
    EXPECT_EQ(d.Factor(p, 3599), 1.0);   // period 0 until 7200 - 3600
    EXPECT_EQ(d.Factor(p, 3600), 2.0);
    EXPECT_EQ(d.Factor(p, 3 * 7200 - 3600), 1.0);
}

// Every fault a reader must refuse, named by object and field.
TEST(ZTimeData, CheckNamesObjectAndField)
{
    struct Case {
        const char* what;
        void (*spoil)(ZTimeData&);
        const char* object;
        const char* field;
    } cases[] = {
        {"pattern without values",
         [](ZTimeData& d) {
             d.Patterns.push_back({Id("P"), {}});
         },
         "模式 \"P\"", "Factors"},
        {"negative factor",
         [](ZTimeData& d) {
             d.Patterns.push_back({Id("P"), {1.0, -0.5}});
         },
         "模式 \"P\"", "Factors"},
        {"NaN factor",
         [](ZTimeData& d) {
             d.Patterns.push_back({Id("P"), {std::numeric_limits<double>::quiet_NaN()}});
         },
         "模式 \"P\"", "Factors"},
        {"zero hydraulic step", [](ZTimeData& d) { d.HydraulicStep = 0; }, "", "HydraulicStep"},
        {"negative report step", [](ZTimeData& d) { d.ReportStep = -60; }, "", "ReportStep"},
        {"negative duration", [](ZTimeData& d) { d.Duration = -1; }, "", "Duration"},
        {"missing default pattern", [](ZTimeData& d) { d.DefaultPattern = Id("X"); }, "", "DefaultPattern"},
        {"demand with a missing pattern",
         [](ZTimeData& d) {
             d.Demands.push_back({Id("J1"), 0.1, Id("X")});
         },
         "节点 \"J1\"", "DemandPattern"},
        {"control at a negative time",
         [](ZTimeData& d) {
             ZTimeData::Control c;
             c.link = Id("L");
             c.time = -5;
             d.Controls.push_back(c);
         },
         "控制 \"L\"", "Time"},
        {"volume curve falling",
         [](ZTimeData& d) {
             d.TankCurves.push_back({Id("T"), {{0.0, 10.0}, {1.0, 5.0}}});
         },
         "水池 \"T\"", "VolumeCurve"},
    };
    EXPECT_TRUE(ZTimeData().Check().Empty());
    for (const Case& c : cases) {
        ZTimeData d;
        c.spoil(d);
        const ZTimeData::Fault f = d.Check();
        EXPECT_EQ(f.field, c.field) << c.what;
        EXPECT_EQ(f.object, c.object) << c.what;
    }
}

// Time data change through the document's one change path: undone and redone as a step, the
// document modified meanwhile.
TEST(ZTimeData, EditIsUndoable)
{
    ZDocument doc;
    ZTimeData d;
    d.Duration = 86400;
    d.Patterns.push_back({Id("P"), {1.0, 1.5}});
    doc.Perform(std::make_unique<ZTimeDataEdit>(d));
    EXPECT_EQ(doc.GetTimeData(), d);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.GetTimeData().IsEmpty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetTimeData(), d);
    doc.Reset();
    EXPECT_TRUE(doc.GetTimeData().IsEmpty());
}
