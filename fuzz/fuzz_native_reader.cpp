// The native XML reader on any text: it must fail cleanly, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.empty()) return 0;  // an empty text would read the file of that name
  auto files = root->FileControl();
  files->LoadLapFile("fuzz.lxm", 0, quorvex2::QX_LOADMODE_NORMAL, text);
  // A second load of the same text merges into what the first one left.
  files->LoadLapFile("fuzz.lxm", 0, quorvex2::QX_LOADMODE_MERGE_NAME, text);
  return 0;
}
