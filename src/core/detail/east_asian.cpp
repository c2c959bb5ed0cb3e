#include "core/detail/east_asian.h"

#include "core/detail/utf8.h"

namespace quorvex2::detail {

bool IsEastAsian(char32_t cp) {
  return (cp >= 0x3000 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) ||
         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF) ||
         (cp >= 0x20000 && cp <= 0x3FFFF);
}

bool IsWideEastAsian(char32_t cp) {
  const bool half_width = (cp >= 0xFF61 && cp <= 0xFFDC) || (cp >= 0xFFE8 && cp <= 0xFFEE);
  return IsEastAsian(cp) && !half_width;
}

bool HoldsEastAsian(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
    } else if (IsEastAsian(DecodeUtf8(text, pos))) {
      return true;
    }
  }
  return false;
}

}  // namespace quorvex2::detail
