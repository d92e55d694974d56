#include "ZLdlFactor.h"

#include <algorithm>
#include <cstddef>

void ZLdlFactor::Analyze(int n, const int* colStart, const int* rows)
{
    m_n = n;
    const auto un = static_cast<size_t>(n);
    std::vector<int> parent(un, -1), flag(un), pattern(un), count(un, 0);
    m_rowStart.assign(un + 1, 0);
    m_rowCols.clear();
    // Elimination tree, the count of each column of L and each row's pattern in topological order,
    // found as the numeric pass of the up-looking algorithm would find it.
    for (int k = 0; k < n; ++k) {
        flag[static_cast<size_t>(k)] = k;
        int top = n;
        for (int p = colStart[k]; p < colStart[k + 1]; ++p) {
            int i = rows[p];
            if (i >= k)
                continue;
            int len = 0;
            for (; flag[static_cast<size_t>(i)] != k; i = parent[static_cast<size_t>(i)]) {
                if (parent[static_cast<size_t>(i)] == -1)
                    parent[static_cast<size_t>(i)] = k;
                pattern[static_cast<size_t>(len++)] = i;
                flag[static_cast<size_t>(i)] = k;
            }
            while (len > 0)
                pattern[static_cast<size_t>(--top)] = pattern[static_cast<size_t>(--len)];
        }
        for (int t = top; t < n; ++t) {
            const int j = pattern[static_cast<size_t>(t)];
            m_rowCols.push_back(j);
            ++count[static_cast<size_t>(j)];
        }
        m_rowStart[static_cast<size_t>(k) + 1] = static_cast<int>(m_rowCols.size());
    }
    m_lp.assign(un + 1, 0);
    for (size_t j = 0; j < un; ++j)
        m_lp[j + 1] = m_lp[j] + count[j];
    m_li.assign(static_cast<size_t>(m_lp[un]), 0);
    m_lx.assign(m_li.size(), 0.0);
    // Rows of L are written in ascending order into each column, so each entry's row is known now.
    std::vector<int> next(m_lp.begin(), m_lp.end() - 1);
    for (int k = 0; k < n; ++k) {
        for (int t = m_rowStart[static_cast<size_t>(k)]; t < m_rowStart[static_cast<size_t>(k) + 1]; ++t)
            m_li[static_cast<size_t>(next[static_cast<size_t>(m_rowCols[static_cast<size_t>(t)])]++)] = k;
    }
    m_d.assign(un, 0.0);
    m_filled.assign(un, 0);
    m_y.assign(un, 0.0);
}

bool ZLdlFactor::Factorize(const int* colStart, const int* rows, const double* values)
{
    int* filled = m_filled.data();
    double* y = m_y.data();
    double* lx = m_lx.data();
    const int* li = m_li.data();
    const int* lp = m_lp.data();
    double* d = m_d.data();
    const int* rowCols = m_rowCols.data();
    const int* rowStart = m_rowStart.data();
    std::fill(m_filled.begin(), m_filled.end(), 0);
    for (int k = 0; k < m_n; ++k) {
        y[k] = 0.0;
        for (int p = colStart[k]; p < colStart[k + 1]; ++p) {
            if (rows[p] <= k)
                y[rows[p]] += values[p];
        }
        double dk = y[k];
        y[k] = 0.0;
        for (int t = rowStart[k]; t < rowStart[k + 1]; ++t) {
            const int i = rowCols[t];
            const double yi = y[i];
            y[i] = 0.0;
            const double lki = yi / d[i];
            const int p2 = lp[i] + filled[i];
            for (int p = lp[i]; p < p2; ++p)
                y[li[p]] -= lx[p] * yi;
            dk -= lki * yi;
            lx[p2] = lki;
            ++filled[i];
        }
        d[k] = dk;
        if (dk == 0.0)
            return false;
    }
    return true;
}

void ZLdlFactor::Solve(double* x) const
{
    const int* lp = m_lp.data();
    const int* li = m_li.data();
    const double* lx = m_lx.data();
    for (int j = 0; j < m_n; ++j) {
        const double xj = x[j];
        for (int p = lp[j]; p < lp[j + 1]; ++p)
            x[li[p]] -= lx[p] * xj;
    }
    for (int j = 0; j < m_n; ++j)
        x[j] /= m_d[static_cast<size_t>(j)];
    for (int j = m_n - 1; j >= 0; --j) {
        double xj = x[j];
        for (int p = lp[j]; p < lp[j + 1]; ++p)
            xj -= lx[p] * x[li[p]];
        x[j] = xj;
    }
}
