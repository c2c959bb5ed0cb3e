// The X/Y map: the partial eigensolver against the Jacobi reading, the scaling steps and the
// analyzer's Tovarine().
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "event_builder.h"
#include "jacobi_reference.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "quorvex2/html/html_control.h"

#include "analysis/detail/leading_eigenpairs.h"
#include "analysis/detail/tovarine_scaling.h"

namespace {

using quorvex2::detail::EigenPair;
using quorvex2::detail::MissMatrix;
using quorvex2::detail::PlanePoint;
using quorvex2::detail::SquareMatrix;
using quorvex2::testing::EigenSystem;
using quorvex2::testing::JacobiEigen;

SquareMatrix FromRows(const std::vector<std::vector<double>>& rows) {
  SquareMatrix m(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = 0; j < rows.size(); ++j) m(i, j) = rows[i][j];
  }
  return m;
}

// Uniform entries: the largest eigenvalues of both signs come out close in magnitude.
SquareMatrix RandomSymmetric(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-50, 50);
  SquareMatrix m(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i; j < n; ++j) m(i, j) = m(j, i) = dist(gen);
  }
  return m;
}

// H diag(values) H with the reflection H = I - 2 u u' / u'u of a random u: the eigenvalues are
// `values`, padded with small random ones up to n.
SquareMatrix WithSpectrum(std::vector<double> values, std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-1, 1);
  while (values.size() < n) values.push_back(dist(gen));
  std::vector<double> u(n);
  double norm = 0;
  for (double& x : u) x = dist(gen), norm += x * x;
  const auto h = [&](std::size_t i, std::size_t k) {
    return (i == k ? 1 : 0) - 2 * u[i] * u[k] / norm;
  };
  SquareMatrix b(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      for (std::size_t k = 0; k < n; ++k) b(i, j) += h(i, k) * values[k] * h(j, k);
    }
  }
  return b;
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

// The reference reading: both rotation branches give the stated diagonal.
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
  // Four points whose squared distances are 1 round a 4-cycle and 4 across: the centred matrix
  // has the eigenvalues 2, 2, -1 and 0.
  const SquareMatrix cycle = FromRows({{0.75, 0.25, 0.25, -1.25},
                                       {0.25, 0.75, -1.25, 0.25},
                                       {0.25, -1.25, 0.75, 0.25},
                                       {-1.25, 0.25, 0.25, 0.75}});
  EigenSystem system = JacobiEigen(cycle);
  ExpectEigenSystemOf(cycle, system, 1e-6);
  quorvex2::testing::OrderByMagnitude(system, 4);
  EXPECT_NEAR(system.values[0], 2, 1e-9);
  EXPECT_NEAR(system.values[1], 2, 1e-9);
  EXPECT_NEAR(system.values[2], -1, 1e-9);
  EXPECT_NEAR(system.values[3], 0, 1e-9);
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  double dot = 0;
  for (std::size_t i = 0; i < a.size(); ++i) dot += a[i] * b[i];
  return dot;
}

// The two pairs of largest magnitude are those of the whole Jacobi decomposition, through the
// whole decomposition (up to 64 rows) and through the Lanczos iteration (above).
TEST(TovarineSolver, LeadingPairsAgreeWithTheJacobiReading) {
  const struct {
    const char* name;
    SquareMatrix b;
  } cases[] = {
      {"random, 9 rows", RandomSymmetric(9, 1)},
      {"random, 110 rows", RandomSymmetric(110, 2)},
      {"near-equal leading values, 40 rows", WithSpectrum({50, 49.95, 20}, 40, 3)},
      {"near-equal leading values, 120 rows", WithSpectrum({50, 49.95, 20}, 120, 4)},
      {"negative leading value, 30 rows", WithSpectrum({-80, 60, 10}, 30, 5)},
      {"negative leading value, 100 rows", WithSpectrum({-80, 60, 10}, 100, 6)},
      {"negative second value, 90 rows", WithSpectrum({70, -69.9, 30}, 90, 7)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<EigenPair> pairs = quorvex2::detail::LeadingEigenpairs(c.b, 2);
    const std::vector<EigenPair> reference = quorvex2::testing::JacobiLeadingPairs(c.b, 2);
    ASSERT_EQ(pairs.size(), 2u);
    const double scale = std::fabs(reference[0].value);
    for (std::size_t a = 0; a < 2; ++a) {
      EXPECT_NEAR(pairs[a].value, reference[a].value, 1e-9 * scale) << a;
      EXPECT_NEAR(std::fabs(Dot(pairs[a].vector, reference[a].vector)), 1, 1e-9) << a;
      EXPECT_NEAR(Dot(pairs[a].vector, pairs[a].vector), 1, 1e-12) << a;
    }
  }
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
  const std::vector<EigenPair> pairs{{-3, {1, 0, 0}}, {2, {0, 0, 1}}};
  const auto axes = quorvex2::detail::LeadingAxes(pairs, 3);
  EXPECT_EQ(axes[0].x, 0);
  EXPECT_EQ(axes[0].y, 0);
  EXPECT_EQ(axes[2].x, 0);
  EXPECT_EQ(axes[2].y, std::sqrt(2.0));
}

// A class of runners who each lose time now and then: the misses of one leg in seconds.
MissMatrix RandomClass(std::size_t runners, std::size_t legs, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> noise(-5, 5);
  std::exponential_distribution<double> loss(1.0 / 60);
  std::bernoulli_distribution lost(0.2);
  MissMatrix misses(runners + 1, legs);
  for (std::size_t i = 0; i < runners; ++i) {
    for (std::size_t k = 0; k < legs; ++k) misses(i, k) = lost(gen) ? loss(gen) : noise(gen);
  }
  return misses;
}

MissMatrix FromProfiles(const std::vector<std::vector<double>>& profiles) {
  MissMatrix misses(profiles.size() + 1, profiles[0].size());
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    for (std::size_t k = 0; k < profiles[i].size(); ++k) misses(i, k) = profiles[i][k];
  }
  return misses;
}

