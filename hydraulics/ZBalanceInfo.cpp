#include "ZBalanceInfo.h"

#include "ZPowerKernel.h"

#include "model/ProgressObserver.h"
#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZPipeLink.h"
#include "model/ZPumpLink.h"
#include "model/ZTankLink.h"
#include "model/ZValveLink.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <numeric>

namespace {
constexpr double KnownHeadDiagonal = 1e100;
constexpr double MinResistance = 1e-6;

double SecondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}
}   // namespace

ZBalanceInfo::ZBalanceInfo(const ZDrawSettings& calcData, ZNetwork& network)
    : ZBalanceContext(calcData.CalcCase, calcData.Params.AccidentFactor), m_network(network), m_calcData(calcData),
      m_iterationLimit(calcData.Params.MaxIterations), m_checkFlags(calcData.Params.CheckFlags),
      m_flowTolerance(calcData.Params.FlowTolerance), m_headTolerance(calcData.Params.HeadTolerance)
{
    SetCheckValvesClose(calcData.Params.CheckValvesClose);
    if (calcData.Params.DemandModel == ZBalanceParams::PressureDriven)
        m_pressureDemand = std::make_unique<ZPressureDemand>(calcData.Params);
}

void ZBalanceInfo::Notify()
{
    if (m_progressObserver) {
        m_progressObserver->Progress(m_phase == PhaseFinished ? 1.0 : std::min(m_progress, 0.99));
        // Only a pass can stop; a request made earlier is asked again at the first pass.
        if (m_phase == PhaseIterate && m_progressObserver->StopRequested())
            RequestStop();
    }
}

void ZBalanceInfo::Run()
{
    const auto t0 = std::chrono::steady_clock::now();
    m_phase = PhaseStart;
    Notify();
    m_phase = PhaseCheck;
    Notify();
    const bool reuse = m_reusePreparation && m_prepared && m_system;
    m_prepared = false;
    if (reuse || Prepare()) {
        if (!m_system)
            BuildSystem();
        m_phase = PhaseIterate;
        m_initResistances = reuse ? 0 : 1;
        Iterate();
        if (m_keepSystem) {
            m_initHeads = m_status == Converged ? 0 : 1;
            m_prepared = m_status == Converged;
            m_phase = PhaseFinished;
            m_timings.total = SecondsSince(t0);
            Notify();
            return;
        }
        m_system.reset();
        std::vector<double>().swap(m_rhs);
        std::vector<double>().swap(m_conductance);
        std::vector<std::pair<int, int>>().swap(m_linkRows);
        std::vector<PipeTerm>().swap(m_pipes);
        std::vector<double>().swap(m_pipeFlow);
        std::vector<double>().swap(m_pipeConductance);
        std::vector<double>().swap(m_pipeInverseExponent);
        std::vector<double>().swap(m_pipePower);
        std::vector<double>().swap(m_pipeHeadDifference);
        std::vector<int>().swap(m_otherLinks);
        std::vector<int>().swap(m_slotOrder);
        std::vector<double>().swap(m_heads);
    }
    m_phase = PhaseFinished;
    m_timings.total = SecondsSince(t0);
    Notify();
}

bool ZBalanceInfo::Prepare()
{
    if (!m_physical.CheckParams(m_calcData.Params) || !m_physical.Run(m_network, *this)) {
        m_status = InvalidData;
        return false;
    }
    bool anyHeadKnown = false;
    for (ZConsumeNode* node : m_network.Nodes()) {
        if (node->IsDeviceNode()) {
            if (ZDeviceLink* device = node->GetDevice()) {
                if (device->GetKind() == ZNetObject::Kind::Tank) {
                    node->NodeHydrElev = static_cast<ZTankLink*>(device)->SurfaceElevation();
                    if (node->IsFlowKnown())
                        node->SetHeadKnown(true);
                } else {
                    node->SetHeadKnown(false);
                }
                node->NodeFlow = 0.0;
                node->NodeFireFlow = 0.0;
            }
        }
        anyHeadKnown = anyHeadKnown || node->IsHeadKnown();
    }
    if (!anyHeadKnown) {
        m_status = NoHeadKnownNode;
        return false;
    }
    // A part no open path joins to a known head has no head of its own. Without demand it takes
    // no part in the balance: its rows are held fixed like known heads. With demand, there is no
    // answer at all (the matrix would be singular), and the run ends here.
    const std::vector<char> reached = ReachedNodes();
    const int n = m_network.NodeCount();
    m_pinned.clear();
    m_pinnedCount = 0;
    for (int i = 0; i < n; ++i) {
        if (reached[static_cast<size_t>(i)])
            continue;
        const ZConsumeNode* node = m_network.NodeAt(i);
        if (node->CaseDemand(*this) != 0.0) {
            m_cutOffNode = node;
            m_status = Diverged;
            m_divergeReason = CutOff;
            return false;
        }
        if (m_pinned.empty())
            m_pinned.assign(static_cast<size_t>(n), 0);
        m_pinned[static_cast<size_t>(i)] = 1;
        ++m_pinnedCount;
    }
    return true;
}

