// The simulation and design-check sections of the calculation report: what each table holds,
// in the display units, and how the builder puts them after the cases.
#include "report/ZReportBuilder.h"

#include "TestNet.h"
#include "model/ProgressObserver.h"
#include "model/UnitSystem.h"
#include "model/ZDocument.h"

#include <gtest/gtest.h>

namespace {
// A tank of 10 m2 at level 5 m over a node drawing 0.01 m3/s: the level falls 1.8 m each half hour.
struct TankNet {
    TestNet t;
    ZTimeData data;

    TankNet()
    {
        ZConsumeNode* outlet = t.Node("T");
        t.Node("J", 0.01, 2.0);
        t.Pipe("P", outlet, t.N("J"), 10.0, 0.3);
        ZTankLink* tank = t.Tank("TANK", outlet, 10.0, 5.0);
        tank->TankArea = 10.0;
        tank->TankMaxHead = 6.0;
        data.Duration = 3600;
        data.HydraulicStep = 1800;
        data.ReportStep = 1800;
    }
};

const ZReportTable* TableNamed(const ZReportSection& s, const std::string& name)
{
    for (const ZReportTable& t : s.tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

const ZReportCell* ItemNamed(const std::vector<ZReportItem>& items, const std::string& prefix)
{
    for (const ZReportItem& i : items)
        if (i.first.rfind(prefix, 0) == 0)
            return &i.second;
    return nullptr;
}

class StopAtOnce : public ProgressObserver {
public:
    void Progress(double) override {}
    bool StopRequested() const override { return true; }
};
}   // namespace

TEST(ZReportSections, SimulationTablesFromARun)
{
    TankNet n;
    ZSimulation sim(n.t.settings, n.t.net, n.data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    const UnitSystem units;
    const ZReportSection s = ZSimulationSection(n.t.net, units, 10.0).Build(ZSimulationSection::Input::Of(sim, n.data));
    EXPECT_EQ(s.name, "延时模拟");
    ASSERT_EQ(s.tables.size(), 2u);   // nodes and tanks; no pumps

    const ZReportTable* tanks = TableNamed(s, "延时模拟-水池");
    ASSERT_TRUE(tanks);
    ASSERT_EQ(tanks->rows.size(), 3u);
    const double levels[] = {5.0, 3.2, 1.4};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(tanks->rows[k][0].text, ZSimulation::ClockText(static_cast<int64_t>(k) * 1800));
        EXPECT_NEAR(tanks->rows[k][1].value, units.Hydr().ToDisplay(levels[k]), 1e-3);
    }

    // J's free head falls with the tank: lowest at the end, highest at the start.
    const ZReportTable* nodes = TableNamed(s, "延时模拟-节点");
    ASSERT_TRUE(nodes);
    const int j = n.t.N("J")->GetIndex();
    const ZSimulationResults& r = sim.Results();
    bool seen = false;
    for (const auto& row : nodes->rows) {
        if (row[0].text != "J")
            continue;
        seen = true;
        EXPECT_NEAR(row[1].value, units.Hydr().ToDisplay(r.Head(2, j) - 2.0), 1e-3);
        EXPECT_EQ(row[2].text, "1:00:00");
        EXPECT_NEAR(row[3].value, units.Hydr().ToDisplay(r.Head(0, j) - 2.0), 1e-3);
        EXPECT_EQ(row[4].text, "0:00:00");
        EXPECT_EQ(row[5].value, 1.0);   // free heads about 13, 11.2 and 9.4 m: below 10 m at 1:00 only
    }
    EXPECT_TRUE(seen);
    const ZReportCell* lowest = ItemNamed(s.summary, "最低自由水头节点");
    ASSERT_TRUE(lowest);
    EXPECT_EQ(lowest->text, "J");
    EXPECT_TRUE(ItemNamed(s.summary, "计算步数"));
}

// The program keeps the results alone: the lowest free head is that of the report times, and
// results of another network are left out.
TEST(ZReportSections, SimulationFromKeptResults)
{
    TankNet n;
    ZSimulation sim(n.t.settings, n.t.net, n.data);
    ASSERT_EQ(sim.Run(), ZBalanceInfo::Converged);
    const UnitSystem units;
    ZSimulationSection::Input in;
    in.results = &sim.Results();
    in.duration = 3600;
    in.startClock = 6 * 3600;
    const ZReportSection s = ZSimulationSection(n.t.net, units, 10.0).Build(in);
    const ZReportCell* time = ItemNamed(s.summary, "最低自由水头时刻");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->text, "7:00:00");   // the clock, from the start at 6:00
    bool reportTimes = false;
    for (const ZReportItem& i : s.summary)
        reportTimes = reportTimes || i.first.find("(报告时刻)") != std::string::npos;
    EXPECT_TRUE(reportTimes);
    EXPECT_FALSE(ItemNamed(s.summary, "计算步数"));

    TestNet other;
    other.Node("X");
    EXPECT_TRUE(ZSimulationSection(other.net, units, 10.0).Build(in).name.empty());
}

TEST(ZReportSections, FireFlowAndPipeFailures)
{
    TestNet t;
    t.Source("S", 50.0);
    t.Node("A", 0.01);
    t.Node("B", 0.01);
    t.Pipe("P1", t.N("S"), t.N("A"));
    t.Pipe("P2", t.N("A"), t.N("B"));
    const UnitSystem units;
    const int a = t.N("A")->GetIndex(), b = t.N("B")->GetIndex();

    ZDesignCheckSection::FireFlowInput fire;
    fire.params.ResidualHead = 10.0;
    ZFireFlow::Result ra;
    ra.node = a;
    ra.available = 0.02;
    ra.limiting = b;
    ra.limitingFreeHead = 12.5;
    ZFireFlow::Result rb;
    rb.node = b;
    rb.available = ZFireFlow::MaxFlow;   // the cap: no node limits
    fire.results = {ra, rb};
    const ZReportSection f = ZDesignCheckSection(t.net, units).FireFlow(fire);
    EXPECT_EQ(f.name, "消防校核");
    ASSERT_EQ(f.tables.size(), 1u);
    const auto& rows = f.tables[0].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].text, "A");
    EXPECT_DOUBLE_EQ(rows[0][1].value, units.FlowUnit().ToDisplay(0.02));
    EXPECT_EQ(rows[0][2].text, "B");
    EXPECT_DOUBLE_EQ(rows[0][3].value, units.Hydr().ToDisplay(12.5));
    EXPECT_EQ(rows[1][2].text, "无");
    EXPECT_EQ(rows[1][3].kind, ZReportCell::Empty);
    EXPECT_EQ(ItemNamed(f.summary, "最小可用消防流量节点")->text, "A");

    ZDesignCheckSection::CriticalityInput crit;
    ZCriticality::Result c1;
    c1.pipe = t.net.FindLink(GbkView("P1"))->GetIndex();
    c1.cutOff = 2;
    ZCriticality::Result c2;
    c2.pipe = t.net.FindLink(GbkView("P2"))->GetIndex();
    c2.cutOff = 1;
    c2.worst = a;
    c2.worstFreeHead = 30.0;
    crit.results = {c1, c2};
    const ZReportSection c = ZDesignCheckSection(t.net, units).Criticality(crit);
    EXPECT_EQ(c.name, "管道失效校核");
    ASSERT_EQ(c.tables.at(0).rows.size(), 2u);
    EXPECT_EQ(c.tables[0].rows[0][0].text, "P1");
    EXPECT_EQ(c.tables[0].rows[0][1].value, 2.0);
    EXPECT_EQ(c.tables[0].rows[0][3].kind, ZReportCell::Empty);
    EXPECT_EQ(c.tables[0].rows[1][3].text, "A");
    EXPECT_EQ(ItemNamed(c.summary, "影响最大的管道")->text, "P1");

    crit.results[0].worst = 99;   // not a node of this network
    EXPECT_TRUE(ZDesignCheckSection(t.net, units).Criticality(crit).name.empty());
}

// The builder puts the sections after the cases; a stop leaves the report marked and without them.
TEST(ZReportSections, BuilderAddsSectionsAndStops)
{
    ZDocument doc;
    TestNet t(doc.GetNetwork());
    t.Source("S", 50.0);
    t.Node("A", 0.01);
    t.Pipe("P1", t.N("S"), t.N("A"));
    const UnitSystem units;
    ZDesignCheckSection::CriticalityInput crit;
    ZCriticality::Result c1;
    c1.pipe = 0;
    c1.cutOff = 1;
    crit.results = {c1};
    ZReportBuilder::Options options;
    options.criticality = &crit;
    const ZReport report = ZReportBuilder(doc, units).Build(options);
    ASSERT_EQ(report.cases.size(), 1u);
    EXPECT_TRUE(report.cases[0].converged);
    ASSERT_EQ(report.sections.size(), 1u);
    EXPECT_EQ(report.sections[0].name, "管道失效校核");
    EXPECT_FALSE(report.stopped);

    StopAtOnce stop;
    const ZReport stopped = ZReportBuilder(doc, units).Build(options, &stop);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.sections.empty());
}
