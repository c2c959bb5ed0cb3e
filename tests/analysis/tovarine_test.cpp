// The X/Y map: the partial eigensolver against a reference decomposition, the scaling steps and
// the analyzer's Tovarine().
#include <gtest/gtest.h>

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "analysis/detail/leading_eigenpairs.h"
#include "analysis/detail/tovarine_scaling.h"
#include "analysis_fixture.h"
#include "quorvex2/core/root.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {
namespace {

using detail::EigenPair;
using detail::MissMatrix;
using detail::PlanePoint;
using detail::SquareMatrix;
using testing::AddRunners;
using testing::Find;
using testing::MakeRunner;

// The reference: every eigenpair by Eigen's general (unsymmetric) solver, an algorithm of its own
// beside the symmetric ones of the analysis, the `count` of largest magnitude first.
std::vector<EigenPair> ReferencePairs(const SquareMatrix& b, std::size_t count) {
  const auto n = static_cast<Eigen::Index>(b.Size());
  const Eigen::EigenSolver<Eigen::MatrixXd> solver(
      Eigen::Map<const Eigen::MatrixXd>(b.Data(), n, n));
  const Eigen::VectorXd values = solver.eigenvalues().real();
  std::vector<Eigen::Index> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), Eigen::Index{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](auto i, auto j) { return std::fabs(values[i]) > std::fabs(values[j]); });
  std::vector<EigenPair> pairs;
  for (std::size_t a = 0; a < count; ++a) {
    const Eigen::VectorXd v = solver.eigenvectors().col(order[a]).real().normalized();
    pairs.push_back({values[order[a]], std::vector<double>(v.data(), v.data() + n)});
  }
  return pairs;
}

std::vector<PlanePoint> ReferenceMap(const MissMatrix& misses, double resolution) {
  const SquareMatrix b = detail::DoubleCentred(detail::SquaredCityBlockDistances(misses));
  return detail::ShiftAndScale(detail::LeadingAxes(ReferencePairs(b, 2), misses.points),
                               misses.points - 1, resolution);
}