// The first flow-known node in list order that no chain of open links joins to a known head and
// that the run does not hold fixed.
const ZFlowNode* ZBalanceInfo::FindCutOffNode() const
{
    const std::vector<char> reached = ReachedNodes();
    for (int i = 0; i < m_network.NodeCount(); ++i)
        if (!reached[static_cast<size_t>(i)] && !IsPinned(i))
            return m_network.NodeAt(i);
    return nullptr;
}

// Per node: whether a chain of open links joins it to a known head.
std::vector<char> ZBalanceInfo::ReachedNodes() const
{
    const auto isOpen = [this](const ZNetLink* link) {
        switch (link->GetKind()) {
        case ZNetObject::Kind::Pipe:
            if (IsShut(link->GetIndex()))
                return false;
            return !(CalcCase() == Accident && static_cast<const ZPipeLink*>(link)->IsAccidentPipe());
        case ZNetObject::Kind::Pump:
            return static_cast<const ZPumpLink*>(link)->PumpOpen && !IsShut(link->GetIndex());
        case ZNetObject::Kind::Valve:
            return !static_cast<const ZValveLink*>(link)->IsShutByUser() && !IsShut(link->GetIndex());
        default:
            return true;
        }
    };
    const int n = m_network.NodeCount();
    std::vector<char> reached(static_cast<size_t>(n), 0);
    std::vector<const ZNetNode*> stack;
    for (const ZConsumeNode* node : m_network.Nodes()) {
        if (node->IsHeadKnown()) {
            reached[static_cast<size_t>(node->GetIndex())] = 1;
            stack.push_back(node);
        }
    }
    while (!stack.empty()) {
        const ZNetNode* node = stack.back();
        stack.pop_back();
        for (const ZNetLink* link = node->FirstLink(); link; link = link->NextLinkAt(node)) {
            const ZNetNode* other = link->OtherNode(node);
            char& mark = reached[static_cast<size_t>(other->GetIndex())];
            if (!mark && isOpen(link)) {
                mark = 1;
                stack.push_back(other);
            }
        }
    }
    return reached;
}

void ZBalanceInfo::BuildSystem()
{
    const int links = m_network.LinkCount();
    m_linkRows.resize(static_cast<size_t>(links));
    for (int l = 0; l < links; ++l) {
        const ZFlowLink* link = m_network.LinkAt(l);
        m_linkRows[static_cast<size_t>(l)] = {link->StartNode()->GetIndex(), link->EndNode()->GetIndex()};
    }
    m_system = std::make_unique<ZNodalSystem>();
    m_system->Analyze(m_network.NodeCount(), m_linkRows);
    // Links in the order of their matrix slots, for every run on this system (GatherPipes).
    m_slotOrder.resize(static_cast<size_t>(links));
    std::iota(m_slotOrder.begin(), m_slotOrder.end(), 0);
    std::stable_sort(m_slotOrder.begin(), m_slotOrder.end(),
                     [this](int x, int y) { return m_system->SlotsOf(x).off < m_system->SlotsOf(y).off; });
    m_rhs.assign(static_cast<size_t>(m_network.NodeCount()), 0.0);
    m_conductance.assign(static_cast<size_t>(links), 0.0);
    m_timings.ordering = m_system->OrderingSeconds();
    m_timings.symbolic = m_system->SymbolicSeconds();
    m_timings.factorNonZeros = m_system->FactorNonZeros();
}

