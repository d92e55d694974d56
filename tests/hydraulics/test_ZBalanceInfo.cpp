#include "ProfileReference.h"
#include "TestNet.h"
#include "hydraulics/ZBalanceInfo.h"
#include "model/ProgressObserver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
// What the progress observer saw, pass by pass, read from the run it watches.
struct Trace : ProgressObserver {
    const ZBalanceInfo* info = nullptr;
    std::vector<int> phases;
    std::vector<double> relaxations, progress, fractions;
    int stopAtPass = -1;

    void Watch(ZBalanceInfo& run)
    {
        info = &run;
        run.SetProgressObserver(this);
    }
    void Progress(double fraction) override
    {
        fractions.push_back(fraction);
        phases.push_back(info->GetPhase());
        if (info->GetPhase() == ZBalanceInfo::PhaseIterate) {
            relaxations.push_back(info->GetRelaxation());
            progress.push_back(info->GetProgress());
        }
    }
    bool StopRequested() const override
    {
        return info->GetPhase() == ZBalanceInfo::PhaseIterate && info->GetIterationCount() == stopAtPass;
    }
};

int RunBalance(TestNet& t, Trace* trace = nullptr)
{
    ZBalanceInfo info(t.settings, t.net);
    if (trace)
        trace->Watch(info);
    info.Run();
    return info.GetStatus();
}

// Reservoir at 50 m feeding one demand through 1 km of 300 mm H-W pipe.
struct OnePipe : ::testing::Test {
    TestNet t;
    ZConsumeNode* src = t.Source("R", 50.0);
    ZConsumeNode* dem = t.Node("D", 0.01);
    ZPipeLink* pipe = t.Pipe("P", src, dem);
};
}   // namespace

TEST_F(OnePipe, ConvergesToTheHeadLossAndWritesTheSupplyBack)
{
    Trace trace;
    ZBalanceInfo info(t.settings, t.net);
    trace.Watch(info);
    info.Run();
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    const double loss = 742.3 * std::pow(0.01, 1.852);
    EXPECT_NEAR(dem->NodeHydrElev,
                50.0 - 10.67 * 1000 / (std::pow(100, 1.852) * std::pow(0.3, 4.87)) * std::pow(0.01, 1.852), 0.001);
    EXPECT_NEAR(dem->NodeHydrElev, 50.0 - loss, 0.002);
    EXPECT_NEAR(src->NodeFlow, -0.01, 1e-9);
    EXPECT_NEAR(pipe->Flow, 0.01, 1e-9);
    EXPECT_EQ(src->NodeHydrElev, 50.0);
    // Phases 1, 2, one call per pass, then 4.
    ASSERT_GE(trace.phases.size(), 4u);
    EXPECT_EQ(trace.phases[0], 1);
    EXPECT_EQ(trace.phases[1], 2);
    EXPECT_EQ(trace.phases.back(), 4);
    EXPECT_EQ(static_cast<int>(trace.relaxations.size()), info.GetIterationCount());
}

TEST_F(OnePipe, FirstPassStartsBelowTheLowestKnownHead)
{
    t.settings.Params.MaxIterations = 0;
    EXPECT_EQ(RunBalance(t), ZBalanceInfo::IterationLimit);
    EXPECT_DOUBLE_EQ(dem->NodeHydrElev, 49.9);
    EXPECT_EQ(pipe->Flow, 0.0);   // nothing assembled
    EXPECT_NEAR(pipe->Resistance, 742.31, 0.01);
    EXPECT_EQ(src->NodeFlow, 0.0);   // no write-back
}

TEST_F(OnePipe, NoCheckFlagsStopsAfterOnePass)
{
    t.settings.Params.CheckFlags = 0;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    EXPECT_EQ(info.GetIterationCount(), 1);
}

TEST_F(OnePipe, FlowTestAloneUsesTheFlowTolerance)
{
    t.settings.Params.CheckFlags = ZBalanceParams::CheckFlow;
    t.settings.Params.FlowTolerance = 1e-9;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    EXPECT_GT(info.GetIterationCount(), 3);
    EXPECT_NEAR(src->NodeFlow, -0.01, 1e-9);
}

