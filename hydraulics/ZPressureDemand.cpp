#include "ZPressureDemand.h"

#include "ZNodalSystem.h"

#include "model/ZBalanceParams.h"
#include "model/ZNetwork.h"

#include <algorithm>
#include <cmath>

namespace {
// EPANET's barrier slope and least slope of the inverse law (m per m3/s).
constexpr double Barrier = 1e8;
constexpr double LeastGradient = 1e-7;
}   // namespace

ZPressureDemand::ZPressureDemand(const ZBalanceParams& params)
    : m_min(params.MinPressure), m_span(params.RequiredPressure - params.MinPressure),
      m_exponent(params.PressureExponent)
{
}

void ZPressureDemand::Gather(const ZNetwork& network, const ZBalanceContext& ctx, const std::vector<char>& held)
{
    m_nodes.clear();
    for (const ZConsumeNode* node : network.Nodes()) {
        const int i = node->GetIndex();
        if (!node->IsFlowKnown() || node->IsDeviceNode() || (!held.empty() && held[static_cast<size_t>(i)]))
            continue;
        const double demand = node->CaseDemand(ctx);
        if (demand > 0.0)
            m_nodes.push_back({i, demand, demand});
    }
}

double ZPressureDemand::Fraction(double pressure) const
{
    if (pressure <= m_min)
        return 0.0;
    if (pressure >= m_min + m_span)
        return 1.0;
    return std::pow((pressure - m_min) / m_span, m_exponent);
}

// H(d) = span (d / D)^(1/E) and its slope, with the barriers and the least slope.
void ZPressureDemand::Linearise(Node& n) const
{
    const double r = n.delivered / n.full;
    const double inv = 1.0 / m_exponent;
    if (r <= 0.0) {
        n.gradient = Barrier;
        n.loss = Barrier * n.delivered;
    } else if (r < 1.0) {
        n.gradient = inv * m_span * std::pow(r, inv - 1.0) / n.full;
        if (n.gradient < LeastGradient) {
            n.gradient = LeastGradient;
            n.loss = n.gradient * n.delivered;
        } else {
            n.loss = n.gradient * n.delivered / inv;
        }
    } else {
        n.gradient = Barrier;
        n.loss = m_span + Barrier * (n.delivered - n.full);
    }
}

void ZPressureDemand::Assemble(const ZNetwork& network, ZNodalSystem& system, double* rhs, const std::vector<int>& perm)
{
    for (Node& n : m_nodes) {
        Linearise(n);
        const ZConsumeNode* node = network.NodeAt(n.index);
        const double excess = node->NodeHydrElev - node->NodeGrunElev - m_min - n.loss;
        rhs[perm[static_cast<size_t>(n.index)]] += n.full - (n.delivered + excess / n.gradient);
        system.AddDiagonal(n.index, 1.0 / n.gradient);
    }
}

void ZPressureDemand::Update(const ZNetwork& network, double w, const std::vector<double>& delta)
{
    // The relaxed step along the pass's line: w of the way to where the full correction leads.
    for (Node& n : m_nodes) {
        const ZConsumeNode* node = network.NodeAt(n.index);
        const double d = delta[static_cast<size_t>(n.index)];
        const double before = node->NodeHydrElev - w * d - node->NodeGrunElev;
        n.delivered += w * (before - m_min - n.loss + d) / n.gradient;
        // About d = 0 the inverse law is flat (H'(0) = 0 for E < 1): a node that falls onto or
        // below it, or rises off its barrier, gets back the law's demand at its new pressure
        // rather than what the barrier's line (slope 1e8) would let it move per pass, which is
        // next to nothing; that took a pass per node per crossing.
        if (n.delivered <= 0.0 || (n.gradient == Barrier && n.loss < m_span))
            n.delivered = n.full * Fraction(node->FreeHead());
    }
}

bool ZPressureDemand::Converged(const ZNetwork& network) const
{
    for (const Node& n : m_nodes) {
        const ZConsumeNode* node = network.NodeAt(n.index);
        if (std::fabs(n.delivered - n.full * Fraction(node->FreeHead())) > Tolerance)
            return false;
    }
    return true;
}

void ZPressureDemand::Store(ZNetwork& network) const
{
    for (const Node& n : m_nodes)
        network.NodeAt(n.index)->NodeDeliveredFlow = std::clamp(n.delivered, 0.0, n.full);
}
