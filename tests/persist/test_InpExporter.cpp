#include "model/GbkCodec.h"
#include "model/ZDocument.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZTemplateSet.h"
#include "model/ZValveLink.h"
#include "persist/ArchiveError.h"
#include "persist/epanet/EpanetFile.h"
#include "persist/epanet/InpExporter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
bool Near(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

bool SameCurve(const Curve& a, const Curve& b)
{
    bool same = a.size() == b.size();
    for (size_t i = 0; same && i < a.size(); ++i)
        same = Near(a[i].flow, b[i].flow) && Near(a[i].head, b[i].head);
    return same;
}

// Two networks are the same when every object has the same identifier, class, ends, flags and
// fields (numbers to rounding).
void ExpectSameNetwork(const ZNetwork& a, const ZNetwork& b, const std::string& name)
{
    ASSERT_EQ(a.NodeCount(), b.NodeCount()) << name;
    ASSERT_EQ(a.LinkCount(), b.LinkCount()) << name;
    for (int i = 0; i < a.NodeCount(); ++i) {
        const ZConsumeNode &n = *a.NodeAt(i), &m = *b.NodeAt(i);
        const std::string id(n.IdView().Bytes());
        ASSERT_EQ(id, std::string(m.IdView().Bytes())) << name;
        EXPECT_EQ(n.GetFlags(), m.GetFlags()) << name << " " << id;
        EXPECT_TRUE(Near(n.X, m.X) && Near(n.Y, m.Y)) << name << " " << id;
        EXPECT_TRUE(Near(n.NodeGrunElev, m.NodeGrunElev)) << name << " " << id;
        EXPECT_TRUE(Near(n.NodeFlow, m.NodeFlow)) << name << " " << id;
        if (n.IsHeadKnown()) {
            EXPECT_TRUE(Near(n.NodeHydrElev, m.NodeHydrElev)) << name << " " << id;
        }
    }
    for (int i = 0; i < a.LinkCount(); ++i) {
        const ZFlowLink &l = *a.LinkAt(i), &k = *b.LinkAt(i);
        const std::string id(l.IdView().Bytes());
        ASSERT_EQ(id, std::string(k.IdView().Bytes())) << name;
        ASSERT_EQ(l.GetKind(), k.GetKind()) << name << " " << id;
        EXPECT_EQ(l.StartNode()->IdView(), k.StartNode()->IdView()) << name << " " << id;
        EXPECT_EQ(l.EndNode()->IdView(), k.EndNode()->IdView()) << name << " " << id;
        EXPECT_EQ(l.GetFlags(), k.GetFlags()) << name << " " << id;
        switch (l.GetKind()) {
        case ZNetObject::Kind::Pipe: {
            const auto &p = static_cast<const ZPipeLink&>(l), &q = static_cast<const ZPipeLink&>(k);
            EXPECT_TRUE(Near(p.PipeLength, q.PipeLength) && Near(p.PipeInDiam, q.PipeInDiam) &&
                        Near(p.PipeRougCeof, q.PipeRougCeof) && p.PipeType == q.PipeType)
                << name << " " << id;
            EXPECT_EQ(p.VertexCount(), q.VertexCount()) << name << " " << id;
            EXPECT_TRUE(Near(p.PipeMinorLoss, q.PipeMinorLoss)) << name << " " << id;
            break;
        }
        case ZNetObject::Kind::Pump: {
            const auto &p = static_cast<const ZPumpLink&>(l), &q = static_cast<const ZPumpLink&>(k);
            EXPECT_TRUE(Near(p.PumpStaticH, q.PumpStaticH) && Near(p.PumpSCoef, q.PumpSCoef) &&
                        p.PumpOpen == q.PumpOpen)
                << name << " " << id;
            EXPECT_EQ(p.PumpCurveKind, q.PumpCurveKind) << name << " " << id;
            EXPECT_TRUE(SameCurve(p.PumpCurve, q.PumpCurve) && Near(p.PumpPower, q.PumpPower) &&
                        Near(p.PumpSpeed, q.PumpSpeed))
                << name << " " << id;
            break;
        }
        case ZNetObject::Kind::Valve: {
            const auto &p = static_cast<const ZValveLink&>(l), &q = static_cast<const ZValveLink&>(k);
            EXPECT_TRUE(p.GetValveType() == q.GetValveType() && Near(p.ValveSCoef, q.ValveSCoef) &&
                        Near(p.ValveHLess, q.ValveHLess) && p.ValveOpen == q.ValveOpen)
                << name << " " << id;
            EXPECT_TRUE(Near(p.ValveSetting, q.ValveSetting) && Near(p.ValveDiam, q.ValveDiam) &&
                        p.ValveInitStatus == q.ValveInitStatus && SameCurve(p.ValveCurve, q.ValveCurve))
                << name << " " << id;
            break;
        }
        case ZNetObject::Kind::Tank: {
            const auto &p = static_cast<const ZTankLink&>(l), &q = static_cast<const ZTankLink&>(k);
            EXPECT_TRUE(Near(p.TankBottomElev, q.TankBottomElev) && Near(p.TankCurH, q.TankCurH) &&
                        Near(p.TankMinHead, q.TankMinHead) && Near(p.TankMaxHead, q.TankMaxHead) &&
                        Near(p.TankArea, q.TankArea))
                << name << " " << id;
            break;
        }
        default:
            break;
        }
    }
}
}   // namespace

