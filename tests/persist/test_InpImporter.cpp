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
#include "persist/epanet/EpanetFile.h"
#include "persist/epanet/InpExporter.h"
#include "persist/epanet/InpLaws.h"
#include "persist/project/ProjectFile.h"
#include "persist/text/TextExchange.h"

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

// EPANET's curves come in as they are: the kind by the number of points (three starting at zero
// flow fit h = A - B q^C, other counts are straight lines between the points), speeds and power
// as given, in base units.
TEST(InpImporter, PumpsCurvesSpeedsAndPower)
{
    const std::string text = "[JUNCTIONS]\nA 0\nB 0\nC 0\nD 0\nE 0\nF 0\nG 0\nH 0\nI 0\nK 0\n[RESERVOIRS]\nR 10\n"
                             "[PIPES]\nP1 R A 10 300 100\nP2 B C 10 300 100\nP3 D E 10 300 100\nP4 F G 10 300 100\n"
                             "P5 H I 10 300 100\n"
                             "[PUMPS]\nONE A B HEAD C1\nTHREE C D HEAD C3 SPEED 2\nPOW E F POWER 10\n"
                             "MULTI G H HEAD CM\nBENT I K HEAD CB\n"
                             "[CURVES]\nC1 10 30\nC3 0 40\nC3 10 30\nC3 20 0\nCM 0 40\nCM 10 38\nCM 20 20\nCM 30 0\n"
                             "CB 5 40\nCB 10 30\nCB 20 0\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const auto& one = Link<ZPumpLink>(doc, "ONE");
    EXPECT_EQ(one.PumpCurveKind, ZPumpLink::OnePoint);
    EXPECT_EQ(one.PumpCurve, (Curve{{0.01, 30}}));
    const auto& three = Link<ZPumpLink>(doc, "THREE");
    EXPECT_EQ(three.PumpCurveKind, ZPumpLink::ThreePoint);
    EXPECT_EQ(three.PumpCurve, (Curve{{0, 40}, {0.01, 30}, {0.02, 0}}));
    EXPECT_EQ(three.PumpSpeed, 2.0);
    const auto& pow = Link<ZPumpLink>(doc, "POW");
    EXPECT_EQ(pow.PumpCurveKind, ZPumpLink::ConstantPower);
    EXPECT_EQ(pow.PumpPower, 10.0);
    EXPECT_TRUE(pow.PumpOpen);
    EXPECT_EQ(Link<ZPumpLink>(doc, "MULTI").PumpCurveKind, ZPumpLink::MultiPoint);
    EXPECT_EQ(Link<ZPumpLink>(doc, "MULTI").PumpCurve.size(), 4u);
    EXPECT_EQ(Link<ZPumpLink>(doc, "BENT").PumpCurveKind, ZPumpLink::MultiPoint);
    for (const auto& item : r.report.Items()) {
        EXPECT_EQ(item.what.find("拟合"), std::string::npos) << item.what;
        EXPECT_EQ(item.what.find("恒功率"), std::string::npos) << item.what;
    }

    ZDocument us;
    Import("[JUNCTIONS]\nA 0\nB 0\n[RESERVOIRS]\nR 10\n[PIPES]\nP1 R A 10 12 100\n[PUMPS]\nPU A B POWER 10\n", us);
    EXPECT_NEAR(Link<ZPumpLink>(us, "PU").PumpPower, 7.45699872, 1e-9);   // horsepower
}

