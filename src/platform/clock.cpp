#include "platform/clock.h"

#include <cstdlib>

#include "quorvex2/core/format.h"

namespace quorvex2::detail {

std::optional<std::time_t> ReproducibleTime() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr || *epoch == '\0') return std::nullopt;
  return static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
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
