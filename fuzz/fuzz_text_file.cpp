// Decodes arbitrary bytes as a text file and loads the text: whatever the bytes, the decoded text
// is valid UTF-8 with CR LF line ends, the same every time, and its type detection and load never
// crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace {

using namespace quorvex2;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckText(const std::string& text) {
  for (size_t pos = 0; pos < text.size();) {
    Check(detail::IsValidUtf8At(text, pos));
    detail::DecodeUtf8(text, pos);
  }
  for (size_t pos = 0; (pos = text.find_first_of("\r\n", pos)) != std::string::npos; pos += 2) {
    Check(text.compare(pos, 2, "\r\n") == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string data(reinterpret_cast<const char*>(bytes), size);
  const std::string text = DecodeTextFile(data);
  CheckText(text);
  Check(DecodeTextFile(data) == text);
  if (text.empty()) return 0;
  clsQuorvex2 root;
  root.FileControl()->LoadLapFile("fuzz.txt", 0, 0, text);
  return 0;
}