// H diag(values) H with the reflection H = I - 2 u u' / u'u of a random u: the eigenvalues are
// `values`, padded with small random ones up to n.
SquareMatrix WithSpectrum(std::vector<double> values, std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> dist(-1, 1);
  while (values.size() < n) values.push_back(dist(gen));
  const auto size = static_cast<Eigen::Index>(n);
  Eigen::VectorXd u(size);
  for (double& x : u) x = dist(gen);
  const Eigen::MatrixXd h =
      Eigen::MatrixXd::Identity(size, size) - 2 * u * u.transpose() / u.squaredNorm();
  SquareMatrix b(n);  // symmetric: the same in rows or columns
  Eigen::Map<Eigen::MatrixXd>(b.Row(0), size, size) =
      h * Eigen::Map<const Eigen::VectorXd>(values.data(), size).asDiagonal() * h;
  return b;
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

// The two pairs of largest magnitude, through the whole decomposition (up to 64 rows) and
// through the Lanczos iteration (above).
TEST(TovarineSolver, LeadingPairsAgreeWithTheReference) {
  const struct {
    const char* name;
    SquareMatrix b;
  } cases[] = {
      {"near-equal leading values, 40 rows", WithSpectrum({50, 49.95, 20}, 40, 3)},
      {"near-equal leading values, 120 rows", WithSpectrum({50, 49.95, 20}, 120, 4)},
      {"negative leading value, 30 rows", WithSpectrum({-80, 60, 10}, 30, 5)},
      {"negative leading value, 100 rows", WithSpectrum({-80, 60, 10}, 100, 6)},
      {"negative second value, 90 rows", WithSpectrum({70, -69.9, 30}, 90, 7)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<EigenPair> pairs = detail::LeadingEigenpairs(c.b, 2);
    const std::vector<EigenPair> reference = ReferencePairs(c.b, 2);
    ASSERT_EQ(pairs.size(), 2u);
    for (std::size_t a = 0; a < 2; ++a) {
      EXPECT_NEAR(pairs[a].value, reference[a].value, 1e-9 * std::fabs(reference[0].value)) << a;
      EXPECT_NEAR(std::fabs(Dot(pairs[a].vector, reference[a].vector)), 1, 1e-9) << a;
      EXPECT_NEAR(Dot(pairs[a].vector, pairs[a].vector), 1, 1e-12) << a;
    }
  }
}

TEST(TovarineScaling, CollinearProfilesAreRecoveredUpToSign) {
  // Profiles t x (1, 2, 0): city-block distances 3 |t_i - t_j| are those of points on a line,
  // which classical scaling recovers exactly; the last row is the runner without misses.
  const std::vector<double> t = {10, -20, 30, 45, 60};
  MissMatrix misses(t.size() + 1, 3);
  for (std::size_t i = 0; i < t.size(); ++i) misses(i, 0) = t[i], misses(i, 1) = 2 * t[i];
  const auto points = detail::TovarineMap(misses);
  ASSERT_EQ(points.size(), t.size());
  const double sign = points[4].x > 0 ? 1 : -1;
  EXPECT_EQ(points[4].x, sign * 100);  // the farthest runner exactly
  for (std::size_t i = 0; i < t.size(); ++i) {
    EXPECT_NEAR(points[i].x, sign * t[i] / 60 * 100, 1e-4) << i;
    EXPECT_NEAR(points[i].y, 0, 1e-4) << i;
  }
}

TEST(TovarineScaling, UndefinedResultsAreZero) {
  const auto all_zero = [](const std::vector<PlanePoint>& points) {
    return std::all_of(points.begin(), points.end(), [](auto p) { return p.x == 0 && p.y == 0; });
  };
  // Nobody misses anything: every distance is 0.
  EXPECT_TRUE(all_zero(detail::TovarineMap(MissMatrix(6, 4))));
  // A not-finite miss spoils the whole map rather than leaking NaN.
  MissMatrix broken(6, 2);
  for (std::size_t i = 0; i < 5; ++i) broken(i, 0) = static_cast<double>(i);
  broken(2, 1) = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(all_zero(detail::TovarineMap(broken)));
  // Differences at the level of rounding noise are no picture.
  MissMatrix noise(6, 1);
  for (std::size_t i = 0; i < 5; ++i) noise(i, 0) = 1e-20 * static_cast<double>(i + 1);
  EXPECT_TRUE(all_zero(detail::TovarineMap(noise, 1e-8)));
  EXPECT_EQ(std::fabs(detail::TovarineMap(noise)[4].x), 100);
  // A negative eigenvalue among the two largest leaves its axis at 0.
  const auto axes = detail::LeadingAxes({{-3, {1, 0, 0}}, {2, {0, 0, 1}}}, 3);
  EXPECT_TRUE(axes[0].x == 0 && axes[0].y == 0 && axes[2].x == 0);
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

// Seven runners of three legs, then the origin, found by search: the second eigenvalue by
// magnitude is negative, so the Y axis is flat.
MissMatrix NegativeSecondEigenvalue() {
  MissMatrix misses(8, 3);
  misses.cells = {-0.591, 0.096,  -0.012, 0.188,  0.264, -0.546, -2.042, 0.723,
                  -1.46,  -0.641, 1.003,  -0.587, 0.446, -1.168, 0.337,  0.492,
                  0.023,  0.741,  -0.036, 0.696,  0.312, 0,      0,      0};
  return misses;
}

// The whole map agrees with the reference's to 1e-6 on the ±100 scale; either axis may be
// mirrored. The reference decomposes the whole matrix, not only one triangle of it.
TEST(TovarineSolver, MapsAgreeWithTheReference) {
  const struct {
    const char* name;
    MissMatrix misses;
  } cases[] = {
      {"class of 8", RandomClass(8, 12, 1)},
      {"class of 60", RandomClass(60, 25, 2)},
      {"class of 120, flat spectrum", RandomClass(120, 20, 3)},
      {"class of 100, 6 legs", RandomClass(100, 6, 4)},
      {"negative second eigenvalue", NegativeSecondEigenvalue()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto map = detail::TovarineMap(c.misses, 1e-3);
    const auto reference = ReferenceMap(c.misses, 1e-3);
    ASSERT_EQ(map.size(), reference.size());
    double dot_x = 0, dot_y = 0, largest = 0;
    for (std::size_t i = 0; i < map.size(); ++i) {
      dot_x += map[i].x * reference[i].x, dot_y += map[i].y * reference[i].y;
      largest = std::max({largest, std::fabs(map[i].x), std::fabs(map[i].y)});
    }
    for (std::size_t i = 0; i < map.size(); ++i) {
      EXPECT_NEAR(map[i].x, (dot_x < 0 ? -1 : 1) * reference[i].x, 1e-6) << i;
      EXPECT_NEAR(map[i].y, (dot_y < 0 ? -1 : 1) * reference[i].y, 1e-6) << i;
    }
    EXPECT_EQ(largest, 100);
  }
  // The last case is what its name says.
  const auto b = detail::DoubleCentred(detail::SquaredCityBlockDistances(cases[4].misses));
  EXPECT_LT(ReferencePairs(b, 2)[1].value, 0);
}

// The analyzer's Tovarine() on small data sets, each runner first placed at (x, y).

void TovarineFrom(clsAnalyzer& analyzer, double x, double y) {
  analyzer.Execute();
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    analyzer.FullSetItem(i)->TovarineX(x);
    analyzer.FullSetItem(i)->TovarineY(y);
  }
  analyzer.Tovarine();
}

double Distance(const clsAnalyzedRunnerData& a, double x = 0, double y = 0) {
  return std::hypot(a.TovarineX() - x, a.TovarineY() - y);
}

// Five legs; three runners without a miss set the reference times, the others lose time on
// different legs; "twin" repeats "left" exactly; "dnf" has no result time.
const char* const kFieldOfTen =
    "ref1 - 300 200 400 100 60, ref2 - 300 200 400 100 60, ref3 - 300 200 400 100 60, "
    "steady - 330 220 440 110 66, left - 420 200 400 100 60, twin - 420 200 400 100 60, "
    "right - 300 200 400 190 60, both - 360 200 520 100 90, late - 300 260 400 100 120, "
    "dnf DNF 500 300 600 150 90";

TEST(Tovarine, MapInvariantsOnASmallClass) {
  clsAnalyzer analyzer;
  AddRunners(analyzer, 4, kFieldOfTen);
  TovarineFrom(analyzer, 5, 5);
  // Runners without misses lie at the origin (up to the solver's accuracy), twins together, the
  // runner without a result at (0, 0); runners who lost time on different legs lie apart.
  EXPECT_NEAR(Distance(*Find(analyzer, "ref1")), 0, 1e-4);
  EXPECT_NEAR(Distance(*Find(analyzer, "steady")), 0, 1e-4);
  const auto left = Find(analyzer, "left");
  EXPECT_NEAR(Distance(*Find(analyzer, "twin"), left->TovarineX(), left->TovarineY()), 0, 1e-4);
  EXPECT_EQ(Distance(*Find(analyzer, "dnf")), 0);
  EXPECT_GT(Distance(*Find(analyzer, "right"), left->TovarineX(), left->TovarineY()), 10);

  // The skipped leg's miss time is the code -1 (a day), which dwarfs every real loss: the runner
  // with the skipped control is the farthest point by far, at the scale's end.
  AddRunners(analyzer, 4, "skipper - 300 ↓ 600 100 60");
  TovarineFrom(analyzer, 5, 5);
  const auto skipper = Find(analyzer, "skipper");
  EXPECT_EQ(skipper->MissTime(2)->Value(), -1);
  EXPECT_EQ(std::max(std::fabs(skipper->TovarineX()), std::fabs(skipper->TovarineY())), 100);
  EXPECT_LT(Distance(*Find(analyzer, "both")), 1);
}

TEST(Tovarine, FewerThanFiveTimesKeepTheirCoordinatesAndNoMissesGiveTheOrigin) {
  clsAnalyzer analyzer;
  AddRunners(analyzer, 1, "a - 100 200, b - 100 200, c - 100 200, d - 100 200, mp MP 100 200");
  TovarineFrom(analyzer, 7, -3);
  EXPECT_EQ(Find(analyzer, "a")->TovarineX(), 7);
  EXPECT_EQ(Find(analyzer, "d")->TovarineY(), -3);
  EXPECT_EQ(Distance(*Find(analyzer, "mp")), 0);

  // Every runner keeps one pace over the whole course: the miss times are 0 up to rounding, and
  // rounding must not be blown up into a picture.
  analyzer.Clear();
  AddRunners(analyzer, 2,
             "p - 100 200 300, p - 100 200 300, p - 100 200 300, p - 110 220 330, "
             "p - 130 260 390, p - 170 340 510");
  TovarineFrom(analyzer, 1, 1);
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    EXPECT_EQ(Distance(*analyzer.FullSetItem(i)), 0) << i;
  }
}

TEST(Tovarine, DataSetTooLargeForTheMapGetsNoneAndTheChartPageSaysSo) {
  clsQuorvex2 root;
  const auto analyzer = root.NewAnalyzer();
  const int32_t limit = clsAnalyzer::kMaxTovarineRunners;
  for (int32_t i = 0; i <= limit; ++i) {
    analyzer->AddLap(MakeRunner("r" + std::to_string(i), "", {100.0 + i % 97, 200.0 + i % 89}));
  }
  analyzer->ControlCount = 1;
  TovarineFrom(*analyzer, 5, 5);
  EXPECT_TRUE(analyzer->IsTovarineOmitted());
  EXPECT_EQ(Distance(*Find(*analyzer, "r17")), 0);
  const std::string note = "X/Y 分析は行いませんでした";
  EXPECT_NE(root.HtmlControl()->OutputChart(analyzer, "c?.png", "0,7").find(note),
            std::string::npos);
  // The next map of a data set of ordinary size is made.
  analyzer->Clear();
  AddRunners(*analyzer, 4, kFieldOfTen);
  TovarineFrom(*analyzer, 5, 5);
  EXPECT_FALSE(analyzer->IsTovarineOmitted());
  EXPECT_EQ(root.HtmlControl()->OutputChart(analyzer, "c?.png", "0,7").find(note),
            std::string::npos);
}

}  // namespace
}  // namespace quorvex2
