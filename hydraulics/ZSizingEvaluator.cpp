#include "ZSizingEvaluator.h"

#include "ZBalanceInfo.h"
#include "ZNetworkCopy.h"
#include "model/ZPipeLink.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {
// Finer than any design margin, so that a design judged feasible stays so when balanced again.
constexpr double kSizingHeadTolerance = 1e-5;
constexpr double kSizingFeasibleSlack = -1e-4;
constexpr int kSizingIterationLimit = 300;
}   // namespace

ZSizingEvaluator::ZSizingEvaluator(const ZNetwork& source, const ZDrawSettings& settings, const ZSizingProblem& problem,
                                   const std::vector<int>& freePipes)
    : m_problem(problem), m_freePipes(freePipes)
{
    ZNetworkCopy::Copy(source, m_network);
    for (int c : problem.cases) {
        auto s = std::make_unique<ZDrawSettings>(settings);
        s->CalcCase = c;
        s->Params.HeadTolerance = kSizingHeadTolerance;
        s->Params.CheckFlags = ZBalanceParams::CheckHead;
        s->Params.MaxIterations = kSizingIterationLimit;
        m_settings.push_back(std::move(s));
    }
    const int n = m_network.NodeCount();
    m_constrained.assign(static_cast<size_t>(n), 0);
    m_adjacent.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const ZConsumeNode* node = m_network.NodeAt(i);
        m_constrained[static_cast<size_t>(i)] =
            node->IsFlowKnown() && (node->NodeFlow != 0.0 || (node->IsFireNode() && node->NodeFireFlow != 0.0));
    }
    for (int l = 0; l < m_network.LinkCount(); ++l) {
        const ZFlowLink* link = m_network.LinkAt(l);
        const int a = link->StartNode()->GetIndex(), b = link->EndNode()->GetIndex();
        m_adjacent[static_cast<size_t>(a)].push_back({l, b});
        m_adjacent[static_cast<size_t>(b)].push_back({l, a});
    }
    for (int l : m_freePipes) {
        const auto* p = static_cast<const ZPipeLink*>(m_network.LinkAt(l));
        m_pipeLength.push_back(p->PipeLength * (p->PipeParallel + 1));
    }
    m_reserve.resize(static_cast<size_t>(n));
    m_order.resize(static_cast<size_t>(n));
    Restart();
}

ZSizingEvaluator::~ZSizingEvaluator() = default;

void ZSizingEvaluator::Restart()
{
    m_runs.clear();
    for (auto& s : m_settings) {
        auto run = std::make_unique<ZBalanceInfo>(*s, m_network);
        run->KeepSystem(true);
        m_runs.push_back(std::move(run));
    }
}

double ZSizingEvaluator::Cost(const std::vector<int>& design) const
{
    double cost = 0.0;
    for (size_t k = 0; k < design.size(); ++k)
        cost += m_pipeLength[k] * m_problem.candidates[static_cast<size_t>(design[k])].unitCost;
    return cost;
}

void ZSizingEvaluator::SetDiameters(const std::vector<int>& design)
{
    for (size_t k = 0; k < design.size(); ++k) {
        auto* p = static_cast<ZPipeLink*>(m_network.LinkAt(m_freePipes[k]));
        p->PipeDiam = p->PipeInDiam = m_problem.candidates[static_cast<size_t>(design[k])].diameter;
    }
}