TEST(InpExporter, ImportExportImportGivesTheSameNetwork)
{
    for (const char* name : {"Net1", "Hanoi", "Net3", "KL", "L-TOWN"}) {
        ZDocument first, second;
        EpanetFile::LoadFile(std::string(QEN_TEST_DATA_DIR) + "/networks/" + name + ".inp", first, ZTemplateSet(), 0);
        InpExporter exporter(first);
        const std::string text = exporter.Write();
        EXPECT_TRUE(exporter.Report().Empty()) << name << "\n" << exporter.Report().Text();
        const auto again = EpanetFile::Import(text, "again.inp", second, ZTemplateSet(), 0);
        EXPECT_EQ(again.report.Items().size(), 0u) << name << "\n" << again.report.Text();
        ExpectSameNetwork(first.GetNetwork(), second.GetNetwork(), name);
    }
}

// Every valve kind, pump curve kind, minor loss, status and the pressure-driven options come
// back from EPANET's file as they went in, with nothing reported either way.
TEST(InpExporter, ComponentsGoOutAndComeBackExactly)
{
    const std::string text =
        "[JUNCTIONS]\nA 0 1\nB 0\nC 0\nD 0\nE 0\nF 0\nG 0\nH 0\nI 0\nJ 0\nK 0\nL 0\nM 0\nN 0\nO 0\nP 0\n"
        "[RESERVOIRS]\nR 10\n"
        "[PIPES]\nP1 R A 10 300 100 2.5\nP2 B C 10 300 100 0 CV\nP3 D E 10 300 100\nP4 F G 10 300 100\n"
        "P5 H I 10 300 100\nP6 J K 10 300 100\nP7 L M 10 300 100\nP8 N O 10 300 100\n"
        "[VALVES]\nT A B 200 TCV 5\nK C D 200 PBV 7 0\nPR E F 200 PRV 30 0.5\nPS G H 200 PSV 20\n"
        "FC I J 200 FCV 12\nGP K L 200 GPV GC\n"
        "[PUMPS]\nU1 M N HEAD C3 SPEED 0.9\nU2 O P POWER 7.5\n"
        "[CURVES]\nGC 0 0\nGC 10 2\nGC 20 8\nC3 0 40\nC3 10 35\nC3 20 10\n"
        "[STATUS]\nPS Open\nFC Closed\n"
        "[OPTIONS]\nUNITS LPS\nDEMAND MODEL PDA\nMINIMUM PRESSURE 2\nREQUIRED PRESSURE 25\n";
    ZDocument first, second;
    EpanetFile::Import(text, "t.inp", first, ZTemplateSet(), 0);
    InpExporter exporter(first);
    const std::string out = exporter.Write();
    EXPECT_TRUE(exporter.Report().Empty()) << exporter.Report().Text();
    // The CV pipe goes out as it came in: the check valve, its node and the connector folded away.
    EXPECT_NE(out.find(" P2\tB\tC\t10\t300\t100\t0\tCV\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Demand Model\tPDA"), std::string::npos) << out;
    const auto again = EpanetFile::Import(out, "again.inp", second, ZTemplateSet(), 0);
    ExpectSameNetwork(first.GetNetwork(), second.GetNetwork(), "components");
    const ZBalanceParams &a = first.GetDrawSettings().Params, &b = second.GetDrawSettings().Params;
    EXPECT_EQ(b.DemandModel, ZBalanceParams::PressureDriven);
    EXPECT_TRUE(Near(a.MinPressure, b.MinPressure) && Near(a.RequiredPressure, b.RequiredPressure) &&
                Near(a.PressureExponent, b.PressureExponent));
    EXPECT_TRUE(b.CheckValvesClose);
}

