// The text procedures: trimming, case, fields, quotes, numbers, display widths and the
// narrow/wide conversion, also on empty, invalid and very long texts.
#include "quorvex2/core/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/detail/fill_in.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

// Trimming, case, cutting, replacing and counting.
TEST(TextProcedures, TrimCaseCutReplaceAndCount) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta "), "\ta");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(ToUpper("m21a ｍ２１ａ éß×"), "M21A Ｍ２１Ａ Éß×");
  EXPECT_EQ(ToLower("M21A Ｍ２１Ａ É÷"), "m21a ｍ２１ａ é÷");
  EXPECT_EQ(ToUpper("クラス"), "クラス");
  // Invalid UTF-8 passes through untouched.
  EXPECT_EQ(ToUpper("a\xff\xc3z"), "A\xff\xc3Z");
  EXPECT_EQ(CutRight("abc,", 1, ","), "abc");
  EXPECT_EQ(CutRight("abc;", 1, ","), "abc;");
  EXPECT_EQ(CutRight("名前、", 1, "、"), "名前");
  EXPECT_EQ(CutRight("abcde", 2), "abc");
  EXPECT_EQ(CutRight("名前です", 2), "名前");
  EXPECT_EQ(CutRight("ab", 3), "");
  EXPECT_EQ(CutRight("ab", 3, "xab"), "ab");
  EXPECT_EQ(CutRight("ab", 0), "ab");
  EXPECT_EQ(ReplaceAll("-0-0-0-", "-0-", "-S-"), "-S-0-S-");
  EXPECT_EQ(ReplaceAll("a\r\r\nb\r\r\r\n", "\r\r\n", "\r\n"), "a\r\nb\r\r\n");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
  EXPECT_EQ(CountString("aaaa", "aa"), 2);
  EXPECT_EQ(CountString("1:02:03", ":"), 2);
  EXPECT_EQ(CountString("abc", ""), 0);
  EXPECT_EQ(CountString("", "a"), 0);
}

// Values go in once: a path that holds a placeholder's name stays as it is.
TEST(FillIn, NamedPlaceholdersInOnePass) {
  using detail::FillIn;
  EXPECT_EQ(FillIn("{path} is not {what}: {path}", {{"path", "a/{what}.csv"}, {"what", "x"}}),
            "a/{what}.csv is not x: a/{what}.csv");
  EXPECT_EQ(FillIn("{pat} {path {} {", {{"path", "p"}}), "{pat} {path {} {");
  EXPECT_EQ(FillIn("{a}{b}}", {{"a", "1"}, {"b", ""}}), "1}");
}

TEST(GetSeparatedValue, FieldsAndRanges) {
  EXPECT_EQ(GetSeparatedValue("a,b,,d", 1, ","), "a");
  EXPECT_EQ(GetSeparatedValue("a,b,,d", 3, ","), "");
  EXPECT_EQ(GetSeparatedValue("a,b,,d", 4, ","), "d");
  EXPECT_EQ(GetSeparatedValue("a,b,,d", 5, ","), "");
  EXPECT_EQ(GetSeparatedValue("a,b,,d", 0, ","), "");
  EXPECT_EQ(GetSeparatedValue("a,b", 2, ""), "");
  EXPECT_EQ(GetSeparatedValue("", 1, ","), "");
  // The cache must not hand back the fields of another text or separator.
  EXPECT_EQ(GetSeparatedValue("x::y", 2, "::"), "y");
  EXPECT_EQ(GetSeparatedValue("x::y", 2, ":"), "");
  EXPECT_EQ(GetSeparatedValue("p::q", 2, "::"), "q");
}

TEST(TextProcedures, NameKeysAndQuotes) {
  EXPECT_EQ(MakeNameKey(std::string("山田\xE3\x80\x80太郎 x\0y", 19)), "山田太郎xy");
  EXPECT_EQ(MakeNameKey("   "), "");
  EXPECT_EQ(AddQuote("a b"), "\"a b\"");
  EXPECT_EQ(AddQuote("\"a b\""), "\"a b\"");
  EXPECT_EQ(AddQuote("\""), "\"\"\"");
  EXPECT_EQ(RemoveQuote("\"a b\""), "a b");
  EXPECT_EQ(RemoveQuote("\"\""), "");
  EXPECT_EQ(RemoveQuote("\"a"), "\"a");
  EXPECT_EQ(RemoveQuote("\""), "\"");
}