void ZBalanceInfo::Iterate()
{
    m_stopRequest = 0;
    if (m_initResistances) {
        for (ZFlowLink* link : m_network.Links())
            if (link->CalcResistance(*this) < MinResistance)
                link->Resistance = MinResistance;
    }
    if (m_initHeads) {
        double hMin = std::numeric_limits<double>::max();
        for (const ZConsumeNode* node : m_network.Nodes())
            if (node->IsHeadKnown())
                hMin = std::min(hMin, node->NodeHydrElev);
        // Held nodes share one head, so that their pipes show no loss beside no flow: the
        // highest ground among them, where no free head is negative.
        double held = -std::numeric_limits<double>::max();
        for (const ZConsumeNode* node : m_network.Nodes())
            if (IsPinned(node->GetIndex()))
                held = std::max(held, node->NodeGrunElev);
        int k = 0;
        for (ZConsumeNode* node : m_network.Nodes()) {
            if (!node->IsFlowKnown())
                continue;
            if (IsPinned(node->GetIndex()))
                node->NodeHydrElev = m_heldHead = held;
            else
                node->NodeHydrElev = hMin - 0.1 * ++k;
        }
    }
    GatherPipes();
    m_valves.Gather(m_network, *this);
    if (m_pressureDemand)
        m_pressureDemand->Gather(m_network, *this, m_pinned);
    m_componentRun = !m_valves.Empty() || (m_pressureDemand && !m_pressureDemand->Empty());
    // From the first guess whole steps would throw the heads far out; near the answer they land.
    m_relaxation = m_wholeSteps ? 1.0 : 0.5;
    const bool wholeSteps = m_wholeSteps;
    m_wholeSteps = false;
    m_correctionRatio = 1.0;
    m_progress = m_maxCorrection = m_prevMaxCorrection = 0.0;
    m_iterationCount = 0;
    m_bestCorrection = 0.0;
    m_bestPass = 0;

    const int n = m_network.NodeCount();
    const std::vector<int>& perm = m_system->Permutation();
    int anchoredRevision = -1;   // of the valve states last checked for pockets without a head
    for (;;) {
        if (m_iterationLimit != -1 && m_iterationCount >= m_iterationLimit) {
            m_status = IterationLimit;
            StoreFlows();
            return;
        }
        Assemble();
        if (m_valves.Revision() != anchoredRevision) {
            while (m_valves.AnyHolding() && m_valves.ReleaseIsolating(AnchoredNodes()))
                Assemble();
            anchoredRevision = m_valves.Revision();
        }

        bool converged = true;
        if (m_checkFlags & ZBalanceParams::CheckFlow) {
            const double* rhs = m_system->RightHandSide();
            double residual = 0.0;
            for (int i = 0; i < n; ++i)
                if (m_network.NodeAt(i)->IsFlowKnown() && !IsPinned(i) && !m_valves.IsHeld(i))
                    residual = std::max(residual, std::fabs(rhs[perm[static_cast<size_t>(i)]]));
            converged = residual < m_flowTolerance;
        }

        bool finite = m_system->SolveInternal();
        if (finite) {
            const double* x = m_system->Solution();
            for (int i = 0; i < n; ++i)
                m_rhs[static_cast<size_t>(i)] = x[perm[static_cast<size_t>(i)]];
        }
        m_timings.factor = m_system->FactorSeconds();
        m_timings.solve = m_system->SolveSeconds();
        m_prevMaxCorrection = m_maxCorrection;
        m_maxCorrection = 0.0;
        int largestRow = 0;
        for (int i = 0; finite && i < n; ++i) {
            const double d = m_rhs[static_cast<size_t>(i)];
            finite = std::isfinite(d);
            if (std::fabs(d) > m_maxCorrection) {
                m_maxCorrection = std::fabs(d);
                largestRow = i;
            }
        }
        if (!finite) {
            StoreFlows();
            m_status = Diverged;
            m_divergeReason = CutOff;
            m_cutOffNode = FindCutOffNode();
            return;
        }
        m_correctionRatio = m_prevMaxCorrection + 1.0 == 1.0 ? 1.0 : m_maxCorrection / m_prevMaxCorrection;

        if (m_iterationCount >= 2 && m_correctionRatio < 1.0) {
            double k = std::log(m_headTolerance / m_maxCorrection) / std::log(m_correctionRatio);
            if (!(k > 1.0))
                k = 1.0;
            m_progress += (1.0 - m_progress) / k;
        }

        for (int i = 0; i < n; ++i) {
            ZConsumeNode* node = m_network.NodeAt(i);
            node->NodeHydrElev += m_relaxation * m_rhs[static_cast<size_t>(i)];
            m_heads[static_cast<size_t>(perm[static_cast<size_t>(i)])] = node->NodeHydrElev;
        }
        if (m_pressureDemand)
            m_pressureDemand->Update(m_network, m_relaxation, m_rhs);

        if (converged && (m_checkFlags & ZBalanceParams::CheckHead))
            converged = m_maxCorrection < m_headTolerance || LastPassPredicted();
        if (converged)
            converged = ComponentsSettled();
        else if (!m_valves.Empty() && m_maxCorrection > ZValveControl::OffCourseCorrection && m_valves.ReleaseActive())
            m_bestPass = m_iterationCount;
        else if (!m_valves.Empty() && m_iterationCount - m_bestPass >= ZValveControl::StalledPasses &&
                 m_valves.UpdateStates())
            m_bestPass = m_iterationCount;   // a state on the edge can keep the passes swinging

        ++m_iterationCount;
        if (wholeSteps && m_iterationCount >= 2 && m_correctionRatio > 0.5 && m_relaxation == 1.0)
            m_relaxation = 0.5;   // not the answer's neighbourhood after all: damped as from a guess
        else if (1.0 - m_relaxation + 0.1 > m_correctionRatio)
            m_relaxation = std::min(m_relaxation + 0.2, 1.0);

        Notify();

        if (converged && m_headsOnly && !m_componentRun) {
            m_status = Converged;
            MarkCutOff();
            return;
        }
        if (converged) {
            m_status = Converged;
            StoreFlows();
            MendFlows();
            WriteBack();
            MarkCutOff();
            m_valves.Finish(m_network);
            StoreDelivered();
            return;
        }
        if (CheckDivergence(largestRow)) {
            StoreFlows();
            return;
        }
        if (m_stopRequest) {
            m_status = Stopped;
            StoreFlows();
            return;
        }
    }
}

