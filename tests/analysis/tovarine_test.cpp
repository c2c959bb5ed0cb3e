// The X/Y map: the Jacobi eigen solver, the scaling steps and the analyzer's Tovarine().
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "event_builder.h"
#include "quorvex2/analysis/analyzer.h"

#include "analysis/detail/jacobi.h"
#include "analysis/detail/tovarine_scaling.h"

namespace {

using quorvex2::detail::EigenSystem;
using quorvex2::detail::JacobiEigen;
using quorvex2::detail::MissMatrix;
using quorvex2::detail::SquareMatrix;

SquareMatrix FromRows(const std::vector<std::vector<double>>& rows) {
  SquareMatrix m(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = 0; j < rows.size(); ++j) m(i, j) = rows[i][j];
  }
  return m;
}

SquareMatrix RandomSymmetric(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-50, 50);
  SquareMatrix m(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i; j < n; ++j) m(i, j) = m(j, i) = dist(gen);
  }
  return m;
}

// Every eigenpair satisfies B v = lambda v and the vectors are orthonormal.
void ExpectEigenSystemOf(const SquareMatrix& b, const EigenSystem& system, double tolerance) {
  const std::size_t n = b.Size();
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t i = 0; i < n; ++i) {
      double bv = 0;
      for (std::size_t j = 0; j < n; ++j) bv += b(i, j) * system.vectors(a, j);
      EXPECT_NEAR(bv, system.values[a] * system.vectors(a, i), tolerance) << a << "," << i;
    }
    for (std::size_t c = 0; c < n; ++c) {
      double dot = 0;
      for (std::size_t j = 0; j < n; ++j) dot += system.vectors(a, j) * system.vectors(c, j);
      EXPECT_NEAR(dot, a == c ? 1.0 : 0.0, 1e-12);
    }
  }
}

TEST(TovarineJacobi, RotatesBothBranchesToTheStatedDiagonal) {
  // b = 0 takes the first branch: the smaller eigenvalue goes to p.
  const EigenSystem equal = JacobiEigen(FromRows({{2, 1}, {1, 2}}));
  EXPECT_DOUBLE_EQ(equal.values[0], 1);
  EXPECT_DOUBLE_EQ(equal.values[1], 3);
  ExpectEigenSystemOf(FromRows({{2, 1}, {1, 2}}), equal, 1e-12);
  // b > 0: the larger eigenvalue stays at p.
  const EigenSystem larger_first = JacobiEigen(FromRows({{3, 1}, {1, 1}}));
  EXPECT_DOUBLE_EQ(larger_first.values[0], 2 + std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(larger_first.values[1], 2 - std::sqrt(2.0));
  ExpectEigenSystemOf(FromRows({{3, 1}, {1, 1}}), larger_first, 1e-12);
  // A negative off-diagonal element and b < 0.
  const SquareMatrix negative = FromRows({{-4, -3}, {-3, 4}});
  const EigenSystem negative_system = JacobiEigen(negative);
  EXPECT_DOUBLE_EQ(negative_system.values[0], -5);
  EXPECT_DOUBLE_EQ(negative_system.values[1], 5);
  ExpectEigenSystemOf(negative, negative_system, 1e-12);
}

TEST(TovarineJacobi, DiagonalisesLargerMatricesToTheThreshold) {
  for (std::size_t n : {3u, 7u, 25u}) {
    const SquareMatrix b = RandomSymmetric(n, static_cast<unsigned>(n));
    const EigenSystem system = JacobiEigen(b);
    // Off-diagonal remainders are below 1e-6 of the largest row sum (about 25 x 50 here).
    ExpectEigenSystemOf(b, system, 2e-3);
    double trace = 0, sum = 0;
    for (std::size_t i = 0; i < n; ++i) trace += b(i, i), sum += system.values[i];
    EXPECT_NEAR(sum, trace, 1e-9);
  }
}

TEST(TovarineJacobi, HandCheckedCentredMatrixOfFourPoints) {
  // Four points whose squared distances are 1 round a 4-cycle and 4 across: the centred matrix
  // has the eigenvalues 2, 2, -1 and 0.
  const SquareMatrix b = FromRows({{0.75, 0.25, 0.25, -1.25},
                                   {0.25, 0.75, -1.25, 0.25},
                                   {0.25, -1.25, 0.75, 0.25},
                                   {-1.25, 0.25, 0.25, 0.75}});
  EigenSystem system = JacobiEigen(b);
  ExpectEigenSystemOf(b, system, 1e-6);
  quorvex2::detail::OrderByMagnitude(system, 4);
  EXPECT_NEAR(system.values[0], 2, 1e-9);
  EXPECT_NEAR(system.values[1], 2, 1e-9);
  EXPECT_NEAR(system.values[2], -1, 1e-9);
  EXPECT_NEAR(system.values[3], 0, 1e-9);
}

TEST(TovarineJacobi, ZeroMatrixEndsWithUnitVectors) {
  const EigenSystem system = JacobiEigen(SquareMatrix(4));
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(system.values[i], 0);
    EXPECT_EQ(system.vectors(i, i), 1);
  }
  EXPECT_TRUE(JacobiEigen(SquareMatrix(0)).values.empty());
}

