#include "model/GbkCodec.h"
#include "model/UnitSystem.h"
#include "model/ZBalanceContext.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"
#include "persist/ArchiveError.h"
#include "persist/EpanetFile.h"
#include "persist/InpExporter.h"
#include "persist/InpLaws.h"
#include "persist/ProjectFile.h"
#include "persist/TextExchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

namespace {
EpanetFile::ImportResult Import(const std::string& text, ZDocument& doc, double hour = 0)
{
    return EpanetFile::Import(text, "t.inp", doc, ZTemplateSet(), hour);
}

const std::string kTwoNodes = "[RESERVOIRS]\nR 100\n[PIPES]\nP R J 1000 300 100\n";

template <class T>
const T& Link(const ZDocument& doc, const char* id)
{
    const ZFlowLink* l = doc.GetNetwork().FindLink(GbkView(id));
    if (!l)
        throw std::runtime_error(std::string("no link ") + id);
    return static_cast<const T&>(*l);
}

bool Reported(const EpanetFile::ImportResult& r, const std::string& what, const std::string& id)
{
    for (const auto& item : r.report.Items()) {
        if (item.what.find(what) != std::string::npos) {
            for (const std::string& i : item.ids) {
                if (i.find(id) != std::string::npos)
                    return true;
            }
        }
    }
    return false;
}
}   // namespace

TEST(InpImporter, EveryFlowUnitAndItsLengthUnits)
{
    struct Case {
        const char* unit;
        double flow;
        bool us;
    };
    const Case cases[] = {{"CFS", 0.028316846592, true},         {"GPM", 6.30901964e-5, true},
                          {"MGD", 0.0438126363888889, true},     {"IMGD", 0.052616782407407407, true},
                          {"AFD", 0.0142764101568, true},        {"LPS", 0.001, false},
                          {"LPM", 1.6666666666666667e-5, false}, {"MLD", 0.011574074074074073, false},
                          {"CMH", 2.777777777777778e-4, false},  {"CMD", 1.1574074074074073e-5, false}};
    for (const Case& c : cases) {
        ZDocument doc;
        Import("[JUNCTIONS]\nJ 10 2\n" + kTwoNodes + "[OPTIONS]\nUNITS " + c.unit + "\n", doc);
        const ZConsumeNode* j = doc.GetNetwork().FindNode("J");
        ASSERT_NE(j, nullptr);
        EXPECT_NEAR(j->NodeFlow, 2 * c.flow, 1e-9 * c.flow) << c.unit;
        EXPECT_NEAR(j->NodeGrunElev, c.us ? 3.048 : 10.0, 1e-12) << c.unit;
        const auto& p = Link<ZPipeLink>(doc, "P");
        EXPECT_NEAR(p.PipeLength, c.us ? 304.8 : 1000.0, 1e-9) << c.unit;
        EXPECT_NEAR(p.PipeInDiam, c.us ? 7.62 : 0.3, 1e-12) << c.unit;
        EXPECT_FALSE(p.IsAutoLength());
    }
}

TEST(InpImporter, HazenWilliamsAndManningGiveEpanetsResistance)
{
    // EPANET: h = 4.727 L q^1.852 / (C^1.852 d^4.871) in ft and cfs.
    ZDocument doc;
    Import("[JUNCTIONS]\nJ 10 2\n" + kTwoNodes + "[OPTIONS]\nUNITS LPS\n", doc);
    auto& p = const_cast<ZPipeLink&>(Link<ZPipeLink>(doc, "P"));
    const double q = 0.05, ft = 0.3048, cfs = 0.028316846592;
    const double epanet =
        ft * 4.727 * (1000 / ft) * std::pow(q / cfs, 1.852) / (std::pow(100, 1.852) * std::pow(0.3 / ft, 4.871));
    ZBalanceContext ctx;
    EXPECT_NEAR(p.CalcResistance(ctx) * std::pow(q, 1.852), epanet, 1e-12 * epanet);

    ZDocument cm;
    Import(
        "[JUNCTIONS]\nJ 10 2\n[RESERVOIRS]\nR 100\n[PIPES]\nP R J 1000 300 0.012\n[OPTIONS]\nUNITS LPS\nHEADLOSS C-M\n",
        cm);
    auto& m = const_cast<ZPipeLink&>(Link<ZPipeLink>(cm, "P"));
    EXPECT_EQ(m.PipeType, ZPipeLink::Manning);
    const double r = 4.66 * 0.012 * 0.012 * (1000 / ft) / std::pow(0.3 / ft, 5.33) * ft / (cfs * cfs);
    EXPECT_NEAR(m.CalcResistance(ctx), r, 1e-9 * r);
}