bool ZBalanceInfo::CheckDivergence(int largestRow)
{
    for (ZConsumeNode* node : m_network.Nodes()) {
        if (!(std::fabs(node->NodeHydrElev) <= ZPhysicalCheck::MaxHead)) {
            m_status = Diverged;
            m_divergeReason = HeadOutOfRange;
            m_divergedNode = node;
            return true;
        }
    }
    if (m_iterationCount == 1 || m_maxCorrection < 0.5 * m_bestCorrection) {
        m_bestCorrection = m_maxCorrection;
        m_bestPass = m_iterationCount;
    } else if (m_iterationCount - m_bestPass >= StallPasses) {
        m_status = Diverged;
        m_divergeReason = NotShrinking;
        m_divergedNode = m_network.NodeAt(largestRow);
        return true;
    }
    return false;
}

// Per node: whether links that carry a head (open pipes and devices, not shut valves nor active
// control valves, whose conductance is nil or vanishing) join it to a known or held head.
std::vector<char> ZBalanceInfo::AnchoredNodes() const
{
    const int n = m_network.NodeCount();
    std::vector<char> weak(static_cast<size_t>(m_network.LinkCount()), 0);
    for (int l : m_otherLinks)
        weak[static_cast<size_t>(l)] = m_conductance[static_cast<size_t>(l)] <= ZValveLink::ShutConductance;
    std::vector<char> anchored(static_cast<size_t>(n), 0);
    std::vector<const ZNetNode*> stack;
    for (const ZConsumeNode* node : m_network.Nodes()) {
        const int i = node->GetIndex();
        if (node->IsHeadKnown() || IsPinned(i) || m_valves.IsHeld(i)) {
            anchored[static_cast<size_t>(i)] = 1;
            stack.push_back(node);
        }
    }
    while (!stack.empty()) {
        const ZNetNode* node = stack.back();
        stack.pop_back();
        for (const ZNetLink* link = node->FirstLink(); link; link = link->NextLinkAt(node)) {
            if (weak[static_cast<size_t>(link->GetIndex())])
                continue;
            const ZNetNode* other = link->OtherNode(node);
            char& mark = anchored[static_cast<size_t>(other->GetIndex())];
            if (!mark) {
                mark = 1;
                stack.push_back(other);
            }
        }
    }
    return anchored;
}

bool ZBalanceInfo::LastPassPredicted() const
{
    // Quadratic convergence: the next correction is about this one times the last ratio squared.
    return m_predictLastPass && !(m_checkFlags & ZBalanceParams::CheckFlow) && !m_componentRun &&
           m_iterationCount >= 1 && m_relaxation == 1.0 && m_correctionRatio < 0.2 &&
           m_maxCorrection < 100.0 * m_headTolerance &&
           m_maxCorrection * m_correctionRatio * m_correctionRatio < 0.5 * m_headTolerance;
}

