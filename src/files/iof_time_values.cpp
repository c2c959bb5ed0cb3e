// Periods, clock times and dates as the two IOF versions write them.
#include <charconv>
#include <cmath>

#include "files/iof_reading.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// Our times are fractions of a day: a period of a day or more is no usable time.
std::optional<double> WithinADay(double seconds) {
  if (!std::isfinite(seconds) || std::abs(seconds) >= kSecondsPerDay) return std::nullopt;
  return seconds;
}

// A whole decimal text of digits and at most one point; nothing otherwise.
std::optional<double> UnsignedDecimal(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
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

// The clock part of an ISO time without its zone: "10:03:00+01:00" -> "10:03:00".
std::string_view WithoutZone(std::string_view text) {
  const size_t zone = text.find_first_of("+-Z", 1);
  return zone == std::string_view::npos ? text : text.substr(0, zone);
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

std::optional<Date> IofTimeOfDay(const std::string& text) {
  const std::string trimmed = Trim(text);
  const size_t t = trimmed.find('T');
  // A bare date has no time of day.
  if (t == std::string::npos && trimmed.size() >= 5 && trimmed[4] == '-') return std::nullopt;
  const std::string_view clock =
      WithoutZone(std::string_view(trimmed).substr(t == std::string::npos ? 0 : t + 1));
  const auto seconds = IofClockSeconds(std::string(clock));
  if (!seconds || *seconds < 0 || *seconds >= kSecondsPerDay) return std::nullopt;
  return std::floor(*seconds) / kSecondsPerDay;
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