TEST(InpExporter, WritesEpanetsSectionsInSiUnits)
{
    ZDocument doc;
    EpanetFile::Import("[JUNCTIONS]\nJ 10 2.5\n[RESERVOIRS]\nR 50\n[PIPES]\nP R J 100 300 120\n"
                       "[COORDINATES]\nJ 1 2\nR 3 4\n[VERTICES]\nP 2 3\n[OPTIONS]\nUNITS LPS\n",
                       "t.inp", doc, ZTemplateSet(), 0);
    const std::string text = InpExporter(doc).Write();
    const auto has = [&](const std::string& s) { return text.find(s) != std::string::npos; };
    EXPECT_TRUE(has("[JUNCTIONS]\n;ID\tElev\tDemand\tPattern\n J\t10\t2.5\n"));
    EXPECT_TRUE(has("[RESERVOIRS]\n;ID\tHead\tPattern\n R\t50\n"));
    EXPECT_TRUE(has(" P\tR\tJ\t100\t300\t120\t0\tOpen\n"));
    EXPECT_TRUE(has(" Units\tLPS\n Headloss\tH-W\n"));
    EXPECT_TRUE(has("[COORDINATES]\n;Node\tX-Coord\tY-Coord\n J\t1\t2\n R\t3\t4\n"));
    EXPECT_TRUE(has("[VERTICES]\n;Link\tX-Coord\tY-Coord\n P\t2\t3\n"));
    EXPECT_TRUE(has("\n[END]\n"));
}

TEST(InpExporter, ReportsANodeWithoutLinksThatEpanetWouldRefuse)
{
    ZDocument doc;
    EpanetFile::Import("[JUNCTIONS]\nJ 10 2.5\n[RESERVOIRS]\nR 50\n[PIPES]\nP R J 100 300 120\n[OPTIONS]\nUNITS LPS\n",
                       "t.inp", doc, ZTemplateSet(), 0);
    InpExporter connected(doc);
    connected.Write();
    EXPECT_TRUE(connected.Report().Empty()) << connected.Report().Text();
    ZConsumeNode* lone = ZTemplateSet().Node.Clone();
    lone->SetId("LONE");
    doc.GetNetwork().AddNode(lone);
    InpExporter exporter(doc);
    exporter.Write();
    const InpReport::Item* item = exporter.Report().Find("没有连接任何管段的节点 (EPANET 拒绝读入含有这种节点的文件)");
    ASSERT_NE(item, nullptr) << exporter.Report().Text();
    EXPECT_EQ(item->ids, std::vector<std::string>{"LONE"});
}

// Found by fuzzing: a control on a tank (a link in QEN, a node in EPANET) was named as a node.
TEST(InpExporter, ReportsAControlOnATankInsteadOfWritingIt)
{
    ZDocument doc;
    EpanetFile::Import("[JUNCTIONS]\nJ 0 1\n[TANKS]\nT 10 2 0 5 10 0\n[PIPES]\nP T J 100 300 100\n"
                       "[CONTROLS]\nLINK P CLOSED AT TIME 2\n",
                       "t.inp", doc, ZTemplateSet(), 0);
    const ZFlowLink* tank = nullptr;
    for (const ZFlowLink* l : doc.GetNetwork().Links())
        tank = l->GetKind() == ZNetObject::Kind::Tank ? l : tank;
    ASSERT_TRUE(tank);
    ASSERT_EQ(doc.GetTimeData().Controls.size(), 1u);
    doc.GetTimeData().Controls[0].link = GbkString(tank->IdView());
    InpExporter exporter(doc);
    const std::string text = exporter.Write();
    const InpReport::Item* item = exporter.Report().Find("控制作用于水池, 未写出");
    ASSERT_NE(item, nullptr) << exporter.Report().Text();
    EXPECT_EQ(text.find("LINK " + std::string(tank->IdView().Bytes())), std::string::npos) << text;
}

TEST(InpExporter, RefusesToWriteAValueItsReaderWouldRefuse)
{
    // Found by fuzzing: a diameter finite in metres is inf in millimetres.
    ZDocument doc;
    EpanetFile::Import("[JUNCTIONS]\nJ 0\n[RESERVOIRS]\nR 1\n[PIPES]\nP R J 1 300 100\n", "t.inp", doc, ZTemplateSet(),
                       0);
    auto* pipe = static_cast<ZPipeLink*>(doc.GetNetwork().FindLink("P"));
    ASSERT_TRUE(pipe);
    pipe->PipeDiam = pipe->PipeInDiam = 1e306;
    try {
        InpExporter(doc).Write();
        ADD_FAILURE() << "written";
    } catch (const ArchiveError& e) {
        // The refusal names the object, so the user knows what to mend.
        EXPECT_NE(std::string(e.what()).find("管道 \"P\": 数值 inf"), std::string::npos) << e.what();
    }
    // A node's coordinate is named as the node's.
    pipe->PipeDiam = pipe->PipeInDiam = 0.3;
    doc.GetNetwork().FindNode("J")->X = 1e308;
    try {
        InpExporter(doc).Write();
    } catch (const ArchiveError& e) {
        ADD_FAILURE() << e.what();
    }
}