bool ZBalanceInfo::ComponentsSettled()
{
    if (m_headsOnly && !m_componentRun)
        return true;
    StoreFlows();   // the state rules read the pipes' flows too
    const bool demands = !m_pressureDemand || m_pressureDemand->Converged(m_network);
    const bool states = !m_valves.UpdateStates();
    if (!states)
        m_bestPass = m_iterationCount;
    return demands && states;
}

// Laws whose flow vanishes with the head difference: pipes, and valves but the pressure breaker
// (a loss offset by its setting) and the curve valve.
bool ZBalanceInfo::LawThroughZero(const ZFlowLink& link)
{
    if (link.GetKind() == ZNetObject::Kind::Pipe)
        return true;
    if (link.GetKind() != ZNetObject::Kind::Valve)
        return false;
    const int type = static_cast<const ZValveLink&>(link).GetValveType();
    return type != ZValveLink::Pbv && type != ZValveLink::Gpv && type != ZValveLink::PressureReducing;
}

// Called once the resistances are set: which links take the fast path, with what data.
void ZBalanceInfo::GatherPipes()
{
    const std::vector<int>& perm = m_system->Permutation();
    // A run on a prepared network whose links did not change finds the same pipes.
    const bool same = !m_initResistances && !m_pipes.empty();
    if (!same)
        GatherPipeTerms();
    m_pipeFlow.assign(m_pipes.size(), 0.0);
    m_pipeConductance.assign(m_pipes.size(), 0.0);
    m_pipePower.assign(m_pipes.size(), 0.0);
    m_pipeHeadDifference.assign(m_pipes.size(), 0.0);
    const int n = m_network.NodeCount();
    m_heads.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        m_heads[static_cast<size_t>(perm[static_cast<size_t>(i)])] = m_network.NodeAt(i)->NodeHydrElev;
    m_flowsPending = false;
}

void ZBalanceInfo::GatherPipeTerms()
{
    const std::vector<int>& perm = m_system->Permutation();
    const int links = m_network.LinkCount();
    m_pipes.clear();
    m_otherLinks.clear();
    const auto fast = [this](int l) {
        const ZFlowLink* link = m_network.LinkAt(l);
        const auto* pipe = link->GetKind() == ZNetObject::Kind::Pipe ? static_cast<const ZPipeLink*>(link) : nullptr;
        return pipe && !IsShut(l) && !(CalcCase() == Accident && pipe->IsAccidentPipe()) &&
               !(pipe->MinorLossResistance() > 0.0);
    };
    for (int l = 0; l < links; ++l)
        if (!fast(l))
            m_otherLinks.push_back(l);
    for (int l : m_slotOrder) {
        if (!fast(l))
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(m_network.LinkAt(l));
        const auto& [a, b] = m_linkRows[static_cast<size_t>(l)];
        const ZNodalSystem::LinkSlots& s = m_system->SlotsOf(l);
        m_pipes.push_back({static_cast<unsigned>(perm[static_cast<size_t>(a)]),
                           static_cast<unsigned>(perm[static_cast<size_t>(b)]), s.diagA, s.diagB, s.off, l,
                           pipe->Resistance, pipe->FlowExponent(), static_cast<double>(pipe->PipeParallel + 1)});
    }
    m_pipeInverseExponent.resize(m_pipes.size());
    for (size_t k = 0; k < m_pipes.size(); ++k)
        m_pipeInverseExponent[k] = 1.0 / m_pipes[k].exponent;
}

