#include "ZFireFlow.h"

#include "ZSweepNetwork.h"
#include "ZSweepPool.h"

#include "model/ZNetwork.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double LossExponent = 1.852;
constexpr double FirstTrial = 0.02;   // m3/s, about two hydrants
constexpr int MaxTrials = 100;
}   // namespace

ZFireFlow::ZFireFlow(const ZNetwork& network, const ZDrawSettings& settings, const Params& params)
    : m_source(network), m_settings(settings), m_params(params)
{
    m_settings.CalcCase = params.CalcCase;
    m_settings.Params.DemandModel = ZBalanceParams::DemandDriven;
}

ZFireFlow::~ZFireFlow() = default;

bool ZFireFlow::IsCandidate(const ZFlowNode& node)
{
    return node.IsFlowKnown() && !node.IsDeviceNode();
}

int ZFireFlow::Prepare()
{
    m_base = std::make_unique<ZSweepNetwork>(m_source, m_settings);
    const int status = m_base->Balance(nullptr, false);
    if (status != ZBalanceInfo::Converged)
        return status;
    m_base->KeepAsBase();
    m_checked.clear();
    m_lowBase.clear();
    for (const ZConsumeNode* n : m_base->Network().Nodes()) {
        if (!IsCandidate(*n) || n->IsCutOff())
            continue;
        (n->FreeHead() >= m_params.SystemMinHead ? m_checked : m_lowBase).push_back(n->GetIndex());
    }
    return status;
}

bool ZFireFlow::Run(const std::vector<int>& nodes, ProgressObserver* observer)
{
    m_results.assign(nodes.size(), Result());
    std::vector<std::unique_ptr<ZSweepNetwork>> workers;
    const int jobs =
        std::min(static_cast<int>(nodes.size()), m_params.Jobs < 1 ? ZSweepPool::DefaultJobs() : m_params.Jobs);
    workers.resize(static_cast<size_t>(std::max(jobs, 0)));
    const bool complete = ZSweepPool::Run(
        static_cast<int>(nodes.size()), jobs,
        [&](int w) {
            auto& worker = workers[static_cast<size_t>(w)];
            worker = std::make_unique<ZSweepNetwork>(m_base->Network(), m_settings);
            worker->ReusePreparation(true);
        },
        [&](int w, int i) {
            m_results[static_cast<size_t>(i)] = Search(*workers[static_cast<size_t>(w)], nodes[static_cast<size_t>(i)]);
        },
        observer);
    if (!complete)
        m_results.clear();
    return complete;
}

double ZFireFlow::Margin(const ZNetwork& net, int node, int& limiting) const
{
    double smallest = net.NodeAt(node)->FreeHead() - m_params.ResidualHead;
    limiting = node;
    for (int i : m_checked) {
        const double m = net.NodeAt(i)->FreeHead() - m_params.SystemMinHead;
        if (m < smallest && i != node) {
            smallest = m;
            limiting = i;
        }
    }
    return smallest;
}

namespace {
// The smallest margin as the base margin less a linear and a Q^1.852 part (the losses of the
// flows the pipes already carry grow about linearly with the extra flow, its own as the law),
// through two trials.
struct MarginModel {
    double m0, alpha = 0.0, beta = 0.0;

    MarginModel(double base, double q1, double m1, double q2, double m2) : m0(base)
    {
        const double d1 = base - m1, p1 = std::pow(q1, LossExponent);
        if (!(d1 > 0.0))
            return;   // no drop yet: no zero, the search reaches on
        if (q2 <= 0.0 || q2 == q1) {
            // One trial cannot tell the two parts apart: the answer lies between the zeros of the
            // law alone and of the linear part alone, and their geometric mean is taken.
            const double power = std::pow(base / (d1 / p1), 1.0 / LossExponent), linear = base * q1 / d1;
            const double mean = std::sqrt(power * linear);
            beta = base / std::pow(mean, LossExponent);
            return;
        }
        const double d2 = base - m2, p2 = std::pow(q2, LossExponent);
        const double det = q1 * p2 - q2 * p1;
        alpha = (d1 * p2 - d2 * p1) / det;
        beta = (q1 * d2 - q2 * d1) / det;
    }
    double At(double q) const { return m0 - alpha * q - beta * std::pow(q, LossExponent); }
    // The zero between a and b (At(a) >= 0 > At(b)), or b when the model stays above zero.
    double Root(double a, double b) const
    {
        if (At(b) >= 0.0)
            return b;
        for (int i = 0; i < 80 && b - a > 1e-12 * b; ++i) {
            const double mid = 0.5 * (a + b);
            (At(mid) >= 0.0 ? a : b) = mid;
        }
        return 0.5 * (a + b);
    }
};

struct Heads {
    double q = 0.0;
    std::vector<double> heads;

