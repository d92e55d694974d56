#pragma once
#include "ZLdlFactor.h"

#include <Eigen/SparseCore>

#include <utility>
#include <vector>

// The symmetric nodal matrix of one balancing run and its direct solution. The sparsity pattern
// never changes during a run, so the fill-reducing ordering (AMD) and the symbolic factorisation
// are done once in Analyze; every pass only refills the values in place, factorises numerically
// and solves. Rows are node list positions; internally everything lives in the permuted order.
class ZNodalSystem {
public:
    using Matrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

    // `ends` holds each link's two end rows. Links between the same pair of nodes share one slot.
    void Analyze(int rows, const std::vector<std::pair<int, int>>& ends);

    int Rows() const { return m_rows; }
    long long FactorNonZeros() const;
    // Natural row -> internal (permuted) row.
    const std::vector<int>& Permutation() const { return m_perm; }

    // The three value slots a link adds to: both diagonals and the shared off-diagonal entry.
    struct LinkSlots {
        unsigned diagA, diagB, off;
    };
    const LinkSlots& SlotsOf(int link) const { return m_linkSlots[static_cast<size_t>(link)]; }
    double* Values() { return m_values; }

    // Assembly: all values to zero, then accumulate.
    void ClearValues();
    void AddDiagonal(int row, double v) { m_values[m_diagSlot[static_cast<size_t>(row)]] += v; }
    // Adds conductance g of link `link` (as numbered in Analyze) between its two end rows.
    void AddLink(int link, double g)
    {
        const LinkSlots& s = m_linkSlots[static_cast<size_t>(link)];
        m_values[s.diagA] += g;
        m_values[s.diagB] += g;
        m_values[s.off] -= g;
    }
    void PrefetchLink(int link) const
    {
        const LinkSlots& s = m_linkSlots[static_cast<size_t>(link)];
        __builtin_prefetch(m_values + s.diagA);
        __builtin_prefetch(m_values + s.diagB);
        __builtin_prefetch(m_values + s.off);
    }

    // Factorises the current values and overwrites b (natural row order) with the solution.
    // False when the factorisation meets a zero pivot (the matrix is singular).
    bool Solve(std::vector<double>& b);
    // The same in internal row order: fill RightHandSide(), solve, read Solution().
    double* RightHandSide() { return m_work.data(); }
    bool SolveInternal();
    const double* Solution() const { return m_work.data(); }
    // x := A^-1 x in internal row order with the factors of the last solve. Reads the factors
    // only, so that threads may share one system.
    void SolveWithLastFactors(double* x) const { m_factor.Solve(x); }

    double OrderingSeconds() const { return m_orderingSeconds; }
    double SymbolicSeconds() const { return m_symbolicSeconds; }
    double FactorSeconds() const { return m_factorSeconds; }
    double SolveSeconds() const { return m_solveSeconds; }

private:
    int m_rows = 0;
    std::vector<int> m_perm;            // natural row -> permuted row
    std::vector<unsigned> m_diagSlot;   // natural row -> value slot of its diagonal
    std::vector<LinkSlots> m_linkSlots;
    Matrix m_matrix;              // upper triangle of the permuted matrix
    double* m_values = nullptr;   // m_matrix's value array
    ZLdlFactor m_factor;
    Eigen::VectorXd m_work;

    double m_orderingSeconds = 0.0;
    double m_symbolicSeconds = 0.0;
    double m_factorSeconds = 0.0;
    double m_solveSeconds = 0.0;
};
