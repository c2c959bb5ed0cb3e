#pragma once
// Types shared by the whole component.
#include <cstdint>

namespace quorvex2 {

// A time or date: a count of days, day 0 = 1899-12-30, one second = 1/86400.
using Date = double;

// Codes stored in time values that hold no time (compared for exact equality).
enum LapTimeConst : int32_t {
  QX_TIME_DISQ = -2,   // disqualified / invalid punch
  QX_TIME_SKIP = -1,   // control skipped
  QX_TIME_NODATA = 0,  // no data
};

// The codes as time values, for comparing with a Date (comparing a double with the enumeration
// directly is deprecated in C++20).
inline constexpr Date kTimeDisq = QX_TIME_DISQ;
inline constexpr Date kTimeSkip = QX_TIME_SKIP;
inline constexpr Date kTimeNoData = QX_TIME_NODATA;

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kSecond = 1.0 / kSecondsPerDay;
inline constexpr double kMinute = 1.0 / 1440.0;
inline constexpr double kHour = 1.0 / 24.0;

namespace detail {

// Passkey of the component-internal setters: only the component can make one, so members that
// take it are out of the host's reach. Component code obtains it with MakeInternal()
// (src/core/detail/internal.h).
class Internal {
 private:
  Internal() = default;
  friend Internal MakeInternal();
};

}  // namespace detail
}  // namespace quorvex2