TEST_F(OnePipe, StopRequestEndsAfterThePassUnlessItConverged)
{
    Trace trace;
    trace.stopAtPass = 2;
    EXPECT_EQ(RunBalance(t, &trace), ZBalanceInfo::Stopped);
    EXPECT_EQ(trace.relaxations.size(), 2u);
    EXPECT_EQ(src->NodeFlow, 0.0);

    // Asking in the pass that converges: convergence wins.
    TestNet u;
    ZConsumeNode* s = u.Source("R", 50.0);
    u.Pipe("P", s, u.Node("D", 0.01));
    ZBalanceInfo probe(u.settings, u.net);
    probe.Run();
    const int passes = probe.GetIterationCount();
    TestNet v;
    ZConsumeNode* s2 = v.Source("R", 50.0);
    v.Pipe("P", s2, v.Node("D", 0.01));
    Trace last;
    last.stopAtPass = passes;
    EXPECT_EQ(RunBalance(v, &last), ZBalanceInfo::Converged);
    EXPECT_NEAR(s2->NodeFlow, -0.01, 1e-9);
}

TEST_F(OnePipe, IterationLimitKeepsTheLastHeads)
{
    t.settings.Params.MaxIterations = 2;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::IterationLimit);
    EXPECT_EQ(info.GetIterationCount(), 2);
    EXPECT_NE(dem->NodeHydrElev, 49.9);
    EXPECT_EQ(src->NodeFlow, 0.0);
}

TEST(ZBalanceInfoStatus, NoHeadKnownNodeStillPreparesDeviceNodes)
{
    TestNet t;
    ZConsumeNode* a = t.Node("A", 0.01);
    ZConsumeNode* b = t.Node("B", 0.02);
    ZConsumeNode* c = t.Node("C");
    t.Pipe("P", a, b);
    t.Pump("U", b, c, 30.0, 100.0);
    b->NodeFireFlow = 0.3;
    EXPECT_EQ(RunBalance(t), ZBalanceInfo::NoHeadKnownNode);
    EXPECT_EQ(b->NodeFlow, 0.0);
    EXPECT_EQ(b->NodeFireFlow, 0.0);
    EXPECT_EQ(a->NodeFlow, 0.01);
}

TEST(ZBalanceInfoStatus, PartCutOffByAClosedValveDiverges)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 40.0);
    ZConsumeNode* a = t.Node("A", 0.01);
    ZConsumeNode* b = t.Node("B");
    ZConsumeNode* c = t.Node("C");
    ZConsumeNode* d = t.Node("D", 0.005);
    t.Pipe("P1", r, a);
    t.Pipe("P2", a, b);
    t.Valve("V", b, c, 10.0)->ValveOpen = false;
    t.Pipe("P3", c, d);
    Trace trace;
    ZBalanceInfo info(t.settings, t.net);
    trace.Watch(info);
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::Diverged);
    ASSERT_NE(info.GetCutOffNode(), nullptr);
    EXPECT_EQ(info.GetCutOffNode()->IdView().Bytes(), "D");   // the demand that cannot be met
    EXPECT_EQ(trace.phases.back(), ZBalanceInfo::PhaseFinished);
    EXPECT_TRUE(trace.relaxations.empty());

    // The same part reached through an open valve balances.
    static_cast<ZValveLink*>(t.net.FindLink("V"))->ValveOpen = true;
    EXPECT_EQ(RunBalance(t), ZBalanceInfo::Converged);
}

