// The X/Y map of the analysis: runners placed on a plane by their miss profiles.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "analysis/detail/tovarine_scaling.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

namespace {

constexpr std::size_t kMinimumRunners = 5;
// Coordinates (days of miss time) that all stay within a millisecond of the origin are rounding
// noise, not a picture: the map is then all zero.
constexpr double kResolution = 0.001 * kSecond;

using RunnerList = std::vector<std::shared_ptr<clsAnalyzedRunnerData>>;

// The runners with a time as result, in full-set order; every other runner goes to (0, 0).
RunnerList EligibleRunners(const RunnerList& full_set) {
  RunnerList eligible;
  for (const auto& runner : full_set) {
    if (IsValidTime(runner->Result())) {
      eligible.push_back(runner);
    } else {
      runner->TovarineX(0);
      runner->TovarineY(0);
    }
  }
  return eligible;
}

// A leg without a time of its own takes the runner's total loss shared out by leg length.
double LegMiss(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general, int32_t leg) {
  if (runner.ModifiedLapTime(leg)->Value() == 0) {
    return general.LegLength(leg) * runner.MissTimeTotal().Value();
  }
  return runner.MissTime(leg)->Value();
}

// One row per eligible runner and a last row of zeros for the runner without misses.
detail::MissMatrix BuildMissMatrix(const RunnerList& eligible,
                                   const clsAnalyzedGeneralData& general, int32_t legs) {
  detail::MissMatrix misses(eligible.size() + 1, static_cast<std::size_t>(legs));
  for (std::size_t i = 0; i < eligible.size(); ++i) {
    for (int32_t k = 1; k <= legs; ++k) {
      misses(i, static_cast<std::size_t>(k - 1)) = LegMiss(*eligible[i], general, k);
    }
  }
  return misses;
}

}  // namespace

void clsAnalyzer::Tovarine() {
  const RunnerList eligible = EligibleRunners(full_set_);
  tovarine_omitted_ = eligible.size() > static_cast<std::size_t>(kMaxTovarineRunners);
  if (tovarine_omitted_) {
    for (const auto& runner : eligible) {
      runner->TovarineX(0);
      runner->TovarineY(0);
    }
    return;
  }
  if (eligible.size() < kMinimumRunners) return;
  const auto misses = BuildMissMatrix(eligible, *general_data_, std::max(ControlCount + 1, 0));
  const std::vector<detail::PlanePoint> points = detail::TovarineMap(misses, kResolution);
  for (std::size_t i = 0; i < eligible.size(); ++i) {
    eligible[i]->TovarineX(points[i].x);
    eligible[i]->TovarineY(points[i].y);
  }
}

}  // namespace quorvex2