TEST(TovarineJacobi, OrderByMagnitudeMovesVectorsAlong) {
  EigenSystem system{{1, -5, 3, 5}, SquareMatrix::Identity(4)};
  quorvex2::detail::OrderByMagnitude(system, 2);
  // The first of the equal magnitudes (-5) wins; the swapped vectors follow their values.
  EXPECT_EQ(system.values, (std::vector<double>{-5, 5, 3, 1}));
  EXPECT_EQ(system.vectors(0, 1), 1);
  EXPECT_EQ(system.vectors(1, 3), 1);
  EXPECT_EQ(system.vectors(3, 0), 1);
}

TEST(TovarineScaling, DistancesAndDoubleCentring) {
  MissMatrix misses(3, 2);
  misses(0, 0) = 1, misses(0, 1) = -2;
  misses(1, 0) = 4, misses(1, 1) = 2;
  const SquareMatrix d = quorvex2::detail::SquaredCityBlockDistances(misses);
  EXPECT_EQ(d(0, 1), 49);  // (3 + 4)^2
  EXPECT_EQ(d(1, 0), 49);
  EXPECT_EQ(d(0, 2), 9);  // (1 + 2)^2
  EXPECT_EQ(d(1, 2), 36);
  EXPECT_EQ(d(2, 2), 0);
  const SquareMatrix b = quorvex2::detail::DoubleCentred(d);
  // Row means 58/3, 85/3, 15; overall mean 188/9.
  EXPECT_NEAR(b(0, 1), -0.5 * (49 - 58.0 / 3 - 85.0 / 3 + 188.0 / 9), 1e-12);
  EXPECT_NEAR(b(2, 2), -0.5 * (0 - 30 + 188.0 / 9), 1e-12);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(b(i, 0) + b(i, 1) + b(i, 2), 0, 1e-12);  // centred rows
  }
}

TEST(TovarineScaling, CollinearProfilesAreRecoveredUpToSign) {
  // Profiles t x (1, 2, 0): city-block distances 3 |t_i - t_j| are those of points on a line,
  // which classical scaling recovers exactly; the last row is the runner without misses.
  const std::vector<double> t = {10, -20, 30, 45, 60};
  MissMatrix misses(t.size() + 1, 3);
  for (std::size_t i = 0; i < t.size(); ++i) misses(i, 0) = t[i], misses(i, 1) = 2 * t[i];
  const auto points = quorvex2::detail::TovarineMap(misses);
  ASSERT_EQ(points.size(), t.size());
  const double sign = points[4].x > 0 ? 1 : -1;
  EXPECT_EQ(points[4].x, sign * 100);  // the farthest runner exactly
  for (std::size_t i = 0; i < t.size(); ++i) {
    EXPECT_NEAR(points[i].x, sign * t[i] / 60 * 100, 1e-4) << i;
    EXPECT_NEAR(points[i].y, 0, 1e-4) << i;
  }
}

TEST(TovarineScaling, IdenticalProfilesShareAPointAndNoMissIsTheOrigin) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> dist(-0.001, 0.003);
  MissMatrix misses(12, 6);
  for (std::size_t i = 0; i < 10; ++i) {
    for (std::size_t k = 0; k < 6; ++k) misses(i, k) = dist(gen);
  }
  for (std::size_t k = 0; k < 6; ++k) misses(3, k) = misses(7, k);
  // Row 10 misses nothing, like the virtual runner in row 11.
  const auto points = quorvex2::detail::TovarineMap(misses);
  ASSERT_EQ(points.size(), 11u);
  EXPECT_NEAR(points[3].x, points[7].x, 1e-4);
  EXPECT_NEAR(points[3].y, points[7].y, 1e-4);
  EXPECT_NEAR(points[10].x, 0, 1e-4);
  EXPECT_NEAR(points[10].y, 0, 1e-4);
  double largest = 0;
  for (const auto& p : points) largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)});
  EXPECT_EQ(largest, 100);
}

