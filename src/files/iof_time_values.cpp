// Periods, clock times and dates as the two IOF versions write them.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "files/iof_reading.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

// Our times are fractions of a day: a period of a day or more is no usable time.
std::optional<double> WithinADay(double seconds) {
  if (!std::isfinite(seconds) || std::abs(seconds) >= kSecondsPerDay) return std::nullopt;
  return seconds;
}

// A whole decimal text of digits and at most one decimal mark: a point, or the comma event
// software in European locales writes ("26:44,9"); nothing otherwise.
std::optional<double> UnsignedDecimal(std::string_view text) {
  if (text.empty() || text.size() > 32 ||
      text.find_first_not_of("0123456789.,") != std::string_view::npos) {
    return std::nullopt;
  }
  std::array<char, 32> pointed;
  std::ranges::replace_copy(text, pointed.begin(), ',', '.');
  const char* end_of_text = pointed.data() + text.size();
  double value = 0;
  const auto [end, error] = std::from_chars(pointed.data(), end_of_text, value);
  if (error != std::errc() || end != end_of_text) return std::nullopt;
  return value;
}

std::optional<int> Digits(std::string_view text, size_t count) {
  if (text.size() != count) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Where the zone of an ISO clock text starts ("10:03:00+01:00" -> 8); npos when it has none.
size_t ZoneStart(std::string_view clock) {
  return clock.find_first_of("+-Z", 1);
}

}  // namespace

std::optional<double> IofSecondsValue(const std::string& text) {
  const std::string trimmed = Trim(text);
  const bool negative = trimmed.starts_with('-');
  auto value = UnsignedDecimal(std::string_view(trimmed).substr(negative ? 1 : 0));
  if (!value) return std::nullopt;
  return WithinADay(negative ? -*value : *value);
}

std::optional<double> IofClockSeconds(const std::string& text) {
  const std::string trimmed = Trim(text);
  const bool negative = trimmed.starts_with('-');
  std::string_view rest = std::string_view(trimmed).substr(negative ? 1 : 0);
  double total = 0;
  int fields = 0;
  while (true) {
    const size_t colon = rest.find(':');
    const auto field = UnsignedDecimal(rest.substr(0, colon));
    if (!field || ++fields > 3) return std::nullopt;
    total = total * 60 + *field;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return WithinADay(negative ? -total : total);
}

std::optional<IofDateTime> IofDateTimeValue(const std::string& text) {
  const std::string trimmed = Trim(text);
  const size_t t = trimmed.find('T');
  // A bare date has no time of day.
  if (t == std::string::npos && trimmed.size() >= 5 && trimmed[4] == '-') return std::nullopt;
  IofDateTime value;
  if (t != std::string::npos) value.day = IofDateValue(trimmed.substr(0, t));
  std::string_view clock = std::string_view(trimmed).substr(t == std::string::npos ? 0 : t + 1);
  if (const size_t zone = ZoneStart(clock); zone != std::string_view::npos) {
    if (const auto minutes = IofZoneMinutes(std::string(clock.substr(zone)))) {
      value.zone = IofZoneText(*minutes, clock.substr(zone) == "Z");
    }
    clock = clock.substr(0, zone);
  }
  const auto seconds = IofClockSeconds(std::string(clock));
  if (!seconds || *seconds < 0 || *seconds >= kSecondsPerDay) return std::nullopt;
  value.time = std::floor(*seconds) / kSecondsPerDay;
  return value;
}

std::optional<int32_t> IofZoneMinutes(const std::string& text) {
  if (text == "Z") return 0;
  if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  std::string digits = text.substr(1);
  if (digits.size() == 5 && digits[2] == ':') digits.erase(2, 1);
  const auto hours = Digits(std::string_view(digits).substr(0, 2), 2);
  const auto minutes = digits.size() == 2 ? std::optional<int>(0) : Digits(digits.substr(2), 2);
  if (digits.size() != 2 && digits.size() != 4) return std::nullopt;
  if (!hours || !minutes || *hours > 14 || *minutes > 59) return std::nullopt;
  const int32_t offset = *hours * 60 + *minutes;
  return text[0] == '-' ? -offset : offset;
}

std::string IofZoneText(int32_t minutes, bool utc_letter) {
  if (minutes == 0 && utc_letter) return "Z";
  const int32_t size = std::abs(minutes);
  return (minutes < 0 ? "-" : "+") + FormatNumber(size / 60, "00") + ":" +
         FormatNumber(size % 60, "00");
}

std::optional<Date> IofDateValue(const std::string& text) {
  const std::string trimmed = Trim(text);
  const std::string_view date = std::string_view(trimmed).substr(0, 10);
  if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
  const auto year = Digits(date.substr(0, 4), 4);
  const auto month = Digits(date.substr(5, 2), 2);
  const auto day = Digits(date.substr(8, 2), 2);
  if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
    return std::nullopt;
  }
  return MakeDate(*year, *month, *day);
}

}  // namespace quorvex2::detail