TEST(InpImporter, DemandsAtTheChosenHour)
{
    const std::string text =
        "[JUNCTIONS]\nJ1 0 10\nJ2 0 10 P2\nJ3 0 10\n" + std::string("[RESERVOIRS]\nR 50\n") +
        "[PIPES]\nA R J1 1 300 100\nB J1 J2 1 300 100\nC J2 J3 1 300 100\n"
        "[DEMANDS]\nJ3 4 P2\nJ3 1\n"
        "[PATTERNS]\n1 1 2 3\nP2 0.5 0.25\n"
        "[OPTIONS]\nUNITS LPS\nDemand Multiplier 2\n[TIMES]\nPattern Timestep 2:00\nPattern Start 2:00\n";
    ZDocument doc;
    Import(text, doc, 2.0);   // 2 h + 2 h start, 2 h steps: period 2
    const ZNetwork& net = doc.GetNetwork();
    EXPECT_NEAR(net.FindNode("J1")->NodeFlow, 10 * 3 * 2 * 0.001, 1e-12);     // default pattern "1"
    EXPECT_NEAR(net.FindNode("J2")->NodeFlow, 10 * 0.5 * 2 * 0.001, 1e-12);   // P2 wraps round
    // The first [DEMANDS] line replaces the junction's own demand; the second adds.
    EXPECT_NEAR(net.FindNode("J3")->NodeFlow, (4 * 0.5 + 1 * 3) * 2 * 0.001, 1e-12);
}

TEST(InpImporter, PumpsCurvesSpeedsAndPower)
{
    const std::string text = "[JUNCTIONS]\nA 0\nB 0\nC 0\nD 0\nE 0\nF 0\n[RESERVOIRS]\nR 10\n"
                             "[PIPES]\nP1 R A 10 300 100\nP2 B C 10 300 100\nP3 C D 10 300 100\nP4 E F 10 300 100\n"
                             "[PUMPS]\nONE A B HEAD C1\nTHREE C D HEAD C3 SPEED 2\nPOW E F POWER 10\n"
                             "[CURVES]\nC1 10 30\nC3 0 40\nC3 10 30\nC3 20 0\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const auto& one = Link<ZPumpLink>(doc, "ONE");
    EXPECT_NEAR(one.PumpStaticH, 1.33334 * 30, 1e-9);
    EXPECT_NEAR(one.PumpSCoef, 0.33334 * 30 / (0.01 * 0.01), 1e-6);
    // Three points on h = 40 - s q^2 with s = 1e5 at 10 l/s: exact, then doubled speed.
    const auto& three = Link<ZPumpLink>(doc, "THREE");
    EXPECT_NEAR(three.PumpStaticH, 160.0, 1e-9);
    EXPECT_NEAR(three.PumpSCoef, 1e5, 1e-6);
    EXPECT_FALSE(Reported(r, "拟合", "THREE"));
    EXPECT_FALSE(Link<ZPumpLink>(doc, "POW").PumpOpen);
    EXPECT_TRUE(Reported(r, "恒功率", "POW"));

    ZDocument bent;
    const auto r2 = Import("[JUNCTIONS]\nA 0\nB 0\n[RESERVOIRS]\nR 10\n[PIPES]\nP1 R A 10 300 100\n"
                           "[PUMPS]\nPU A B HEAD C\n[CURVES]\nC 0 40\nC 10 38\nC 20 20\nC 30 0\n[OPTIONS]\nUNITS LPS\n",
                           bent);
    EXPECT_TRUE(Reported(r2, "拟合", "PU (最大误差"));
}

