#include "ProjectFileTestUtil.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"
#include "persist/ArchiveError.h"
#include "persist/project/ProjectFile.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
LeBytes HeaderAndSettings(uint32_t version)
{
    LeBytes b;
    b.D(0x00555555).D(version).Zeros(20).W(104).W(0).D(0).Zeros(68);
    b.F(0).F(1000).F(0).F(1000);
    auto table = [&](double last) {
        b.W(4);
        for (int k = 0; k < 4; ++k)
            b.F(k * last / 3);
    };
    table(30.0);
    table(0.3);
    table(30.0);
    table(30.0);
    table(0.9);
    table(0.3);
    table(3.0);
    table(0.03);
    table(3.0);
    b.D(2).D(uint32_t(-1)).F(100.0).F(2.0).F(0.0001).F(0.001).F(0.75);
    b.D(0).D(0).D(0).D(0).D(0).D(0);
    b.D(0).D(1).D(3).D(0).D(0).F(0.2);
    return b;
}

// The archive's refusal, with the file's name; empty when the bytes were accepted.
std::string Refusal(const std::string& bytes)
{
    ZDocument doc;
    try {
        LoadProject(bytes, doc);
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.FileName(), "t.wnp");
        EXPECT_EQ(doc.GetNetwork().LinkCount(), 0);
        return e.what();
    }
    return {};
}

// Two nodes joined by a pressure-reducing valve holding 30 m.
std::string PrvFile(double setting, uint32_t version = 0x00020001, uint16_t valveSchema = 2)
{
    LeBytes b = HeaderAndSettings(version);
    if (version == 0x00020001)
        b.D(0).D(0).F(0).F(0.1).F(0.5);   // check valves pass both ways, demand-driven
    b.W(2);
    b.Class("ZConsumeNode").Head("1", 0xA0, 0);   // flow-known device nodes, the end one placed by the valve
    b.Class("ZValveLink", valveSchema).Head("V", 0, 0);
    b.W(0x0002).W(0x8001).Head("2", 0x1A0, 1).W(0x0004).NodeTail();
    b.W(0).W(0);
    b.F(0).F(0).D(3);        // Flow, Resistance, SymbolIndex
    b.D(1).D(3).F(0).F(0);   // open, PRV, ValveHLess, ValveSCoef
    if (valveSchema == 2)
        b.F(setting).F(0.2).D(0).D(0).W(0);   // setting, diameter, active, no state, no curve
    b.NodeTail();
    b.W(0x0005).W(1).W(0x0004).W(0).W(0);
    return b.s;
}

ZDocument& TwoNodesWith(ZDocument& doc, const std::function<void(ZDocument&, ZConsumeNode*, ZConsumeNode*)>& add)
{
    add(doc, AddNode(doc, "1"), AddNode(doc, "2"));
    return doc;
}
}   // namespace

// A network using a control valve is written as version 2.1 with the valve's new schema; the
// bytes read back to the same valve and are written again unchanged.
TEST(ProjectExtensionGolden, PressureReducingValve)
{
    ZDocument doc;
    TwoNodesWith(doc, [](ZDocument& d, ZConsumeNode* a, ZConsumeNode* b) {
        auto* v = AddLink<ZValveLink>(d, "V", a, b);
        v->SetValveType(ZValveLink::Prv);
        v->ValveSetting = 30;
        v->ValveDiam = 0.2;
    });
    const std::string want = PrvFile(30);
    EXPECT_EQ(SaveProject(doc), want);
    ZDocument back;
    LoadProject(want, back);
    EXPECT_EQ(back.GetFileVersion(), 0x00020001u);
    const auto* v = static_cast<const ZValveLink*>(back.GetNetwork().FindLink("V"));
    EXPECT_EQ(v->GetValveType(), ZValveLink::Prv);
    EXPECT_EQ(v->ValveSetting, 30);
    EXPECT_EQ(v->ValveDiam, 0.2);
    EXPECT_EQ(SaveProject(back), want);
}

