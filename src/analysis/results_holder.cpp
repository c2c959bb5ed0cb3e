#include "quorvex2/analysis/results_holder.h"

#include <stdexcept>
#include <string>

#include "analysis/detail/data_set_rules.h"
#include "core/detail/result_sort_key.h"
#include "quorvex2/core/format.h"

namespace quorvex2 {
namespace {

std::shared_ptr<clsLapData> LapAt(const CclsSort& list, int32_t Index) {
  if (Index < 1 || Index > list.Count()) return nullptr;
  return list.ObjectItemAs<clsLapData>(Index);
}

}  // namespace

std::string clsResultsHolder::ClassInfo() const {
  return detail::DataSetClassInfo(Length, Climb);
}

void clsResultsHolder::AddClass(const std::string& ClassID) {
  detail::AddClassTo(*this, data_set_name_, detail::FindDataSetClass(ClassID));
}

void clsResultsHolder::AddClass(int32_t ClassID) {
  detail::AddClassTo(*this, data_set_name_, detail::FindDataSetClass(ClassID));
}

void clsResultsHolder::AddLap(std::shared_ptr<clsLapData> LapObject) {
  if (!LapObject || LapObject->Result().empty()) return;
  const double key = detail::ResultSortKey(LapObject->Result());
  selection_.AddObject(key, LapObject);
  full_set_.AddObject(key, LapObject);
}

void clsResultsHolder::AddCourse(int32_t CourseNum) {
  detail::AddCourseTo(*this, CourseNum);
}

void clsResultsHolder::Clear() {
  full_set_.Clear();
  selection_.Clear();
  detail::ClearDataSet(*this, data_set_name_);
}

int32_t clsResultsHolder::Count() const {
  return selection_.Count();
}

std::shared_ptr<clsLapData> clsResultsHolder::Item(int32_t Index) const {
  return LapAt(selection_, Index);
}

std::string clsResultsHolder::RankInDataSet(int32_t Index) const {
  if (Index < 1 || Index > selection_.Count()) {
    throw std::out_of_range("clsResultsHolder.RankInDataSet: index " + std::to_string(Index) +
                            " outside 1.." + std::to_string(selection_.Count()));
  }
  if (!IsValidTime(selection_.ObjectItemAs<clsLapData>(Index)->Result())) return "";
  return std::to_string(selection_.LineSet()[static_cast<size_t>(Index - 1)].RankOrder);
}

void clsResultsHolder::CalcRank() {
  const int32_t count = selection_.Count();
  if (count == 0) return;
  selection_.CalcRankOrder();
  full_set_.CalcRankOrder();
  int32_t ranked = 0;
  for (int32_t i = 1; i <= count; ++i) {
    if (!selection_.ObjectItemAs<clsLapData>(i)->Rank.empty()) ++ranked;
  }
  rank_is_available_ = static_cast<double>(ranked) / count >= 0.5;
}

int32_t clsResultsHolder::FullSetCount() const {
  return full_set_.Count();
}

std::shared_ptr<clsLapData> clsResultsHolder::FullSetItem(int32_t Index) const {
  return LapAt(full_set_, Index);
}

void clsResultsHolder::DataSetName(const std::string& value) {
  detail::NameDataSet(*this, data_set_name_, value);
}

void clsResultsHolder::SelectItem(int32_t SerialNum) {
  for (const CclsSortLine& line : full_set_.LineSet()) {
    const auto lap =
        std::static_pointer_cast<clsLapData>(std::get<std::shared_ptr<void>>(line.Item));
    if (lap->SerialNum() == SerialNum) selection_.AddObject(line.SortKey, lap);
  }
}

void clsResultsHolder::SelectAll() {
  selection_.Clear();
  for (const CclsSortLine& line : full_set_.LineSet()) {
    selection_.AddObject(line.SortKey, std::get<std::shared_ptr<void>>(line.Item));
  }
}

void clsResultsHolder::SelectNone() {
  selection_.Clear();
}

}  // namespace quorvex2
