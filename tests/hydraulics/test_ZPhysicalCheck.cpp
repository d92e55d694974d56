// Invalid physical data once balanced ("converged" with NaN results) or "diverged" with a message
// about closed pumps and valves; it is now named before the first pass.
#include "TestNet.h"
#include "hydraulics/ZBalanceInfo.h"
#include "hydraulics/ZBalanceRun.h"
#include "hydraulics/ZPhysicalCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {
struct Case {
    const char* id;   // the object at fault
    const char* field;
    std::function<void(TestNet&)> damage;
};

ZValveLink* Control(TestNet& t, int type)
{
    auto* v = static_cast<ZValveLink*>(t.net.FindLink("V"));
    v->SetValveType(type);
    v->ValveSetting = 1.0;
    return v;
}

ZPumpLink* Curved(TestNet& t, int kind, Curve points)
{
    auto* p = static_cast<ZPumpLink*>(t.net.FindLink("U"));
    p->PumpCurveKind = kind;
    p->PumpCurve = std::move(points);
    return p;
}

// Source R, junctions A and B, pipes P1 R-A and P2 A-B, a pump and a valve on side branches.
void Build(TestNet& t)
{
    ZConsumeNode* r = t.Source("R", 50.0);
    ZConsumeNode* a = t.Node("A", 0.01, 5.0);
    ZConsumeNode* b = t.Node("B", 0.01, 5.0);
    ZConsumeNode* c = t.Node("C", 0.0, 5.0);
    ZConsumeNode* d = t.Node("D", 0.0, 5.0);
    t.Pipe("P1", r, a);
    t.Pipe("P2", a, b);
    t.Pump("U", b, c, 10.0, 100.0);
    t.Valve("V", c, d, 10.0);
    t.Pipe("P3", d, a);
}
}   // namespace