TEST(TovarineScaling, UndefinedResultsAreZero) {
  // Nobody misses anything: every distance is 0.
  const auto none = quorvex2::detail::TovarineMap(MissMatrix(6, 4));
  ASSERT_EQ(none.size(), 5u);
  for (const auto& p : none) EXPECT_TRUE(p.x == 0 && p.y == 0);
  // A not-finite miss spoils the whole map rather than leaking NaN.
  MissMatrix broken(6, 2);
  for (std::size_t i = 0; i < 5; ++i) broken(i, 0) = static_cast<double>(i);
  broken(2, 1) = std::numeric_limits<double>::infinity();
  for (const auto& p : quorvex2::detail::TovarineMap(broken)) {
    EXPECT_TRUE(p.x == 0 && p.y == 0);
  }
  // Differences at the level of rounding noise are no picture.
  MissMatrix noise(6, 1);
  for (std::size_t i = 0; i < 5; ++i) noise(i, 0) = 1e-20 * static_cast<double>(i + 1);
  for (const auto& p : quorvex2::detail::TovarineMap(noise, 1e-8)) {
    EXPECT_TRUE(p.x == 0 && p.y == 0);
  }
  EXPECT_EQ(std::fabs(quorvex2::detail::TovarineMap(noise)[4].x), 100);
  // A negative eigenvalue among the two largest leaves its axis at 0.
  EigenSystem system{{-3, 1, 2}, SquareMatrix::Identity(3)};
  const auto axes = quorvex2::detail::LeadingAxes(system);
  EXPECT_EQ(axes[0].x, 0);
  EXPECT_EQ(axes[0].y, 0);
  EXPECT_EQ(axes[2].y, std::sqrt(2.0));
}


// The analyzer's Tovarine() on small data sets built from leg times in seconds.
namespace analyzer_map {

using quorvex2::clsAnalyzedRunnerData;
using quorvex2::clsAnalyzer;
using quorvex2::testing::kSkip;
using quorvex2::testing::MakeRunner;

std::shared_ptr<clsAnalyzedRunnerData> Find(const clsAnalyzer& analyzer, const std::string& name) {
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    if (analyzer.FullSetItem(i)->RunnerName() == name) return analyzer.FullSetItem(i);
  }
  ADD_FAILURE() << "no runner " << name;
  return std::make_shared<clsAnalyzedRunnerData>();
}

void PresetAll(const clsAnalyzer& analyzer, double x, double y) {
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    analyzer.FullSetItem(i)->TovarineX(x);
    analyzer.FullSetItem(i)->TovarineY(y);
  }
}

// Five legs; three runners without a miss set the reference times, the others lose time on
// different legs; "twin" repeats "left" exactly; "dnf" has no result time.
void AddFieldOfTen(clsAnalyzer& analyzer) {
  for (const char* name : {"ref1", "ref2", "ref3"}) {
    analyzer.AddLap(MakeRunner(name, "", {300, 200, 400, 100, 60}));
  }
  analyzer.AddLap(MakeRunner("steady", "", {330, 220, 440, 110, 66}));
  analyzer.AddLap(MakeRunner("left", "", {420, 200, 400, 100, 60}));
  analyzer.AddLap(MakeRunner("twin", "", {420, 200, 400, 100, 60}));
  analyzer.AddLap(MakeRunner("right", "", {300, 200, 400, 190, 60}));
  analyzer.AddLap(MakeRunner("both", "", {360, 200, 520, 100, 90}));
  analyzer.AddLap(MakeRunner("late", "", {300, 260, 400, 100, 120}));
  analyzer.AddLap(MakeRunner("dnf", "DNF", {500, 300, 600, 150, 90}));
  analyzer.ControlCount = 4;
}

