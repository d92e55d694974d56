#include "ZNodalSystem.h"

#include <Eigen/OrderingMethods>

#include <algorithm>
#include <chrono>

namespace {
double SecondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Sorts (row, column) pairs by column, then row: two stable counting passes, linear in the
// entries, where a comparison sort was a noticeable part of a small network's whole run.
void SortByColumnThenRow(int n, std::vector<std::pair<int, int>>& entries)
{
    std::vector<std::pair<int, int>> byRow(entries.size());
    std::vector<int> start(static_cast<size_t>(n) + 1);
    for (const auto& e : entries)
        ++start[static_cast<size_t>(e.first) + 1];
    for (int i = 0; i < n; ++i)
        start[static_cast<size_t>(i) + 1] += start[static_cast<size_t>(i)];
    for (const auto& e : entries)
        byRow[static_cast<size_t>(start[static_cast<size_t>(e.first)]++)] = e;
    std::fill(start.begin(), start.end(), 0);
    for (const auto& e : byRow)
        ++start[static_cast<size_t>(e.second) + 1];
    for (int i = 0; i < n; ++i)
        start[static_cast<size_t>(i) + 1] += start[static_cast<size_t>(i)];
    for (const auto& e : byRow)
        entries[static_cast<size_t>(start[static_cast<size_t>(e.second)]++)] = e;
}

// Column-compressed upper-triangle pattern (diagonal included) of the given entries; `entries`
// holds (row, column) with row <= column and is sorted and made unique here.
void BuildUpperPattern(int n, std::vector<std::pair<int, int>>& entries, ZNodalSystem::Matrix& m)
{
    SortByColumnThenRow(n, entries);
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    m.resize(n, n);
    m.resizeNonZeros(static_cast<Eigen::Index>(entries.size()));
    int* outer = m.outerIndexPtr();
    int* inner = m.innerIndexPtr();
    std::fill(outer, outer + n + 1, 0);
    for (size_t k = 0; k < entries.size(); ++k) {
        ++outer[entries[k].second + 1];
        inner[k] = entries[k].first;
    }
    for (int c = 0; c < n; ++c)
        outer[c + 1] += outer[c];
    std::fill(m.valuePtr(), m.valuePtr() + entries.size(), 0.0);
}
}   // namespace

void ZNodalSystem::Analyze(int rows, const std::vector<std::pair<int, int>>& ends)
{
    m_rows = rows;
    const auto n = static_cast<size_t>(rows);
    std::vector<std::pair<int, int>> entries;
    entries.reserve(n + ends.size());

    // Fill-reducing ordering of the natural pattern.
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < rows; ++i)
        entries.emplace_back(i, i);
    for (const auto& [a, b] : ends)
        entries.emplace_back(std::min(a, b), std::max(a, b));
    {
        Matrix natural;
        BuildUpperPattern(rows, entries, natural);
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> inverse;
        Eigen::AMDOrdering<int> amd;
        amd(natural, inverse);   // the ordering's result maps new positions to old rows
        m_perm.assign(n, 0);
        for (int newPos = 0; newPos < rows; ++newPos)
            m_perm[static_cast<size_t>(inverse.indices()[newPos])] = newPos;
    }
    m_orderingSeconds = SecondsSince(t0);

    // The permuted pattern and, for every row and link, the slot its values go to.
    t0 = std::chrono::steady_clock::now();
    entries.clear();
    for (int i = 0; i < rows; ++i) {
        const int p = m_perm[static_cast<size_t>(i)];
        entries.emplace_back(p, p);
    }
    for (const auto& [a, b] : ends) {
        const int pa = m_perm[static_cast<size_t>(a)], pb = m_perm[static_cast<size_t>(b)];
        entries.emplace_back(std::min(pa, pb), std::max(pa, pb));
    }
    BuildUpperPattern(rows, entries, m_matrix);
    std::vector<std::pair<int, int>>().swap(entries);
    const int* outer = m_matrix.outerIndexPtr();
    const int* inner = m_matrix.innerIndexPtr();
    auto slotOf = [&](int r, int c) {
        const int* first = inner + outer[c];
        const int* last = inner + outer[c + 1];
        return static_cast<unsigned>(std::lower_bound(first, last, r) - inner);
    };
    m_diagSlot.resize(n);
    for (size_t i = 0; i < n; ++i)
        m_diagSlot[i] = static_cast<unsigned>(outer[m_perm[i] + 1] - 1);   // the diagonal ends its column
    m_linkSlots.resize(ends.size());
    for (size_t l = 0; l < ends.size(); ++l) {
        const auto a = static_cast<size_t>(ends[l].first), b = static_cast<size_t>(ends[l].second);
        const int pa = m_perm[a], pb = m_perm[b];
        m_linkSlots[l] = {m_diagSlot[a], m_diagSlot[b], slotOf(std::min(pa, pb), std::max(pa, pb))};
    }
    m_values = m_matrix.valuePtr();
    m_factor.Analyze(rows, m_matrix.outerIndexPtr(), m_matrix.innerIndexPtr());
    m_work.resize(rows);
    m_symbolicSeconds = SecondsSince(t0);
    m_factorSeconds = m_solveSeconds = 0.0;
}

long long ZNodalSystem::FactorNonZeros() const
{
    return m_factor.NonZeros();
}

void ZNodalSystem::ClearValues()
{
    std::fill(m_values, m_values + m_matrix.nonZeros(), 0.0);
}

bool ZNodalSystem::Solve(std::vector<double>& b)
{
    const auto n = static_cast<size_t>(m_rows);
    for (size_t i = 0; i < n; ++i)
        m_work[m_perm[i]] = b[i];
    if (!SolveInternal())
        return false;
    for (size_t i = 0; i < n; ++i)
        b[i] = m_work[m_perm[i]];
    return true;
}

bool ZNodalSystem::SolveInternal()
{
    if (m_rows == 0)
        return true;
    auto t0 = std::chrono::steady_clock::now();
    const bool ok = m_factor.Factorize(m_matrix.outerIndexPtr(), m_matrix.innerIndexPtr(), m_matrix.valuePtr());
    m_factorSeconds += SecondsSince(t0);
    if (!ok)
        return false;

    t0 = std::chrono::steady_clock::now();
    m_factor.Solve(m_work.data());
    m_solveSeconds += SecondsSince(t0);
    return true;
}
