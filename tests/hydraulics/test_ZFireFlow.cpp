#include "SweepReference.h"
#include "hydraulics/ZFireFlow.h"
#include "hydraulics/ZSweepNetwork.h"
#include "model/ProgressObserver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace FireFlowTest {
constexpr double R = 10.0, S = 0.0;

// The brute-force answer for node k: bisection over full, independent balances.
struct Reference {
    double available = 0.0;
    std::string limiting;
};

class Bisection {
public:
    explicit Bisection(const std::string& network) : m_doc(SweepReference::Load(network))
    {
        EXPECT_TRUE(SweepReference::Balance(*m_doc));
        for (const ZConsumeNode* n : m_doc->GetNetwork().Nodes())
            m_checked.push_back(SweepReference::Demanding(*n) && !n->IsCutOff() && n->FreeHead() >= S);
    }

    Reference Solve(const std::string& id)
    {
        ZConsumeNode* k = m_doc->GetNetwork().FindNode(GbkView(id));
        const double base = k->NodeFlow;
        Reference ref;
        const auto feasible = [&](double q) {
            k->NodeFlow = base + q;
            const bool ok = SweepReference::Balance(*m_doc) && Limiting(k, ref.limiting) >= 0.0;
            k->NodeFlow = base;
            return ok;
        };
        if (!feasible(0.0))
            return ref;
        double lo = 0.0, hi = 0.01;
        while (feasible(hi)) {
            lo = hi;
            hi *= 2.0;
        }
        for (int i = 0; i < 60 && hi - lo > 1e-9 * hi; ++i) {
            const double mid = 0.5 * (lo + hi);
            (feasible(mid) ? lo : hi) = mid;
        }
        feasible(lo);   // the limiting node at the answer
        ref.available = lo;
        return ref;
    }

private:
    double Limiting(const ZConsumeNode* k, std::string& id) const
    {
        double smallest = k->FreeHead() - R;
        id = k->GetId();
        for (const ZConsumeNode* n : m_doc->GetNetwork().Nodes()) {
            if (n != k && m_checked[static_cast<size_t>(n->GetIndex())] && n->FreeHead() - S < smallest) {
                smallest = n->FreeHead() - S;
                id = n->GetId();
            }
        }
        return smallest;
    }

    std::unique_ptr<ZDocument> m_doc;
    std::vector<char> m_checked;
};

std::vector<ZFireFlow::Result> Sweep(const ZDocument& doc, const std::vector<int>& nodes, int jobs)
{
    ZFireFlow::Params p;
    p.ResidualHead = R;
    p.SystemMinHead = S;
    p.Jobs = jobs;
    ZFireFlow fire(doc.GetNetwork(), doc.GetDrawSettings(), p);
    EXPECT_EQ(fire.Prepare(), ZBalanceInfo::Converged);
    EXPECT_TRUE(fire.Run(nodes));
    return fire.Results();
}

std::vector<int> Candidates(const ZDocument& doc, int every = 1)
{
    std::vector<int> nodes;
    for (const ZConsumeNode* n : doc.GetNetwork().Nodes())
        if (ZFireFlow::IsCandidate(*n) && n->GetIndex() % every == 0)
            nodes.push_back(n->GetIndex());
    return nodes;
}

// Every result within the stated tolerance of the bisection's, on the feasible side of it, and
// limited by the same node; counts those that were zero and those limited elsewhere.
void ExpectAgreement(const std::string& network, int every, int& zero, int& elsewhere)
{
    auto doc = SweepReference::Load(network);
    Bisection brute(network);
    for (const ZFireFlow::Result& r : Sweep(*doc, Candidates(*doc, every), 2)) {
        const std::string id = doc->GetNetwork().NodeAt(r.node)->GetId();
        const Reference ref = brute.Solve(id);
        const double tol = std::max(ZFireFlow::RelativeTolerance * ref.available, ZFireFlow::AbsoluteTolerance);
        EXPECT_NEAR(r.available, ref.available, tol) << network << " node " << id;
        EXPECT_LE(r.available, ref.available + 1e-6 * ref.available) << network << " node " << id;
        ASSERT_GE(r.limiting, 0);
        EXPECT_EQ(doc->GetNetwork().NodeAt(r.limiting)->GetId(), ref.limiting) << network << " node " << id;
        zero += r.available == 0.0;
        elsewhere += r.limiting != r.node;
    }
}

