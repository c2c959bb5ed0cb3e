#include "platform/detail/utf8_chars.h"

namespace quorvex2::detail {

namespace {

bool IsContinuation(char Byte) {
  return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80;
}

}  // namespace

std::vector<std::string> SplitCharacters(const std::string& Text) {
  std::vector<std::string> characters;
  size_t pos = 0;
  while (pos < Text.size()) {
    size_t end = pos + 1;
    while (end < Text.size() && IsContinuation(Text[end])) ++end;
    characters.push_back(Text.substr(pos, end - pos));
    pos = end;
  }
  return characters;
}

}  // namespace quorvex2::detail
