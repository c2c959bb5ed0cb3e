#include "analysis/detail/cruise_speed.h"

#include <optional>

#include "analysis/detail/ranking.h"
#include "core/detail/internal.h"
#include "quorvex2/core/format.h"

namespace quorvex2::detail {
namespace {

// The share of the course length over which the cruise speed is taken, the bounds of the first
// and the last part, and the share taken within a part.
constexpr float kCruiseShare = 0.5f;
constexpr float kFirstPartEnd = 0.4f;
constexpr float kLastPartStart = 0.6f;
constexpr float kPartShare = 0.2f;

Date ModifiedLap(clsAnalyzedRunnerData& runner, int32_t k) {
  return runner.ModifiedLapTime(k)->Value();
}

// The loss on leg k against the expected time at cruise speed c; nullopt where none is computed
// (the miss time then holds the skip code or nothing).
std::optional<Date> LegMiss(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                            int32_t k, double c) {
  if (runner.IsValidLapTime(k)) return LapOf(runner, k) - general.UpperLapAverage(k) * c;
  if (runner.TotalLapTo(k) != k) return std::nullopt;
  // The recorded time covers the run of skipped legs: its whole loss shows on its last leg.
  Date miss = 0;
  for (int32_t j = runner.TotalLapFrom(k); j <= k; ++j) {
    const Date reference = general.UpperLapAverage(j);
    if (reference != 0) miss += ModifiedLap(runner, j) - reference * c;
  }
  return miss;
}

void CalcTotals(clsAnalyzedRunnerData& runner, Date lost, Date modified_total) {
  const std::optional<Date> result = ParseTimeText(runner.Result());
  if (!result || modified_total == 0) return;
  const Internal in = MakeInternal();
  runner.MissTimeTotal(in).SetValue(lost, in);
  runner.MissRate(in).SetValue(static_cast<float>(lost / modified_total), in);
  const float kept = 1.0f - runner.MissRate().Value();
  runner.TotalTimeWithoutMiss(in).Value(*result * kept);
}

}  // namespace

float CruiseSpeedOver(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                      RankedKeys& lines, int32_t first, int32_t last, float length_share) {
  // The legs are added in ascending order, so the leg number serves as the position.
  lines.clear();
  for (int32_t k = first; k <= last; ++k) {
    const Date modified = ModifiedLap(runner, k);
    const Date reference = general.UpperLapAverage(k);
    if (modified > 0 && reference != 0) lines.push_back({modified / reference, k, 0});
  }
  SortRanked(lines);
  float length = 0;
  Date time = 0, reference = 0;
  for (const RankedKey& line : lines) {
    const int32_t k = line.position;
    length += general.LegLength(k);
    time += ModifiedLap(runner, k);
    reference += general.UpperLapAverage(k);
    if (length >= length_share) break;
  }
  return reference != 0 ? static_cast<float>(time / reference) : 0.0f;
}

void CalcCruiseSpeedAndMissTimes(clsAnalyzedRunnerData& runner,
                                 const clsAnalyzedGeneralData& general, RankedKeys& lines,
                                 int32_t legs) {
  const Internal in = MakeInternal();
  runner.CruiseSpeed(in).SetValue(CruiseSpeedOver(runner, general, lines, 1, legs, kCruiseShare),
                                  in);
  const double c = runner.CruiseSpeed().Value();
  Date lost = 0, modified_total = 0;
  for (int32_t k = 1; k <= legs; ++k) {
    const std::optional<Date> miss = LegMiss(runner, general, k, c);
    if (miss) {
      runner.MissTime(k)->SetValue(*miss, in);
      if (*miss > 0) lost += *miss;
    } else if (LapOf(runner, k) == kTimeSkip) {
      runner.MissTime(k)->SetValue(kTimeSkip, in);
    } else {
      runner.MissTime(k)->Reset(in);
    }
    modified_total += ModifiedLap(runner, k);
  }
  CalcTotals(runner, lost, modified_total);
}

CourseParts FindCourseParts(const clsAnalyzedGeneralData& general, int32_t legs) {
  CourseParts parts;
  float length = 0;
  for (int32_t k = 1; k <= legs; ++k) {
    length += general.LegLength(k);
    if (parts.first_end == 0 && length >= kFirstPartEnd) parts.first_end = k;
    if (length >= kLastPartStart) {
      parts.last_start = k - 1 < 1 ? 1 : k - 1;
      break;
    }
  }
  return parts;
}

void CalcHalfCruiseSpeeds(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                          RankedKeys& lines, const CourseParts& parts, int32_t legs) {
  const Internal in = MakeInternal();
  runner.FirstHalfCruiseSpeed(in).SetValue(
      CruiseSpeedOver(runner, general, lines, 1, parts.first_end, kPartShare), in);
  runner.SecondHalfCruiseSpeed(in).SetValue(
      CruiseSpeedOver(runner, general, lines, parts.last_start, legs, kPartShare), in);
}

}  // namespace quorvex2::detail
