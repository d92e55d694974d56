#include "ZFireFlow.h"

#include "ZSweepNetwork.h"
#include "ZSweepPool.h"

#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"

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
    m_baseHeads.clear();
    for (const ZConsumeNode* n : m_base->Network().Nodes())
        m_baseHeads.push_back(n->NodeHydrElev);
    m_basePipes.clear();
    for (const ZFlowLink* l : m_base->Network().Links()) {
        if (l->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(l);
        const int a = pipe->StartNode()->GetIndex(), b = pipe->EndNode()->GetIndex();
        // The solver's law: the flow and slope the heads give (ZBalanceInfo::Assemble).
        const double dh =
            ZPipeLink::LawHeadDifference(m_baseHeads[static_cast<size_t>(a)] - m_baseHeads[static_cast<size_t>(b)]);
        const double e = pipe->FlowExponent(), ratio = std::pow(std::fabs(dh) / pipe->Resistance, 1.0 / e);
        const double parallel = pipe->PipeParallel + 1.0;
        const double g = parallel * ratio / (e * std::fabs(dh));
        if (std::isfinite(g) && g > 0.0 && pipe->Resistance > 0.0) {
            const double f0 = dh < 0.0 ? -ratio : ratio, power0 = std::pow(ratio, e - 1.0);
            m_basePipes.push_back({pipe->GetIndex(), a, b, pipe->Resistance, e, parallel, f0, g,
                                   pipe->Resistance * f0 * power0, e * pipe->Resistance * power0});
        }
    }
    m_checked.clear();
    m_lowBase.clear();
    for (const ZConsumeNode* n : m_base->Network().Nodes()) {
        if (!IsCandidate(*n) || n->IsCutOff())
            continue;
        (n->FreeHead() >= m_params.SystemMinHead ? m_checked : m_lowBase).push_back(n->GetIndex());
    }
    return status;
}

// One worker's copy of the network and the scratch of its searches.
struct ZFireFlow::Workspace {
    std::unique_ptr<ZSweepNetwork> net;
    std::vector<double> drop, scratch;   // head drop per m3/s at k, and the solve's scratch
    std::vector<double> flows;           // the first trial's foreseen flows, per link
    // Per node, the head as h0 - alpha Q - beta Q^1.852 (see FitHeads).
    std::vector<double> alpha, beta;
    std::vector<double> newer, older;   // heads of the last two converged trials
    // The pipes that carry more than a thousandth of an extra demand at the node: that share, and
    // the pipe (m_basePipes).
    std::vector<std::pair<double, int>> carried;
    double newerQ = -1.0, olderQ = -1.0;
};

bool ZFireFlow::Run(const std::vector<int>& nodes, ProgressObserver* observer)
{
    m_results.assign(nodes.size(), Result());
    std::vector<Workspace> workers;
    const int jobs =
        std::min(static_cast<int>(nodes.size()), m_params.Jobs < 1 ? ZSweepPool::DefaultJobs() : m_params.Jobs);
    workers.resize(static_cast<size_t>(std::max(jobs, 0)));
    const bool complete = ZSweepPool::Run(
        static_cast<int>(nodes.size()), jobs,
        [&](int w) {
            auto& worker = workers[static_cast<size_t>(w)].net;
            worker = std::make_unique<ZSweepNetwork>(m_base->Network(), m_settings);
            worker->ReusePreparation(true);
            worker->HeadsOnly(true);
        },
        [&](int w, int i) {
            Workspace& work = workers[static_cast<size_t>(w)];
            m_results[static_cast<size_t>(i)] = Search(*work.net, work, nodes[static_cast<size_t>(i)]);
        },
        observer);
    if (!complete)
        m_results.clear();
    return complete;
}

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

// The heads' models through what is known: the base's slope alone, the slope and one trial, or
// two trials when they lie apart enough for their difference to tell the curvature (trials a
// tolerance apart would turn rounding into it).
void FitHeads(const std::vector<double>& base, const std::vector<double>& drop, double qa, const std::vector<double>& a,
              double qb, const std::vector<double>& b, std::vector<double>& alpha, std::vector<double>& beta)
{
    const size_t n = base.size();
    alpha = drop;
    beta.assign(n, 0.0);
    if (!(qa > 0.0))
        return;
    const double pa = std::pow(qa, LossExponent);
    if (qb > 0.0 && std::fabs(qa - qb) > 0.05 * std::max(qa, qb)) {
        const double pb = std::pow(qb, LossExponent), det = qa * pb - qb * pa;
        for (size_t i = 0; i < n; ++i) {
            const double da = base[i] - a[i], db = base[i] - b[i];
            alpha[i] = (da * pb - db * pa) / det;
            beta[i] = (qa * db - qb * da) / det;
        }
        return;
    }
    for (size_t i = 0; i < n; ++i)
        beta[i] = (base[i] - drop[i] * qa - a[i]) / pa;
}
}   // namespace

