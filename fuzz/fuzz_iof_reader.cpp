// The IOF ResultList reader on any text: it must fail cleanly, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.empty()) return 0;  // an empty text would read the file of that name
  auto files = root->FileControl();
  files->LoadLapFile("fuzz.xml", quorvex2::QX_FILETYPE_IOF_XML_30_RESULT,
                     quorvex2::QX_LOADMODE_NORMAL, text);
  // Detection, and a merge of the same text into what the first load left.
  files->LoadLapFile("fuzz.xml", 0, quorvex2::QX_LOADMODE_MERGE_NAME, text);
  return 0;
}