TEST(Tovarine, MapInvariantsOnASmallClass) {
  clsAnalyzer analyzer;
  AddFieldOfTen(analyzer);
  analyzer.Execute();
  PresetAll(analyzer, 5, 5);
  analyzer.Tovarine();

  // Runners without misses lie at the origin (up to the Jacobi threshold).
  for (const char* name : {"ref1", "steady"}) {
    EXPECT_NEAR(Find(analyzer, name)->TovarineX(), 0, 1e-4) << name;
    EXPECT_NEAR(Find(analyzer, name)->TovarineY(), 0, 1e-4) << name;
  }
  EXPECT_NEAR(Find(analyzer, "left")->TovarineX(), Find(analyzer, "twin")->TovarineX(), 1e-4);
  EXPECT_NEAR(Find(analyzer, "left")->TovarineY(), Find(analyzer, "twin")->TovarineY(), 1e-4);
  EXPECT_EQ(Find(analyzer, "dnf")->TovarineX(), 0);
  EXPECT_EQ(Find(analyzer, "dnf")->TovarineY(), 0);

  double largest = 0;
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    const auto runner = analyzer.FullSetItem(i);
    largest = std::max({largest, std::fabs(runner->TovarineX()), std::fabs(runner->TovarineY())});
  }
  EXPECT_EQ(largest, 100);
  // Runners who lost time on different legs lie apart.
  const auto left = Find(analyzer, "left");
  const auto right = Find(analyzer, "right");
  EXPECT_GT(std::hypot(left->TovarineX() - right->TovarineX(),
                       left->TovarineY() - right->TovarineY()),
            10);
}

TEST(Tovarine, FewerThanFiveTimesKeepTheirCoordinates) {
  clsAnalyzer analyzer;
  for (const char* name : {"a", "b", "c", "d"}) {
    analyzer.AddLap(MakeRunner(name, "", {100, 200}));
  }
  analyzer.AddLap(MakeRunner("mp", "MP", {100, 200}));
  analyzer.AddLap(MakeRunner("dns", "DNS", {}));
  analyzer.ControlCount = 1;
  analyzer.Execute();
  PresetAll(analyzer, 7, -3);
  analyzer.Tovarine();
  EXPECT_EQ(Find(analyzer, "a")->TovarineX(), 7);
  EXPECT_EQ(Find(analyzer, "d")->TovarineY(), -3);
  EXPECT_EQ(Find(analyzer, "mp")->TovarineX(), 0);
  EXPECT_EQ(Find(analyzer, "mp")->TovarineY(), 0);
}

TEST(Tovarine, EveryoneWithoutMissesGivesTheOrigin) {
  // Every runner keeps one pace over the whole course: the miss times are 0 up to rounding, and
  // rounding must not be blown up into a picture.
  clsAnalyzer analyzer;
  analyzer.AddLap(MakeRunner("a", "", {100, 200, 300}));
  analyzer.AddLap(MakeRunner("b", "", {100, 200, 300}));
  analyzer.AddLap(MakeRunner("c", "", {100, 200, 300}));
  analyzer.AddLap(MakeRunner("d", "", {110, 220, 330}));
  analyzer.AddLap(MakeRunner("e", "", {130, 260, 390}));
  analyzer.AddLap(MakeRunner("f", "", {170, 340, 510}));
  analyzer.ControlCount = 2;
  analyzer.Execute();
  PresetAll(analyzer, 1, 1);
  analyzer.Tovarine();
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    EXPECT_EQ(analyzer.FullSetItem(i)->TovarineX(), 0);
    EXPECT_EQ(analyzer.FullSetItem(i)->TovarineY(), 0);
  }
}

TEST(Tovarine, SkipCodeCountsAsTheLegMiss) {
  // The skipped leg's miss time is the code -1 (a day), which dwarfs every real loss: the runner
  // with the skipped control is the farthest point by far.
  clsAnalyzer analyzer;
  AddFieldOfTen(analyzer);
  analyzer.AddLap(MakeRunner("skipper", "", {300, kSkip, 600, 100, 60}));
  analyzer.Execute();
  analyzer.Tovarine();
  const auto skipper = Find(analyzer, "skipper");
  EXPECT_EQ(skipper->MissTime(2)->Value(), -1);
  EXPECT_EQ(std::max(std::fabs(skipper->TovarineX()), std::fabs(skipper->TovarineY())), 100);
  const auto both = Find(analyzer, "both");
  EXPECT_LT(std::hypot(both->TovarineX(), both->TovarineY()), 1);
}

}  // namespace analyzer_map

}  // namespace