// Standby pumps and closed boundary valves leave dead, empty parts: the rest balances as if they
// were not there, and they are marked as having no head.
TEST(ZBalanceInfoStatus, EmptyPartsCutOffByClosedDevicesAreLeftOut)
{
    const auto build = [](TestNet& t, bool pockets) {
        ZConsumeNode* r = t.Source("R", 40.0);
        ZConsumeNode* a = t.Node("A", 0.01, 5.0);
        ZConsumeNode* b = t.Node("B", 0.004, 3.0);
        t.Pipe("P1", r, a);
        t.Pipe("P2", a, b, 800.0, 0.2);
        t.Pipe("P0", r, b, 1500.0, 0.15);
        ZConsumeNode* av = t.Node("AV");
        ZConsumeNode* bv = t.Node("BV");
        t.Pipe("PA", a, av);
        t.Pipe("PB", b, bv);
        if (!pockets)
            return;
        ZConsumeNode* c = t.Node("C", 0.0, 12.0);
        ZConsumeNode* d = t.Node("D", 0.0, 20.0);
        t.Valve("V", bv, c, 10.0)->ValveOpen = false;
        t.Pipe("P3", c, d);
        ZConsumeNode* e = t.Node("E");
        t.Pump("U", av, e, 30.0, 100.0)->PumpOpen = false;   // a standby pump
        t.Pipe("P4", e, t.Node("F"));
    };
    TestNet plain, t;
    build(plain, false);
    build(t, true);
    ASSERT_EQ(RunBalance(plain), ZBalanceInfo::Converged);
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    EXPECT_EQ(info.GetCutOffCount(), 4);
    for (const char* id : {"A", "AV", "B", "BV", "R"}) {
        EXPECT_FALSE(t.N(id)->IsCutOff()) << id;
        EXPECT_NEAR(t.N(id)->NodeHydrElev, plain.N(id)->NodeHydrElev, 1e-9) << id;
    }
    EXPECT_NEAR(t.N("R")->NodeFlow, -0.014, 1e-9);
    for (const char* id : {"C", "D", "E", "F"})
        EXPECT_TRUE(t.N(id)->IsCutOff()) << id;
    // One head for the whole held part: no loss beside no flow.
    EXPECT_EQ(t.N("C")->NodeHydrElev, 20.0);
    EXPECT_EQ(t.N("D")->NodeHydrElev, 20.0);
    for (const char* id : {"P3", "P4", "U", "V"})
        EXPECT_EQ(t.net.FindLink(GbkView(id))->Flow, 0.0) << id;
    EXPECT_LT(MaxNodeImbalance(t), 1e-9);

    // Opened, the valve brings its part back: nothing stays marked.
    static_cast<ZValveLink*>(t.net.FindLink("V"))->ValveOpen = true;
    static_cast<ZPumpLink*>(t.net.FindLink("U"))->PumpOpen = true;
    ASSERT_EQ(RunBalance(t), ZBalanceInfo::Converged);
    for (const ZConsumeNode* n : t.net.Nodes())
        EXPECT_FALSE(n->IsCutOff()) << n->IdView().Bytes();
}

TEST(ZBalanceInfoStatus, AccidentPipeCutsOffOnlyInTheAccidentCase)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 40.0);
    ZConsumeNode* a = t.Node("A", 0.01);
    t.Pipe("P", r, a)->SetFlag(qen::FLAG_ACCIDENT_PIPE);
    EXPECT_EQ(RunBalance(t), ZBalanceInfo::Converged);
    t.settings.CalcCase = 2;
    EXPECT_EQ(RunBalance(t), ZBalanceInfo::Diverged);
}

TEST(ZBalanceInfoIteration, RelaxationRisesToOneAndProgressStaysBelowOne)
{
    TestNet t;
    MakeLoopedNetwork(t, 400, 3, 1.3, 7);
    Trace trace;
    ASSERT_EQ(RunBalance(t, &trace), ZBalanceInfo::Converged);
    ASSERT_GE(trace.relaxations.size(), 3u);
    double prev = 0.5;
    for (double w : trace.relaxations) {
        EXPECT_GE(w, prev);
        EXPECT_LE(w, 1.0);
        const bool inSequence =
            std::fabs(w - 0.5) < 1e-12 || std::fabs(w - 0.7) < 1e-12 || std::fabs(w - 0.9) < 1e-12 || w == 1.0;
        EXPECT_TRUE(inSequence) << w;
        prev = w;
    }
    for (double p : trace.progress) {
        EXPECT_GE(p, 0.0);
        EXPECT_LE(p, 1.0);   // the estimate may reach 1; the run's progress bar caps it
    }
}

TEST(ZBalanceInfoIteration, ProgressObserverCanStop)
{
    struct StopAtOnce : ProgressObserver {
        std::vector<double> seen;
        void Progress(double f) override { seen.push_back(f); }
        bool StopRequested() const override { return true; }
    } observer;
    TestNet t;
    MakeLoopedNetwork(t, 200, 2, 1.3, 3);
    ZBalanceInfo info(t.settings, t.net);
    info.SetProgressObserver(&observer);
    info.Run();
    EXPECT_EQ(info.GetStatus(), ZBalanceInfo::Stopped);
    EXPECT_EQ(info.GetIterationCount(), 1);
    EXPECT_EQ(observer.seen.back(), 1.0);
}

