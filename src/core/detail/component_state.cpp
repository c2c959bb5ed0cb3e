#include "core/detail/component_state.h"

namespace quorvex2::detail {

ComponentState& State() {
  thread_local ComponentState state;
  return state;
}

clsQuorvex2* CurrentRoot() {
  return State().current_root;
}

int32_t NextSerialNumber() {
  return ++State().serial_counter;
}

void SetErrorComment(const std::string& text) {
  State().error_comment = text;
}

}  // namespace quorvex2::detail