TEST(Numbers, NumericTestAndLeadingNumber) {
  for (const char* yes : {"12", " -3.5 ", "+0", ".5", "5.", "1e3", "1E-2"}) {
    EXPECT_TRUE(IsNumeric(yes)) << yes;
  }
  for (const char* no : {"", " ", "-", ".", "1.2.3", "12a", "1e", "1:23", "１２"}) {
    EXPECT_FALSE(IsNumeric(no)) << no;
  }
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("  -3.5km"), -3.5);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("2e2x"), 200);
  EXPECT_EQ(LeadingNumber("2ex"), 2);
  // The number part reads as the C library reads it, out-of-range exponents included.
  for (const char* text : {"+2.5", "5.", ".5", "-0", "0.1", "123456789.123456789e-3", "1e999",
                           "-1e999", "1e-999", "4.9e-324", "2.2250738585072011e-308"}) {
    EXPECT_EQ(LeadingNumber(std::string(text) + "x"), std::strtod(text, nullptr)) << text;
  }
}

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

const std::string kInvalid = "\xC3(\xA0\xA1\xE2\x28\xA1\xF0\x90\x28\xBC\xFF\xFE\xED\xA0\x80";

TEST(Robustness, EmptyTexts) {
  EXPECT_EQ(NormalizeTimeText("", false), "");
  EXPECT_EQ(MidByWidth("", 1, 5), "");
  EXPECT_EQ(ToNarrow(""), "");
  EXPECT_EQ(ToWide(""), "");
  EXPECT_EQ(MakeNameKey(""), "");
  EXPECT_EQ(CutRight("", 1, "x"), "");
  EXPECT_EQ(RemoveQuote(""), "");
  EXPECT_EQ(AddQuote(""), "\"\"");
  EXPECT_EQ(FormatDate(0, ""), "");
  EXPECT_EQ(FormatNumber(1, ""), "");
}

TEST(Robustness, InvalidUtf8) {
  EXPECT_FALSE(IsValidTime(NormalizeTimeText(kInvalid)));
  EXPECT_EQ(GetByteLength(kInvalid), GetByteLength(Utf8ToSjis(kInvalid)));
  EXPECT_EQ(GetByteLength(FitString(kInvalid, 7)), 7);
  EXPECT_EQ(GetByteLength(FitString(kInvalid, 40, true)), 40);
  EXPECT_EQ(ToNarrow(ToWide(kInvalid)), kInvalid);
  EXPECT_EQ(ToUpper(ToLower(kInvalid)), kInvalid);
  EXPECT_EQ(ResultStatusOrder(kInvalid), 98);
  EXPECT_FALSE(SjisToUtf8(kInvalid).empty());
  EXPECT_EQ(CutRight(kInvalid, 1), kInvalid.substr(0, kInvalid.size() - 1));
}

TEST(Robustness, MegabyteLines) {
  std::string wide;
  for (int i = 0; i < (1 << 18); ++i) wide += "名";
  const std::string mixed = wide + "ｸﾞ" + std::string(1 << 20, '1');
  EXPECT_EQ(GetByteLength(wide), 1 << 19);
  EXPECT_EQ(GetByteLength(MidByWidth(mixed, 2, 1 << 19)), 1 << 19);
  EXPECT_EQ(FitString(wide, 3), "名 ");
  EXPECT_EQ(ToNarrow(ToWide(mixed)), mixed);
  EXPECT_EQ(NormalizeTimeText(mixed), mixed);
  EXPECT_FALSE(IsValidDate(mixed));
  EXPECT_EQ(CountString(mixed, "名名"), 1 << 17);
  EXPECT_EQ(GetSeparatedValue(std::string(1 << 16, ','), 1 << 16, ","), "");
}

}  // namespace
}  // namespace quorvex2