    void Take(const ZNetwork& net, double at)
    {
        q = at;
        heads.resize(static_cast<size_t>(net.NodeCount()));
        for (int i = 0; i < net.NodeCount(); ++i)
            heads[static_cast<size_t>(i)] = net.NodeAt(i)->NodeHydrElev;
    }
    // Nodes the run solves for take the heads on the line through the two trials at q, when q
    // is not far beyond them.
    static void Predict(ZNetwork& net, const Heads& a, const Heads& b, double q)
    {
        const double t = (q - a.q) / (a.q - b.q);
        if (!(std::fabs(t) <= 3.0))
            return;
        for (int i = 0; i < net.NodeCount(); ++i) {
            ZConsumeNode* n = net.NodeAt(i);
            if (n->IsFlowKnown() && !n->IsCutOff()) {
                const size_t k = static_cast<size_t>(i);
                n->NodeHydrElev = a.heads[k] + t * (a.heads[k] - b.heads[k]);
            }
        }
    }
};
}   // namespace

ZFireFlow::Result ZFireFlow::Search(ZSweepNetwork& net, int node) const
{
    Result r;
    r.node = node;
    net.RestoreBase();
    ZNetwork& network = net.Network();
    ZConsumeNode* hydrant = network.NodeAt(node);
    if (hydrant->IsCutOff()) {
        r.noHead = true;
        r.limiting = node;
        return r;
    }
    const double baseDemand = hydrant->NodeFlow;
    int limiting = node;
    const double m0 = Margin(network, node, limiting);
    r.limiting = limiting;
    r.limitingFreeHead = network.NodeAt(limiting)->FreeHead();
    if (!(m0 >= 0.0))
        return r;

    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Trial {
        double q, m;
    };
    Trial lo{0.0, m0}, hi{inf, -inf};
    Trial last{0.0, m0};   // the converged trial before the present one
    double q = FirstTrial;
    double widthBefore = inf, widthTwoBefore = inf;
    bool stateGood = true;
    // The heads of the last two converged trials: the next trial starts from the line through
    // them, which leaves the solver a fraction of the way from the heads of the last one alone.
    Heads newer, older;
    newer.Take(network, 0.0);
    for (int trial = 0; trial < MaxTrials; ++trial) {
        if (!stateGood)
            net.RestoreBase();
        if (!older.heads.empty())
            Heads::Predict(network, newer, older, q);
        hydrant->NodeFlow = baseDemand + q;
        ++r.balances;
        stateGood = net.Balance() == ZBalanceInfo::Converged;
        if (stateGood) {
            std::swap(older, newer);
            newer.Take(network, q);
        }
        double m = -inf;
        if (stateGood)
            m = Margin(network, node, limiting);
        const bool feasible = m >= 0.0;
        if (feasible) {
            lo = {q, m};
            r.limiting = limiting;
            r.limitingFreeHead = network.NodeAt(limiting)->FreeHead();
        } else {
            hi = {q, m};
        }
        const double tol = std::max(RelativeTolerance * lo.q, AbsoluteTolerance);
        const double width = hi.q - lo.q;
        if (width <= tol)
            break;
        if (std::isinf(hi.q) && lo.q >= MaxFlow) {
            r.limiting = -1;
            break;
        }
        // The model through this trial and the converged one before it (the bracket's ends
        // once both are converged trials).
        const Trial now{q, m};
        Trial a = now, b = last;
        if (std::isfinite(hi.q) && std::isfinite(hi.m) && lo.q > 0.0) {
            a = lo;
            b = hi;
        }
        if (std::isfinite(now.m))
            last = now;
        double next = 0.5 * (lo.q + hi.q);
        if (std::isinf(hi.q)) {
            const MarginModel model(m0, a.q, a.m, b.q, b.m);
            const double reach = std::min(lo.q * 16.0, MaxFlow);
            next = std::min(std::max(model.Root(lo.q, reach) + 0.5 * tol, lo.q * 1.01), reach);
        } else if (std::isfinite(a.m) && std::isfinite(b.m) && width < 0.5 * widthTwoBefore) {
            const MarginModel model(m0, a.q, a.m, b.q, b.m);
            next = model.Root(lo.q, hi.q) + (feasible ? 0.5 : -0.5) * tol;
        }
        q = std::clamp(next, lo.q + 0.25 * tol, std::min(hi.q, MaxFlow) - (std::isinf(hi.q) ? 0.0 : 0.25 * tol));
        widthTwoBefore = widthBefore;
        widthBefore = width;
    }
    r.available = lo.q;
    return r;
}
