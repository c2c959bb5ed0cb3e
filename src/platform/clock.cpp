#include "platform/clock.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "quorvex2/core/format.h"

namespace quorvex2::detail {

std::optional<std::time_t> ReproducibleTime() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr) return std::nullopt;
  // What is not a whole number of seconds is no time: the clock is used.
  long long seconds = 0;
  const char* end = epoch + std::strlen(epoch);
  const auto read = std::from_chars(epoch, end, seconds);
  if (read.ec != std::errc() || read.ptr != end || epoch == end) return std::nullopt;
  return static_cast<std::time_t>(seconds);
}

Date Now() {
  const std::optional<std::time_t> reproducible = ReproducibleTime();
  const std::time_t now = reproducible.value_or(std::time(nullptr));
  std::tm parts{};
  if (reproducible) {
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  return MakeDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
}

}  // namespace quorvex2::detail
