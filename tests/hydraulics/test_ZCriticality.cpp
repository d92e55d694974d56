#include "SweepReference.h"
#include "hydraulics/ZCriticality.h"
#include "hydraulics/ZCutOffParts.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZValveLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace CriticalityTest {
constexpr double F = 0.7, H = 10.0;

bool Open(const ZNetLink* l)
{
    if (l->GetKind() == ZNetObject::Kind::Pump)
        return static_cast<const ZPumpLink*>(l)->PumpOpen;
    if (l->GetKind() == ZNetObject::Kind::Valve)
        return !static_cast<const ZValveLink*>(l)->IsShutByUser();
    return true;
}

// Per node: joined to a known head by open links other than `without`.
std::vector<char> Reached(const ZNetwork& net, const ZNetLink* without)
{
    std::vector<char> reached(static_cast<size_t>(net.NodeCount()), 0);
    bool grew = true;
    for (const ZConsumeNode* n : net.Nodes())
        reached[static_cast<size_t>(n->GetIndex())] = n->IsHeadKnown();
    while (grew) {   // plain relaxation over the link list, nothing clever
        grew = false;
        for (const ZFlowLink* l : net.Links()) {
            if (l == without || !Open(l))
                continue;
            char& a = reached[static_cast<size_t>(l->StartNode()->GetIndex())];
            char& b = reached[static_cast<size_t>(l->EndNode()->GetIndex())];
            if (a != b) {
                a = b = 1;
                grew = true;
            }
        }
    }
    return reached;
}

struct Expected {
    int cutOff = 0, below = 0;
    std::string worst;
    double worstFreeHead = 0.0;
};

// The pipe taken out of a fresh copy, the cut-off nodes' demands dropped, balanced from the
// first guess in the accident case.
Expected Brute(const std::string& network, const std::string& pipeId)
{
    auto doc = SweepReference::Load(network);
    ZNetwork& net = doc->GetNetwork();
    doc->GetDrawSettings().CalcCase = ZDrawSettings::Accident;
    doc->GetDrawSettings().Params.AccidentFactor = F;
    for (ZFlowLink* l : net.Links())
        l->ClearFlag(qen::FLAG_ACCIDENT_PIPE);
    const std::vector<char> before = Reached(net, nullptr);
    Expected e;
    std::vector<std::string> wasReached;
    for (const ZConsumeNode* n : net.Nodes())
        if (before[static_cast<size_t>(n->GetIndex())] && SweepReference::Demanding(*n))
            wasReached.push_back(n->GetId());
    std::vector<ZNetObject*> removed;
    net.TakeOutLink(net.FindLink(GbkView(pipeId)), removed);
    const std::vector<char> after = Reached(net, nullptr);
    for (const std::string& id : wasReached) {
        ZConsumeNode* n = net.FindNode(GbkView(id));
        if (!n || !after[static_cast<size_t>(n->GetIndex())]) {
            ++e.cutOff;
            if (n)
                n->NodeFlow = 0.0;
        }
    }
    for (ZNetObject* o : removed)
        o->DeleteSelf();
    if (e.cutOff == static_cast<int>(wasReached.size()))
        return e;   // nothing left to balance (a source that fed everything may have gone with the pipe)
    EXPECT_TRUE(SweepReference::Balance(*doc)) << network << " without " << pipeId;
    for (const std::string& id : wasReached) {
        const ZConsumeNode* n = net.FindNode(GbkView(id));
        if (!n || !after[static_cast<size_t>(n->GetIndex())])
            continue;
        e.below += n->FreeHead() < H;
        if (e.worst.empty() || n->FreeHead() < e.worstFreeHead) {
            e.worst = id;
            e.worstFreeHead = n->FreeHead();
        }
    }
    return e;
}

std::vector<ZCriticality::Result> Sweep(const ZDocument& doc, const std::vector<int>& pipes, int jobs)
{
    ZCriticality::Params p;
    p.AccidentFactor = F;
    p.MinFreeHead = H;
    p.Jobs = jobs;
    ZCriticality sweep(doc.GetNetwork(), doc.GetDrawSettings(), p);
    EXPECT_EQ(sweep.Prepare(), ZBalanceInfo::Converged);
    EXPECT_TRUE(sweep.Run(pipes));
    return sweep.Results();
}

