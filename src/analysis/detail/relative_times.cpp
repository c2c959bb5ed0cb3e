#include "analysis/detail/relative_times.h"

#include "analysis/detail/ranking.h"
#include "core/detail/internal.h"

namespace quorvex2::detail {
namespace {

// The reference of leg k's recorded time: the leg's own, or that of every leg of the skipped run
// it covers; 0 when it has none.
Date ReferenceOf(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general, int32_t k) {
  if (runner.IsValidLapTime(k)) return general.UpperLapAverage(k);
  if (runner.TotalLapTo(k) == 0) return 0;
  Date reference = 0;
  for (int32_t j = runner.TotalLapFrom(k); j <= runner.TotalLapTo(k); ++j) {
    reference += general.UpperLapAverage(j);
  }
  return reference;
}

float LapRelativeOf(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                    int32_t k) {
  const Date lap = LapOf(runner, k);
  if (lap <= 0) return lap == kTimeSkip ? -1.0f : 0.0f;
  const Date reference = ReferenceOf(runner, general, k);
  return reference == 0 ? 0.0f : static_cast<float>(lap / reference);
}

float TotalRelativeOf(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                      int32_t legs) {
  const Date total = general.UpperLapTotal();
  if (legs < 1 || !runner.IsValidSplitTime(legs) || total == 0) return 0.0f;
  const Date split = runner.SplitTime(legs)->Value();
  return split > 0 ? static_cast<float>(split / total) : 0.0f;
}

}  // namespace

void CalcRelativeTimes(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                       int32_t legs) {
  const Internal in = MakeInternal();
  for (int32_t k = 1; k <= legs; ++k) {
    runner.LapRelative(k)->SetValue(LapRelativeOf(runner, general, k), in);
  }
  runner.TotalTimeRelative(in).SetValue(TotalRelativeOf(runner, general, legs), in);
}

}  // namespace quorvex2::detail
