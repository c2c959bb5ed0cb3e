// The version-1 and table reader on any text: it must fail cleanly or read, never crash or
// hang. The first byte picks the load mode and whether the text comes as Shift-JIS bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  if (size < 2) return 0;  // an empty text would read the file of that name
  const uint8_t options = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (options & 1) text = quorvex2::SjisToUtf8(text);
  if (text.empty()) return 0;
  auto files = root->FileControl();
  files->LoadLapFile("fuzz.csv", quorvex2::QX_FILETYPE_QUORVEX1, quorvex2::QX_LOADMODE_NORMAL,
                     text);
  if (options & 2) {
    // A second load adds to what the first one left; then the import-only reader updates it.
    files->LoadLapFile("fuzz.csv", quorvex2::QX_FILETYPE_QUORVEX1, quorvex2::QX_LOADMODE_MERGE_NAME,
                       text);
    files->LoadLapFile("fuzz.csv", quorvex2::QX_FILETYPE_IMPORT_ONLY,
                       quorvex2::QX_LOADMODE_APPEND | quorvex2::QX_LOADMODE_PRIORITY_NEWDATA, text);
  }
  return 0;
}
