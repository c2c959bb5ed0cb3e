#pragma once
// Ranking a list of analysis records by one figure.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/detail/ranked_keys.h"
#include "quorvex2/analysis/analyzed_runner_data.h"

namespace quorvex2::detail {

using Runner = std::shared_ptr<clsAnalyzedRunnerData>;
using Runners = std::vector<Runner>;

// Sorts the records for which key_of gives a key (ascending, equal keys newest first), computes
// competition ranks and calls assign(position, record, line) in sorted order, position from 1.
// `lines` is working storage, reused from leg to leg.
template <class KeyOf, class Assign>
void RankRunners(RankedKeys& lines, const Runners& runners, KeyOf key_of, Assign assign) {
  lines.clear();
  for (size_t i = 0; i < runners.size(); ++i) {
    if (const std::optional<double> key = key_of(*runners[i])) {
      lines.push_back({*key, static_cast<int32_t>(i), 0});
    }
  }
  SortRanked(lines);
  for (size_t p = 0; p < lines.size(); ++p) {
    assign(static_cast<int32_t>(p + 1), runners[static_cast<size_t>(lines[p].position)], lines[p]);
  }
}

// The runner's own leg time of leg k (a code where no time was recorded); std::out_of_range
// beyond the legs a lap record holds.
inline Date LapOf(const clsAnalyzedRunnerData& runner, int32_t k) {
  return runner.OtherData()->LapValue(k);
}

}  // namespace quorvex2::detail
