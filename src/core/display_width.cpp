// Display widths of fixed-column text: a character takes as many columns as it has bytes in
// Shift-JIS (full-width 2, half-width 1); one CP932 cannot hold takes 1, like the "?" it becomes.
#include <string>
#include <vector>

#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

using detail::DecodeUtf8;

int CharWidth(char32_t c) {
  if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) return 1;
  if (c > 0xFFFF) return 1;  // CP932 holds nothing beyond the basic plane
  // Widths of the basic plane, looked up once each (0 = not yet known).
  thread_local std::vector<unsigned char> known(0x10000, 0);
  unsigned char& width = known[c];
  if (width == 0) {
    std::string utf8;
    detail::AppendUtf8(utf8, c);
    width = Utf8ToSjis(utf8).size() >= 2 ? 2 : 1;
  }
  return width;
}

}  // namespace

int32_t GetByteLength(const std::string& Text) {
  int32_t width = 0;
  for (size_t pos = 0; pos < Text.size();) width += CharWidth(DecodeUtf8(Text, pos));
  return width;
}

std::string MidByWidth(const std::string& Text, int32_t Start, int32_t Width) {
  if (Start < 1) Start = 1;
  if (Width <= 0) return std::string();
  const int64_t first = Start;
  const int64_t last = first + Width - 1;
  std::string out;
  int64_t column = 1;  // first column of the current character
  for (size_t pos = 0; pos < Text.size() && column <= last;) {
    const size_t start = pos;
    const int width = CharWidth(DecodeUtf8(Text, pos));
    const int64_t end = column + width - 1;
    if (column >= first && end <= last) {
      out.append(Text, start, pos - start);
    } else if (end >= first) {
      // A full-width character cut in half by either edge: one space for its column inside.
      out += ' ';
    }
    column = end + 1;
  }
  return out;
}

std::string FitString(const std::string& Text, int32_t Width, bool RightAlign, bool TrimText) {
  const std::string text = TrimText ? Trim(Text) : Text;
  const int32_t width = GetByteLength(text);
  if (width > Width) return MidByWidth(text, 1, Width);
  const std::string padding(static_cast<size_t>(Width - width), ' ');
  return RightAlign ? padding + text : text + padding;
}

}  // namespace quorvex2
