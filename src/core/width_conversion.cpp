// Full-width <-> half-width conversion as the platform's narrow/wide mapping does it: ASCII and
// the full-width forms U+FF01-FF5E, the space and the ideographic space, katakana and the
// half-width katakana block U+FF61-FF9F (voiced and semi-voiced marks split off when narrowing and
// joined back when widening), the long-vowel mark, the Japanese punctuation and (narrowing only)
// the typographic quotation marks. Hiragana and
// kanji have no half-width form and stay as they are.
#include <array>
#include <string>

#include "core/detail/utf8.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

using detail::AppendUtf8;
using detail::DecodeUtf8;

constexpr char32_t kHalfVoiced = 0xFF9E;      // ﾞ
constexpr char32_t kHalfSemiVoiced = 0xFF9F;  // ﾟ

// Full-width forms of U+FF61 to U+FF9D, in block order.
constexpr char32_t kWideOfHalf[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7,  // ｡-ｧ
    0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8,  // ｩ-ｴ
    0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB,  // ｵ-ｾ
    0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,  // ｿ-ﾈ
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1,  // ﾉ-ﾒ
    0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF,  // ﾓ-ﾜ
    0x30F3,                                                                          // ﾝ
};
constexpr char32_t kFirstHalfKana = 0xFF61;
constexpr char32_t kLastHalfKana = 0xFF9D;

// Katakana that have a voiced form at +1 (カ/ガ ... ト/ド, ハ/バ ... ホ/ボ; not the small ッ) and
// a semi-voiced form at +2 (ハ/パ ... ホ/ポ).
bool TakesVoicedMark(char32_t wide) {
  return ((wide >= 0x30AB && wide <= 0x30C8) || (wide >= 0x30CF && wide <= 0x30DB)) &&
         wide != 0x30C3;
}
bool TakesSemiVoicedMark(char32_t wide) {
  return wide >= 0x30CF && wide <= 0x30DB;
}

// The half-width form of a full-width character (0 when it has none) and its mark.
struct Narrow {
  char32_t base = 0;
  char32_t mark = 0;
};

Narrow FindNarrowForm(char32_t c) {
  // The quotation marks a Japanese input method types in full-width mode narrow to the ASCII
  // marks, so 1:23’45” reads like 1:23'45".
  if (c == 0x2019) return {U'\'', 0};
  if (c == 0x201D || c == 0x201C) return {U'"', 0};
  if (c == 0x2018) return {U'`', 0};
  if (c >= 0xFF01 && c <= 0xFF5E) return {c - 0xFEE0, 0};
  if (c < 0x3000 || c > 0x30FC) return {};
  if (c == 0x3000) return {U' ', 0};
  if (c == 0x309B || c == 0x3099) return {kHalfVoiced, 0};
  if (c == 0x309C || c == 0x309A) return {kHalfSemiVoiced, 0};
  if (c == 0x30F4) return {0xFF73, kHalfVoiced};  // ヴ -> ｳﾞ
  for (char32_t half = kFirstHalfKana; half <= kLastHalfKana; ++half) {
    const char32_t wide = kWideOfHalf[half - kFirstHalfKana];
    if (c == wide) return {half, 0};
    if (TakesVoicedMark(wide) && c == wide + 1) return {half, kHalfVoiced};
    if (TakesSemiVoicedMark(wide) && c == wide + 2) return {half, kHalfSemiVoiced};
  }
  return {};
}

// The narrow forms of U+3000 to U+30FF, looked up once.
Narrow NarrowOf(char32_t c) {
  static const auto kKanaTable = [] {
    std::array<Narrow, 0x100> table{};
    for (char32_t k = 0; k < table.size(); ++k) table[k] = FindNarrowForm(0x3000 + k);
    return table;
  }();
  if (c >= 0x3000 && c <= 0x30FF) return kKanaTable[c - 0x3000];
  return FindNarrowForm(c);
}

// The full-width character of a half-width one combined with the mark that follows it, if the
// pair has one (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ); 0 otherwise.
char32_t JoinMark(char32_t wide, char32_t mark) {
  if (wide == 0x30A6 && mark == kHalfVoiced) return 0x30F4;
  if (TakesVoicedMark(wide) && mark == kHalfVoiced) return wide + 1;
  if (TakesSemiVoicedMark(wide) && mark == kHalfSemiVoiced) return wide + 2;
  return 0;
}

char32_t WideOf(char32_t c) {
  if (c >= 0x21 && c <= 0x7E) return c + 0xFEE0;
  if (c == U' ') return 0x3000;
  if (c >= kFirstHalfKana && c <= kLastHalfKana) return kWideOfHalf[c - kFirstHalfKana];
  if (c == kHalfVoiced) return 0x309B;
  if (c == kHalfSemiVoiced) return 0x309C;
  return 0;
}

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string ToNarrow(const std::string& Text) {
  if (IsAscii(Text)) return Text;  // nothing to narrow
  std::string out;
  out.reserve(Text.size());
  for (size_t pos = 0; pos < Text.size();) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(Text, pos);
    const Narrow narrow = NarrowOf(c);
    if (narrow.base == 0) {
      out.append(Text, start, pos - start);
      continue;
    }
    AppendUtf8(out, narrow.base);
    if (narrow.mark != 0) AppendUtf8(out, narrow.mark);
  }
  return out;
}

std::string ToWide(const std::string& Text) {
  std::string out;
  out.reserve(Text.size() * 3 / 2);
  for (size_t pos = 0; pos < Text.size();) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(Text, pos);
    const char32_t wide = WideOf(c);
    if (wide == 0) {
      out.append(Text, start, pos - start);
      continue;
    }
    if (pos < Text.size()) {
      size_t next = pos;
      const char32_t mark = DecodeUtf8(Text, next);
      const char32_t joined = JoinMark(wide, mark);
      if (joined != 0) {
        AppendUtf8(out, joined);
        pos = next;
        continue;
      }
    }
    AppendUtf8(out, wide);
  }
  return out;
}

}  // namespace quorvex2
