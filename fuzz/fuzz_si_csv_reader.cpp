// Feeds arbitrary text to the SPORTident CSV reader: it must load or fail, never crash.
#include <cstdint>
#include <string>

#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static quorvex2::clsQuorvex2 root;
  const std::string text(reinterpret_cast<const char*>(data), size);
  root.FileControl()->LoadLapFile("fuzz.csv", quorvex2::QX_FILETYPE_SI_CSV,
                                  quorvex2::QX_LOADMODE_NORMAL, text.empty() ? "\r\n" : text);
  return 0;
}
