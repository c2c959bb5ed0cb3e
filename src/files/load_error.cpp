#include "files/detail/load_error.h"

#include "core/detail/component_state.h"
#include "files/detail/format_registry.h"
#include "files/detail/progress.h"

namespace quorvex2::detail {

bool FailLoad(const std::string& message, const std::string& location,
              const std::string& description) {
  SetErrorComment(message + "\r\n" + location + "\r\n" + description);
  return false;
}

bool FailRead(const ReadRequest& request, const std::string& location,
              const std::string& description) {
  request.progress->Finish();
  return FailLoad(kCannotOpenFile, location, description);
}

}  // namespace quorvex2::detail
