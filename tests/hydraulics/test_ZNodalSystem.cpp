#include "ProfileReference.h"
#include "hydraulics/ZNodalSystem.h"

#include <Eigen/Dense>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

// A random connected conductance matrix with a few 1e100 rows, solved three ways.
TEST(ZNodalSystem, SolvesLikeDenseAndProfileElimination)
{
    std::mt19937 rng(5);
    const int n = 40;
    std::vector<std::pair<int, int>> ends;
    for (int i = 1; i < n; ++i)
        ends.emplace_back(static_cast<int>(rng() % static_cast<unsigned>(i)), i);
    for (int k = 0; k < 20; ++k) {
        const int a = static_cast<int>(rng() % n), b = static_cast<int>(rng() % n);
        if (a != b)
            ends.emplace_back(a, b);
    }
    ends.push_back(ends[3]);   // a parallel link sharing its slot
    std::uniform_real_distribution<double> cond(1e-3, 10.0);
    std::vector<double> g(ends.size()), b(n);
    for (double& x : g)
        x = cond(rng);
    for (double& x : b)
        x = cond(rng) - 5.0;

    ZNodalSystem sys;
    sys.Analyze(n, ends);
    sys.ClearValues();
    Eigen::MatrixXd dense = Eigen::MatrixXd::Zero(n, n);
    for (int known : {0, 17}) {
        sys.AddDiagonal(known, 1e100);
        dense(known, known) += 1e100;
    }
    for (size_t l = 0; l < ends.size(); ++l) {
        sys.AddLink(static_cast<int>(l), g[l]);
        const auto [i, j] = ends[l];
        dense(i, i) += g[l];
        dense(j, j) += g[l];
        dense(i, j) -= g[l];
        dense(j, i) -= g[l];
    }
    std::vector<int> index(n + 1, 0);
    std::vector<int> band(n + 1, 0);
    for (const auto& [i, j] : ends)
        band[std::max(i, j) + 1] = std::max(band[std::max(i, j) + 1], std::abs(i - j));
    for (int r = 1; r <= n; ++r)
        index[r] = index[r - 1] + band[r] + 1;
    std::vector<double> profile(static_cast<size_t>(index[n]), 0.0);
    for (int r = 1; r <= n; ++r)
        for (int c = r - band[r]; c <= r; ++c)
            profile[static_cast<size_t>(index[r] - r + c - 1)] = dense(r - 1, c - 1);

    std::vector<double> x = b, y = b;
    ASSERT_TRUE(sys.Solve(x));
    ProfileReference::SolveProfile(index, profile, y);
    const Eigen::VectorXd z = dense.ldlt().solve(Eigen::Map<Eigen::VectorXd>(b.data(), n));
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(x[i], y[i], 1e-9 * (1 + std::fabs(y[i])));
        EXPECT_NEAR(x[i], z[i], 1e-7 * (1 + std::fabs(z[i])));
    }
    EXPECT_LT(std::fabs(x[0]), 1e-90);

    // Refilling the same pattern reuses the analysis.
    sys.ClearValues();
    for (int i = 0; i < n; ++i)
        sys.AddDiagonal(i, 2.0);
    std::vector<double> ones(n, 4.0);
    ASSERT_TRUE(sys.Solve(ones));
    for (double v : ones)
        EXPECT_DOUBLE_EQ(v, 2.0);
}

TEST(ZNodalSystem, ReportsASingularMatrix)
{
    ZNodalSystem sys;
    sys.Analyze(3, {{0, 1}, {1, 2}});
    sys.ClearValues();
    sys.AddLink(0, 1.0);   // rows 0 and 1 only: their sum is singular, row 2 is empty
    std::vector<double> b{1.0, 0.0, 0.0};
    EXPECT_FALSE(sys.Solve(b));
}

// The ordering keeps the factor close to what Eigen's own AMD-ordered factorisation holds.
TEST(ZNodalSystem, FillMatchesEigensAmdFactorisation)
{
    const int w = 30, n = w * w;
    std::vector<std::pair<int, int>> ends;
    std::vector<int> shuffled(n);
    for (int i = 0; i < n; ++i)
        shuffled[i] = i;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    for (int i = 0; i < n; ++i) {
        if (i % w + 1 < w)
            ends.emplace_back(shuffled[i], shuffled[i + 1]);
        if (i + w < n)
            ends.emplace_back(shuffled[i], shuffled[i + w]);
    }
    ZNodalSystem sys;
    sys.Analyze(n, ends);
    std::vector<Eigen::Triplet<double>> trip;
    for (int i = 0; i < n; ++i)
        trip.emplace_back(i, i, 4.0);
    for (const auto& [a, b] : ends)
        trip.emplace_back(std::min(a, b), std::max(a, b), -1.0);
    ZNodalSystem::Matrix m(n, n);
    m.setFromTriplets(trip.begin(), trip.end());
    Eigen::SimplicialLDLT<ZNodalSystem::Matrix, Eigen::Upper, Eigen::AMDOrdering<int>> eigen;
    eigen.analyzePattern(m);
    EXPECT_EQ(sys.FactorNonZeros(), eigen.matrixL().nestedExpression().nonZeros());
    EXPECT_LT(sys.FactorNonZeros(), 20 * n);
}
