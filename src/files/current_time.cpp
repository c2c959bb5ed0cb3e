#include "files/detail/current_time.h"

#include <cstdlib>
#include <ctime>

#include "quorvex2/core/format.h"

namespace quorvex2::detail {
namespace {

std::time_t NowSeconds(bool* reproducible) {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  *reproducible = epoch != nullptr && *epoch != '\0';
  return *reproducible ? static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10))
                       : std::time(nullptr);
}

}  // namespace

Date CurrentDateTime() {
  bool reproducible = false;
  const std::time_t seconds = NowSeconds(&reproducible);
  std::tm parts{};
  if (reproducible) {
    gmtime_r(&seconds, &parts);
  } else {
    localtime_r(&seconds, &parts);
  }
  return MakeDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
}

}  // namespace quorvex2::detail
