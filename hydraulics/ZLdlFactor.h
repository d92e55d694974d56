#pragma once
#include <vector>

// LDL' factorisation of a symmetric matrix given by its upper triangle in compressed columns
// (diagonal last in each column, rows ascending), for matrices whose pattern stays fixed while
// their values change: Analyze finds the elimination tree, the pattern of L and, for every row,
// the columns its elimination reads, in the order they are needed; Factorize then only does
// arithmetic. This is the up-looking algorithm that Eigen's SimplicialLDLT runs, with the
// per-row pattern search moved out of the numeric pass, which a balancing run repeats every pass.
class ZLdlFactor {
public:
    void Analyze(int n, const int* colStart, const int* rows);
    // False at a zero pivot (a singular matrix).
    bool Factorize(const int* colStart, const int* rows, const double* values);
    // x := A^-1 x.
    void Solve(double* x) const;
    long long NonZeros() const { return static_cast<long long>(m_li.size()); }

private:
    int m_n = 0;
    std::vector<int> m_lp;         // column starts of L (strictly lower part)
    std::vector<int> m_li;         // row of each entry of L
    std::vector<double> m_lx;      // values of L
    std::vector<double> m_d;       // the diagonal D
    std::vector<int> m_rowStart;   // row k reads L's columns m_rowCols[m_rowStart[k] ..]
    std::vector<int> m_rowCols;
    std::vector<int> m_filled;   // per column: entries written so far in this factorisation
    std::vector<double> m_y;     // dense scratch row
};