TEST(FireFlow, AgreesWithBisectionOverFullBalances)
{
    int zero = 0, elsewhere = 0;
    ExpectAgreement("Net1", 1, zero, elsewhere);
    ExpectAgreement("Hanoi", 1, zero, elsewhere);
    EXPECT_GT(zero, 10);   // nodes below R already at the base demands
    ExpectAgreement("KL", 31, zero, elsewhere);
    EXPECT_GT(elsewhere, 5);   // nodes whose fire flow another node's head limits
}

TEST(FireFlow, ResultsDoNotDependOnTheWorkers)
{
    auto doc = SweepReference::Load("KL");
    const std::vector<int> nodes = Candidates(*doc, 7);
    const auto one = Sweep(*doc, nodes, 1), three = Sweep(*doc, nodes, 3);
    ASSERT_EQ(one.size(), three.size());
    for (size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].available, three[i].available);
        EXPECT_EQ(one[i].limiting, three[i].limiting);
        EXPECT_EQ(one[i].limitingFreeHead, three[i].limitingFreeHead);
    }
}

// The searches start from the base solution's slope: it must be the heads' true derivative with
// the demand at the node (central differences over full balances), for every node at once.
TEST(FireFlow, TheBaseSlopeIsTheHeadsDerivative)
{
    auto doc = SweepReference::Load("KL");
    ZSweepNetwork net(doc->GetNetwork(), doc->GetDrawSettings());
    ASSERT_EQ(net.Balance(nullptr, false), ZBalanceInfo::Converged);
    ZNetwork& network = net.Network();
    const auto heads = [&] {
        std::vector<double> h;
        for (const ZConsumeNode* n : network.Nodes())
            h.push_back(n->NodeHydrElev);
        return h;
    };
    constexpr double d = 1e-3;   // m3/s
    for (int k : Candidates(*doc, 97)) {
        std::vector<double> drop, scratch;
        ASSERT_EQ(net.Balance(nullptr, false), ZBalanceInfo::Converged);
        ASSERT_TRUE(net.DemandSensitivity(k, drop, scratch));
        ZConsumeNode* node = network.NodeAt(k);
        const double base = node->NodeFlow;
        node->NodeFlow = base + d;
        ASSERT_EQ(net.Balance(nullptr, false), ZBalanceInfo::Converged);
        const std::vector<double> up = heads();
        node->NodeFlow = base - d;
        ASSERT_EQ(net.Balance(nullptr, false), ZBalanceInfo::Converged);
        const std::vector<double> down = heads();
        node->NodeFlow = base;
        EXPECT_GT(drop[static_cast<size_t>(k)], 0.0);
        for (int i = 0; i < network.NodeCount(); ++i) {
            const size_t j = static_cast<size_t>(i);
            EXPECT_NEAR(drop[j], (down[j] - up[j]) / (2.0 * d), 0.01 * drop[static_cast<size_t>(k)] + 1e-3)
                << "demand at " << network.NodeAt(k)->GetId() << ", head of " << network.NodeAt(i)->GetId();
        }
    }
}

class StopAtOnce : public ProgressObserver {
public:
    void Progress(double) override {}
    bool StopRequested() const override { return true; }
};

TEST(FireFlow, AStoppedSweepKeepsNoResults)
{
    auto doc = SweepReference::Load("KL");
    ZFireFlow fire(doc->GetNetwork(), doc->GetDrawSettings(), ZFireFlow::Params());
    ASSERT_EQ(fire.Prepare(), ZBalanceInfo::Converged);
    StopAtOnce stop;
    EXPECT_FALSE(fire.Run(Candidates(*doc), &stop));
    EXPECT_TRUE(fire.Results().empty());
}
}   // namespace FireFlowTest
