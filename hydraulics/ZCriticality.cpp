#include "ZCriticality.h"

#include "ZCutOffParts.h"
#include "ZFireFlow.h"
#include "ZSweepNetwork.h"
#include "ZSweepPool.h"

#include "model/ZNetwork.h"

#include <algorithm>

ZCriticality::ZCriticality(const ZNetwork& network, const ZDrawSettings& settings, const Params& params)
    : m_source(network), m_settings(settings), m_params(params)
{
    m_settings.CalcCase = ZDrawSettings::Accident;
    m_settings.Params.AccidentFactor = params.AccidentFactor;
    m_settings.Params.DemandModel = ZBalanceParams::DemandDriven;
}

ZCriticality::~ZCriticality() = default;

int ZCriticality::Prepare()
{
    m_base = std::make_unique<ZSweepNetwork>(m_source, m_settings);
    for (ZFlowLink* l : m_base->Network().Links())
        if (l->GetKind() == ZNetObject::Kind::Pipe)
            l->ClearFlag(qen::FLAG_ACCIDENT_PIPE);
    const int status = m_base->Balance(nullptr, false);
    if (status != ZBalanceInfo::Converged)
        return status;
    m_base->KeepAsBase();
    m_parts = std::make_unique<ZCutOffParts>(m_base->Network());
    return status;
}

bool ZCriticality::Run(const std::vector<int>& pipes, ProgressObserver* observer)
{
    m_results.assign(pipes.size(), Result());
    const int jobs =
        std::min(static_cast<int>(pipes.size()), m_params.Jobs < 1 ? ZSweepPool::DefaultJobs() : m_params.Jobs);
    std::vector<std::unique_ptr<ZSweepNetwork>> workers(static_cast<size_t>(std::max(jobs, 0)));
    std::vector<std::vector<char>> shut(workers.size());
    const bool complete = ZSweepPool::Run(
        static_cast<int>(pipes.size()), jobs,
        [&](int w) {
            workers[static_cast<size_t>(w)] = std::make_unique<ZSweepNetwork>(m_base->Network(), m_settings);
            shut[static_cast<size_t>(w)].assign(static_cast<size_t>(m_source.LinkCount()), 0);
        },
        [&](int w, int i) {
            m_results[static_cast<size_t>(i)] =
                Fail(*workers[static_cast<size_t>(w)], pipes[static_cast<size_t>(i)], shut[static_cast<size_t>(w)]);
        },
        observer);
    if (!complete)
        m_results.clear();
    return complete;
}

ZCriticality::Result ZCriticality::Fail(ZSweepNetwork& net, int pipe, std::vector<char>& shut) const
{
    Result r;
    r.pipe = pipe;
    net.RestoreBase();
    ZNetwork& network = net.Network();
    // A part cut off has no head to balance against: its demands stay out of the run, which then
    // holds its nodes fixed.
    const ZCutOffParts::Range cut = m_parts->CutOffBy(pipe);
    const std::vector<int>& order = m_parts->Order();
    for (int k = cut.first; k < cut.last; ++k) {
        ZConsumeNode* n = network.NodeAt(order[static_cast<size_t>(k)]);
        n->NodeFlow = 0.0;
        if (ZFireFlow::IsCandidate(*n))
            ++r.cutOff;
    }
    shut[static_cast<size_t>(pipe)] = 1;
    const int status = net.Balance(&shut);
    shut[static_cast<size_t>(pipe)] = 0;
    if (status != ZBalanceInfo::Converged) {
        r.failed = true;
        return r;
    }
    for (int i = 0; i < network.NodeCount(); ++i) {
        const ZConsumeNode* n = network.NodeAt(i);
        if (!ZFireFlow::IsCandidate(*n) || !m_parts->IsReached(i) ||
            (cut.last > cut.first && m_parts->IsCutOffBy(pipe, i)))
            continue;
        const double h = n->FreeHead();
        if (h < m_params.MinFreeHead)
            ++r.nodesBelow;
        if (r.worst < 0 || h < r.worstFreeHead) {
            r.worst = i;
            r.worstFreeHead = h;
        }
    }
    return r;
}
