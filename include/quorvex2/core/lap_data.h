#pragma once
// One runner's record as a lap file gives it: name, club, start, result and leg times.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "quorvex2/core/types.h"
#include "quorvex2/core/value_types.h"

namespace quorvex2 {

class clsLapData {
 public:
  static constexpr int32_t kMaxLegs = 30;

  std::string RunnerName;
  std::string ClubName;
  std::string Rank;  // rank text from the source file (may hold codes)
  int32_t ID = 0;
  int32_t Ecard = 0;
  clsTimeValue StartTime;
  std::string RankFix;
  std::string Seed;
  std::string Age;
  std::string Sex;

  int32_t SerialNum() const { return serial_num_; }
  const std::string& ClassName() const { return class_name_; }

  // The time object of leg Index (1..30); raises LegCount to Index first. Index 0 holds no
  // object (nullptr); outside 0..30 throws std::out_of_range.
  clsTimeValue* Lap(int32_t Index);
  // The stored value of leg Index without raising LegCount (0 for Index 0); std::out_of_range
  // outside 0..30.
  Date LapValue(int32_t Index) const {
    if (Index < 0 || Index > kMaxLegs) ThrowLapIndex(Index);
    return laps_[static_cast<size_t>(Index)].Value();
  }
  // The time object of leg Index without raising LegCount (nullptr for Index 0); std::out_of_range
  // outside 0..30. The analysis reads legs through this.
  clsTimeValue* LapObject(int32_t Index);

  int32_t LegCount() const { return leg_count_; }
  void LegCount(int32_t value) { leg_count_ = value; }

  const std::string& Result() const { return result_; }
  // Normalises: upper case and half width; a valid time becomes "h:nn:ss" (or "DISQ" when not
  // positive); any other text is kept as converted.
  void Result(const std::string& value);

  // Component-internal.
  void SetSerialNum(int32_t value, detail::Internal) { serial_num_ = value; }
  // The family and the given name, when the file gave them apart and RunnerName is still made of
  // them (in either order); nothing otherwise. Outputs that follow the reader's language order
  // them by it.
  std::optional<std::pair<std::string, std::string>> NameParts(detail::Internal) const;
  // Both parts, or the record keeps none.
  void SetNameParts(std::string family, std::string given, detail::Internal);
  void SetClassName(const std::string& value, detail::Internal) { class_name_ = value; }
  // The parsed result time (QX_TIME_DISQ when the result is no valid time).
  Date ResultTime(detail::Internal) const { return result_time_; }

 private:
  [[noreturn]] static void ThrowLapIndex(int32_t Index);
  void SetResultTime(std::string text, Date time);

  int32_t serial_num_ = 0;
  std::string family_name_, given_name_;
  std::string class_name_;
  std::array<clsTimeValue, kMaxLegs + 1> laps_{};  // index 0 unused
  int32_t leg_count_ = 0;
  std::string result_;
  Date result_time_ = 0;
};

}  // namespace quorvex2