// Every EPANET valve kind keeps its setting in base units, its diameter, minor loss and initial
// status; CV pipes get a check valve and the network closes check valves against reverse flow.
TEST(InpImporter, ValvesAndPipeStatuses)
{
    const std::string text =
        "[JUNCTIONS]\nA 0\nB 0\nC 0\nD 0\nE 0\nF 0\nG 0\nH 0\nI 0\nJ 0\nK 0\nL 0\nM 0\nN 0\n[RESERVOIRS]\nR 10\n"
        "[PIPES]\nP1 R A 10 300 100 2.5\nP2 B C 10 300 100 0 CV\nP3 C D 10 300 100\nP4 E F 10 300 100\n"
        "P5 G H 10 300 100\nP6 I J 10 300 100\nP7 K L 10 300 100\nP8 M N 10 300 100\n"
        "[VALVES]\nT A B 200 TCV 5\nK D E 200 PBV 7 0\nPR F G 200 PRV 30 0.5\nPS H I 200 PSV 20\n"
        "FC J K 200 FCV 12\nGP L M 200 GPV GC\n"
        "[CURVES]\nGC 0 0\nGC 10 2\nGC 20 8\n"
        "[STATUS]\nP3 Closed\nPS Open\nFC 15\n[OPTIONS]\nUNITS LPS\n";
    ZDocument doc;
    const auto r = Import(text, doc);
    const double area = 0.7853981633974483 * 0.04;
    const auto& t = Link<ZValveLink>(doc, "T");
    EXPECT_EQ(t.GetValveType(), ZValveLink::Tcv);
    EXPECT_EQ(t.ValveSetting, 5);
    EXPECT_EQ(t.ValveDiam, 0.2);
    EXPECT_EQ(Link<ZValveLink>(doc, "K").GetValveType(), ZValveLink::Pbv);
    EXPECT_DOUBLE_EQ(Link<ZValveLink>(doc, "K").ValveSetting, 7);
    const auto& pr = Link<ZValveLink>(doc, "PR");
    EXPECT_EQ(pr.GetValveType(), ZValveLink::Prv);
    EXPECT_EQ(pr.ValveSetting, 30);
    EXPECT_NEAR(pr.ValveSCoef, 0.5 / (2 * 9.80665 * area * area), 1e-9);
    EXPECT_EQ(pr.ValveInitStatus, ZValveLink::StatusActive);
    EXPECT_EQ(Link<ZValveLink>(doc, "PS").GetValveType(), ZValveLink::Psv);
    EXPECT_EQ(Link<ZValveLink>(doc, "PS").ValveInitStatus, ZValveLink::StatusOpen);
    EXPECT_EQ(Link<ZValveLink>(doc, "FC").GetValveType(), ZValveLink::Fcv);
    EXPECT_NEAR(Link<ZValveLink>(doc, "FC").ValveSetting, 0.015, 1e-15);   // [STATUS] gives the setting
    EXPECT_EQ(Link<ZValveLink>(doc, "GP").ValveCurve, (Curve{{0, 0}, {0.01, 2}, {0.02, 8}}));
    EXPECT_EQ(Link<ZPipeLink>(doc, "P1").PipeMinorLoss, 2.5);
    EXPECT_TRUE(doc.GetDrawSettings().Params.CheckValvesClose);
    EXPECT_EQ(doc.GetDrawSettings().Params.DemandModel, ZBalanceParams::DemandDriven);
    for (const auto& item : r.report.Items())
        EXPECT_EQ(item.what.find("阀门按全开"), std::string::npos) << item.what;
    // A check-valve pipe and a closed pipe each get a valve of their own in front.
    EXPECT_EQ(Link<ZValveLink>(doc, "P2_V").GetValveType(), ZValveLink::Check);
    EXPECT_FALSE(Link<ZValveLink>(doc, "P3_V").ValveOpen);
    EXPECT_EQ(Link<ZPipeLink>(doc, "P3").StartNode(), Link<ZValveLink>(doc, "P3_V").EndNode());
    EXPECT_TRUE(Reported(r, "关闭的管道", "P3"));
}

// [OPTIONS] of EPANET's pressure-driven analysis, pressures in the file's unit.
TEST(InpImporter, PressureDrivenOptions)
{
    ZDocument doc;
    Import(
        "[JUNCTIONS]\nJ 0 1\n" + kTwoNodes +
            "[OPTIONS]\nUNITS GPM\nDEMAND MODEL PDA\nMINIMUM PRESSURE 5\nREQUIRED PRESSURE 40\nPRESSURE EXPONENT 0.6\n",
        doc);
    const ZBalanceParams& p = doc.GetDrawSettings().Params;
    EXPECT_EQ(p.DemandModel, ZBalanceParams::PressureDriven);
    EXPECT_NEAR(p.MinPressure, 5 * 0.3048 / 0.4333, 1e-12);
    EXPECT_NEAR(p.RequiredPressure, 40 * 0.3048 / 0.4333, 1e-12);
    EXPECT_EQ(p.PressureExponent, 0.6);
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
        // A value fine at the hour read but not at every hour of its pattern.
        {"[JUNCTIONS]\nJ 0 10 P\n[RESERVOIRS]\nR 1\n[PIPES]\nP1 R J 1 300 100\n[PATTERNS]\nP 1 1e308\n", 2, "最大系数"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 10 P\n[PIPES]\nP1 R J 1 300 100\n[PATTERNS]\nP 1 1e308\n", 4, "最大系数"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PUMPS]\nU R J HEAD C SPEED 2 PATTERN P\n[CURVES]\nC 10 20\n"
         "[PATTERNS]\nP 1 1e306\n",
         6, "最大系数"},
        // Controls naming what the file does not define.
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP1 R J 1 300 100\n[CONTROLS]\nLINK P1 OPEN IF NODE Q BELOW 3\n",
         8, "Q"},
        {"[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP1 R J 1 300 100\n[CONTROLS]\nLINK P9 OPEN AT TIME 2\n", 8,
         "P9"},
        // A tank is a node to EPANET: no control acts on it.
        {"[JUNCTIONS]\nJ 0 1\n[TANKS]\nT 10 2 0 5 10 0\n[PIPES]\nP T J 100 300 100\n[CONTROLS]\nLINK T OPEN AT TIME "
         "2\n",
         8, "管段 T 在文件中没有定义"},
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