TEST(InpImporter, ValvesAndPipeStatuses)
{
    const std::string text =
        "[JUNCTIONS]\nA 0\nB 0\nC 0\nD 0\nE 0\nF 0\nG 0\nH 0\n[RESERVOIRS]\nR 10\n"
        "[PIPES]\nP1 R A 10 300 100\nP2 B C 10 300 100 0 CV\nP3 C D 10 300 100\nP4 E F 10 300 100\n"
        "P5 G H 10 300 100\n"
        "[VALVES]\nT A B 200 TCV 5\nK D E 200 PBV 7 0\nPR F G 200 PRV 30 0\n"
        "[STATUS]\nP3 Closed\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const double area = 0.7853981633974483 * 0.04;
    EXPECT_NEAR(Link<ZValveLink>(doc, "T").ValveSCoef, 5 / (2 * 9.80665 * area * area), 1e-9);
    const auto& k = Link<ZValveLink>(doc, "K");
    EXPECT_EQ(k.GetValveType(), ZValveLink::PressureReducing);
    EXPECT_DOUBLE_EQ(k.ValveHLess, 7);
    EXPECT_EQ(Link<ZValveLink>(doc, "PR").GetValveType(), ZValveLink::Gate);
    EXPECT_TRUE(Reported(r, "PRV", "PR=30"));
    // A check-valve pipe and a closed pipe each get a valve of their own in front.
    EXPECT_EQ(Link<ZValveLink>(doc, "P2_V").GetValveType(), ZValveLink::Check);
    EXPECT_FALSE(Link<ZValveLink>(doc, "P3_V").ValveOpen);
    EXPECT_EQ(Link<ZPipeLink>(doc, "P3").StartNode(), Link<ZValveLink>(doc, "P3_V").EndNode());
    EXPECT_TRUE(Reported(r, "关闭的管道", "P3"));
}

TEST(InpImporter, DevicesOnBusyNodesReservoirsAndTanksGetConnectors)
{
    const std::string text = "[JUNCTIONS]\nA 0\nB 0\nC 0\n[RESERVOIRS]\nR 10\n[TANKS]\nT 20 3 1 5 10 0\n"
                             "[PIPES]\nP1 A B 10 300 100\nP2 A C 10 300 100\nP3 B T 10 300 100\nP4 C T 10 300 100\n"
                             "[PUMPS]\nPU R A HEAD C1\n[CURVES]\nC1 10 30\n"
                             "[COORDINATES]\nA 0 0\nB 10 0\nC 0 10\nR -10 0\nT 10 10\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const ZNetwork& net = doc.GetNetwork();
    const auto& pump = Link<ZPumpLink>(doc, "PU");
    // The reservoir keeps its fixed head; the pump's own nodes sit at the reservoir.
    EXPECT_NE(pump.StartNode(), net.FindNode("R"));
    EXPECT_NE(pump.EndNode(), net.FindNode("A"));
    EXPECT_TRUE(net.FindNode("R")->IsHeadKnown());
    EXPECT_DOUBLE_EQ(static_cast<const ZFlowNode*>(pump.EndNode())->X, -10);
    // The tank's node has two pipes: the tank gets an outlet of its own, named for both.
    const auto& tank = Link<ZTankLink>(doc, "T_H");
    EXPECT_EQ(tank.StartNode(), net.FindNode("T_H"));
    EXPECT_TRUE(tank.EndNode()->IsHidden());
    EXPECT_NEAR(tank.TankArea, 0.7853981633974483 * 100, 1e-9);
    EXPECT_DOUBLE_EQ(tank.SurfaceElevation(), 23);
    EXPECT_TRUE(Reported(r, "连接短管", "PU_C1"));
    EXPECT_TRUE(Reported(r, "连接短管", "PU_C2"));
    EXPECT_TRUE(Reported(r, "连接短管", "T_C"));
    for (const ZFlowLink* l : net.Links()) {
        for (const ZNetNode* n : {l->StartNode(), l->EndNode()}) {
            const auto* fn = static_cast<const ZFlowNode*>(n);
            if (fn->IsDeviceNode()) {
                EXPECT_EQ(fn->GetDevice() != nullptr, true) << GbkCodec::ToUtf8(n->IdView());
            }
        }
    }
}