void ZBalanceInfo::Assemble()
{
    const auto t0 = std::chrono::steady_clock::now();
    m_system->ClearValues();
    double* rhs = m_system->RightHandSide();
    double* values = m_system->Values();
    const std::vector<int>& perm = m_system->Permutation();
    const int n = m_network.NodeCount();
    const char* pinned = m_pinned.empty() ? nullptr : m_pinned.data();
    for (int i = 0; i < n; ++i) {
        const ZConsumeNode* node = m_network.NodeAt(i);
        if (node->IsHeadKnown() || (pinned && pinned[i]))
            m_system->AddDiagonal(i, KnownHeadDiagonal);
        rhs[perm[static_cast<size_t>(i)]] = -node->CaseDemand(*this);
    }
    // The pipe law of ZPipeLink::CalcFlow and CalcConductance for every open pipe, with the
    // powers taken in one vector pass. The conductance 1 / (e s |q|^(e-1)) is |q| / (e |dh|) for
    // the q the same dh gives, which spares a second power per pipe.
    const double* heads = m_heads.data();
    const size_t pipes = m_pipes.size();
    const bool reversalSecant = m_componentRun || m_secantAtReversal;
    double* ratio = m_pipePower.data();
    double* dhs = m_pipeHeadDifference.data();
    for (size_t k = 0; k < pipes; ++k) {
        const PipeTerm& p = m_pipes[k];
        const double dh = ZPipeLink::LawHeadDifference(heads[p.from] - heads[p.to]);
        dhs[k] = dh;
        ratio[k] = std::fabs(dh) / p.resistance;
    }
    ZPowerKernel::Pow(ratio, m_pipeInverseExponent.data(), ratio, pipes);
    // See StartFromFlows: the first pass takes the law's tangent at the given flows.
    const double* start = m_startFlows && m_iterationCount == 0 ? m_startFlows->data() : nullptr;
    for (size_t k = 0; k < pipes; ++k) {
        const PipeTerm& p = m_pipes[k];
        const double dh = dhs[k];
        double flow = dh <= 0.0 ? -ratio[k] : ratio[k];
        double g = p.parallel * ratio[k] / (p.exponent * std::fabs(dh));
        if (start && std::fabs(start[p.link]) > MinStartFlow) {
            const double f = start[p.link], power = std::pow(std::fabs(f), p.exponent - 1.0);
            const double tangent = 1.0 / (p.exponent * p.resistance * power);
            flow = f + tangent * (dh - p.resistance * f * power);
            g = p.parallel * tangent;
        }
        const double q = p.parallel * flow;
        // A pipe whose flow turned since the last pass: the secant through zero flow, q / dh,
        // not the law's slope q / (e dh). Where the flow must die away (a dead end behind a
        // valve that shut) the slope makes each step overshoot by e - 1 and the heads swing
        // about the answer shrinking only by 0.85 a pass; the secant lands on it.
        if (reversalSecant && flow * m_pipeFlow[k] < 0.0)
            g *= p.exponent;
        rhs[p.from] -= q;
        rhs[p.to] += q;
        values[p.diagFrom] += g;
        values[p.diagTo] += g;
        values[p.off] -= g;
        m_pipeFlow[k] = flow;
        m_pipeConductance[k] = g;
    }
    for (int l : m_otherLinks) {
        ZFlowLink* link = m_network.LinkAt(l);
        if (IsShut(l)) {
            link->Flow = 0.0;
            m_system->AddLink(l, ZValveLink::ShutConductance);
            m_conductance[static_cast<size_t>(l)] = 0.0;
            continue;
        }
        const double before = link->Flow;
        const double q = link->CalcFlow(*this);
        double g = link->CalcConductance(*this);
        // As above, for minor losses and valves too: about a vanishing flow an open valve's square
        // law overshoots by all of its step and the passes swing for ever.
        if (reversalSecant && link->Flow * before < 0.0 && LawThroughZero(*link)) {
            const double secant = q / (link->From()->NodeHydrElev - link->To()->NodeHydrElev);
            if (secant > 0.0 && std::isfinite(secant))
                g = secant;
        }
        const auto& [a, b] = m_linkRows[static_cast<size_t>(l)];
        rhs[perm[static_cast<size_t>(a)]] -= q;
        rhs[perm[static_cast<size_t>(b)]] += q;
        m_system->AddLink(l, g);
        m_conductance[static_cast<size_t>(l)] = g;
    }
    if (m_pressureDemand)
        m_pressureDemand->Assemble(m_network, *m_system, rhs, perm);
    if (!m_valves.Empty())
        m_valves.AssembleActive(*m_system, rhs, perm, KnownHeadDiagonal);
    m_flowsPending = true;
    m_timings.assembly += SecondsSince(t0);
}

// The fast path keeps pipe flows to itself while iterating.
void ZBalanceInfo::StoreFlows()
{
    if (!m_flowsPending)
        return;
    for (size_t k = 0; k < m_pipes.size(); ++k)
        m_network.LinkAt(m_pipes[k].link)->Flow = m_pipeFlow[k];
    m_flowsPending = false;
}