// Whatever an import holds (closed devices, control valves, curves, minor losses, the options)
// comes back from a text file as from a project file.
TEST(InpImporterRealFiles, TextFilesCarryEverythingImported)
{
    for (const char* name : {"Net3", "L-TOWN"}) {
        ZDocument doc;
        EpanetFile::LoadFile(std::string(QEN_TEST_DATA_DIR) + "/networks/" + name + ".inp", doc, ZTemplateSet(), 0);
        std::stringstream txt;
        TextExchange::Export(txt, doc, UnitSystem());
        ZDocument back;
        TextExchange::Import(txt, "t.txt", back, UnitSystem(), ZTemplateSet());
        EXPECT_EQ(back.GetDrawSettings().Params.CheckValvesClose, doc.GetDrawSettings().Params.CheckValvesClose);
        ASSERT_EQ(back.GetNetwork().LinkCount(), doc.GetNetwork().LinkCount()) << name;
        int devices = 0;
        for (int i = 0; i < doc.GetNetwork().LinkCount(); ++i) {
            const ZFlowLink* a = doc.GetNetwork().LinkAt(i);
            const ZFlowLink* b = back.GetNetwork().LinkAt(i);
            const std::string id = GbkCodec::ToUtf8(a->IdView());
            if (a->GetKind() == ZNetObject::Kind::Pump) {
                const auto &p = static_cast<const ZPumpLink&>(*a), &q = static_cast<const ZPumpLink&>(*b);
                EXPECT_EQ(p.PumpOpen, q.PumpOpen) << name << " " << id;
                EXPECT_EQ(p.PumpCurveKind, q.PumpCurveKind) << name << " " << id;
                // Display units can leave the last bit of a converted value (883.2627496 l/s).
                ASSERT_EQ(p.PumpCurve.size(), q.PumpCurve.size()) << name << " " << id;
                for (size_t k = 0; k < p.PumpCurve.size(); ++k) {
                    EXPECT_NEAR(p.PumpCurve[k].flow, q.PumpCurve[k].flow, 1e-15 * p.PumpCurve[k].flow)
                        << name << " " << id;
                    EXPECT_EQ(p.PumpCurve[k].head, q.PumpCurve[k].head) << name << " " << id;
                }
                EXPECT_EQ(p.PumpSpeed, q.PumpSpeed) << name << " " << id;
                ++devices;
            } else if (a->GetKind() == ZNetObject::Kind::Valve) {
                const auto &v = static_cast<const ZValveLink&>(*a), &w = static_cast<const ZValveLink&>(*b);
                EXPECT_TRUE(v.ValveOpen == w.ValveOpen && v.GetValveType() == w.GetValveType() &&
                            std::fabs(v.ValveSetting - w.ValveSetting) <= 1e-15 * v.ValveSetting &&
                            v.ValveDiam == w.ValveDiam && v.ValveInitStatus == w.ValveInitStatus)
                    << name << " " << id;
                ++devices;
            } else if (a->GetKind() == ZNetObject::Kind::Pipe) {
                EXPECT_EQ(static_cast<const ZPipeLink*>(a)->PipeMinorLoss,
                          static_cast<const ZPipeLink*>(b)->PipeMinorLoss)
                    << name << " " << id;
            }
        }
        EXPECT_GE(devices, 3) << name;
    }
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
        {base + "[VALVES]\nV J R 300 PRV -5\n", 8, "PRV 阀门 V"},
        {base + "[VALVES]\nV J R 300 FCV 5\n[STATUS]\nV -1\n", 10, "FCV 阀门 V"},
        {base + "[PIPES]\nP2 J R 1 300 100 -0.5\n", 8, "管道 P2 的局部损失系数"},
        {base + "[PUMPS]\nU J R HEAD C\n[CURVES]\nC 0 30\nC 10 35\n", 10, "PumpCurve 第2点的扬程随流量上升"},
        {base + "[PUMPS]\nU J R HEAD C\n[CURVES]\nC 10 30\nC 5 20\n", 10, "没有大于前一点"},
        {base + "[VALVES]\nV J R 300 GPV NONE\n", 8, "阀门曲线 NONE 不存在"},
        {base + "[OPTIONS]\nDEMAND MODEL PDA\nMINIMUM PRESSURE 20\nREQUIRED PRESSURE 20\n", 10,
         "不低于 RequiredPressure"},
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
