#include "hydraulics/ZLdlFactor.h"

#include <Eigen/Dense>
#include <Eigen/SparseCore>
#include <gtest/gtest.h>

#include <random>

namespace {
using Matrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

// A random sparse symmetric diagonally dominant matrix, upper triangle in compressed columns.
Matrix RandomUpper(int n, int offDiagonals, std::mt19937& rng)
{
    std::uniform_int_distribution<int> pick(0, n - 1);
    std::uniform_real_distribution<double> value(0.1, 1.0);
    std::vector<Eigen::Triplet<double>> t;
    std::vector<double> diag(static_cast<size_t>(n), 1.0);
    for (int k = 0; k < offDiagonals; ++k) {
        const int a = pick(rng), b = pick(rng);
        if (a == b)
            continue;
        const double v = value(rng);
        t.emplace_back(std::min(a, b), std::max(a, b), -v);
        diag[static_cast<size_t>(a)] += v;
        diag[static_cast<size_t>(b)] += v;
    }
    for (int i = 0; i < n; ++i)
        t.emplace_back(i, i, diag[static_cast<size_t>(i)]);
    Matrix m(n, n);
    m.setFromTriplets(t.begin(), t.end());
    m.makeCompressed();
    return m;
}
}   // namespace

// The factor is analysed once and refilled with new values, as a balancing run does every pass;
// each time its solution must match a dense solve of the full symmetric matrix.
TEST(ZLdlFactor, SolvesAgainAfterEveryRefillOfTheSamePattern)
{
    std::mt19937 rng(7);
    const int n = 300;
    Matrix m = RandomUpper(n, 700, rng);
    ZLdlFactor f;
    f.Analyze(n, m.outerIndexPtr(), m.innerIndexPtr());
    std::uniform_real_distribution<double> scale(0.5, 2.0);
    for (int pass = 0; pass < 3; ++pass) {
        for (int k = 0; k < m.nonZeros(); ++k)
            m.valuePtr()[k] *= scale(rng);
        // Keep it dominant: the diagonal is the last entry of each column.
        for (int c = 0; c < n; ++c)
            m.valuePtr()[m.outerIndexPtr()[c + 1] - 1] += 10.0;
        ASSERT_TRUE(f.Factorize(m.outerIndexPtr(), m.innerIndexPtr(), m.valuePtr()));
        const Eigen::MatrixXd full = Eigen::MatrixXd(m).selfadjointView<Eigen::Upper>();
        const Eigen::VectorXd b = Eigen::VectorXd::Random(n);
        Eigen::VectorXd x = b;
        f.Solve(x.data());
        EXPECT_LT((full * x - b).norm(), 1e-10 * b.norm()) << "pass " << pass;
    }
}

TEST(ZLdlFactor, ReportsAZeroPivot)
{
    // [[1, 1], [1, 1]] is singular: the second pivot is exactly zero.
    std::vector<Eigen::Triplet<double>> t{{0, 0, 1.0}, {0, 1, 1.0}, {1, 1, 1.0}};
    Matrix m(2, 2);
    m.setFromTriplets(t.begin(), t.end());
    m.makeCompressed();
    ZLdlFactor f;
    f.Analyze(2, m.outerIndexPtr(), m.innerIndexPtr());
    EXPECT_FALSE(f.Factorize(m.outerIndexPtr(), m.innerIndexPtr(), m.valuePtr()));
}
