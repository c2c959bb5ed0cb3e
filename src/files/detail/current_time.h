#pragma once
// The current local date and time, or SOURCE_DATE_EPOCH when it is set (reproducible files).
#include "quorvex2/core/types.h"

namespace quorvex2::detail {

Date CurrentDateTime();

}  // namespace quorvex2::detail
