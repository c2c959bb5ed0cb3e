// Reading date and time texts as the platform's date conversion reads them, restricted to the
// forms that occur in lap files:
//   times      "h:mm", "hh:mm", "h:mm:ss", "hh:mm:ss" (one or two digits per field, "1:2:3" too);
//              hours 0-23, minutes and seconds 0-59; no AM/PM, no fractions of a second
//   dates      year/month/day with "/", "-" or "." (the same separator twice) or "2003年5月18日";
//              a four-digit year, or a two-digit one read as 1930-2029 like the platform's
//              two-digit-year window; month and day checked against the calendar
//   date-times a date, one or more spaces, a time
// Month-day texts without a year ("5/18") are rejected: the platform would take the current year,
// which makes results depend on the day a file is read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/detail/trim_view.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A field of 1 to max_digits ASCII digits.
std::optional<int> ReadField(std::string_view text, size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t pos; (pos = text.find(separator, start)) != std::string_view::npos;) {
    parts.push_back(text.substr(start, pos - start));
    start = pos + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Two or three fields of one or two digits split at ":", read in one pass (this runs for every
// leg time of every file).
std::optional<Date> ParseTime(std::string_view text) {
  int fields[3] = {0, 0, 0};
  size_t count = 0;
  for (size_t i = 0;; ++i) {
    if (count == 3) return std::nullopt;  // a fourth field
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (++digits > 2) return std::nullopt;
      fields[count] = fields[count] * 10 + (text[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    ++count;
    if (i == text.size()) break;
    if (text[i] != ':') return std::nullopt;
  }
  if (count < 2) return std::nullopt;
  const int hour = fields[0], minute = fields[1], second = fields[2];
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return (hour * 3600 + minute * 60 + second) / 86400.0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<Date> MakeCheckedDate(std::string_view y, std::string_view m, std::string_view d) {
  if (y.size() != 2 && y.size() != 4) return std::nullopt;
  auto year = ReadField(y, 4);
  const auto month = ReadField(m, 2);
  const auto day = ReadField(d, 2);
  if (!year || !month || !day) return std::nullopt;
  if (y.size() == 2) *year += *year < 30 ? 2000 : 1900;
  if (*year < 100 || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
  if (*day > DaysInMonth(*year, *month)) return std::nullopt;
  return MakeDate(*year, *month, *day);
}

std::optional<Date> ParseCalendarDate(std::string_view text) {
  for (std::string_view separator : {"/", "-", "."}) {
    const auto parts = Split(text, separator);
    if (parts.size() == 3) return MakeCheckedDate(parts[0], parts[1], parts[2]);
  }
  // 2003年5月18日
  const size_t year_mark = text.find("年");
  const size_t month_mark = text.find("月");
  const size_t day_mark = text.find("日");
  if (year_mark == std::string_view::npos || month_mark == std::string_view::npos ||
      day_mark == std::string_view::npos ||
      day_mark + std::string_view("日").size() != text.size()) {
    return std::nullopt;
  }
  const size_t mark = std::string_view("年").size();
  if (month_mark < year_mark + mark || day_mark < month_mark + mark) return std::nullopt;
  return MakeCheckedDate(text.substr(0, year_mark),
                         text.substr(year_mark + mark, month_mark - year_mark - mark),
                         text.substr(month_mark + mark, day_mark - month_mark - mark));
}

}  // namespace

std::optional<Date> ParseTimeText(std::string_view text) {
  return ParseTime(detail::TrimSpaces(text));
}

std::optional<Date> ParseDateText(std::string_view text) {
  const std::string_view t = detail::TrimSpaces(text);
  // A time of day alone, the usual case, first.
  if (const std::optional<Date> time = ParseTime(t)) return time;
  if (t.find(':') != std::string_view::npos && t.find(' ') == std::string_view::npos) {
    return std::nullopt;
  }
  const size_t space = t.find(' ');
  if (space == std::string_view::npos) return ParseCalendarDate(t);
  const auto date = ParseCalendarDate(t.substr(0, space));
  const size_t time_start = t.find_first_not_of(' ', space);
  const auto time = ParseTime(t.substr(time_start));
  if (!date || !time) return std::nullopt;
  return *date + *time;
}

bool IsValidTime(const std::string& text) {
  return ParseTimeText(text).has_value();
}
bool IsValidDate(const std::string& text) {
  return ParseDateText(text).has_value();
}

}  // namespace quorvex2