// The stored flows come from the heads before the last correction and leave each flow-known
// node unbalanced by about the residual of that pass. Moving every flow along its linear law
// over the full correction balances them to rounding (the solved equations say exactly that).
// Tanks are skipped: their huge conductance would turn rounding noise into flow.
void ZBalanceInfo::MendFlows()
{
    for (size_t k = 0; k < m_pipes.size(); ++k) {
        const PipeTerm& p = m_pipes[k];
        const double g = m_pipeConductance[k];
        if (g == 0.0)
            continue;
        const auto& [a, b] = m_linkRows[static_cast<size_t>(p.link)];
        m_network.LinkAt(p.link)->Flow +=
            g / p.parallel * (m_rhs[static_cast<size_t>(a)] - m_rhs[static_cast<size_t>(b)]);
    }
    for (int l : m_otherLinks) {
        ZFlowLink* link = m_network.LinkAt(l);
        double g = m_conductance[static_cast<size_t>(l)];
        if (g == 0.0 || link->GetKind() == ZNetObject::Kind::Tank)
            continue;
        if (link->GetKind() == ZNetObject::Kind::Pipe)
            g /= static_cast<const ZPipeLink*>(link)->PipeParallel + 1;
        const auto& [a, b] = m_linkRows[static_cast<size_t>(l)];
        link->Flow += g * (m_rhs[static_cast<size_t>(a)] - m_rhs[static_cast<size_t>(b)]);
    }
}

void ZBalanceInfo::WriteBack()
{
    for (ZConsumeNode* node : m_network.Nodes()) {
        if (!node->IsHeadKnown())
            continue;
        if (node->IsDeviceNode()) {
            ZDeviceLink* device = node->GetDevice();
            if (device && device->GetKind() == ZNetObject::Kind::Tank && device->StartNode() == node)
                device->Flow = -NetPipeInflow(*node);
            continue;
        }
        node->NodeFlow = NetPipeInflow(*node);
    }
}

// The demand each node was given: the case demand, less where pressure-driven demand found too
// little pressure; a known head's supply as written back.
void ZBalanceInfo::StoreDelivered()
{
    for (ZConsumeNode* node : m_network.Nodes())
        node->NodeDeliveredFlow = node->IsHeadKnown() ? node->NodeFlow : node->CaseDemand(*this);
    if (m_pressureDemand)
        m_pressureDemand->Store(m_network);
}

// Marks the nodes held out of this run and leaves their links without flow; clears the mark of
// every other node, so that it always tells of the last converged run.
void ZBalanceInfo::MarkCutOff()
{
    for (ZConsumeNode* node : m_network.Nodes()) {
        if (IsPinned(node->GetIndex())) {
            node->SetFlag(qen::FLAG_CUT_OFF);
            node->NodeHydrElev = m_heldHead;   // without the rounding its vanishing corrections left
        } else {
            node->ClearFlag(qen::FLAG_CUT_OFF);
        }
    }
    if (m_pinnedCount == 0)
        return;
    for (ZFlowLink* link : m_network.Links())
        if (IsPinned(link->StartNode()->GetIndex()) || IsPinned(link->EndNode()->GetIndex()))
            link->Flow = 0.0;
}

bool ZBalanceInfo::DemandSensitivity(int node, std::vector<double>& drop, std::vector<double>& scratch) const
{
    if (!m_system || m_status != Converged || node < 0 || node >= m_system->Rows())
        return false;
    const std::vector<int>& perm = m_system->Permutation();
    const size_t n = perm.size();
    // An extra demand d lowers the node's right-hand side by d, and the heads by J^-1 e d.
    scratch.assign(n, 0.0);
    scratch[static_cast<size_t>(perm[static_cast<size_t>(node)])] = 1.0;
    m_system->SolveWithLastFactors(scratch.data());
    drop.resize(n);
    for (size_t i = 0; i < n; ++i)
        drop[i] = scratch[static_cast<size_t>(perm[i])];
    return true;
}

double ZBalanceInfo::NetPipeInflow(const ZFlowNode& node)
{
    double inflow = 0.0;
    for (const ZNetLink* link = node.FirstLink(); link; link = link->NextLinkAt(&node)) {
        if (link->GetKind() != ZNetObject::Kind::Pipe)
            continue;
        const auto* pipe = static_cast<const ZPipeLink*>(link);
        const double q = (pipe->PipeParallel + 1) * pipe->Flow;
        inflow += pipe->EndNode() == &node ? q : -q;
    }
    return inflow;
}
