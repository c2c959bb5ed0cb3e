#include "core/detail/result_sort_key.h"

#include <optional>

#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {

double ResultSortKey(const std::string& result) {
  if (const std::optional<Date> time = ParseTimeText(result)) return *time;
  return ResultStatusOrder(result);
}

}  // namespace quorvex2::detail