TEST(ZPhysicalCheck, FirstBadObjectAndFieldAreNamedBeforeIterating)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    auto pipe = [](TestNet& t, const char* id) { return static_cast<ZPipeLink*>(t.net.FindLink(GbkView(id))); };
    const Case cases[] = {
        {"P2", "PipeDiam", [&](TestNet& t) { pipe(t, "P2")->PipeDiam = 0.0; }},
        {"P2", "PipeInDiam", [&](TestNet& t) { pipe(t, "P2")->PipeInDiam = -0.3; }},
        {"P1", "PipeInDiam", [&](TestNet& t) { pipe(t, "P1")->PipeInDiam = nan; }},
        {"P2", "PipeRougCeof", [&](TestNet& t) { pipe(t, "P2")->PipeRougCeof = 0.0; }},
        {"P2", "PipeRougCeof", [&](TestNet& t) { pipe(t, "P2")->PipeRougCeof = -100.0; }},
        {"P2", "PipeLength", [&](TestNet& t) { pipe(t, "P2")->PipeLength = -1.0; }},
        {"P2", "PipeLength", [&](TestNet& t) { pipe(t, "P2")->PipeLength = 1e12; }},
        {"P3", "PipeParallel", [&](TestNet& t) { pipe(t, "P3")->PipeParallel = -2; }},
        {"A", "NodeFlow", [&](TestNet& t) { t.N("A")->NodeFlow = nan; }},
        {"B", "NodeFlow", [&](TestNet& t) { t.N("B")->NodeFlow = -inf; }},
        {"A", "NodeFireFlow", [&](TestNet& t) { t.N("A")->NodeFireFlow = inf; }},
        {"B", "NodeGrunElev", [&](TestNet& t) { t.N("B")->NodeGrunElev = 1e300; }},
        {"R", "NodeHydrElev", [&](TestNet& t) { t.N("R")->NodeHydrElev = -inf; }},
        {"R", "NodeHydrElev", [&](TestNet& t) { t.N("R")->NodeHydrElev = 2e6; }},
        {"U", "PumpSCoef", [&](TestNet& t) { static_cast<ZPumpLink*>(t.net.FindLink("U"))->PumpSCoef = -1.0; }},
        {"U", "PumpStaticH", [&](TestNet& t) { static_cast<ZPumpLink*>(t.net.FindLink("U"))->PumpStaticH = nan; }},
        {"V", "ValveSCoef", [&](TestNet& t) { static_cast<ZValveLink*>(t.net.FindLink("V"))->ValveSCoef = -5.0; }},
        {"P1", "PipeMinorLoss", [&](TestNet& t) { pipe(t, "P1")->PipeMinorLoss = -0.5; }},
        {"V", "ValveSetting", [&](TestNet& t) { Control(t, ZValveLink::Prv)->ValveSetting = -5.0; }},
        {"V", "ValveSetting", [&](TestNet& t) { Control(t, ZValveLink::Fcv)->ValveSetting = nan; }},
        {"V", "ValveSetting", [&](TestNet& t) { Control(t, ZValveLink::Psv)->ValveSetting = inf; }},
        {"V", "ValveDiam", [&](TestNet& t) { Control(t, ZValveLink::Tcv)->ValveSetting = 3.0; }},
        {"V", "ValveCurve",
         [&](TestNet& t) {
             Control(t, ZValveLink::Gpv)->ValveCurve = {{0.1, 2.0}};
         }},
        {"V", "ValveCurve",
         [&](TestNet& t) {
             Control(t, ZValveLink::Gpv)->ValveCurve = {{0.0, 0.0}, {0.1, 2.0}, {0.2, 1.0}};
         }},
        {"U", "PumpCurve",
         [&](TestNet& t) {
             Curved(t, ZPumpLink::ThreePoint, {{0.0, 50.0}, {0.1, 40.0}});
         }},
        {"U", "PumpCurve",
         [&](TestNet& t) {
             Curved(t, ZPumpLink::ThreePoint, {{0.0, 50.0}, {0.1, 40.0}, {0.2, 45.0}});
         }},
        {"U", "PumpCurve", [&](TestNet& t) { Curved(t, ZPumpLink::OnePoint, {}); }},
        {"U", "PumpCurve",
         [&](TestNet& t) {
             Curved(t, ZPumpLink::MultiPoint, {{0.0, 50.0}, {0.1, 40.0}, {0.2, 41.0}});
         }},
        {"U", "PumpPower", [&](TestNet& t) { Curved(t, ZPumpLink::ConstantPower, {})->PumpPower = 0.0; }},
    };
    for (const Case& c : cases) {
        TestNet t;
        Build(t);
        c.damage(t);
        const double headA = t.N("A")->NodeHydrElev;
        ZBalanceRun run(t.settings, t.net);
        EXPECT_EQ(run.Run(), ZBalanceInfo::InvalidData) << c.id << " " << c.field;
        EXPECT_EQ(run.Iterations(), 0);
        EXPECT_EQ(run.InvalidObjectId().Bytes(), c.id) << c.field;
        EXPECT_EQ(run.InvalidField(), c.field) << c.id;
        const std::string message = run.Message();
        EXPECT_NE(message.find(std::string("\"") + c.id + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(c.field), std::string::npos) << message;
        EXPECT_EQ(message.find("关闭"), std::string::npos) << message;   // not blamed on closed devices
        EXPECT_EQ(t.N("A")->NodeHydrElev, headA);                        // nothing calculated
        EXPECT_EQ(t.settings.Balanced, 0u);
    }
}

TEST(ZPhysicalCheck, SoundDataPassesAndBalances)
{
    TestNet t;
    Build(t);
    static_cast<ZPipeLink*>(t.net.FindLink("P2"))->PipeLength = 0.0;   // a zero length is allowed
    ZPhysicalCheck check;
    EXPECT_TRUE(check.Run(t.net, ZBalanceContext()));
    EXPECT_EQ(check.Object(), nullptr);
    EXPECT_TRUE(check.Message().empty());
    ZBalanceRun run(t.settings, t.net);
    EXPECT_EQ(run.Run(), ZBalanceInfo::Converged) << run.Message();
}

// What a curve lacks is said in words: too few points, or heads that do not fall with flow.
TEST(ZPhysicalCheck, CurveMessagesSayWhatIsWrong)
{
    TestNet t;
    Build(t);
    Curved(t, ZPumpLink::ThreePoint, {{0.0, 50.0}, {0.1, 40.0}});
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::InvalidData);
    EXPECT_NE(run.Message().find("至少需要 3 个"), std::string::npos) << run.Message();
    Curved(t, ZPumpLink::MultiPoint, {{0.0, 50.0}, {0.1, 55.0}});
    ASSERT_EQ(run.Run(), ZBalanceInfo::InvalidData);
    EXPECT_NE(run.Message().find("扬程应随流量下降"), std::string::npos) << run.Message();
}