TEST(ZBalanceInfoResults, TankOutflowEqualsItsPipesNetOutflow)
{
    TestNet t;
    ZConsumeNode* o = t.Node("O");
    ZTankLink* tank = t.Tank("T", o, 30.0, 8.0);
    ZConsumeNode* r = t.Source("R", 45.0);
    ZConsumeNode* a = t.Node("A", 0.02);
    ZConsumeNode* b = t.Node("B", 0.015);
    ZPipeLink* p1 = t.Pipe("P1", o, a, 800);
    p1->PipeParallel = 1;   // a device node takes one pipe: its parallels carry the outflow
    t.Pipe("P2", r, b, 1200);
    t.Pipe("P3", a, b, 600, 0.2);
    ASSERT_EQ(RunBalance(t), ZBalanceInfo::Converged);
    EXPECT_DOUBLE_EQ(o->NodeHydrElev, 38.0);
    EXPECT_DOUBLE_EQ(t.N("T#")->NodeHydrElev, 38.0);
    EXPECT_NEAR(tank->Flow, 2 * p1->Flow, 1e-15);
    EXPECT_DOUBLE_EQ(t.N("T#")->NodeFlow, 0.0);   // the internal node gets nothing
    EXPECT_DOUBLE_EQ(o->NodeFlow, 0.0);
    EXPECT_NEAR(tank->Flow - r->NodeFlow, 0.035, 1e-9);   // supply meets demand
    EXPECT_LT(MaxNodeImbalance(t), 1e-10);
}

TEST(ZBalanceInfoResults, PumpAndFireCaseBalanceEveryNode)
{
    TestNet t;
    ZConsumeNode* r = t.Source("R", 10.0);
    ZConsumeNode* in = t.Node("I");
    ZConsumeNode* out = t.Node("O");
    t.Pipe("P0", r, in, 10, 0.4);
    t.Pump("U", in, out, 40.0, 200.0);
    ZConsumeNode* a = t.Node("A", 0.01);
    ZConsumeNode* b = t.Node("B", 0.02);
    ZConsumeNode* c = t.Node("C", 0.01);
    t.Pipe("P1", out, a, 500);
    t.Pipe("P2", a, b, 700, 0.2);
    t.Pipe("P3", b, c, 400, 0.2);
    t.Pipe("P4", c, a, 600, 0.15);
    c->SetFireNode(true);
    c->NodeFireFlow = 0.015;
    t.settings.CalcCase = 1;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    EXPECT_NEAR(r->NodeFlow, -0.055, 1e-9);
    EXPECT_NEAR(t.net.FindLink("U")->Flow, 0.055, 1e-9);
    EXPECT_LT(MaxNodeImbalance(t, info), 1e-10);
    EXPECT_GT(out->NodeHydrElev, in->NodeHydrElev);
}

TEST(ZBalanceInfoResults, AccidentCaseScalesDemandsAndShutsAccidentPipes)
{
    TestNet t;
    MakeLoopedNetwork(t, 300, 2, 1.4, 11);
    int flagged = 0;
    for (ZFlowLink* l : t.net.Links()) {
        auto* p = static_cast<ZPipeLink*>(l);
        // Shut a few loop pipes, keeping every node fed: only where both ends keep other links.
        if (flagged < 5 && p->From()->IncidentLinkCount() > 2 && p->To()->IncidentLinkCount() > 2 &&
            !p->From()->IsHeadKnown() && !p->To()->IsHeadKnown()) {
            p->SetFlag(qen::FLAG_ACCIDENT_PIPE);
            ++flagged;
        }
    }
    t.settings.CalcCase = 2;
    t.settings.Params.AccidentFactor = 0.6;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    double supply = 0.0, demand = 0.0;
    for (const ZConsumeNode* n : t.net.Nodes())
        (n->IsHeadKnown() ? supply : demand) += n->IsHeadKnown() ? -n->NodeFlow : 0.6 * n->NodeFlow;
    EXPECT_NEAR(supply, demand, 1e-9);
    EXPECT_LT(MaxNodeImbalance(t, info), 1e-10);
    for (const ZFlowLink* l : t.net.Links())
        if (static_cast<const ZPipeLink*>(l)->IsAccidentPipe()) {
            EXPECT_EQ(l->Flow, 0.0);
        }
}

