#include "analysis/detail/modified_times.h"

#include "core/detail/internal.h"

namespace quorvex2::detail {
namespace {

// Shares the time recorded on leg k over the run f..k that it covers.
void ShareMergedTime(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                     int32_t k) {
  const int32_t f = runner.TotalLapFrom(k);
  const Date time = LapOf(runner, k);
  float lengths = 0;
  for (int32_t j = f; j <= k; ++j) lengths += general.LegLength(j);
  for (int32_t j = f; j <= k; ++j) {
    runner.ModifiedLapTime(j)->Value(lengths != 0 ? general.LegLength(j) * time / lengths
                                                  : time / (k - f + 1));
  }
}

// Copies the plain figures where no leg was merged.
void CopyPlainSplitTimes(const Runners& selection, int32_t legs) {
  const Internal in = MakeInternal();
  for (const Runner& runner : selection) {
    for (int32_t k = 1; k <= legs; ++k) {
      const Date split = runner->SplitTime(k)->Value();
      if (split > 0) runner->ModifiedSplitTime(k)->Value(split);
      runner->ModifiedSplitRank(k)->SetValue(runner->SplitRank(k)->Value(), in);
    }
  }
}

// The modified cumulative time of leg k, written when it is known; false when the record is
// left out for this leg.
bool ModifySplitTime(clsAnalyzedRunnerData& runner, int32_t k) {
  if (!runner.IsValidSplitTime(k)) return false;
  const Date split = runner.SplitTime(k)->Value();
  if (split > 0) {
    runner.ModifiedSplitTime(k)->Value(split);
  } else if (runner.TotalLapFrom(k) >= 1) {
    const Date before = k == 1 ? 0 : runner.ModifiedSplitTime(k - 1)->Value();
    runner.ModifiedSplitTime(k)->Value(before + runner.ModifiedLapTime(k)->Value());
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool CalcModifiedLapTimes(const Runners& selection, const clsAnalyzedGeneralData& general,
                          int32_t legs) {
  bool merged = false;
  for (const Runner& runner : selection) {
    for (int32_t k = 1; k <= legs; ++k) {
      if (runner->IsValidLapTime(k)) {
        runner->ModifiedLapTime(k)->Value(LapOf(*runner, k));
      } else if (runner->TotalLapTo(k) == k) {
        merged = true;
        ShareMergedTime(*runner, general, k);
      }
    }
  }
  return merged;
}

void RankModifiedLapTimes(const Runners& selection, RankedKeys& lines, int32_t legs, bool merged) {
  const Internal in = MakeInternal();
  if (!merged) {
    for (const Runner& runner : selection) {
      for (int32_t k = 1; k <= legs; ++k) {
        runner->ModifiedLapRank(k)->SetValue(runner->LapRank(k)->Value(), in);
      }
    }
    return;
  }
  for (int32_t k = 1; k <= legs; ++k) {
    RankRunners(
        lines, selection,
        [k](clsAnalyzedRunnerData& r) -> std::optional<double> {
          const Date time = r.ModifiedLapTime(k)->Value();
          return time > 0 ? std::optional<double>(time) : std::nullopt;
        },
        [k, in](int32_t, const Runner& r, const RankedKey& line) {
          r->ModifiedLapRank(k)->SetValue(line.rank, in);
        });
  }
}

void CalcModifiedSplitTimes(const Runners& selection, RankedKeys& lines, int32_t legs,
                            bool merged) {
  if (!merged) {
    CopyPlainSplitTimes(selection, legs);
    return;
  }
  const Internal in = MakeInternal();
  for (int32_t k = 1; k <= legs; ++k) {
    Runners known;
    for (const Runner& runner : selection) {
      if (ModifySplitTime(*runner, k)) known.push_back(runner);
    }
    RankRunners(
        lines, known,
        [k](clsAnalyzedRunnerData& r) -> std::optional<double> {
          return r.ModifiedSplitTime(k)->Value();
        },
        [k, in](int32_t, const Runner& r, const RankedKey& line) {
          r->ModifiedSplitRank(k)->SetValue(line.rank, in);
        });
  }
}

}  // namespace quorvex2::detail