std::vector<int> Pipes(const ZDocument& doc, int every = 1)
{
    std::vector<int> pipes;
    for (const ZFlowLink* l : doc.GetNetwork().Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe && l->GetIndex() % every == 0)
            pipes.push_back(l->GetIndex());
    return pipes;
}

TEST(Criticality, CutOffPartsMatchASearchWithoutEachLink)
{
    for (const char* network : {"Hanoi", "KL", "Net3", "L-TOWN"}) {
        auto doc = SweepReference::Load(network);
        const ZNetwork& net = doc->GetNetwork();
        const ZCutOffParts parts(net);
        const std::vector<char> base = Reached(net, nullptr);
        int bridges = 0;
        for (int l = 0; l < net.LinkCount(); l += std::string(network) == "L-TOWN" ? 7 : 1) {
            const std::vector<char> without = Reached(net, net.LinkAt(l));
            const ZCutOffParts::Range r = parts.CutOffBy(l);
            int cut = 0;
            for (int i = 0; i < net.NodeCount(); ++i) {
                const bool lost = base[static_cast<size_t>(i)] && !without[static_cast<size_t>(i)];
                EXPECT_EQ(parts.IsCutOffBy(l, i), lost) << network << " link " << net.LinkAt(l)->GetId();
                cut += lost;
            }
            EXPECT_EQ(r.last - r.first, cut);
            bridges += cut > 0;
        }
        EXPECT_GT(bridges, 0) << network;
    }
}

TEST(Criticality, AgreesWithThePipeTakenOutAndBalanced)
{
    int splitting = 0, short_ = 0;
    for (const auto& [network, every] : {std::pair<const char*, int>{"Net1", 1}, {"Hanoi", 1}, {"KL", 37}}) {
        auto doc = SweepReference::Load(network);
        std::vector<int> pipes = Pipes(*doc, every);
        if (std::string(network) == "KL")
            pipes.push_back(doc->GetNetwork().FindLink(GbkView("22"))->GetIndex());   // feeds everything
        for (const ZCriticality::Result& r : Sweep(*doc, pipes, 2)) {
            const std::string id = doc->GetNetwork().LinkAt(r.pipe)->GetId();
            const Expected e = Brute(network, id);
            EXPECT_FALSE(r.failed);
            EXPECT_EQ(r.cutOff, e.cutOff) << network << " pipe " << id;
            EXPECT_EQ(r.nodesBelow, e.below) << network << " pipe " << id;
            if (e.worst.empty()) {
                EXPECT_EQ(r.worst, -1) << network << " pipe " << id;
                continue;
            }
            ASSERT_GE(r.worst, 0) << network << " pipe " << id;
            EXPECT_EQ(doc->GetNetwork().NodeAt(r.worst)->GetId(), e.worst) << network << " pipe " << id;
            EXPECT_NEAR(r.worstFreeHead, e.worstFreeHead, 1e-4) << network << " pipe " << id;
            splitting += r.cutOff > 0;
            short_ += r.nodesBelow > 0;
        }
    }
    EXPECT_GT(splitting, 5);
    EXPECT_GT(short_, 5);
}

TEST(Criticality, ResultsDoNotDependOnTheWorkers)
{
    auto doc = SweepReference::Load("KL");
    const std::vector<int> pipes = Pipes(*doc, 5);
    const auto one = Sweep(*doc, pipes, 1), three = Sweep(*doc, pipes, 3);
    ASSERT_EQ(one.size(), three.size());
    for (size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(one[i].cutOff, three[i].cutOff);
        EXPECT_EQ(one[i].nodesBelow, three[i].nodesBelow);
        EXPECT_EQ(one[i].worst, three[i].worst);
        EXPECT_EQ(one[i].worstFreeHead, three[i].worstFreeHead);
    }
}
}   // namespace CriticalityTest