void ZFireFlow::FirstModels(Workspace& w, int node) const
{
    FitHeads(m_baseHeads, w.drop, -1.0, w.newer, -1.0, w.older, w.alpha, w.beta);
    const size_t k = static_cast<size_t>(node);
    const double slope = w.drop[k];
    if (!(slope > 0.0))
        return;
    // A unit extra demand at the node moves g (drop_to - drop_from) through each pipe. Beyond the
    // slope, each pipe's loss grows by what its law adds to the tangent, and by reciprocity the
    // node's head falls by that excess times the pipe's share. Pipes far off carry too little of
    // the fire flow for their excess to count.
    w.carried.clear();
    for (size_t p = 0; p < m_basePipes.size(); ++p) {
        const BasePipe& b = m_basePipes[p];
        const double share = b.conductance * (w.drop[static_cast<size_t>(b.to)] - w.drop[static_cast<size_t>(b.from)]);
        if (std::fabs(share) > 1e-3)
            w.carried.emplace_back(share, static_cast<int>(p));
    }
    // The node's head drop beyond the slope at q, and its derivative.
    const auto excess = [&](double q, double& derivative) {
        double sum = 0.0;
        derivative = 0.0;
        for (const auto& [share, p] : w.carried) {
            const BasePipe& b = m_basePipes[static_cast<size_t>(p)];
            const double one = share / b.parallel, f = b.flow + one * q;
            const double power = std::pow(std::fabs(f), b.exponent - 1.0);
            sum += share * (b.resistance * f * power - b.loss - b.slope * one * q);
            derivative += share * one * (b.exponent * b.resistance * power - b.slope);
        }
        return sum;
    };
    const double margin0 = m_baseHeads[k] - m_base->Network().NodeAt(node)->NodeGrunElev - m_params.ResidualHead;
    const auto margin = [&](double q, double& derivative) {
        const double m = margin0 - slope * q - excess(q, derivative);
        derivative = -slope - derivative;
        return m;
    };
    // Newton from the slope's zero, kept inside a bracket of the node's own margin.
    double lo = 0.0, hi = std::min(margin0 / slope, 16.0 * FirstTrial), d = 0.0;
    if (!(hi > 0.0) || margin(hi, d) >= 0.0)
        return;
    double q = hi;
    for (int it = 0; it < 30; ++it) {
        const double m = margin(q, d);
        (m >= 0.0 ? lo : hi) = q;
        double next = q - m / d;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (std::fabs(next - q) < 1e-4 * q) {
            q = next;
            break;
        }
        q = next;
    }
    // Every node's curvature as the node's, in proportion to its slope: a guess that only sets
    // the first trial and the heads it starts from.
    const double curvature = excess(q, d) / std::pow(q, LossExponent) / slope;
    for (size_t i = 0; i < w.beta.size(); ++i)
        w.beta[i] = curvature * w.drop[i];
}

