#include "analysis/detail/leg_difficulty.h"

#include <cmath>
#include <vector>

#include "core/detail/internal.h"

namespace quorvex2::detail {
namespace {

// The slowest fifth of the field on a leg is left out of its samples.
constexpr double kSampledShare = 0.8;

// The leg's miss times as shares of each sampled runner's final cumulative time.
std::vector<double> MissShares(const Runners& full_set, int32_t k, int32_t legs) {
  std::vector<double> samples;
  const double rank_limit = kSampledShare * static_cast<double>(full_set.size());
  for (const Runner& runner : full_set) {
    const Date final_time = runner->SplitTime(legs)->Value();
    if (runner->IsValidLapTime(k) && runner->LapRank(k)->Value() < rank_limit && final_time != 0) {
      samples.push_back(runner->MissTime(k)->Value() / final_time);
    }
  }
  return samples;
}

// The population standard deviation, its sums and variance in single precision; 1 for fewer
// than two samples or a variance that rounding made negative.
float SpreadOf(const std::vector<double>& samples) {
  if (samples.size() <= 1) return 1.0f;
  float sum = 0, sum_of_squares = 0;
  for (const double x : samples) {
    sum = static_cast<float>(sum + x);
    sum_of_squares = static_cast<float>(sum_of_squares + x * x);
  }
  const float m = static_cast<float>(samples.size());
  float variance = (m * sum_of_squares - sum * sum) / (m * m);
  if (variance < 0) variance = 1.0f;
  return static_cast<float>(std::sqrt(static_cast<double>(variance)));
}

}  // namespace

void CalcLegDifficulty(clsAnalyzedGeneralData& general, const Runners& full_set, int32_t legs) {
  if (legs < 1) return;
  const Internal in = MakeInternal();
  float total = 0;
  for (int32_t k = 1; k <= legs; ++k) {
    const float spread = SpreadOf(MissShares(full_set, k, legs));
    general.SetLegDifficulty(k, spread, in);
    total += spread;
  }
  if (total == 0) total = 1.0f;
  const float mean = total / static_cast<float>(legs);
  for (int32_t k = 1; k <= legs; ++k) {
    general.SetLegDifficulty(k, general.LegDifficulty(k)->Value() / mean, in);
  }
}

}  // namespace quorvex2::detail
