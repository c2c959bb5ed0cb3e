#pragma once
// The current date and time as a date value: the system clock, or SOURCE_DATE_EPOCH when it is
// set, so that outputs can be reproduced.
#include "quorvex2/core/types.h"

namespace quorvex2::detail {

// Local time (or the UTC time of SOURCE_DATE_EPOCH) in days since 1899-12-30.
Date Now();

}  // namespace quorvex2::detail
