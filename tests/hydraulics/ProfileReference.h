#pragma once
#include "model/ZBalanceContext.h"

#include <cstddef>
#include <vector>

class ZDrawSettings;
class ZNetwork;

// The balancing iteration solved by symmetric elimination in skyline storage, rows in node list
// order, from starting heads of its own: the plain method whose converged heads the sparse
// solver must reproduce. Heads end in the nodes; flows are left as the last assembly stored them
// (no write-back).
class ProfileReference : public ZBalanceContext {
public:
    ProfileReference(const ZDrawSettings& calcData, ZNetwork& network);
    int Run();   // status: 1 converged, 2 never, 3 iteration limit, 5 no head-known node
    int Passes() const { return m_passes; }
    size_t ProfileSize() const { return m_matrix.size(); }

    // Exposed for a direct check on a small matrix: rows 1..n, index[0] = 0.
    static void SolveProfile(const std::vector<int>& index, std::vector<double>& a, std::vector<double>& b);

private:
    bool Prepare();
    void BuildProfile();
    double& At(int r, int c) { return m_matrix[static_cast<size_t>(m_index[static_cast<size_t>(r)] - r + c - 1)]; }

    ZNetwork& m_network;
    int m_limit;
    unsigned m_flags;
    double m_flowTol, m_headTol;
    std::vector<int> m_index;
    std::vector<double> m_matrix;
    int m_passes = 0;
};