// Losses on leg 1 or on leg 2 only, those of leg 2 `factor` times larger: two axes of almost the
// same spread.
MissMatrix CrossedLosses(std::size_t runners, double factor) {
  std::vector<std::vector<double>> profiles;
  for (std::size_t i = 0; i < runners; ++i) {
    const double t = 10.0 * static_cast<double>(i / 2 + 1) * (i % 4 < 2 ? 1 : -1);
    profiles.push_back(i % 2 == 0 ? std::vector<double>{t, 0, 1}
                                  : std::vector<double>{0, factor * t, 1});
  }
  return FromProfiles(profiles);
}

// The same map as the reference to `tolerance` on the +-100 scale; either axis may be mirrored.
void ExpectSameMap(const std::vector<PlanePoint>& map, const std::vector<PlanePoint>& reference,
                   double tolerance) {
  ASSERT_EQ(map.size(), reference.size());
  double dot_x = 0, dot_y = 0;
  for (std::size_t i = 0; i < map.size(); ++i) {
    dot_x += map[i].x * reference[i].x, dot_y += map[i].y * reference[i].y;
  }
  const double sign_x = dot_x < 0 ? -1 : 1, sign_y = dot_y < 0 ? -1 : 1;
  for (std::size_t i = 0; i < map.size(); ++i) {
    EXPECT_NEAR(map[i].x, sign_x * reference[i].x, tolerance) << i;
    EXPECT_NEAR(map[i].y, sign_y * reference[i].y, tolerance) << i;
  }
}

// The same map as the exact decomposition (Jacobi sweeps run to 1e-13 of the matrix) to far
// more digits, and as the Jacobi reading (sweeps stopped at 1e-6) to 1e-3. The Jacobi reading
// itself strays from the exact map by more than 1e-3 on larger classes, most where the leading
// eigenvalues lie within a few per cent of the next ones: there only the exact reading is
// compared.
TEST(TovarineSolver, MapsAgreeWithTheJacobiReading) {
  const struct {
    const char* name;
    MissMatrix misses;
    bool jacobi_reading_within_1e_3;
  } cases[] = {
      {"class of 8", RandomClass(8, 12, 1), true},
      {"class of 60", RandomClass(60, 25, 2), true},
      {"class of 120, flat spectrum", RandomClass(120, 20, 3), false},
      {"near-equal axes, 24 runners", CrossedLosses(24, 1.02), true},
      {"near-equal axes, 100 runners", CrossedLosses(100, 1.01), false},
      {"class of 100, 6 legs", RandomClass(100, 6, 4), false},
      // Found by search: the second eigenvalue by magnitude is negative, so the Y axis is flat.
      {"negative second eigenvalue",
       FromProfiles({{-0.591, 0.096, -0.012},
                     {0.188, 0.264, -0.546},
                     {-2.042, 0.723, -1.46},
                     {-0.641, 1.003, -0.587},
                     {0.446, -1.168, 0.337},
                     {0.492, 0.023, 0.741},
                     {-0.036, 0.696, 0.312}}),
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto map = quorvex2::detail::TovarineMap(c.misses, 1e-3);
    ExpectSameMap(map, quorvex2::testing::JacobiTovarineMap(c.misses, 1e-3, 1e-13), 1e-6);
    if (c.jacobi_reading_within_1e_3) {
      ExpectSameMap(map, quorvex2::testing::JacobiTovarineMap(c.misses, 1e-3), 1e-3);
    }
  }
  // The last case is what its name says.
  const auto b =
      quorvex2::detail::DoubleCentred(quorvex2::detail::SquaredCityBlockDistances(cases[6].misses));
  EXPECT_LT(quorvex2::testing::JacobiLeadingPairs(b, 2)[1].value, 0);
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
  EXPECT_GT(
      std::hypot(left->TovarineX() - right->TovarineX(), left->TovarineY() - right->TovarineY()),
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

TEST(Tovarine, DataSetTooLargeForTheMapGetsNoneAndTheChartPageSaysSo) {
  quorvex2::clsQuorvex2 root;
  const auto analyzer = root.NewAnalyzer();
  const int32_t limit = clsAnalyzer::kMaxTovarineRunners;
  for (int32_t i = 0; i <= limit; ++i) {
    analyzer->AddLap(MakeRunner("r" + std::to_string(i), "", {100.0 + i % 97, 200.0 + i % 89}));
  }
  analyzer->ControlCount = 1;
  analyzer->Execute();
  PresetAll(*analyzer, 5, 5);
  analyzer->Tovarine();
  EXPECT_TRUE(analyzer->IsTovarineOmitted());
  EXPECT_EQ(Find(*analyzer, "r17")->TovarineX(), 0);
  EXPECT_EQ(Find(*analyzer, "r17")->TovarineY(), 0);
  const std::string note = "X/Y 分析は行いませんでした";
  EXPECT_NE(root.HtmlControl()->OutputChart(analyzer, "c?.png", "0,7").find(note),
            std::string::npos);
  // The next map of a data set of ordinary size is made.
  analyzer->Clear();
  AddFieldOfTen(*analyzer);
  analyzer->Execute();
  analyzer->Tovarine();
  EXPECT_FALSE(analyzer->IsTovarineOmitted());
  EXPECT_EQ(root.HtmlControl()->OutputChart(analyzer, "c?.png", "0,7").find(note),
            std::string::npos);
}

}  // namespace analyzer_map

}  // namespace
