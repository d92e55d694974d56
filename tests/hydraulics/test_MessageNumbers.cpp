// Numbers in the balancing messages keep their decimal point under a locale whose decimal mark
// is a comma, as in the desktop program started under such a locale.
#include "CommaLocale.h"
#include "TestNet.h"

#include "hydraulics/ZBalanceRun.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {
// The number between `before` and the next space or comma of `text`, read as C reads it; NaN when the
// whole of it is no number.
double NumberAfter(const std::string& text, const std::string& before)
{
    const size_t at = text.find(before);
    if (at == std::string::npos)
        return std::nan("");
    const size_t from = at + before.size();
    const size_t to = text.find_first_of(" ,", from);
    double v = 0.0;
    const auto r = std::from_chars(text.data() + from, text.data() + to, v);
    return r.ec == std::errc() && r.ptr == text.data() + to ? v : std::nan("");
}
}   // namespace

TEST(MessageNumbers, InvalidValueIsQuotedWithItsDecimalPoint)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    TestNet t;
    t.Pipe("P", t.Source("R", 50.0), t.Node("A", 0.01))->PipeDiam = -0.25;
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::InvalidData);
    EXPECT_EQ(NumberAfter(run.Message(), "PipeDiam = "), -0.25) << run.Message();
}

// Water runs A - X - B - D against VBACK (drawn B to X) and back through pump U.
TEST(MessageNumbers, FlowsAgainstCheckValvesAndPumpsReadBack)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    TestNet t;
    ZConsumeNode* a = t.Node("A");
    t.Pipe("P1", t.Source("R", 50.0), a);
    ZConsumeNode* x = t.Node("X");
    ZConsumeNode* b = t.Node("B");
    t.Pipe("P2", a, x);
    t.Valve("VBACK", b, x, 10.0, ZValveLink::Check);
    t.Pipe("P3", b, t.Node("D", 0.01));
    ZConsumeNode* low = t.Source("LOW", 10.0);
    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* e = t.Node("E");
    t.Pipe("P4", low, c);
    t.Pump("U", c, e, 20.0, 100.0);   // shut-off head 20 m against 40 m
    t.Pipe("P5", e, a);
    ZBalanceRun run(t.settings, t.net);
    ASSERT_EQ(run.Run(), ZBalanceInfo::Converged);
    ASSERT_EQ(run.CheckValvesAgainstFlow().size(), 1u) << run.Report();
    ASSERT_EQ(run.PumpsAgainstFlow().size(), 1u) << run.Report();
    const std::string report = run.Report();
    const double valve = run.CheckValvesAgainstFlow()[0].flow, pump = run.PumpsAgainstFlow()[0].flow;
    EXPECT_NEAR(NumberAfter(report, "止回阀\"VBACK\"的流量 "), valve, 1e-5 * std::fabs(valve)) << report;
    EXPECT_NEAR(NumberAfter(report, "水泵\"U\"的流量 "), pump, 1e-5 * std::fabs(pump)) << report;
}
