#pragma once
// Component code calls internal setters with detail::MakeInternal() as the passkey:
//   rank.SetValue(3, detail::MakeInternal());
#include "quorvex2/core/types.h"

namespace quorvex2::detail {
Internal MakeInternal();
}  // namespace quorvex2::detail