TEST(InpImporter, LongAndClashingIdentifiersGetUniqueNamesAndAMap)
{
    const std::string longA = "a_very_long_junction_name_0001", longB = "a_very_long_junction_name_0002";
    ZDocument doc;
    const auto r = Import("[JUNCTIONS]\n" + longA + " 0\n" + longB +
                              " 0\nx 0\nX 0\n[RESERVOIRS]\nR 10\n"
                              "[PIPES]\nP1 R " +
                              longA + " 1 300 100\nP2 " + longA + " " + longB +
                              " 1 300 100\n"
                              "P3 " +
                              longB + " x 1 300 100\nP4 x X 1 300 100\n",
                          doc);
    std::set<std::string> ids;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes()) {
        EXPECT_LE(n->IdView().size(), 19u);
        ids.insert(std::string(n->IdView().Bytes()));
    }
    EXPECT_EQ(ids.size(), 5u);
    EXPECT_TRUE(ids.count("X"));
    EXPECT_NE(r.idMapCsv.find(longA + ","), std::string::npos);
    EXPECT_NE(r.idMapCsv.find("\nnode,X,X~1,junction"), std::string::npos);
}

TEST(InpImporter, NodesWithoutCoordinatesGetDistinctPlaces)
{
    ZDocument doc;
    const auto r = Import("[JUNCTIONS]\nA 0\nB 0\nC 0\nD 0\n[RESERVOIRS]\nR 10\n[PIPES]\nP1 R A 1 300 100\n"
                          "P2 A B 1 300 100\nP3 A C 1 300 100\nP4 C D 1 300 100\n",
                          doc);
    std::set<std::pair<double, double>> places;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes())
        places.insert({n->X, n->Y});
    EXPECT_EQ(places.size(), 5u);
    EXPECT_TRUE(Reported(r, "坐标", "5"));
}

