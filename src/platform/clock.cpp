#include "platform/clock.h"

#include <cstdlib>
#include <ctime>

#include "quorvex2/core/format.h"

namespace quorvex2::detail {

Date Now() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
    gmtime_r(&now, &parts);
  } else {
    localtime_r(&now, &parts);
  }
  return MakeDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
}

}  // namespace quorvex2::detail
