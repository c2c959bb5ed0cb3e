#include "files/detail/load_error.h"

#include "core/detail/component_state.h"

namespace quorvex2::detail {

bool FailLoad(const std::string& message, const std::string& location,
              const std::string& description) {
  SetErrorComment(message + "\r\n" + location + "\r\n" + description);
  return false;
}

}  // namespace quorvex2::detail