// The sparse factorisation must reproduce the plain profile elimination: the same converged heads,
// reached from different starting heads.
class AgainstProfile : public ::testing::TestWithParam<std::tuple<int, int, double, unsigned>> {};

TEST_P(AgainstProfile, SameHeads)
{
    const auto [nodes, sources, density, seed] = GetParam();
    TestNet sparse, plain;
    MakeLoopedNetwork(sparse, nodes, sources, density, seed);
    MakeLoopedNetwork(plain, nodes, sources, density, seed);
    ZBalanceInfo info(sparse.settings, sparse.net);
    info.Run();
    // The reference runs to far tighter tolerances: the solver's heads must lie within its own
    // head tolerance of the exact solution.
    plain.settings.Params.HeadTolerance = 1e-10;
    plain.settings.Params.FlowTolerance = 1e-12;
    ProfileReference reference(plain.settings, plain.net);
    ASSERT_EQ(reference.Run(), 1);
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Converged);
    double worst = 0.0;
    for (int i = 0; i < sparse.net.NodeCount(); ++i)
        worst = std::max(worst, std::fabs(sparse.net.NodeAt(i)->NodeHydrElev - plain.net.NodeAt(i)->NodeHydrElev));
    EXPECT_LT(worst, sparse.settings.Params.HeadTolerance);
    EXPECT_LT(MaxNodeImbalance(sparse), 1e-10);
    // Far fewer factor entries than the profile holds.
    if (nodes >= 500) {
        EXPECT_LT(info.GetTimings().factorNonZeros * 10, static_cast<long long>(reference.ProfileSize()));
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, AgainstProfile,
                         ::testing::Values(std::make_tuple(12, 1, 1.3, 1u), std::make_tuple(60, 2, 1.5, 2u),
                                           std::make_tuple(250, 3, 1.3, 3u), std::make_tuple(700, 4, 1.3, 4u),
                                           std::make_tuple(600, 2, 1.9, 5u)));

// With no pass limit these runs never ended: heads grew past 1e13 m, where a 1 mm tolerance is
// finer than a double resolves, and the passes oscillated for ever.
TEST(ZBalanceInfoDivergence, HeadsLeavingThePhysicalRangeEndTheRun)
{
    for (double demand : {1e6, 1e9 / 1000.0}) {
        TestNet t;
        ZConsumeNode* r = t.Source("R", 50.0);
        ZConsumeNode* a = t.Node("A", 0.0);
        ZConsumeNode* b = t.Node("B", demand);
        t.Pipe("P1", r, a, 1000.0, 0.001);
        t.Pipe("P2", a, b, 1000.0, 0.001);
        t.settings.Params.MaxIterations = -1;
        ZBalanceInfo info(t.settings, t.net);
        info.Run();
        ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Diverged);
        EXPECT_EQ(info.GetDivergeReason(), ZBalanceInfo::HeadOutOfRange);
        ASSERT_NE(info.GetDivergedNode(), nullptr);
        EXPECT_GT(std::fabs(info.GetDivergedNode()->NodeHydrElev), ZPhysicalCheck::MaxHead);
        EXPECT_LT(info.GetIterationCount(), 1000);
        EXPECT_EQ(t.settings.Balanced, 0u);
    }
}

TEST(ZBalanceInfoDivergence, CorrectionsThatStopShrinkingEndTheRun)
{
    // A tolerance no double difference can reach: the corrections settle at rounding noise.
    TestNet t;
    MakeLoopedNetwork(t, 400, 3, 1.6, 7);
    t.settings.Params.HeadTolerance = 1e-300;
    t.settings.Params.CheckFlags = ZBalanceParams::CheckHead;
    t.settings.Params.MaxIterations = -1;
    ZBalanceInfo info(t.settings, t.net);
    info.Run();
    ASSERT_EQ(info.GetStatus(), ZBalanceInfo::Diverged);
    EXPECT_EQ(info.GetDivergeReason(), ZBalanceInfo::NotShrinking);
    EXPECT_NE(info.GetDivergedNode(), nullptr);
    EXPECT_GE(info.GetIterationCount(), ZBalanceInfo::StallPasses);
    EXPECT_LT(info.GetIterationCount(), 3 * ZBalanceInfo::StallPasses);
}
