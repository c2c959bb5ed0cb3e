#include <string>
#include <string_view>

#include "quorvex2/core/encoding.h"

namespace quorvex2 {

std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    // CR CR LF is one line end, as is CR LF.
    if (c == '\r' && text.substr(i + 1, 2) == "\r\n") {
      i += 2;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace quorvex2
