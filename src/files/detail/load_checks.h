#pragma once
// What every load must give, checked after the reader succeeded: a format that lists runners
// must have given at least one with a result or a leg time (one to merge, in the merge modes),
// and no class may have more controls than the analysis holds.
#include <cstdint>
#include <string>

#include "quorvex2/core/event_data.h"

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

// The event as it stood before a load.
struct LoadScope {
  clsEventData event;
  clsMetaData meta;
  int32_t classes_before = 0;
  int32_t last_serial_before = 0;  // runners placed by the load have higher serial numbers
  int64_t runners_offered_before = 0;
  int64_t results_offered_before = 0;
};

LoadScope BeginLoad(const clsQuorvex2& root);

// After a successful read: leaves out (with a note through ShowLoadMessage) every class with
// more controls than can be analysed, then refuses a load of a format that lists runners when
// it found no runner with a result or a leg time. A refusal sets the error comment, takes back
// what the load changed (the whole event in load mode 0; else the runners and classes it added,
// and the event and file records as they were) and returns false.
bool AcceptLoad(clsQuorvex2& root, const LoadScope& scope, int32_t file_type, int32_t load_mode,
                const std::string& file_name);

}  // namespace quorvex2::detail
