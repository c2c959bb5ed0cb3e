#pragma once
// Ranking a list of analysis records by one figure through the component's sorting utility.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "quorvex2/analysis/analyzed_runner_data.h"
#include "quorvex2/core/sort.h"

namespace quorvex2::detail {

using Runner = std::shared_ptr<clsAnalyzedRunnerData>;
using Runners = std::vector<Runner>;

// Sorts the records for which key_of gives a key (ascending, equal keys newest first), computes
// competition ranks and calls assign(position, record, rank) in sorted order. The sorting object
// is cleared first, so one object serves every leg.
template <class KeyOf, class Assign>
void RankRunners(CclsSort& sort, const Runners& runners, KeyOf key_of, Assign assign) {
  sort.Clear();
  for (const Runner& runner : runners) {
    if (const std::optional<double> key = key_of(*runner)) sort.AddObject(*key, runner);
  }
  sort.CalcRankOrder();
  for (int32_t p = 1; p <= sort.Count(); ++p) {
    assign(p, sort.ObjectItemAs<clsAnalyzedRunnerData>(p), sort.LineObject(p).RankOrder);
  }
}

// The runner's own leg time of leg k (a code where no time was recorded); std::out_of_range
// beyond the legs a lap record holds.
inline Date LapOf(const clsAnalyzedRunnerData& runner, int32_t k) {
  return runner.OtherData()->LapValue(k);
}

}  // namespace quorvex2::detail
