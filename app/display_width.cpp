#include "display_width.h"

#include <algorithm>
#include <string_view>

#include <quorvex2/core/text.h>

namespace qxcli {
namespace {

size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

char32_t CodePoint(const std::string& sequence) {
  static constexpr unsigned char kLeadMasks[] = {0x7F, 0x1F, 0x0F, 0x07};
  char32_t cp = static_cast<unsigned char>(sequence[0]) & kLeadMasks[sequence.size() - 1];
  for (size_t i = 1; i < sequence.size(); ++i) {
    cp = (cp << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  }
  return cp;
}

// East Asian wide and full-width characters: the ones every terminal shows in two columns.
bool IsWide(char32_t cp) {
  struct Span {
    char32_t first, last;
  };
  static constexpr Span kWide[] = {{0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF},
                                   {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xA000, 0xA4CF},
                                   {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F},
                                   {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD}};
  for (const Span& span : kWide) {
    if (cp >= span.first && cp <= span.last) return true;
  }
  return false;
}

int32_t CharacterWidth(const std::string& sequence) {
  const int32_t width = quorvex2::GetByteLength(sequence);
  return width == 2 && !IsWide(CodePoint(sequence)) ? 1 : width;
}

}  // namespace

std::string CutToWidth(const std::string& text, int32_t width) {
  constexpr std::string_view kCut = "...";
  const int32_t kept = width - static_cast<int32_t>(kCut.size());
  size_t cut = 0;
  int32_t used = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
    used += quorvex2::GetByteLength(text.substr(pos, length));
    if (used > width) return text.substr(0, cut) + std::string(kCut);
    pos += length;
    if (used <= kept) cut = pos;
  }
  return text;
}

int32_t DisplayWidth(const std::string& text, bool narrow_ambiguous) {
  if (!narrow_ambiguous) return quorvex2::GetByteLength(text);
  int32_t width = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
    width += CharacterWidth(text.substr(pos, length));
    pos += length;
  }
  return width;
}

}  // namespace qxcli