ZFireFlow::Result ZFireFlow::Search(ZSweepNetwork& net, Workspace& w, int node) const
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
    // The margin of node i at the heads h: its free head above R (the hydrant) or S (the others).
    const auto limitOf = [&](int i) { return i == node ? m_params.ResidualHead : m_params.SystemMinHead; };
    const auto smallestMargin = [&](int& limiting) {
        double smallest = hydrant->FreeHead() - m_params.ResidualHead;
        limiting = node;
        for (int i : m_checked) {
            const double m = network.NodeAt(i)->FreeHead() - m_params.SystemMinHead;
            if (m < smallest && i != node) {
                smallest = m;
                limiting = i;
            }
        }
        return smallest;
    };
    const double baseDemand = hydrant->NodeFlow;
    int limiting = node;
    const double m0 = smallestMargin(limiting);
    r.limiting = limiting;
    r.limitingFreeHead = network.NodeAt(limiting)->FreeHead();
    if (!(m0 >= 0.0))
        return r;
    if (!m_base->DemandSensitivity(node, w.drop, w.scratch))
        w.drop.assign(m_baseHeads.size(), 0.0);
    w.newerQ = w.olderQ = -1.0;
    FirstModels(w, node);

    // The smallest zero of the models' margins in (a, b], or inf when they all stay above zero.
    const auto modelRoot = [&](double a, double b) {
        const auto marginAt = [&](int i, double q, double p) {
            const size_t k = static_cast<size_t>(i);
            return m_baseHeads[k] - w.alpha[k] * q - w.beta[k] * p - network.NodeAt(i)->NodeGrunElev - limitOf(i);
        };
        double q = b, p = std::pow(b, LossExponent);
        bool found = false;
        const auto lower = [&](int i) {
            if (marginAt(i, q, p) >= 0.0)
                return;
            // Bisection in (a, q]: the model need not be monotone when the fit is poor.
            double lo = a, hi = q;
            for (int it = 0; it < 60 && hi - lo > 1e-9 * hi; ++it) {
                const double mid = 0.5 * (lo + hi);
                (marginAt(i, mid, std::pow(mid, LossExponent)) >= 0.0 ? lo : hi) = mid;
            }
            q = hi;
            p = std::pow(q, LossExponent);
            found = true;
        };
        lower(node);
        for (int i : m_checked)
            if (i != node)
                lower(i);
        return found ? q : inf;
    };
    const auto predictHeads = [&](double q) {
        const double p = std::pow(q, LossExponent);
        for (int i = 0; i < network.NodeCount(); ++i) {
            ZConsumeNode* n = network.NodeAt(i);
            const size_t k = static_cast<size_t>(i);
            if (n->IsFlowKnown() && !n->IsCutOff())
                n->NodeHydrElev = m_baseHeads[k] - w.alpha[k] * q - w.beta[k] * p;
        }
    };
    const auto keepHeads = [&](double q) {
        std::swap(w.older, w.newer);
        w.olderQ = w.newerQ;
        w.newer.resize(static_cast<size_t>(network.NodeCount()));
        for (int i = 0; i < network.NodeCount(); ++i)
            w.newer[static_cast<size_t>(i)] = network.NodeAt(i)->NodeHydrElev;
        w.newerQ = q;
    };

    double lo = 0.0, hi = inf;
    double widthBefore = inf, widthTwoBefore = inf;
    // The slope alone overshoots where the pipes carry little flow before the fire (their losses
    // then grow with the fire flow's square, not in proportion): the first trial stays within
    // reach of a few hydrants.
    double q = std::clamp(modelRoot(0.0, MaxFlow), AbsoluteTolerance, 16.0 * FirstTrial);
    for (int trial = 0; trial < MaxTrials; ++trial) {
        net.RestoreBase();
        predictHeads(q);
        hydrant->NodeFlow = baseDemand + q;
        ++r.balances;
        // The first trial starts from the base flows with the extra demand on the paths the base
        // matrix gives it; later ones from heads that earlier trials made good.
        if (trial == 0) {
            w.flows.assign(static_cast<size_t>(network.LinkCount()), 0.0);
            for (const BasePipe& b : m_basePipes) {
                const double share =
                    b.conductance * (w.drop[static_cast<size_t>(b.to)] - w.drop[static_cast<size_t>(b.from)]);
                w.flows[static_cast<size_t>(b.link)] = b.flow + share / b.parallel * q;
            }
            net.StartFromFlows(&w.flows);
        }
        const bool converged = net.Balance() == ZBalanceInfo::Converged;
        net.StartFromFlows(nullptr);
        r.passes += net.Passes();
        const bool feasible = converged && smallestMargin(limiting) >= 0.0;
        if (feasible) {
            lo = q;
            r.limiting = limiting;
            r.limitingFreeHead = network.NodeAt(limiting)->FreeHead();
        } else {
            hi = q;
        }
        if (converged) {
            keepHeads(q);
            FitHeads(m_baseHeads, w.drop, w.newerQ, w.newer, w.olderQ, w.older, w.alpha, w.beta);
        }
        const double tol = std::max(RelativeTolerance * lo, AbsoluteTolerance);
        const double width = hi - lo;
        if (width <= tol)
            break;
        if (std::isinf(hi) && lo >= MaxFlow) {
            r.limiting = -1;
            break;
        }
        double next = 0.5 * (lo + hi);
        const double reach = std::isinf(hi) ? std::min(std::max(lo * 16.0, FirstTrial), MaxFlow) : hi;
        if (std::isinf(hi) || width < 0.5 * widthTwoBefore) {
            // Aim a little past the models' zero on the side the last trial did not fall on, so
            // that a right model closes the bracket with the next trial.
            const double root = modelRoot(lo, reach);
            const double aim = 0.4 * std::max(RelativeTolerance * std::min(root, reach), AbsoluteTolerance);
            next = std::isinf(root) ? reach : root + (feasible ? aim : -aim);
        }
        q = std::clamp(next, lo + 0.25 * tol, std::isinf(hi) ? reach : hi - 0.25 * tol);
        widthTwoBefore = widthBefore;
        widthBefore = width;
    }
    r.available = lo;
    return r;
}
