// The analysis run of a data set: result order and ranks, leg ranks, leg statistics, modified
// and relative times, cruise speed and miss times; and the extra analysis on top of it.
#include <optional>
#include <stdexcept>
#include <string>

#include "analysis/detail/cruise_speed.h"
#include "analysis/detail/leg_difficulty.h"
#include "analysis/detail/modified_times.h"
#include "analysis/detail/ranking.h"
#include "analysis/detail/relative_times.h"
#include "core/detail/internal.h"
#include "core/detail/result_sort_key.h"
#include "quorvex2/analysis/analyzer.h"

namespace quorvex2 {
namespace {

using detail::Runner;
using detail::Runners;

// The legs the per-leg arrays hold.
void CheckLegCount(int32_t legs) {
  if (legs > clsAnalyzedRunnerData::kMaxLegIndex) {
    throw std::out_of_range("clsAnalyzer: " + std::to_string(legs) + " legs, at most " +
                            std::to_string(clsAnalyzedRunnerData::kMaxLegIndex));
  }
}

// The records in result order with their rank in the data set; a status result keeps the rank
// the record showed before.
Runners OrderByResult(const Runners& full_set, detail::RankedKeys& lines) {
  const detail::Internal in = detail::MakeInternal();
  Runners ordered;
  ordered.reserve(full_set.size());
  detail::RankRunners(
      lines, full_set,
      [](clsAnalyzedRunnerData& r) -> std::optional<double> {
        return detail::ResultSortKey(r.Result());
      },
      [&](int32_t, const Runner& r, const detail::RankedKey& line) {
        r->SetRankInDataSet(line.key >= 1 ? r->Rank() : std::to_string(line.rank), in);
        ordered.push_back(r);
      });
  return ordered;
}

// The lap file's own ranks are shown as soon as at least half of the runners carry one.
void SetDisplayedRanks(const Runners& selection) {
  const detail::Internal in = detail::MakeInternal();
  size_t with_file_rank = 0;
  for (const Runner& r : selection) {
    if (!r->ResultRank().empty()) ++with_file_rank;
  }
  const bool use_file_ranks = static_cast<double>(with_file_rank) >= selection.size() * 0.5;
  for (const Runner& r : selection) {
    r->SetRank(use_file_ranks ? r->ResultRank() : r->RankInDataSet(), in);
  }
}

// Leg-time ranks; the six fastest of each leg, by sorted position, become its upper runners.
void RankLegTimes(const Runners& selection, clsAnalyzedGeneralData& general,
                  detail::RankedKeys& lines, int32_t legs) {
  const detail::Internal in = detail::MakeInternal();
  for (int32_t k = 1; k <= legs; ++k) {
    detail::RankRunners(
        lines, selection,
        [k](clsAnalyzedRunnerData& r) -> std::optional<double> {
          if (!r.IsValidLapTime(k)) return std::nullopt;
          return detail::LapOf(r, k);
        },
        [&](int32_t p, const Runner& r, const detail::RankedKey& line) {
          r->LapRank(k)->SetValue(line.rank, in);
          if (p <= clsAnalyzedGeneralData::kUpperCount) general.SetUpperLapObject(k, p, r, in);
        });
  }
}

// Cumulative-time ranks; a skipped control has a valid split flag but no time and is not ranked.
void RankSplitTimes(const Runners& selection, detail::RankedKeys& lines, int32_t legs) {
  const detail::Internal in = detail::MakeInternal();
  for (int32_t k = 1; k <= legs; ++k) {
    detail::RankRunners(
        lines, selection,
        [k](clsAnalyzedRunnerData& r) -> std::optional<double> {
          const Date split = r.SplitTime(k)->Value();
          if (!r.IsValidSplitTime(k) || split <= 0) return std::nullopt;
          return split;
        },
        [k, in](int32_t, const Runner& r, const detail::RankedKey& line) {
          r->SplitRank(k)->SetValue(line.rank, in);
        });
  }
}

}  // namespace

void clsAnalyzer::Execute() {
  const int32_t legs = ControlCount + 1;
  CheckLegCount(legs);
  const detail::Internal in = detail::MakeInternal();
  general_data_ = std::make_shared<clsAnalyzedGeneralData>();
  general_data_->SetAnalyzer(this, in);
  detail::RankedKeys lines;
  selection_ = OrderByResult(full_set_, lines);
  SetDisplayedRanks(selection_);
  RankLegTimes(selection_, *general_data_, lines, legs);
  general_data_->CalcLegFigures(in);
  RankSplitTimes(selection_, lines, legs);
  const bool merged = detail::CalcModifiedLapTimes(selection_, *general_data_, legs);
  detail::RankModifiedLapTimes(selection_, lines, legs, merged);
  detail::CalcModifiedSplitTimes(selection_, lines, legs, merged);
  for (const Runner& r : selection_) {
    detail::CalcRelativeTimes(*r, *general_data_, legs);
    detail::CalcCruiseSpeedAndMissTimes(*r, *general_data_, lines, legs);
  }
  full_set_ = selection_;
  is_executed_ = true;
}

void clsAnalyzer::ExtraAnalyze() {
  const int32_t legs = ControlCount + 1;
  CheckLegCount(legs);
  detail::RankedKeys lines;
  const detail::CourseParts parts = detail::FindCourseParts(*general_data_, legs);
  for (const Runner& r : full_set_) {
    detail::CalcHalfCruiseSpeeds(*r, *general_data_, lines, parts, legs);
  }
  selection_ = full_set_;
  detail::CalcLegDifficulty(*general_data_, full_set_, legs);
}

}  // namespace quorvex2