TEST(ProjectExtensionGolden, MinorLossAndPressureDrivenDemand)
{
    ZDocument doc;
    TwoNodesWith(doc,
                 [](ZDocument& d, ZConsumeNode* a, ZConsumeNode* b) { AddLink(d, "1", a, b)->PipeMinorLoss = 2.5; });
    ZBalanceParams& p = doc.GetDrawSettings().Params;
    p.DemandModel = ZBalanceParams::PressureDriven;
    p.MinPressure = 5;
    p.RequiredPressure = 25;
    p.PressureExponent = 0.6;
    doc.GetNetwork().NodeAt(0)->NodeDeliveredFlow = 0.004;
    LeBytes want = HeaderAndSettings(0x00020001);
    want.D(0).D(1).F(5).F(25).F(0.6);
    want.W(2);
    want.Class("ZConsumeNode", 2).Head("1", 0x20, 0);
    want.Class("ZPipeLink", 2).Head("1", 0x20, 0);
    want.W(0x0002).W(0x8001).Head("2", 0x20, 1).W(0x0004).NodeTail().F(0);
    want.W(0).W(0).PipeTail().F(2.5);
    want.NodeTail().F(0.004);
    want.W(0x0005).W(1).W(0x0004).W(0).W(0);
    EXPECT_EQ(SaveProject(doc), want.s);
    ZDocument back;
    LoadProject(want.s, back);
    EXPECT_EQ(back.GetDrawSettings().Params.DemandModel, ZBalanceParams::PressureDriven);
    EXPECT_EQ(back.GetDrawSettings().Params.MinPressure, 5);
    EXPECT_EQ(back.GetDrawSettings().Params.RequiredPressure, 25);
    EXPECT_EQ(back.GetDrawSettings().Params.PressureExponent, 0.6);
    EXPECT_EQ(static_cast<const ZPipeLink*>(back.GetNetwork().FindLink("1"))->PipeMinorLoss, 2.5);
    EXPECT_EQ(back.GetNetwork().FindNode("1")->NodeDeliveredFlow, 0.004);
    EXPECT_EQ(SaveProject(back), want.s);
}

// Every kind of pump curve and valve, their curves, statuses and results come back as written.
TEST(ProjectExtensionRoundTrip, EveryCurveKindAndValveKind)
{
    ZDocument doc;
    ZConsumeNode* prev = AddNode(doc, "N0");
    const Curve curves[] = {
        {}, {{0.01, 30}}, {{0, 40}, {0.01, 30}, {0.02, 0}}, {{0, 40}, {0.01, 35}, {0.03, 10}, {0.04, 0}}, {}};
    for (int k = 0; k < ZPumpLink::CurveKindCount; ++k) {
        ZConsumeNode* next = AddNode(doc, "NP" + std::to_string(k));
        auto* p = AddLink<ZPumpLink>(doc, "P" + std::to_string(k), prev, next);
        p->PumpCurveKind = k;
        p->PumpCurve = curves[k];
        p->PumpPower = k == ZPumpLink::ConstantPower ? 15 : 0;
        p->PumpSpeed = 0.9;
        prev = next;
    }
    for (int t = 0; t < ZValveLink::TypeCount; ++t) {
        ZConsumeNode* next = AddNode(doc, "NV" + std::to_string(t));
        auto* v = AddLink<ZValveLink>(doc, "V" + std::to_string(t), prev, next);
        v->SetValveType(t);
        v->ValveSetting = 1.5 * t;
        v->ValveDiam = 0.3;
        v->ValveInitStatus = t % 3;
        v->ValveState = ZValveLink::StateCannotHold;
        if (t == ZValveLink::Gpv)
            v->ValveCurve = {{0, 0}, {0.05, 2}, {0.1, 7}};
        prev = next;
    }
    doc.GetDrawSettings().Params.CheckValvesClose = true;
    const std::string bytes = SaveProject(doc);
    ZDocument back;
    LoadProject(bytes, back);
    EXPECT_TRUE(back.GetDrawSettings().Params.CheckValvesClose);
    for (int k = 0; k < ZPumpLink::CurveKindCount; ++k) {
        const auto* p = static_cast<const ZPumpLink*>(back.GetNetwork().FindLink(GbkView("P" + std::to_string(k))));
        EXPECT_EQ(p->PumpCurveKind, k);
        EXPECT_EQ(p->PumpCurve, curves[k]);
        EXPECT_EQ(p->PumpPower, k == ZPumpLink::ConstantPower ? 15 : 0);
        EXPECT_EQ(p->PumpSpeed, 0.9);
    }
    for (int t = 0; t < ZValveLink::TypeCount; ++t) {
        const auto* v = static_cast<const ZValveLink*>(back.GetNetwork().FindLink(GbkView("V" + std::to_string(t))));
        EXPECT_EQ(v->GetValveType(), t);
        EXPECT_EQ(v->ValveSetting, 1.5 * t);
        EXPECT_EQ(v->ValveInitStatus, t % 3);
        EXPECT_EQ(v->ValveState, ZValveLink::StateCannotHold);
        EXPECT_EQ(v->ValveCurve.size(), t == ZValveLink::Gpv ? 3u : 0u);
    }
    EXPECT_EQ(SaveProject(back), bytes);
}

