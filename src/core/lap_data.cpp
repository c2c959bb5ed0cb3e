#include "quorvex2/core/lap_data.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

void CheckLapIndex(int32_t Index) {
  if (Index < 0 || Index > clsLapData::kMaxLegs) {
    throw std::out_of_range("clsLapData.Lap: index " + std::to_string(Index) + " outside 0.." +
                            std::to_string(clsLapData::kMaxLegs));
  }
}

}  // namespace

clsTimeValue* clsLapData::Lap(int32_t Index) {
  CheckLapIndex(Index);
  if (Index > leg_count_) leg_count_ = Index;
  if (Index == 0) return nullptr;
  return &laps_[static_cast<size_t>(Index)];
}

clsTimeValue* clsLapData::LapObject(int32_t Index) {
  CheckLapIndex(Index);
  return Index == 0 ? nullptr : &laps_[static_cast<size_t>(Index)];
}

Date clsLapData::LapValue(int32_t Index) const {
  CheckLapIndex(Index);
  return laps_[static_cast<size_t>(Index)].Value();
}

void clsLapData::Result(const std::string& value) {
  const std::string converted = ToNarrow(ToUpper(value));
  result_ = converted;
  const std::string normalized = NormalizeTimeText(converted, true, "h:nn:ss");
  const std::optional<Date> time = ParseTimeText(normalized);
  if (!time) {
    result_time_ = QX_TIME_DISQ;
    return;
  }
  if (*time <= 0) {
    result_ = "DISQ";
    result_time_ = QX_TIME_DISQ;
    return;
  }
  result_ = normalized;
  result_time_ = *time;
}

}  // namespace quorvex2
