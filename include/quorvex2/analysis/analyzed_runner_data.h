#pragma once
// One runner's analysis record: cumulative times, ranks, modified and relative times, cruise
// speed, miss times and the X/Y coordinates. Written only by the analyzer.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/types.h"
#include "quorvex2/core/value_types.h"

namespace quorvex2 {

class clsAnalyzedRunnerData {
 public:
  static constexpr int32_t kMaxLegIndex = 31;

  double TovarineX() const { return tovarine_x_; }
  double TovarineY() const { return tovarine_y_; }
  void TovarineX(double value) { tovarine_x_ = value; }
  void TovarineY(double value) { tovarine_y_ = value; }

  // Per-leg members take Index 0..31 (legs 1..31; index 0 holds no object: nullptr, false or 0);
  // std::out_of_range outside 0..31.
  clsLegRankValue* SplitRank(int32_t Index) { return LegObject(split_rank_, Index); }
  clsLegRankValue* LapRank(int32_t Index) { return LegObject(lap_rank_, Index); }
  clsLegRankValue* ModifiedSplitRank(int32_t Index) {
    return LegObject(modified_split_rank_, Index);
  }
  clsLegRankValue* ModifiedLapRank(int32_t Index) { return LegObject(modified_lap_rank_, Index); }
  int32_t TotalLapTo(int32_t Index) const { return total_lap_to_[LegAt(Index)]; }
  int32_t TotalLapFrom(int32_t Index) const { return total_lap_from_[LegAt(Index)]; }
  bool IsValidLapTime(int32_t Index) const { return valid_lap_[LegAt(Index)]; }
  bool IsValidSplitTime(int32_t Index) const { return valid_split_[LegAt(Index)]; }
  const std::string& RankInDataSet() const { return rank_in_data_set_; }
  const std::string& Rank() const { return rank_; }
  const clsPercentValue& CruiseSpeed() const { return cruise_speed_; }
  const clsPercentValue& FirstHalfCruiseSpeed() const { return first_half_cruise_speed_; }
  const clsPercentValue& SecondHalfCruiseSpeed() const { return second_half_cruise_speed_; }
  const clsPercentValue& TotalTimeRelative() const { return total_time_relative_; }
  clsPercentValue* LapRelative(int32_t Index) { return LegObject(lap_relative_, Index); }
  // The runner's own leg time object (OtherData's Lap(Index), without raising its LegCount);
  // nullptr for index 0; std::out_of_range for 31, past the 30 legs the record holds.
  clsTimeValue* LapTime(int32_t Index);
  int32_t SerialNum() const;
  clsTimeValue* SplitTime(int32_t Index) { return LegObject(split_time_, Index); }
  clsTimeValue* ModifiedLapTime(int32_t Index) { return LegObject(modified_lap_time_, Index); }
  clsTimeValue* ModifiedSplitTime(int32_t Index) { return LegObject(modified_split_time_, Index); }
  clsMissTimeValue* MissTime(int32_t Index) { return LegObject(miss_time_, Index); }
  const clsMissTimeValue& MissTimeTotal() const { return miss_time_total_; }
  const clsPercentValue& MissRate() const { return miss_rate_; }
  const clsTimeValue& TotalTimeWithoutMiss() const { return total_time_without_miss_; }
  std::string RunnerName() const;
  std::string ClubName() const;
  // OtherData's Result, or the own cumulative time at the last leg when that is empty.
  std::string Result() const;
  std::string ResultRank() const;
  Date StartTime() const;
  const std::shared_ptr<clsLapData>& OtherData() const { return other_data_; }

  // Component-internal (the analyzer writes the record through these).
  void SetOtherData(std::shared_ptr<clsLapData> value, detail::Internal) { other_data_ = value; }
  void SetTotalLap(int32_t Index, int32_t From, int32_t To, detail::Internal);
  void SetValidity(int32_t Index, bool ValidLap, bool ValidSplit, detail::Internal);
  void SetRankInDataSet(const std::string& value, detail::Internal) { rank_in_data_set_ = value; }
  void SetRank(const std::string& value, detail::Internal) { rank_ = value; }
  clsPercentValue& CruiseSpeed(detail::Internal) { return cruise_speed_; }
  clsPercentValue& FirstHalfCruiseSpeed(detail::Internal) { return first_half_cruise_speed_; }
  clsPercentValue& SecondHalfCruiseSpeed(detail::Internal) { return second_half_cruise_speed_; }
  clsPercentValue& TotalTimeRelative(detail::Internal) { return total_time_relative_; }
  clsMissTimeValue& MissTimeTotal(detail::Internal) { return miss_time_total_; }
  clsPercentValue& MissRate(detail::Internal) { return miss_rate_; }
  clsTimeValue& TotalTimeWithoutMiss(detail::Internal) { return total_time_without_miss_; }

 private:
  using Legs = std::array<int32_t, kMaxLegIndex + 1>;
  template <class T>
  using LegObjects = std::array<T, kMaxLegIndex + 1>;

  // The accessors run in the analysis's innermost loops: the range check stays inline.
  static size_t LegAt(int32_t Index) {
    if (Index < 0 || Index > kMaxLegIndex) ThrowLegOutOfRange(Index);
    return static_cast<size_t>(Index);
  }
  [[noreturn]] static void ThrowLegOutOfRange(int32_t Index);
  // The value object of leg Index; index 0 holds none.
  template <class T>
  static T* LegObject(LegObjects<T>& legs, int32_t Index) {
    const size_t at = LegAt(Index);
    return at == 0 ? nullptr : &legs[at];
  }

  std::shared_ptr<clsLapData> other_data_;
  double tovarine_x_ = 0, tovarine_y_ = 0;
  LegObjects<clsLegRankValue> split_rank_{}, lap_rank_{}, modified_split_rank_{},
      modified_lap_rank_{};
  Legs total_lap_from_{}, total_lap_to_{};
  std::array<bool, kMaxLegIndex + 1> valid_lap_{}, valid_split_{};
  std::string rank_in_data_set_, rank_;
  clsPercentValue cruise_speed_, first_half_cruise_speed_, second_half_cruise_speed_,
      total_time_relative_, miss_rate_;
  LegObjects<clsPercentValue> lap_relative_{};
  LegObjects<clsTimeValue> split_time_{}, modified_lap_time_{}, modified_split_time_{};
  LegObjects<clsMissTimeValue> miss_time_{};
  clsMissTimeValue miss_time_total_;
  clsTimeValue total_time_without_miss_;
};

}  // namespace quorvex2