TEST(InpImporter, BrokenFilesNameTheLineAndLeaveNothing)
{
    struct Case {
        std::string text;
        int line;
        std::string fragment;
    };
    const Case cases[] = {
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R Q 1 300 100\n", 6, "Q"},
        {"[JUNCTIONS]\nJ 0\nJ 1\n[RESERVOIRS]\nR 1\n", 3, "重复"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\nP J R 1 300 100\n", 7, "重复"},
        {"[JUNCTIONS]\nJ 0\n", 0, "水库"},
        {"[TITLE]\nnothing\n", 0, "没有节点"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n[OPTIONS]\nUNITS FURLONGS\n", 8, "FURLONGS"},
        {"[JUNCTIONS]\nJ 0 1 NOPAT\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n", 2, "NOPAT"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 0 100\n", 6, "直径"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n[PUMPS]\nU J R HEAD C9\n", 8, "C9"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[DEMANDS]\nR 5\n", 6, "R"},
    };
    for (const Case& c : cases) {
        ZDocument doc;
        try {
            Import(c.text, doc);
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
        }
        EXPECT_EQ(doc.GetNetwork().NodeCount(), 0) << c.text;
        EXPECT_EQ(doc.GetNetwork().LinkCount(), 0) << c.text;
    }
}

// Faults found on public EPANET files: each file below is read as EPANET reads it and nothing
// of it is lost without the report saying so.
TEST(InpImporterRealFiles, DemandAtADeviceEndStaysWhereTheBalanceCountsIt)
{
    // J1 carries 10 l/s and is a valve's inlet; J4 is the start of a check-valve pipe.
    const std::string text =
        "[JUNCTIONS]\nJ1 0 10\nJ2 0 0\nJ3 0 5\n[RESERVOIRS]\nR1 50\n"
        "[PIPES]\nP1 R1 J1 500 200 100 0 Open\nP2 J2 J3 500 200 100 0 Open\nP3 J4 J3 5 200 100 0 CV\n"
        "[JUNCTIONS]\nJ4 0 2\n[VALVES]\nV1 J1 J2 200 TCV 0 0\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    double counted = 0;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes())
        if (n->IsFlowKnown() && !n->IsDeviceNode())
            counted += n->NodeFlow;
    EXPECT_NEAR(counted, 0.017, 1e-12);
    EXPECT_FALSE(doc.GetNetwork().FindNode("J1")->IsDeviceNode());
    EXPECT_FALSE(doc.GetNetwork().FindNode("J4")->IsDeviceNode());
    EXPECT_TRUE(Reported(r, "需水量留在原节点", "J1"));
    EXPECT_TRUE(Reported(r, "需水量留在原节点", "J4"));
    EXPECT_FALSE(Reported(r, "需水量留在原节点", "J2"));   // no demand: the valve may end there
}

TEST(InpImporterRealFiles, TankNamedLikeAPipeKeepsBothThroughEveryFile)
{
    const std::string text = "[JUNCTIONS]\nJ1 0 10\n[RESERVOIRS]\nR1 50\n[TANKS]\n5 0 10 0 20 10 0\n"
                             "[PIPES]\n5 R1 J1 100 200 100 0 Open\n6 J1 5 100 200 100 0 Open\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const ZNetwork& net = doc.GetNetwork();
    ASSERT_EQ(net.LinkCount(), 3);
    EXPECT_EQ(net.FindLink("5")->GetKind(), ZNetObject::Kind::Pipe);
    EXPECT_TRUE(Reported(r, "水池与管段", "5 -> 5~1"));
    EXPECT_EQ(Link<ZTankLink>(doc, "5~1").StartNode(), net.FindNode("5"));
    EXPECT_NE(r.idMapCsv.find("\nlink,5,5~1,tank\n"), std::string::npos);

    ZDocument fromProject;
    const std::string bytes = ProjectFile::Serialize(doc);
    ProjectFile::Deserialize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "t.wnp", fromProject);
    EXPECT_EQ(fromProject.GetNetwork().LinkCount(), 3);
    ZDocument fromText;
    std::stringstream txt;
    TextExchange::Export(txt, doc, UnitSystem());
    TextExchange::Import(txt, "t.txt", fromText, UnitSystem(), ZTemplateSet());
    EXPECT_EQ(fromText.GetNetwork().LinkCount(), 3);
    EXPECT_EQ(fromText.GetNetwork().NodeCount(), net.NodeCount());
}

TEST(InpImporterRealFiles, WritersRefuseALinkOutsideTheArrays)
{
    // What the import used to leave: a second link "5" joined to its nodes but turned away by
    // the sorted array.
    ZDocument doc;
    ZNetwork& net = doc.GetNetwork();
    ZTemplateSet t;
    ZConsumeNode* a = t.Node.Clone();
    a->SetId("A");
    ZConsumeNode* b = t.Node.Clone();
    b->SetId("B");
    net.AddNode(a);
    net.AddNode(b);
    ZPipeLink* pipe = t.Pipe.Clone();
    pipe->SetId("5");
    net.AddLink(a, b, pipe);
    std::unique_ptr<ZPipeLink> stray(t.Pipe.Clone());
    stray->SetId("5");
    stray->Connect(a, b);
    const auto refused = [](const std::function<void()>& write) {
        try {
            write();
        } catch (const ArchiveError& e) {
            return std::string(e.what()).find("\"5\"") != std::string::npos;
        }
        return false;
    };
    EXPECT_TRUE(refused([&] { ProjectFile::Serialize(doc); }));
    EXPECT_TRUE(refused([&] {
        std::stringstream out;
        TextExchange::Export(out, doc, UnitSystem());
    }));
    EXPECT_TRUE(refused([&] { InpExporter(doc).Write(); }));
    stray->Disconnect();
    EXPECT_NO_THROW(ProjectFile::Serialize(doc));
}

TEST(InpImporterRealFiles, ShortTankLinesZeroPatternStepAndUnknownReferences)
{
    ZDocument doc;
    const auto r = Import("[JUNCTIONS]\nJ1 0 10 P\n[TANKS]\nT1 50\n[PIPES]\nP1 T1 J1 100 200 100\n"
                          "[PATTERNS]\nP 1 3\n[TIMES]\nPattern Timestep 0:00\nPattern Start 1:00\n"
                          "[STATUS]\nP1 Open\nGONE Closed\n[COORDINATES]\nJ1 0 0\nT1 1 0\nNOWHERE 5 5\n"
                          "[OPTIONS]\nUNITS LPS\n",
                          doc);
    const ZConsumeNode* t1 = doc.GetNetwork().FindNode("T1");
    ASSERT_NE(t1, nullptr);
    EXPECT_TRUE(t1->IsHeadKnown());
    EXPECT_DOUBLE_EQ(t1->NodeHydrElev, 50);
    EXPECT_EQ(doc.GetNetwork().LinkCount(), 1);   // a reservoir, not a tank
    EXPECT_TRUE(Reported(r, "[TANKS]", "T1"));
    // A step of one hour: hour 0 plus the start of 1:00 falls in the pattern's second period.
    EXPECT_NEAR(doc.GetNetwork().FindNode("J1")->NodeFlow, 0.03, 1e-12);
    EXPECT_TRUE(Reported(r, "时间步长为 0", "0:00"));
    EXPECT_TRUE(Reported(r, "[STATUS]", "GONE (第14行)"));
    EXPECT_FALSE(Reported(r, "[STATUS]", "P1"));
    EXPECT_TRUE(Reported(r, "[COORDINATES]", "NOWHERE"));
    EXPECT_FALSE(Reported(r, "[COORDINATES]", "J1"));
}

TEST(InpImporterRealFiles, ClosedDevicesAreNamedAsWhatATextFileLoses)
{
    ZDocument doc;
    auto r = Import("[JUNCTIONS]\nJ1 0 1\nJ2 0 1\nJ3 0 1\n[RESERVOIRS]\nR1 50\n[PIPES]\nP1 R1 J1 100 200 100\n"
                    "P2 J1 J2 100 200 100 Closed\n[PUMPS]\nU1 J2 J3 HEAD C\n[CURVES]\nC 10 30\n[STATUS]\nU1 Closed\n"
                    "[OPTIONS]\nUNITS LPS\n",
                    doc);
    EpanetFile::ReportTextLosses(doc, r.report);
    EXPECT_TRUE(Reported(r, "文本文件不能记录", "U1"));
    EXPECT_TRUE(Reported(r, "文本文件不能记录", "P2_V"));
    ZDocument open;
    auto none = Import("[JUNCTIONS]\nJ1 0 1\n[RESERVOIRS]\nR1 50\n[PIPES]\nP1 R1 J1 100 200 100\n", open);
    EpanetFile::ReportTextLosses(open, none.report);
    EXPECT_EQ(none.report.Find("文本文件不能记录水泵、阀门的关闭状态: 这些关闭的设备读回时是开启的, 平差结果将不同 "
                               "(存为 .wnp 文件可保留)"),
              nullptr);
}

TEST(InpImporter, ValuesOverflowingInQenUnitsAndNegativeSettingsNameTheLineAndObject)
{
    // In range as written, beyond a double once converted (feet, inches, gpm) or combined.
    const std::string base = "[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n";
    struct Case {
        std::string text;
        int line;
        std::string fragment;
    };
    const Case cases[] = {
        {base + "[TANKS]\nT 0 1 0 2 1e308 0\n[PIPES]\nP2 J T 1 300 100\n", 8, "水池 T"},
        {base + "[PUMPS]\nU J R HEAD C1 SPEED 1e200\n[CURVES]\nC1 1 50\n", 8, "水泵 U"},
        {"[JUNCTIONS]\nJ 0 1e308\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n[OPTIONS]\nDEMAND MULTIPLIER 1e10\n", 2,
         "节点 J"},
        {"[JUNCTIONS]\nJ 0 1 PAT\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n[PATTERNS]\nPAT 1 2\n"
         "[TIMES]\nPATTERN START 1e308\n",
         10, "PATTERN START"},
        {base + "[VALVES]\nV J R 300 TCV -5 0\n", 8, "TCV 阀门 V"},
        {base + "[VALVES]\nV J R 300 TCV 5 0\n[STATUS]\nV -2\n", 10, "TCV 阀门 V"},
        {base + "[VALVES]\nV J R 300 PBV -5 0\n", 8, "PBV 阀门 V"},
        {base + "[VALVES]\nV J R 300 PRV 5 -1\n", 8, "局部损失系数"},
    };
    for (const Case& c : cases) {
        ZDocument doc;
        try {
            Import(c.text, doc);
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_EQ(e.FileName(), "t.inp");
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).find("not a finite number"), std::string::npos) << e.what();
        }
        EXPECT_EQ(doc.GetNetwork().NodeCount(), 0) << c.text;
    }
}