ZSizingEvaluator::Outcome ZSizingEvaluator::Evaluate(const std::vector<int>& design, std::vector<Move>* moves)
{
    ++m_evaluations;
    SetDiameters(design);
    Outcome out;
    out.cost = Cost(design);
    out.balanced = true;
    out.lowestSlack = std::numeric_limits<double>::infinity();
    m_shortfalls.clear();
    if (moves)
        moves->clear();
    const double vmax = m_problem.maxVelocity, vmin = m_problem.minVelocity;
    // The first case last, so that its results stay in the copy.
    for (size_t ci = m_runs.size(); ci-- > 0;) {
        ZBalanceInfo& run = *m_runs[ci];
        run.Run();
        if (run.GetStatus() != ZBalanceInfo::Converged) {
            out.balanced = false;
            out.violation = std::numeric_limits<double>::infinity();
            continue;
        }
        const int calcCase = m_problem.cases[ci];
        for (int i = 0; i < m_network.NodeCount(); ++i) {
            if (!m_constrained[static_cast<size_t>(i)] || run.IsPinned(i))
                continue;
            const double fh = m_network.NodeAt(i)->FreeHead();
            const double slack = fh - m_problem.minFreeHead;
            if (slack < out.lowestSlack) {
                out.lowestSlack = slack;
                out.worstNode = i;
                out.worstCase = calcCase;
            }
            if (slack < kSizingFeasibleSlack) {
                out.violation -= slack;
                m_shortfalls.push_back({i, calcCase, fh});
            }
        }
        if (vmax > 0.0 || vmin > 0.0)
            for (int l : m_freePipes) {
                const auto* p = static_cast<const ZPipeLink*>(m_network.LinkAt(l));
                const double v = std::fabs(p->Velocity());
                if (vmax > 0.0 && v > vmax * (1.0 + 1e-9))
                    out.violation += v - vmax;
                if (vmin > 0.0 && v < vmin)
                    out.violation += vmin - v;
            }
        if (moves)
            GatherMoves(design, *moves, moves->empty());
    }
    out.feasible = out.balanced && out.violation == 0.0;
    return out;
}

void ZSizingEvaluator::GatherMoves(const std::vector<int>& design, std::vector<Move>& moves, bool first)
{
    // Free head reserve of each node and of everything it feeds: nodes from the lowest head up,
    // each taking the smallest reserve of its lower neighbours.
    std::iota(m_order.begin(), m_order.end(), 0);
    std::sort(m_order.begin(), m_order.end(),
              [this](int a, int b) { return m_network.NodeAt(a)->NodeHydrElev < m_network.NodeAt(b)->NodeHydrElev; });
    const double inf = std::numeric_limits<double>::infinity();
    for (int i : m_order) {
        const ZConsumeNode* node = m_network.NodeAt(i);
        double r = m_constrained[static_cast<size_t>(i)] ? node->FreeHead() - m_problem.minFreeHead : inf;
        for (const auto& [link, other] : m_adjacent[static_cast<size_t>(i)])
            if (m_network.NodeAt(other)->NodeHydrElev < node->NodeHydrElev)
                r = std::min(r, m_reserve[static_cast<size_t>(other)]);
        m_reserve[static_cast<size_t>(i)] = r;
    }
    const auto& c = m_problem.candidates;
    const int top = static_cast<int>(c.size()) - 1;
    if (first) {
        moves.clear();
        for (size_t k = 0; k < design.size(); ++k) {
            const int at = design[k];
            Move m;
            m.pipe = static_cast<int>(k);
            m.saving = at > 0 ? m_pipeLength[k] *
                                    (c[static_cast<size_t>(at)].unitCost - c[static_cast<size_t>(at - 1)].unitCost)
                              : 0.0;
            m.raiseCost = at < top ? m_pipeLength[k] *
                                         (c[static_cast<size_t>(at + 1)].unitCost - c[static_cast<size_t>(at)].unitCost)
                                   : inf;
            m.margin = m.reserve = inf;
            moves.push_back(m);
        }
    }
    for (Move& m : moves) {
        const size_t k = static_cast<size_t>(m.pipe);
        const auto* p = static_cast<const ZPipeLink*>(m_network.LinkAt(m_freePipes[k]));
        const int at = design[k];
        const double d = c[static_cast<size_t>(at)].diameter;
        const double ha = p->From()->NodeHydrElev, hb = p->To()->NodeHydrElev;
        const double loss = std::fabs(ha - hb);
        const int low = (ha < hb ? p->From() : p->To())->GetIndex();
        m.reserve = std::min(m.reserve, m_reserve[static_cast<size_t>(low)]);
        if (at < top)
            m.lossDrop =
                std::max(m.lossDrop, loss * (1.0 - std::pow(d / c[static_cast<size_t>(at + 1)].diameter, 4.87)));
        if (at == 0)
            continue;
        const double dSmaller = c[static_cast<size_t>(at - 1)].diameter;
        const double rise = loss * (std::pow(d / dSmaller, 4.87) - 1.0);
        double margin = m_reserve[static_cast<size_t>(low)] - rise;
        if (m_problem.maxVelocity > 0.0 &&
            std::fabs(p->Flow) / (0.7853981633974483 * dSmaller * dSmaller) > m_problem.maxVelocity)
            margin = std::min(margin, -1.0);
        m.lossRise = std::max(m.lossRise, rise);
        m.margin = std::min(m.margin, margin);
    }
}
