#include "quorvex2/analysis/analyzer.h"

#include <stdexcept>
#include <string>

#include "analysis/detail/data_set_rules.h"
#include "core/detail/internal.h"
#include "core/detail/ranked_keys.h"
#include "core/detail/result_sort_key.h"

namespace quorvex2 {
namespace {

using Runner = std::shared_ptr<clsAnalyzedRunnerData>;

Runner RunnerAt(const std::vector<Runner>& list, int32_t Index) {
  if (Index < 1 || Index > static_cast<int32_t>(list.size())) return nullptr;
  return list[static_cast<size_t>(Index - 1)];
}

// Marks the run of skipped legs that starts at leg i and ends at the next leg with a recorded
// time; without such a leg, the skip becomes no data in the runner's own record.
void MarkSkippedRun(clsAnalyzedRunnerData& record, clsLapData& lap, std::vector<Date>& t, int32_t i,
                    int32_t n, detail::Internal in) {
  for (int32_t j = i + 1; j <= n; ++j) {
    if (t[static_cast<size_t>(j)] > 0) {
      for (int32_t k = i; k <= j; ++k) record.SetTotalLap(k, i, j, in);
      return;
    }
  }
  lap.LapObject(i)->Value(kTimeNoData);
  t[static_cast<size_t>(i)] = kTimeNoData;
}

// Cumulative time and both validity flags of leg i.
void PrepareLeg(clsAnalyzedRunnerData& record, const std::vector<Date>& t, int32_t i, Date& total,
                detail::Internal in) {
  const Date time = t[static_cast<size_t>(i)];
  const bool previous_split_valid = i == 1 || record.IsValidSplitTime(i - 1);
  if (time > 0) {
    total += time;
    record.SplitTime(i)->Value(total);
    record.SetValidity(i, i == 1 || t[static_cast<size_t>(i - 1)] >= 0, previous_split_valid, in);
  } else if (time == kTimeSkip) {
    // The next recorded leg time contains the skipped legs: the cumulative times stay good.
    record.SplitTime(i)->Value(time);
    record.SetValidity(i, false, previous_split_valid, in);
  } else if (time == kTimeNoData || time == kTimeDisq) {
    record.SplitTime(i)->Value(time);
    record.SetValidity(i, false, false, in);
  }
}

}  // namespace

std::string clsAnalyzer::ClassInfo() const {
  return detail::DataSetClassInfo(Length, Climb);
}

void clsAnalyzer::AddLap(std::shared_ptr<clsLapData> LapObject) {
  if (!LapObject) return;
  const int32_t n = LapObject->LegCount();
  if (n <= 0) return;
  if (n > clsLapData::kMaxLegs) {
    throw std::out_of_range("clsAnalyzer.AddLap: " + std::to_string(n) + " legs, at most " +
                            std::to_string(clsLapData::kMaxLegs));
  }
  const detail::Internal in = detail::MakeInternal();
  auto record = std::make_shared<clsAnalyzedRunnerData>();
  std::vector<Date> t(static_cast<size_t>(n) + 1, 0);
  for (int32_t i = 1; i <= n; ++i) t[static_cast<size_t>(i)] = LapObject->LapValue(i);
  Date total = 0;
  for (int32_t i = 1; i <= n; ++i) {
    if (record->TotalLapFrom(i) == 0 && t[static_cast<size_t>(i)] == kTimeSkip) {
      MarkSkippedRun(*record, *LapObject, t, i, n, in);
    }
    PrepareLeg(*record, t, i, total, in);
  }
  record->SetOtherData(std::move(LapObject), in);
  full_set_.push_back(std::move(record));
  is_executed_ = false;
}

void clsAnalyzer::AddClass(const std::string& ClassID) {
  detail::AddClassTo(*this, data_set_name_, detail::FindDataSetClass(ClassID));
}

void clsAnalyzer::AddClass(int32_t ClassID) {
  detail::AddClassTo(*this, data_set_name_, detail::FindDataSetClass(ClassID));
}

void clsAnalyzer::AddCourse(int32_t CourseNum) {
  detail::AddCourseTo(*this, CourseNum);
}

void clsAnalyzer::Clear() {
  full_set_.clear();
  selection_.clear();
  general_data_ = std::make_shared<clsAnalyzedGeneralData>();
  detail::ClearDataSet(*this, data_set_name_);
  is_executed_ = false;
}

std::shared_ptr<clsAnalyzedRunnerData> clsAnalyzer::Item(int32_t Index) const {
  return RunnerAt(selection_, Index);
}

std::shared_ptr<clsAnalyzedRunnerData> clsAnalyzer::FullSetItem(int32_t Index) const {
  return RunnerAt(full_set_, Index);
}

void clsAnalyzer::DataSetName(const std::string& value) {
  detail::NameDataSet(*this, data_set_name_, value);
}

void clsAnalyzer::SelectItem(int32_t SerialNum) {
  for (const Runner& record : full_set_) {
    if (record->OtherData()->SerialNum() == SerialNum) {
      selection_.push_back(record);
      return;
    }
  }
}

void clsAnalyzer::SelectSort() {
  detail::RankedKeys lines;
  for (size_t i = 0; i < selection_.size(); ++i) {
    lines.push_back({detail::ResultSortKey(selection_[i]->Result()), static_cast<int32_t>(i), 0});
  }
  detail::SortRanked(lines);
  std::vector<Runner> sorted;
  sorted.reserve(lines.size());
  for (const detail::RankedKey& line : lines) {
    sorted.push_back(selection_[static_cast<size_t>(line.position)]);
  }
  selection_ = std::move(sorted);
}

void clsAnalyzer::SelectAll() {
  selection_ = full_set_;
}

void clsAnalyzer::SelectNone() {
  selection_.clear();
}

}  // namespace quorvex2
