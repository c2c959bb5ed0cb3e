// Days since 1899-12-30 <-> calendar fields.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "quorvex2/core/format.h"

namespace quorvex2 {
namespace {

// Day 0 of the component (1899-12-30) counted from 1970-01-01.
constexpr int64_t kEpochShift = -25569;
// The range of dates the platform can represent (years 100 to 9999); values beyond it are
// clamped so that every double formats to something.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, DateParts& parts) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  parts.year = static_cast<int>(yoe + era * 400 + (m <= 2));
  parts.month = static_cast<int>(m);
  parts.day = static_cast<int>(d);
}

// Whole seconds of a value, half away from zero. A value built from whole and half seconds
// (s / 86400) comes back from the multiplication a few ulps off; the microsecond nudge makes
// 59.5 s round to 60 as written.
int64_t WholeSeconds(Date value) {
  const double exact = value * 86400.0;
  return static_cast<int64_t>(std::llround(exact + (exact < 0 ? -1e-6 : 1e-6)));
}

}  // namespace

Date RoundToSecond(Date value) {
  if (!std::isfinite(value) || std::fabs(value) > kMaxDate) return value;
  return static_cast<double>(WholeSeconds(value)) / 86400.0;
}

Date MakeDate(int year, int month, int day, int hour, int minute, int second) {
  const double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpochShift);
  const double time = (static_cast<double>(hour) * 3600 + minute * 60.0 + second) / 86400.0;
  // Before day 0 the time of day is stored as a positive fraction after a negative day number.
  return days < 0 ? days - time : days + time;
}

DateParts SplitDate(Date value) {
  if (std::isnan(value)) value = 0;
  if (value < kMinDate) value = kMinDate;
  if (value > kMaxDate) value = kMaxDate;
  // Whole seconds, rounded half away from zero; the whole days count towards zero and the time
  // of day is that of the absolute value, as the platform's dates do for negative values.
  const auto seconds = WholeSeconds(value);
  const int64_t days = seconds / 86400;
  const int64_t time_of_day = std::llabs(seconds % 86400);
  DateParts parts{};
  CivilFromDays(days + kEpochShift, parts);
  parts.hour = static_cast<int>(time_of_day / 3600);
  parts.minute = static_cast<int>(time_of_day / 60 % 60);
  parts.second = static_cast<int>(time_of_day % 60);
  return parts;
}

}  // namespace quorvex2
