#pragma once
// Component-wide state, one copy per host thread: the current root, the serial counter of
// runner records, the error comment and the counts of runners offered to classes.
#include <cstdint>
#include <string>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

struct ComponentState {
  clsQuorvex2* current_root = nullptr;  // the most recently created root still alive
  // The newest root still alive (linked to the older ones through the roots themselves: only
  // plain pointers here, which a root destroyed after the thread's state may still read).
  clsQuorvex2* newest_root = nullptr;
  int32_t serial_counter = 0;
  std::string error_comment;
  // Runner records offered to a class (AddLapObject), added or not; those with a result or a leg
  // time.
  int64_t runners_offered = 0;
  int64_t results_offered = 0;
};

ComponentState& State();

// The current root; nullptr when no root object exists on this thread.
clsQuorvex2* CurrentRoot();
int32_t NextSerialNumber();
void SetErrorComment(const std::string& text);

}  // namespace quorvex2::detail
