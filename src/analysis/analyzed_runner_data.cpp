#include "quorvex2/analysis/analyzed_runner_data.h"

#include <stdexcept>
#include <string>

namespace quorvex2 {

void clsAnalyzedRunnerData::ThrowLegOutOfRange(int32_t Index) {
  throw std::out_of_range("clsAnalyzedRunnerData: leg " + std::to_string(Index) + " outside 0.." +
                          std::to_string(kMaxLegIndex));
}

clsTimeValue* clsAnalyzedRunnerData::LapTime(int32_t Index) {
  LegAt(Index);
  return other_data_ ? other_data_->LapObject(Index) : nullptr;
}

int32_t clsAnalyzedRunnerData::SerialNum() const {
  return other_data_ ? other_data_->SerialNum() : 0;
}

std::string clsAnalyzedRunnerData::RunnerName() const {
  return other_data_ ? other_data_->RunnerName : "";
}
std::string clsAnalyzedRunnerData::ClubName() const {
  return other_data_ ? other_data_->ClubName : "";
}
std::string clsAnalyzedRunnerData::ResultRank() const {
  return other_data_ ? other_data_->Rank : "";
}
Date clsAnalyzedRunnerData::StartTime() const {
  return other_data_ ? other_data_->StartTime.Value() : 0;
}

std::string clsAnalyzedRunnerData::Result() const {
  if (!other_data_) return "";
  if (!other_data_->Result().empty()) return other_data_->Result();
  // No result text: the runner's own cumulative time at his last leg, when it is known.
  const int32_t last = other_data_->LegCount();
  if (last < 1 || last > kMaxLegIndex || !valid_split_[static_cast<size_t>(last)]) return "";
  return split_time_[static_cast<size_t>(last)].ToString("h:nn:ss", false, "－", "↓", "×");
}

void clsAnalyzedRunnerData::SetTotalLap(int32_t Index, int32_t From, int32_t To, detail::Internal) {
  const size_t at = LegAt(Index);
  total_lap_from_[at] = From;
  total_lap_to_[at] = To;
}

void clsAnalyzedRunnerData::SetValidity(int32_t Index, bool ValidLap, bool ValidSplit,
                                        detail::Internal) {
  const size_t at = LegAt(Index);
  valid_lap_[at] = ValidLap;
  valid_split_[at] = ValidSplit;
}

}  // namespace quorvex2