// The check-valve option costs no newer file where it changes nothing: without check valves a
// file is 2.0 and reads with the option on; with one, a 2.0 file reads it off (as balanced then)
// and the option on needs 2.1.
TEST(ProjectExtensionRoundTrip, CheckValveOptionOnlyWhereItMatters)
{
    ZDocument plain;
    TwoNodesWith(plain, [](ZDocument& d, ZConsumeNode* a, ZConsumeNode* b) { AddLink(d, "1", a, b); });
    plain.GetDrawSettings().Params.CheckValvesClose = true;
    const std::string plainBytes = SaveProject(plain);
    EXPECT_EQ(plainBytes.substr(4, 4), std::string("\0\0\2\0", 4));
    ZDocument back;
    LoadProject(plainBytes, back);
    EXPECT_TRUE(back.GetDrawSettings().Params.CheckValvesClose);

    ZDocument check;
    TwoNodesWith(check, [](ZDocument& d, ZConsumeNode* a, ZConsumeNode* b) {
        AddLink<ZValveLink>(d, "C", a, b)->SetValveType(ZValveLink::Check);
    });
    const std::string off = SaveProject(check);
    EXPECT_EQ(off.substr(4, 4), std::string("\0\0\2\0", 4));
    LoadProject(off, back);
    EXPECT_FALSE(back.GetDrawSettings().Params.CheckValvesClose);
    check.GetDrawSettings().Params.CheckValvesClose = true;
    const std::string on = SaveProject(check);
    EXPECT_EQ(on.substr(4, 4), std::string("\1\0\2\0", 4));
    LoadProject(on, back);
    EXPECT_TRUE(back.GetDrawSettings().Params.CheckValvesClose);
}

// What the balance could not use, and new data where the file's version has no place for it, are
// refused naming the object and field; the writers refuse to write the same.
TEST(ProjectExtensionBadInput, RefusedNamingObjectAndField)
{
    EXPECT_EQ(Refusal(PrvFile(30)), "");
    EXPECT_NE(Refusal(PrvFile(-1)).find("valve \"V\": ValveSetting -1"), std::string::npos) << Refusal(PrvFile(-1));
    EXPECT_NE(Refusal(PrvFile(30, 0x00020000)).find("ZValveLink schema 2"), std::string::npos);
    EXPECT_NE(Refusal(PrvFile(30, 0x00020000, 1)).find("ValveType 3"), std::string::npos);
    EXPECT_NE(Refusal(PrvFile(30, 0x00020002)).find("file version 2.2"), std::string::npos);

    std::string badParams = PrvFile(30);
    const size_t at = 104 + 32 + 9 * 34 + 4 + 4 + 5 * 8 + 6 * 4 + 5 * 4 + 8;   // the extended settings
    LeBytes params;
    params.D(0).D(1).F(30).F(30).F(0.5);
    badParams.replace(at, params.s.size(), params.s);
    EXPECT_NE(Refusal(badParams).find("MinPressure 30 不低于 RequiredPressure 30"), std::string::npos)
        << Refusal(badParams);

    ZDocument doc;
    ZPumpLink* pump = nullptr;
    TwoNodesWith(doc, [&](ZDocument& d, ZConsumeNode* a, ZConsumeNode* b) { pump = AddLink<ZPumpLink>(d, "U", a, b); });
    pump->PumpCurveKind = ZPumpLink::MultiPoint;
    pump->PumpCurve = {{0, 30}, {0.01, 32}};
    try {
        SaveProject(doc);
        ADD_FAILURE() << "a pump curve rising with flow was written";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("\"U\": PumpCurve 第2点的扬程随流量上升"), std::string::npos) << e.what();
    }
    pump->PumpCurve = {{0, 30}};
    EXPECT_THROW(SaveProject(doc), ArchiveError);
    pump->PumpCurve = {{0, 30}, {0.01, 20}};
    EXPECT_NO_THROW(SaveProject(doc));
    doc.GetDrawSettings().Params.RequiredPressure = -1;
    EXPECT_THROW(SaveProject(doc), ArchiveError);
}
