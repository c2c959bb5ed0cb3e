#include "core/detail/internal.h"

namespace quorvex2::detail {
Internal MakeInternal() {
  return Internal();
}
}  // namespace quorvex2::detail
