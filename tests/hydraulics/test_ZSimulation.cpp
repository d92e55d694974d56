#include "hydraulics/ZSimulation.h"

#include "TestNet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// A tank of 10 m2 at level 5 m over a node drawing 0.01 m3/s through a short pipe: the level
// falls by 0.01 * t / 10 m, whatever the heads.
struct DrainedTank {
    TestNet t;
    ZTankLink* tank;
    ZConsumeNode* user;
    ZTimeData data;

    DrainedTank()
    {
        ZConsumeNode* outlet = t.Node("T");
        user = t.Node("J", 0.01, 0.0);
        t.Pipe("P", outlet, user, 10.0, 0.3);
        tank = t.Tank("TANK", outlet, 10.0, 5.0);
        tank->TankArea = 10.0;
        tank->TankMaxHead = 6.0;
        data.Duration = 3600;
        data.HydraulicStep = 3600;
        data.PatternStep = 1800;
        data.ReportStep = 1800;
    }
    int Run(ZSimulation& sim) { return sim.Run(); }
};

size_t LinkIndex(const ZNetwork& net, const char* id)
{
    return static_cast<size_t>(net.FindLink(GbkView(id))->GetIndex());
}
}   // namespace

// Levels from net outflow at each report time, steps cut at the report and pattern times; the
// user's level and demand are back in place afterwards.
TEST(ZSimulation, TankLevelFollowsOutflowAndPatterns)
{
    DrainedTank d;
    d.data.Patterns.push_back({GbkString(std::string("P1")), {1.0, 0.5}});
    d.data.DefaultPattern = GbkString(std::string("P1"));
    ZSimulation sim(d.t.settings, d.t.net, d.data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    const ZSimulationResults& r = sim.Results();
    ASSERT_EQ(r.TimeCount(), 3u);
    const int outlet = d.t.N("T")->GetIndex();
    EXPECT_NEAR(r.Head(0, outlet), 15.0, 1e-4);
    EXPECT_NEAR(r.Head(1, outlet), 15.0 - 0.01 * 1800 / 10, 1e-4);
    EXPECT_NEAR(r.Head(2, outlet), 15.0 - 1.8 - 0.005 * 1800 / 10, 1e-4);
    EXPECT_NEAR(r.Demand(1, d.user->GetIndex()), 0.005, 1e-9);
    EXPECT_NEAR(r.Demand(1, outlet), -0.005, 1e-9);   // a tank's net inflow
    EXPECT_EQ(sim.Steps(), 2);
    EXPECT_DOUBLE_EQ(d.tank->TankCurH, 5.0);
    EXPECT_DOUBLE_EQ(d.user->NodeFlow, 0.01);
}

// The tank empties between two steps: the step ends when it does, its outflow is shut, and the
// node it fed cannot be given its demand: the run ends there naming the time and the node.
TEST(ZSimulation, EmptyTankEndsTheRunAtItsTime)
{
    DrainedTank d;
    d.tank->TankMinHead = 2.0;   // 3 m, 30 m3 to give: 3000 s
    ZSimulation sim(d.t.settings, d.t.net, d.data);
    EXPECT_EQ(sim.Run(), ZBalanceInfo::Diverged);
    EXPECT_EQ(sim.FailTime(), 3000);
    EXPECT_EQ(sim.FailNode(), GbkView("J"));
    ASSERT_EQ(sim.TankEvents().size(), 1u);
    EXPECT_FALSE(sim.TankEvents()[0].filled);
    EXPECT_EQ(sim.TankEvents()[0].time, 3000);
}

// A tank filled from a higher source stops at its top level: its inlet is held shut from then on
// and counts as closed.
TEST(ZSimulation, FullTankTakesNoMore)
{
    TestNet t;
    ZConsumeNode* source = t.Source("R", 30.0);
    ZConsumeNode* outlet = t.Node("T");
    t.Pipe("P", source, outlet, 100.0, 0.2);
    ZTankLink* tank = t.Tank("TANK", outlet, 0.0, 5.0);
    tank->TankArea = 100.0;
    tank->TankMaxHead = 6.0;
    ZTimeData data;
    data.Duration = 4 * 3600;
    ZSimulation sim(t.settings, t.net, data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    const ZSimulationResults& r = sim.Results();
    const size_t last = r.TimeCount() - 1;
    EXPECT_NEAR(r.Head(last, outlet->GetIndex()), 6.0, 1e-9);
    EXPECT_EQ(r.Status(last, static_cast<int>(LinkIndex(t.net, "P"))), ZSimulationResults::Closed);
    EXPECT_EQ(r.Flow(last, static_cast<int>(LinkIndex(t.net, "P"))), 0.0f);
    EXPECT_EQ(r.Status(0, static_cast<int>(LinkIndex(t.net, "P"))), ZSimulationResults::Open);
    ASSERT_EQ(sim.TankEvents().size(), 1u);
    EXPECT_TRUE(sim.TankEvents()[0].filled);
    EXPECT_LT(sim.TankEvents()[0].time, 3600);
}

// Time and clock-time controls fire at their instant (a step ends there) and stay; a control's
// setting of 0 stops a pump.
TEST(ZSimulation, TimeControlsFireAtTheirInstant)
{
    TestNet t;
    ZConsumeNode* source = t.Source("R", 10.0);
    ZConsumeNode* in = t.Node("A");
    ZConsumeNode* out = t.Node("B");
    ZConsumeNode* user = t.Node("J", 0.0);
    t.Pipe("P1", source, in, 10.0);
    t.Pump("PU", in, out, 20.0, 100.0);
    t.Pipe("P2", out, user, 10.0);
    t.Pipe("P3", user, t.Source("S", 5.0), 10.0);
    ZTimeData data;
    data.Duration = 7200;
    data.StartClock = 23 * 3600;
    ZTimeData::Control off;
    off.link = GbkString(std::string("PU"));
    off.action = ZTimeData::Control::Close;
    off.trigger = ZTimeData::Control::AtTime;
    off.time = 1000;
    ZTimeData::Control on = off;
    on.action = ZTimeData::Control::Open;
    on.trigger = ZTimeData::Control::AtClockTime;
    on.time = 600;   // 00:10, 4200 s after the start
    data.Controls = {off, on};
    ZSimulation sim(t.settings, t.net, data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    // 0, 1000 (off), 3600, 4200 (on), 7200
    EXPECT_EQ(sim.Steps(), 4);
    const ZSimulationResults& r = sim.Results();
    const int pump = static_cast<int>(LinkIndex(t.net, "PU"));
    ASSERT_EQ(r.TimeCount(), 3u);
    EXPECT_EQ(r.Status(0, pump), ZSimulationResults::Open);
    EXPECT_EQ(r.Status(1, pump), ZSimulationResults::Closed);
    EXPECT_EQ(r.Status(2, pump), ZSimulationResults::Open);
    EXPECT_GT(r.Flow(2, pump), 0.0f);
}

// Time data that do not fit the network: refused before any balance, naming object and field.
TEST(ZSimulation, RefusesDataThatNameNothing)
{
    DrainedTank d;
    struct Case {
        const char* what;
        void (*spoil)(DrainedTank&);
        const char* field;
    } cases[] = {
        {"control on a missing link",
         [](DrainedTank& x) {
             ZTimeData::Control c;
             c.link = GbkString(std::string("NOPE"));
             x.data.Controls.push_back(c);
         },
         "Link"},
        {"control on a missing node",
         [](DrainedTank& x) {
             ZTimeData::Control c;
             c.link = GbkString(std::string("P"));
             c.trigger = ZTimeData::Control::Below;
             c.node = GbkString(std::string("NOPE"));
             x.data.Controls.push_back(c);
         },
         "Node"},
        {"demand of a missing node",
         [](DrainedTank& x) {
             x.data.Demands.push_back({GbkString(std::string("NOPE")), 1.0, {}});
         },
         "DemandNode"},
        {"tank minimum above maximum", [](DrainedTank& x) { x.tank->TankMinHead = 7.0; }, "TankMinHead"},
        {"zero step", [](DrainedTank& x) { x.data.HydraulicStep = 0; }, "HydraulicStep"},
    };
    for (const Case& c : cases) {
        DrainedTank x;
        c.spoil(x);
        ZSimulation sim(x.t.settings, x.t.net, x.data);
        EXPECT_EQ(sim.Run(), ZBalanceInfo::InvalidData) << c.what;
        EXPECT_EQ(sim.Fault().field, c.field) << c.what;
        EXPECT_EQ(sim.Balances(), 0) << c.what;
    }
}

// A level control fires within one second's flow of its level, counted from the last balance of
// this run: the flow an earlier balance left in the tank plays no part at the start.
TEST(ZSimulation, LevelControlsStartWithoutInflow)
{
    DrainedTank d;
    d.tank->Flow = 100.0;   // a stale result: 100 m3 a second out of the tank
    ZTimeData::Control close;
    close.link = GbkString(std::string("P"));
    close.action = ZTimeData::Control::Close;
    close.trigger = ZTimeData::Control::Below;
    close.node = GbkString(std::string("T"));
    close.value = 4.0;   // 1 m below the level: 10 m3, a tenth of a second of the stale flow
    d.data.Controls = {close};
    d.data.Duration = 0;
    ZSimulation sim(d.t.settings, d.t.net, d.data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    EXPECT_EQ(sim.Results().Status(0, static_cast<int>(LinkIndex(d.t.net, "P"))), ZSimulationResults::Open);
}
