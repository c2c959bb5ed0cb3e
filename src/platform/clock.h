#pragma once
// The current date and time as a date value: the system clock, or SOURCE_DATE_EPOCH when it is
// set, so that outputs can be reproduced.
#include <ctime>
#include <optional>

#include "quorvex2/core/types.h"

namespace quorvex2::detail {

// SOURCE_DATE_EPOCH, the seconds since 1970 that stand for "now" in reproducible outputs, when
// it is set.
std::optional<std::time_t> ReproducibleTime();

// Local time (or the UTC time of SOURCE_DATE_EPOCH) in days since 1899-12-30.
Date Now();

}  // namespace quorvex2::detail
