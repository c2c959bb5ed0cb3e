#include "quorvex2/core/lap_data.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct ClockResult {
  std::string text;
  Date time;
};

// "h:mm:ss" or "hh:mm:ss" with every field in range, the usual result: its normal form (hours
// without a leading zero) and its time, straight from the digits. Nothing for any other text,
// which takes the whole normalisation.
std::optional<ClockResult> PlainClockTime(const std::string& text) {
  const size_t h = text.size() == 7 ? 1 : text.size() == 8 ? 2 : 0;
  if (h == 0 || text[h] != ':' || text[h + 3] != ':') return std::nullopt;
  for (const size_t i : {size_t{0}, h - 1, h + 1, h + 2, h + 4, h + 5}) {
    if (!IsDigit(text[i])) return std::nullopt;
  }
  const auto two = [&text](size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
  const int hours = h == 2 ? two(0) : text[0] - '0';
  const int minutes = two(h + 1), seconds = two(h + 4);
  if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
  return ClockResult{std::to_string(hours) + text.substr(h),
                     (hours * 3600 + minutes * 60 + seconds) / 86400.0};
}

}  // namespace

void clsLapData::ThrowLapIndex(int32_t Index) {
  throw std::out_of_range("clsLapData.Lap: index " + std::to_string(Index) + " outside 0.." +
                          std::to_string(kMaxLegs));
}

clsTimeValue* clsLapData::Lap(int32_t Index) {
  if (Index < 0 || Index > kMaxLegs) ThrowLapIndex(Index);
  if (Index > leg_count_) leg_count_ = Index;
  if (Index == 0) return nullptr;
  return &laps_[static_cast<size_t>(Index)];
}

clsTimeValue* clsLapData::LapObject(int32_t Index) {
  if (Index < 0 || Index > kMaxLegs) ThrowLapIndex(Index);
  return Index == 0 ? nullptr : &laps_[static_cast<size_t>(Index)];
}

void clsLapData::Result(const std::string& value) {
  if (std::optional<ClockResult> clock = PlainClockTime(value)) {
    SetResultTime(std::move(clock->text), clock->time);
    return;
  }
  const std::string converted = ToNarrow(ToUpper(value));
  result_ = converted;
  const std::string normalized = NormalizeTimeText(converted, true, "h:nn:ss");
  const std::optional<Date> time = ParseTimeText(normalized);
  if (time) {
    SetResultTime(normalized, *time);
  } else {
    result_time_ = QX_TIME_DISQ;
  }
}

// A time of 0 is no result: the runner is disqualified.
void clsLapData::SetResultTime(std::string text, Date time) {
  if (time <= 0) {
    result_ = "DISQ";
    result_time_ = QX_TIME_DISQ;
    return;
  }
  result_ = std::move(text);
  result_time_ = time;
}

std::optional<std::pair<std::string, std::string>> clsLapData::NameParts(detail::Internal) const {
  if (family_name_.empty()) return std::nullopt;
  if (RunnerName != family_name_ + " " + given_name_ &&
      RunnerName != given_name_ + " " + family_name_) {
    return std::nullopt;  // renamed, or merged with another file's name
  }
  return std::pair{family_name_, given_name_};
}

void clsLapData::SetNameParts(std::string family, std::string given, detail::Internal) {
  const bool both = !family.empty() && !given.empty();
  family_name_ = both ? std::move(family) : "";
  given_name_ = both ? std::move(given) : "";
}

}  // namespace quorvex2
