// Display widths of fixed-column text: a character takes as many columns as it has bytes in
// Shift-JIS (full-width 2, half-width 1); one CP932 cannot hold takes 1, like the "?" it becomes.
// Texts fitted in another language than Japanese are read in UTF-8 on a terminal: there a
// character takes the columns of its East Asian width (wide and full-width 2, any other 1, so
// that Cyrillic and Greek letters, which Shift-JIS holds in two bytes, take one).
#include <unicode/uchar.h>

#include <string>
#include <vector>

#include "core/detail/catalogue.h"
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

int TerminalWidth(char32_t c) {
  const auto width = u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_EAST_ASIAN_WIDTH);
  return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

using Measure = int (*)(char32_t);

// How fitted texts are measured in the language of the outputs.
Measure FittingWidth() {
  return detail::IsSourceLanguage() ? CharWidth : TerminalWidth;
}

int32_t WidthOf(const std::string& text, Measure measure) {
  int32_t width = 0;
  for (size_t pos = 0; pos < text.size();) width += measure(DecodeUtf8(text, pos));
  return width;
}

}  // namespace

int32_t GetByteLength(const std::string& Text) {
  return WidthOf(Text, CharWidth);
}

std::string MidByWidth(const std::string& Text, int32_t Start, int32_t Width) {
  if (Start < 1) Start = 1;
  if (Width <= 0) return std::string();
  const int64_t first = Start;
  const int64_t last = first + Width - 1;
  const Measure measure = FittingWidth();
  std::string out;
  int64_t column = 1;  // first column of the current character
  for (size_t pos = 0; pos < Text.size() && column <= last;) {
    const size_t start = pos;
    const int width = measure(DecodeUtf8(Text, pos));
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
  const int32_t width = WidthOf(text, FittingWidth());
  if (width > Width) return MidByWidth(text, 1, Width);
  const std::string padding(static_cast<size_t>(Width - width), ' ');
  return RightAlign ? padding + text : text + padding;
}

}  // namespace quorvex2