TEST(InpImporter, MessagesAndReportsCutHugeTextsAndEscapeRawBytes)
{
    const std::string net = "[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n";
    const std::string huge(200000, 'N');
    ZDocument doc;
    try {
        Import(net + "[PIPES]\nP2 R " + huge + " 1 300 100\n", doc);
        ADD_FAILURE() << "a pipe to an unknown node was accepted";
    } catch (const ArchiveError& e) {
        const std::string what = e.what();
        EXPECT_LT(what.size(), 600u);
        EXPECT_NE(what.find("NNN..."), std::string::npos) << what;
    }
    // Two UNITS lines that disagree: the first one's value is quoted escaped (found by fuzzing).
    ZDocument doc3;
    try {
        Import(net + "[OPTIONS]\nUNITS GP\x8e\x1b\nUNITS LPS\n", doc3);
        ADD_FAILURE() << "two flow units were accepted";
    } catch (const ArchiveError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.find('\x1b'), std::string::npos);
        EXPECT_EQ(what.find("GP\x8e"), std::string::npos);
        EXPECT_NE(what.find("GP\\x8E\\x1B 矛盾"), std::string::npos) << what;
    }
    // A pipe status the import does not use (found by fuzzing).
    ZDocument doc4;
    const std::string status = Import(net + "[STATUS]\nP \xff\x1b\n", doc4).report.Text();
    EXPECT_EQ(status.find('\x1b'), std::string::npos);
    EXPECT_NE(status.find("P=\\xFF\\x1B"), std::string::npos) << status;
    // An option the import does not use is reported cut after 64 bytes, on a whole GBK character,
    // with its control bytes as \xNN.
    std::string gbk;
    for (int i = 0; i < 100000; ++i)
        gbk += "\xB9\xDC";   // 管
    ZDocument doc2;
    const std::string text = Import(net + "[OPTIONS]\nFOO \x1b" + gbk + "\n", doc2).report.Text();
    EXPECT_LT(text.size(), 2000u);
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    const std::string shown = "FOO \\x1B" + GbkCodec::ToUtf8(GbkView(gbk.substr(0, 58))) + "...";
    EXPECT_NE(text.find(shown), std::string::npos) << text;
}
