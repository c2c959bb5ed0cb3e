#include "quorvex2/core/class_data.h"

#include <exception>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "core/detail/ranked_keys.h"
#include "core/detail/result_sort_key.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

// The base name of a class's output files: the file-name-safe text, lower case and half width.
// It may still hold a folder part; whoever turns it into a path makes it one safe file name.
std::string ClassFileName(const std::string& name) {
  return ToNarrow(ToLower(MakeSafeFileName(name)));
}

}  // namespace

void clsClassData::SetClassName(const std::string& value, detail::Internal) {
  class_name_ = value;
  file_name_ = ClassFileName(class_name_);
}

void clsClassData::FileName(const std::string& value) {
  file_name_ = ClassFileName(value.empty() ? class_name_ : value);
}

std::string clsClassData::ClassInfo() const {
  if (Length == 0) return "";
  std::string info = std::to_string(Length) + "m";
  if (Climb != 0) info += " ↑" + std::to_string(Climb) + "m";
  return info;
}

std::shared_ptr<clsLapData> clsClassData::AddLap() {
  auto lap = std::make_shared<clsLapData>();
  lap->SetClassName(class_name_, detail::MakeInternal());
  Append(lap);
  return lap;
}

// Errors while appending are swallowed: the record is then not placed and keeps no number.
bool clsClassData::Append(const std::shared_ptr<clsLapData>& lap) {
  try {
    laps_.push_back(lap);
  } catch (const std::exception&) {
    return false;
  }
  lap->SetSerialNum(detail::NextSerialNumber(), detail::MakeInternal());
  return true;
}

void clsClassData::RemoveLap(int32_t Index) {
  if (Index < 1 || Index > LapCount()) return;
  laps_.erase(laps_.begin() + (Index - 1));
}

void clsClassData::ClearLap() {
  laps_.clear();
  name_keys_.clear();
}

std::shared_ptr<clsLapData> clsClassData::LapData(int32_t Index) const {
  if (Index < 1 || Index > LapCount()) return nullptr;
  return laps_[static_cast<size_t>(Index - 1)];
}

void clsClassData::SortLap() {
  detail::RankedKeys lines;
  lines.reserve(laps_.size());
  for (size_t i = 0; i < laps_.size(); ++i) {
    lines.push_back({detail::ResultSortKey(laps_[i]->Result()), static_cast<int32_t>(i), 0});
  }
  detail::SortRanked(lines);
  std::vector<std::shared_ptr<clsLapData>> sorted;
  sorted.reserve(laps_.size());
  for (const detail::RankedKey& line : lines) {
    sorted.push_back(laps_[static_cast<size_t>(line.position)]);
  }
  laps_ = std::move(sorted);
}

}  // namespace quorvex2
