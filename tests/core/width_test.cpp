// Display widths and the narrow/wide conversion.
#include <gtest/gtest.h>

#include <string>

#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

// Characters Shift-JIS has no form for count one column each, like the "?" they become.
TEST(GetByteLength, ShiftJisColumns) {
  const std::pair<const char*, int32_t> cases[] = {
      {"abc", 3}, {"山田", 4}, {"ｸﾗｽ", 3}, {"－↓×", 6}, {"😀é", 2}, {"\xff\xfe", 2}, {"", 0}};
  for (auto [text, columns] : cases) EXPECT_EQ(GetByteLength(text), columns) << text;
}

// Cuts through a full-width character leave a space in its place.
TEST(MidByWidth, CutsThroughFullWidthCharacters) {
  const struct {
    const char* text;
    int32_t start, width;
    const char* part;
  } cases[] = {{"abcdef", 2, 3, "bcd"},    {"山田太郎", 1, 5, "山田 "}, {"山田太郎", 2, 4, " 田 "},
               {"山田太郎", 3, 4, "田太"}, {"a山", 1, 2, "a "},         {"abc", 5, 3, ""},
               {"abc", 2, 0, ""},          {"abc", 0, 2, "ab"}};
  for (const auto& c : cases) EXPECT_EQ(MidByWidth(c.text, c.start, c.width), c.part) << c.text;
}

TEST(FitString, PadsOrCuts) {
  const struct {
    const char* text;
    int32_t width;
    bool right, trim;
    const char* fitted;
  } cases[] = {{"abc", 6, true, false, "   abc"},    {"abc", 6, false, false, "abc   "},
               {"山田太", 5, false, false, "山田 "}, {"山田", 6, true, false, "  山田"},
               {"  ab  ", 3, false, true, "ab "},    {"  ab  ", 3, false, false, "  a"},
               {"abc", 0, false, false, ""},         {"", 2, false, false, "  "}};
  for (const auto& c : cases) {
    EXPECT_EQ(FitString(c.text, c.width, c.right, c.trim), c.fitted) << c.text << c.width;
  }
}

TEST(NarrowWide, AsciiSpacesKatakanaAndMarks) {
  const std::pair<const char*, const char*> narrow[] = {{"ＡＢｃ１２３：！～", "ABc123:!~"},
                                                        {"山田\xE3\x80\x80太郎", "山田 太郎"},
                                                        {"ゴール", "ｺﾞｰﾙ"},
                                                        {"ガパヴ", "ｶﾞﾊﾟｳﾞ"},
                                                        {"ツッヅ", "ﾂｯﾂﾞ"},
                                                        {"「スタート」、。・", "｢ｽﾀｰﾄ｣､｡･"},
                                                        {"ひらがな漢字", "ひらがな漢字"},
                                                        {"１：２３’４５”", "1:23'45\""},
                                                        {"a\xff"
                                                         "b",
                                                         "a\xff"
                                                         "b"}};
  for (auto [text, expected] : narrow) EXPECT_EQ(ToNarrow(text), expected) << text;
  // Voiced marks join the kana before them where a full-width form exists.
  const std::pair<const char*, const char*> wide[] = {
      {"AB1:", "ＡＢ１："}, {"a b", "ａ\xE3\x80\x80ｂ"}, {"ｶﾞﾊﾟｳﾞｰ", "ガパヴー"},
      {"ﾂﾞｯﾞ", "ヅッ゛"},   {"ｱﾞﾟ", "ア゛゜"},           {"ﾊﾞﾟ", "バ゜"},
      {"ﾞ", "゛"}};
  for (auto [text, expected] : wide) EXPECT_EQ(ToWide(text), expected) << text;
}

TEST(NarrowWide, KatakanaRoundTrip) {
  std::string katakana;
  for (char32_t c = 0x30A1; c <= 0x30F4; ++c) {
    // Characters without a half-width form (ヮ, ヰ, ヱ and ヵ-ヶ are beyond the range) stay put.
    if (c == 0x30EE || c == 0x30F0 || c == 0x30F1) continue;
    katakana += static_cast<char>(0xE0 | (c >> 12));
    katakana += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    katakana += static_cast<char>(0x80 | (c & 0x3F));
  }
  katakana += "ー「」、。・";
  const std::string narrow = ToNarrow(katakana);
  EXPECT_EQ(GetByteLength(narrow), static_cast<int32_t>(narrow.size() / 3));
  EXPECT_EQ(ToWide(narrow), katakana);
  EXPECT_EQ(ToNarrow(ToWide("ｶﾞｷﾞｸﾞﾊﾟﾋﾟ ABC")), "ｶﾞｷﾞｸﾞﾊﾟﾋﾟ ABC");
}

}  // namespace
}  // namespace quorvex2
