#include "quorvex2/core/encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex2 {
namespace {

TEST(ShiftJis, PlaceholdersRoundTrip) {
  EXPECT_EQ(Utf8ToSjis("－"), "\x81\x7C");
  EXPECT_EQ(Utf8ToSjis("↓"), "\x81\xAB");
  EXPECT_EQ(Utf8ToSjis("×"), "\x81\x7E");
  EXPECT_EQ(SjisToUtf8("\x81\x7C\x81\xAB\x81\x7E"), "－↓×");
}

TEST(ShiftJis, JapaneseAndHalfWidthKatakanaRoundTrip) {
  const std::string text = "山田太郎,ｸﾗｽ,M21A,～＼\\";
  const std::string sjis = Utf8ToSjis(text);
  EXPECT_EQ(sjis.substr(0, 2), "\x8E\x52");  // 山
  EXPECT_EQ(sjis.substr(9, 3), "\xB8\xD7\xBD");
  EXPECT_EQ(SjisToUtf8(sjis), text);
}

TEST(ShiftJis, UnmappableAndInvalidInput) {
  EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToSjis("a\xff"
                       "b\xe5"),
            "a?b?");
  EXPECT_EQ(SjisToUtf8("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(SjisToUtf8("\xA0z"), "\xEF\xBF\xBDz");
  EXPECT_EQ(SjisToUtf8(""), "");
  EXPECT_EQ(Utf8ToSjis(""), "");
  EXPECT_EQ(SjisToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ShiftJis, LongTextsCrossTheConversionBuffer) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += i % 3 == 0 ? "名" : "x";
  EXPECT_EQ(SjisToUtf8(Utf8ToSjis(text)), text);
}

TEST(Utf16le, DecodesPairsAndReplacesBrokenUnits) {
  EXPECT_EQ(Utf16leToUtf8(std::string("A\0\x71\x5C", 4)), "A山");
  EXPECT_EQ(Utf16leToUtf8(std::string("\x3D\xD8\x00\xDE", 4)), "😀");
  EXPECT_EQ(Utf16leToUtf8(std::string("A\0B", 3)), "A\xEF\xBF\xBD");
  EXPECT_EQ(Utf16leToUtf8(std::string("\x00\xDC"
                                      "A\0",
                                      4)),
            "\xEF\xBF\xBD"
            "A");
}

}  // namespace
}  // namespace quorvex2
