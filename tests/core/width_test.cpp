// Display widths and the narrow/wide conversion.
#include <gtest/gtest.h>

#include <string>

#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

TEST(GetByteLength, ShiftJisColumns) {
  EXPECT_EQ(GetByteLength("abc"), 3);
  EXPECT_EQ(GetByteLength("山田"), 4);
  EXPECT_EQ(GetByteLength("ｸﾗｽ"), 3);
  EXPECT_EQ(GetByteLength("－↓×"), 6);
  EXPECT_EQ(GetByteLength("😀é"), 2);  // no Shift-JIS form: one column each, like "?"
  EXPECT_EQ(GetByteLength("\xff\xfe"), 2);
  EXPECT_EQ(GetByteLength(""), 0);
}

TEST(MidByWidth, CutsThroughFullWidthCharacters) {
  EXPECT_EQ(MidByWidth("abcdef", 2, 3), "bcd");
  EXPECT_EQ(MidByWidth("山田太郎", 1, 5), "山田 ");
  EXPECT_EQ(MidByWidth("山田太郎", 2, 4), " 田 ");
  EXPECT_EQ(MidByWidth("山田太郎", 3, 4), "田太");
  EXPECT_EQ(MidByWidth("a山", 1, 2), "a ");
  EXPECT_EQ(MidByWidth("abc", 5, 3), "");
  EXPECT_EQ(MidByWidth("abc", 2, 0), "");
  EXPECT_EQ(MidByWidth("abc", 0, 2), "ab");
}

TEST(FitString, PadsOrCuts) {
  EXPECT_EQ(FitString("abc", 6, true), "   abc");
  EXPECT_EQ(FitString("abc", 6), "abc   ");
  EXPECT_EQ(FitString("山田太", 5), "山田 ");
  EXPECT_EQ(FitString("山田", 6, true), "  山田");
  EXPECT_EQ(FitString("  ab  ", 3, false, true), "ab ");
  EXPECT_EQ(FitString("  ab  ", 3), "  a");
  EXPECT_EQ(FitString("abc", 0), "");
  EXPECT_EQ(FitString("", 2), "  ");
}

TEST(ToNarrow, AsciiSpacesKatakanaAndMarks) {
  EXPECT_EQ(ToNarrow("ＡＢｃ１２３：！～"), "ABc123:!~");
  EXPECT_EQ(ToNarrow("山田\xE3\x80\x80太郎"), "山田 太郎");
  EXPECT_EQ(ToNarrow("クラス"), "ｸﾗｽ");
  EXPECT_EQ(ToNarrow("ゴール"), "ｺﾞｰﾙ");
  EXPECT_EQ(ToNarrow("ガパヴ"), "ｶﾞﾊﾟｳﾞ");
  EXPECT_EQ(ToNarrow("ツッヅ"), "ﾂｯﾂﾞ");
  EXPECT_EQ(ToNarrow("「スタート」、。・"), "｢ｽﾀｰﾄ｣､｡･");
  EXPECT_EQ(ToNarrow("ひらがな漢字"), "ひらがな漢字");
  EXPECT_EQ(ToNarrow("１：２３’４５”"), "1:23'45\"");
  EXPECT_EQ(ToNarrow("a\xff"
                     "b"),
            "a\xff"
            "b");
}

TEST(ToWide, AsciiSpacesKatakanaAndJoinedMarks) {
  EXPECT_EQ(ToWide("AB1:"), "ＡＢ１：");
  EXPECT_EQ(ToWide("a b"), "ａ\xE3\x80\x80ｂ");
  EXPECT_EQ(ToWide("ｶﾞﾊﾟｳﾞｰ"), "ガパヴー");
  EXPECT_EQ(ToWide("ﾂﾞｯﾞ"), "ヅッ゛");
  EXPECT_EQ(ToWide("ｱﾞﾟ"), "ア゛゜");
  EXPECT_EQ(ToWide("ﾊﾞﾟ"), "バ゜");
  EXPECT_EQ(ToWide("ﾞ"), "゛");
}

TEST(NarrowWide, KatakanaRoundTrip) {
  std::string katakana;
  for (char32_t c = 0x30A1; c <= 0x30F4; ++c) {
    // Characters without a half-width form (ヮ, ヰ, ヱ and ヵ-ヶ are beyond the range) stay put.
    if (c == 0x30EE || c == 0x30F0 || c == 0x30F1) continue;
    std::string s;
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
    katakana += s;
  }
  katakana += "ー「」、。・";
  const std::string narrow = ToNarrow(katakana);
  EXPECT_EQ(GetByteLength(narrow), static_cast<int32_t>(narrow.size() / 3));
  EXPECT_EQ(ToWide(narrow), katakana);
  EXPECT_EQ(ToNarrow(ToWide("ｶﾞｷﾞｸﾞﾊﾟﾋﾟ ABC")), "ｶﾞｷﾞｸﾞﾊﾟﾋﾟ ABC");
}

}  // namespace
}  // namespace quorvex2
