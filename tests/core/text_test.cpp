#include "quorvex2/core/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/detail/fill_in.h"

namespace quorvex2 {
namespace {

TEST(Trim, SpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta "), "\ta");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(Case, AsciiFullWidthAndAccentedLetters) {
  EXPECT_EQ(ToUpper("m21a ｍ２１ａ éß×"), "M21A Ｍ２１Ａ Éß×");
  EXPECT_EQ(ToLower("M21A Ｍ２１Ａ É÷"), "m21a ｍ２１ａ é÷");
  EXPECT_EQ(ToUpper("クラス"), "クラス");
  // Invalid UTF-8 passes through untouched.
  EXPECT_EQ(ToUpper("a\xff\xc3z"), "A\xff\xc3Z");
}

TEST(CutRight, WithAndWithoutSuffix) {
  EXPECT_EQ(CutRight("abc,", 1, ","), "abc");
  EXPECT_EQ(CutRight("abc;", 1, ","), "abc;");
  EXPECT_EQ(CutRight("名前、", 1, "、"), "名前");
  EXPECT_EQ(CutRight("abcde", 2), "abc");
  EXPECT_EQ(CutRight("名前です", 2), "名前");
  EXPECT_EQ(CutRight("ab", 3), "");
  EXPECT_EQ(CutRight("ab", 3, "xab"), "ab");
  EXPECT_EQ(CutRight("ab", 0), "ab");
}

TEST(ReplaceAll, LeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll("-0-0-0-", "-0-", "-S-"), "-S-0-S-");
  EXPECT_EQ(ReplaceAll("a\r\r\nb\r\r\r\n", "\r\r\n", "\r\n"), "a\r\nb\r\r\n");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

// Values go in once: a path that holds a placeholder's name stays as it is.
TEST(FillIn, NamedPlaceholdersInOnePass) {
  using detail::FillIn;
  EXPECT_EQ(FillIn("{path} is not {what}: {path}", {{"path", "a/{what}.csv"}, {"what", "x"}}),
            "a/{what}.csv is not x: a/{what}.csv");
  EXPECT_EQ(FillIn("{pat} {path {} {", {{"path", "p"}}), "{pat} {path {} {");
  EXPECT_EQ(FillIn("{a}{b}}", {{"a", "1"}, {"b", ""}}), "1}");
}

TEST(CountString, NonOverlapping) {
  EXPECT_EQ(CountString("aaaa", "aa"), 2);
  EXPECT_EQ(CountString("1:02:03", ":"), 2);
  EXPECT_EQ(CountString("abc", ""), 0);
  EXPECT_EQ(CountString("", "a"), 0);
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

TEST(MakeNameKey, RemovesSpacesOfBothWidthsAndNul) {
  EXPECT_EQ(MakeNameKey(std::string("山田\xE3\x80\x80太郎 x\0y", 19)), "山田太郎xy");
  EXPECT_EQ(MakeNameKey("   "), "");
}

TEST(Quotes, AddAndRemove) {
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

}  // namespace
}  // namespace quorvex2
