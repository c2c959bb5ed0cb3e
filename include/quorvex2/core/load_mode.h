#pragma once
// How loaded runners join the runners already held.
#include <cstdint>

namespace quorvex2 {

// (The enumeration's name is spelled "Cosnt" in the component's interface.)
enum QxLapFileLoadModeCosnt : int32_t {
  QX_LOADMODE_NORMAL = 0,
  QX_LOADMODE_APPEND = 1,
  QX_LOADMODE_MERGE_ID = 16,
  QX_LOADMODE_MERGE_NAME = 17,
  QX_LOADMODE_NOTADD_NEWDATA = 4096,
  QX_LOADMODE_PRIORITY_ORIGINAL = 8192,
  QX_LOADMODE_PRIORITY_NEWDATA = 16384,
};

enum QxLapFileSaveModeCosnt : int32_t {
  QX_SAVEMODE_NORMAL = 0,
  QX_SAVEMODE_FULL = 1,
};

}  // namespace quorvex2
