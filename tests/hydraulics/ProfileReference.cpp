#include "ProfileReference.h"

#include "model/ZDrawSettings.h"
#include "model/ZNetwork.h"
#include "model/ZTankLink.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

ProfileReference::ProfileReference(const ZDrawSettings& calcData, ZNetwork& network)
    : ZBalanceContext(calcData.CalcCase, calcData.Params.AccidentFactor), m_network(network),
      m_limit(calcData.Params.MaxIterations), m_flags(calcData.Params.CheckFlags),
      m_flowTol(calcData.Params.FlowTolerance), m_headTol(calcData.Params.HeadTolerance)
{
}

bool ProfileReference::Prepare()
{
    bool any = false;
    for (ZConsumeNode* node : m_network.Nodes()) {
        ZDeviceLink* dev = node->IsDeviceNode() ? node->GetDevice() : nullptr;
        if (dev) {
            if (dev->GetKind() == ZNetObject::Kind::Tank) {
                node->NodeHydrElev = static_cast<ZTankLink*>(dev)->SurfaceElevation();
                if (node->IsFlowKnown())
                    node->SetHeadKnown(true);
            } else {
                node->SetHeadKnown(false);
            }
            node->NodeFlow = node->NodeFireFlow = 0.0;
        }
        any = any || node->IsHeadKnown();
    }
    return any;
}

void ProfileReference::BuildProfile()
{
    const int n = m_network.NodeCount();
    std::vector<int> band(static_cast<size_t>(n) + 1, 0);
    for (const ZFlowLink* link : m_network.Links()) {
        const int a = link->StartNode()->GetIndex() + 1, b = link->EndNode()->GetIndex() + 1;
        int& w = band[static_cast<size_t>(std::max(a, b))];
        w = std::max(w, std::abs(a - b));
    }
    m_index.assign(static_cast<size_t>(n) + 1, 0);
    for (int r = 1; r <= n; ++r)
        m_index[static_cast<size_t>(r)] = m_index[static_cast<size_t>(r) - 1] + band[static_cast<size_t>(r)] + 1;
    m_matrix.assign(static_cast<size_t>(m_index.back()), 0.0);
}

void ProfileReference::SolveProfile(const std::vector<int>& index, std::vector<double>& a, std::vector<double>& b)
{
    const int n = static_cast<int>(index.size()) - 1;
    auto len = [&](int r) { return index[static_cast<size_t>(r)] - index[static_cast<size_t>(r) - 1]; };
    auto A = [&](int r, int c) -> double& { return a[static_cast<size_t>(index[static_cast<size_t>(r)] - r + c - 1)]; };
    auto B = [&](int r) -> double& { return b[static_cast<size_t>(r) - 1]; };
    for (int i = 1; i <= n; ++i) {
        double s = 0.0;
        for (int j = i - len(i) + 1; j <= i - 1; ++j) {
            const double t = A(i, j) / A(j, j);
            s += t * B(j);
            for (int k = j + 1; k <= i; ++k)
                if (k - j < len(k))
                    A(i, k) -= t * A(k, j);
        }
        B(i) -= s;
    }
    for (int i = n; i >= 1; --i) {
        double s = 0.0;
        for (int k = i + 1; k <= n; ++k)
            if (k - i < len(k))
                s += A(k, i) * B(k);
        B(i) = (B(i) - s) / A(i, i);
    }
}

int ProfileReference::Run()
{
    if (!Prepare())
        return 5;
    BuildProfile();
    const int n = m_network.NodeCount();
    std::vector<double> rhs(static_cast<size_t>(n));
    for (ZFlowLink* link : m_network.Links())
        if (link->CalcResistance(*this) < 1e-6)
            link->Resistance = 1e-6;
    double hMin = std::numeric_limits<double>::max();
    for (const ZConsumeNode* node : m_network.Nodes())
        if (node->IsHeadKnown())
            hMin = std::min(hMin, node->NodeHydrElev);
    // Starting heads of its own, unlike the solver's, so that a fault there cannot pass both:
    // 1 m below the lowest known head, in a small saw-tooth that keeps head differences apart.
    int k = 0;
    for (ZConsumeNode* node : m_network.Nodes())
        if (node->IsFlowKnown())
            node->NodeHydrElev = hMin - 1.0 - 0.03 * (k++ % 7);

    double w = 0.5, ratio = 1.0, maxCorr = 0.0;
    m_passes = 0;
    for (;;) {
        if (m_limit != -1 && m_passes >= m_limit)
            return 3;
        std::fill(m_matrix.begin(), m_matrix.end(), 0.0);
        for (int i = 0; i < n; ++i) {
            const ZConsumeNode* node = m_network.NodeAt(i);
            if (node->IsHeadKnown())
                At(i + 1, i + 1) = 1e100;
            rhs[static_cast<size_t>(i)] = -node->CaseDemand(*this);
        }
        for (ZFlowLink* link : m_network.Links()) {
            const int a = link->StartNode()->GetIndex() + 1, b = link->EndNode()->GetIndex() + 1;
            const double q = link->CalcFlow(*this);
            const double g = link->CalcConductance(*this);
            rhs[static_cast<size_t>(a) - 1] -= q;
            rhs[static_cast<size_t>(b) - 1] += q;
            At(a, a) += g;
            At(b, b) += g;
            At(std::max(a, b), std::min(a, b)) -= g;
        }
        bool converged = true;
        if (m_flags & 1) {
            double r = 0.0;
            for (int i = 0; i < n; ++i)
                if (m_network.NodeAt(i)->IsFlowKnown())
                    r = std::max(r, std::fabs(rhs[static_cast<size_t>(i)]));
            converged = r < m_flowTol;
        }
        SolveProfile(m_index, m_matrix, rhs);
        const double prev = maxCorr;
        maxCorr = 0.0;
        for (double d : rhs)
            maxCorr = std::max(maxCorr, std::fabs(d));
        ratio = prev + 1.0 == 1.0 ? 1.0 : maxCorr / prev;
        for (int i = 0; i < n; ++i)
            m_network.NodeAt(i)->NodeHydrElev += w * rhs[static_cast<size_t>(i)];
        if (converged && (m_flags & 2))
            converged = maxCorr < m_headTol;
        ++m_passes;
        if (1.0 - w + 0.1 > ratio)
            w = std::min(w + 0.2, 1.0);
        if (converged)
            return 1;
    }
}
