// The text procedures: trimming, case, fields, quotes, numbers, display widths and the
// narrow/wide conversion, also on empty, invalid and very long texts; and the encodings: Shift-JIS
// both ways, UTF-16, the encoding decided from the bytes and the line ends.
#include "quorvex2/core/text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/detail/fill_in.h"
#include "core/detail/iconv_converter.h"
#include "core/detail/utf8.h"
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

// The placeholders, kanji, half-width katakana and the characters CP932 maps its own way.
TEST(ShiftJis, Cp932TextBrokenBytesAndLongTexts) {
  const std::string text = "－↓×山田,ｸﾗｽ,M21A,～＼\\";
  const std::string sjis = Utf8ToSjis(text);
  EXPECT_EQ(sjis.substr(0, 10), "\x81\x7C\x81\xAB\x81\x7E\x8E\x52\x93\x63");
  EXPECT_EQ(sjis.substr(11, 3), "\xB8\xD7\xBD");
  EXPECT_EQ(SjisToUtf8(sjis), text);
  // Broken bytes become replacement characters.
  EXPECT_EQ(SjisToUtf8("a\x81"), "a\uFFFD");
  EXPECT_EQ(SjisToUtf8("\xA0z"), "\uFFFDz");
  EXPECT_EQ(SjisToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  // Long texts cross the conversion buffer.
  std::string long_text;
  for (int i = 0; i < 200000; ++i) long_text += i % 3 == 0 ? "名" : "x";
  EXPECT_EQ(SjisToUtf8(Utf8ToSjis(long_text)), long_text);
}

// The whole text through iconv in one piece, rejected sequences replaced as Utf8ToSjis does: the
// reference the run-by-run conversion must match byte for byte. `html` replaces a character
// CP932 cannot hold by its character reference, as Utf8ToSjisHtml does.
std::string WholeTextToSjis(const std::string& in, bool html = false) {
  const iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out;
  std::vector<char> buffer(in.size() * 2 + 16);
  size_t pos = 0;
  while (pos < in.size()) {
    char* src = const_cast<char*>(in.data() + pos);
    size_t src_left = in.size() - pos;
    char* dst = buffer.data();
    size_t dst_left = buffer.size();
    const size_t result = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer.data(), dst - buffer.data());
    pos = in.size() - src_left;
    if (result == static_cast<size_t>(-1)) {
      const bool valid = detail::IsValidUtf8At(in, pos);
      const char32_t cp = detail::DecodeUtf8(in, pos);
      out += html && valid ? "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";" : "?";
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

TEST(ShiftJis, MixedTextsConvertAsTheWholeTextDoes) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(Utf8ToSjis(ascii), ascii);
  EXPECT_EQ(Utf8ToSjisHtml(ascii), ascii);
  EXPECT_EQ(Utf8ToSjis("\xE5\xB1"
                       "A\xE5"),
            "??A?");

  // Characters CP932 holds, ones it does not, and broken sequences cut by ASCII or the end.
  const std::vector<std::string> pieces = {
      "山",       "名",          "ｸ",    "－",       "↓",        "×",
      "～",       "＼",          "①",    "😀",        "é",        "€",
      "\xFF",     "\x80",        "\xE5", "\xE5\xB1", "\xC0\xAF", "\xED\xA0\x80",
      "\xF0\x9F", "\xF0\x9F\x98"};
  std::mt19937 random(7);
  for (int text_number = 0; text_number < 3000; ++text_number) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
      if (random() % 2 == 0) {
        text += static_cast<char>(random() % 0x80);
      } else {
        text += pieces[random() % pieces.size()];
      }
    }
    ASSERT_EQ(Utf8ToSjis(text), WholeTextToSjis(text)) << text;
    ASSERT_EQ(Utf8ToSjisHtml(text), WholeTextToSjis(text, true)) << text;
  }
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

TEST(TextEncoding, DecidedFromTheBytes) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string encoding;
    std::string text;
  };
  // The byte-order marks and the plain UTF-8, Shift-JIS and Windows-1252 files of every text
  // format are read in the file format tests.
  const std::vector<Case> cases = {
      {"ascii", "Kato Ken,1:02:03", "ASCII", "Kato Ken,1:02:03"},
      // The detector reads this one as Latin-1; valid UTF-8 wins.
      {"utf-8 latin name", "M\xC3\xBCller", "UTF-8", "Müller"},
      {"utf-8 broken after the mark",
       "\xEF\xBB\xBF"
       "a\xFF"
       "b",
       "UTF-8", "a\uFFFDb"},
      // Shift-JIS stays the default: a name alone (the detector is unsure), kana the detector
      // reads as Windows-1252, half-width katakana it reads as Greek.
      {"cp932 name", Utf8ToSjis("山田　太郎\r\n"), "CP932", "山田　太郎\r\n"},
      {"cp932 kana", Utf8ToSjis("あい"), "CP932", "あい"},
      {"cp932 half-width katakana", Utf8ToSjis("ｸﾗｽ,ﾅﾏｴ\r\nM21,abc\r\n"), "CP932",
       "ｸﾗｽ,ﾅﾏｴ\r\nM21,abc\r\n"},
      // A lone kanji between separators and a full-width letter before digits: Japanese,
      // although their second bytes are ASCII letters.
      {"cp932 lone kanji", Utf8ToSjis("1,Taro,男,Ｍ21A\r\n"), "CP932", "1,Taro,男,Ｍ21A\r\n"},
      {"cp932 full-width class", Utf8ToSjis("Ｍ21A,Taro\r\n"), "CP932", "Ｍ21A,Taro\r\n"},
      // European text, also where its bytes happen to be valid Shift-JIS (J\xF6rg, and
      // apostrophes or a Š inside and at the start of words).
      {"windows-1252 apostrophes", "Men\x92s Open,Pat O\x92Hara\r\n", "WINDOWS-1252",
       "Men’s Open,Pat O’Hara\r\n"},
      {"windows-1252 valid as shift-jis", "J\xF6rg", "WINDOWS-1252", "Jörg"},
      {"windows-1252 quotes", "\x93Quoted\x94 \x80", "WINDOWS-1252", "“Quoted” €"},
      // Central European letters Latin-2 and Windows-1250 share: read as Latin-2.
      {"latin-2",
       "Ji\xF8\xED \xC8"
       "erm\xE1k,Praha\r\n",
       "ISO-8859-2", "Jiří Čermák,Praha\r\n"},
      // Short texts whose few letters a detector easily takes for another set: Western names
      // for Mac Central European, Polish and Czech ones (ž in Windows-1250's own place) for DOS
      // Latin-2 or Latin-1. Latvian is Baltic.
      {"windows-1252 not mac", "Name,Club\r\nAna\xEFs Citro\xEBn,CO Besan\xE7on\r\n",
       "WINDOWS-1252", "Name,Club\r\nAnaïs Citroën,CO Besançon\r\n"},
      {"windows-1250 not dos", "Name,Club\r\nMicha\xB3 K\xF8\xED\x9E,SK Praga\r\n", "WINDOWS-1250",
       "Name,Club\r\nMichał Kříž,SK Praga\r\n"},
      {"latin-2 not latin-1",
       "Name,Club\r\nTom\xE1\xB9 \xC8"
       "ech,UKS \xA3\xF3"
       "d\xBC\r\n",
       "ISO-8859-2", "Name,Club\r\nTomáš Čech,UKS Łódź\r\n"},
      {"latin-7", "Name,Club\r\nJ\xE2nis B\xE7rzi\xF2\xF0,R\xEEga\r\n", "ISO-8859-13",
       "Name,Club\r\nJānis Bērziņš,Rīga\r\n"},
      // An HTML page's declared charset decides where the bytes agree with it: a Slovak name the
      // detectors read as Windows-1252 ("Kåbik"). Valid UTF-8, a byte-order mark and names iconv
      // does not know leave the decision to the bytes; our own pages declare Shift-JIS as x-sjis.
      {"html declares latin-2",
       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"
       "</head><pre>\r\n  1  K\xE5"
       "bik Peter  OK Senec  45:12\r\n",
       "ISO-8859-2",
       "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"
       "</head><pre>\r\n  1  Kĺbik Peter  OK Senec  45:12\r\n"},
      {"html declares windows-1250",
       "<META charset=windows-1250><pre>K\xE5"
       "bik Peter, OK Senec",
       "WINDOWS-1250", "<META charset=windows-1250><pre>Kĺbik Peter, OK Senec"},
      {"html declares x-sjis",
       Utf8ToSjis("<meta content='text/html; charset=x-sjis' http-equiv=Content-Type>山田　太郎"),
       "CP932", "<meta content='text/html; charset=x-sjis' http-equiv=Content-Type>山田　太郎"},
      {"html declares latin-2 in utf-8", "<meta charset=\"iso-8859-2\">M\xC3\xBCller", "UTF-8",
       "<meta charset=\"iso-8859-2\">Müller"},
      {"html declares windows-1250 after a mark", "\xEF\xBB\xBF<meta charset=windows-1250>\xC5",
       "UTF-8", "<meta charset=windows-1250>\uFFFD"},
      {"html declares an unknown set", "<meta charset=\"x-unknown\">J\xF6rg", "WINDOWS-1252",
       "<meta charset=\"x-unknown\">Jörg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectTextEncoding(c.bytes), c.encoding);
    EXPECT_EQ(DecodeText(c.bytes, DetectTextEncoding(c.bytes)), c.text);
  }
  // A name iconv does not know decodes as Windows-1252.
  EXPECT_EQ(DecodeText("\xE9", "NO-SUCH-ENCODING"), "é");
}

// Result lists in the single-byte sets of Western and Central Europe, as exporters write them
// beside English or national captions: each reads in its own letters, where the detectors' byte
// statistics are too thin to tell the sets apart.
TEST(TextEncoding, EuropeanResultListsReadInTheirOwnLetters) {
  const std::string polish =
      "Stno;Chipno;Surname;First name;YB;S;Start;Finish;Time;Classifier;Club;City;Short;Course\r\n"
      "101;2001;Żółć;Grażyna;1980;F;10:00:00;10:45:12;45:12;0;UKS Śląsk;Katowice;K21;Course 1\r\n"
      "102;2002;Wiśniewski;Paweł;1979;M;10:02:00;10:49:30;47:30;0;KS Łódź;Łódź;M21;Course 2\r\n";
  const std::string czech =
      "SPORTident Results\r\nPl   Stno  Name                 Club              Time\r\n"
      "H21  (14)   5.200 km  180 m\r\n"
      "  1   201  Dvořák Jiří          SK Praha          45:12\r\n"
      "  2   202  Kříž Zdeněk          OK Brno           47:30\r\n"
      "  3   203  Černá Šárka          TJ Slavia Liberec 51:02\r\n"
      "  4   204  Růžička Vojtěch      OK Děčín          59:59\r\n";
  const std::string slovak =
      "Pl   Name                 Club              Time\r\n"
      "  1  Ľubomír Šťastný      ŠK Žilina         52:10\r\n"
      "  2  Ďurica Ján           OK Rožňava        53:40\r\n"
      "  3  Kováčová Mária       Slávia Bratislava 54:02\r\n";
  const std::string croatian =
      "Place;Name;Club;Time\r\n1;Ivan Horvat;OK Vihor;45:12\r\n"
      "2;Đurđa Kovačević;OK Split;47:30\r\n3;Marko Babić;OK Zagreb;48:00\r\n";
  const std::string slovenian =
      "Place,Name,Club,Time\r\n1,Žiga Novak,OK Škofja Loka,45:12\r\n"
      "2,Matej Čebašek,OK Komenda,47:30\r\n";
  const std::string hungarian =
      "Hely;Név;Egyesület;Idő\r\n1;Nagy Ödön;Győri Tájfutó Egyesület;45:12\r\n"
      "2;Szőke Bálint;Pécsi Egyetem;48:00\r\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"WINDOWS-1250", polish},
      {"ISO-8859-2", polish},
      {"WINDOWS-1250", czech},
      {"ISO-8859-2", czech},
      {"WINDOWS-1250", slovak},
      {"ISO-8859-2", slovak},
      {"WINDOWS-1250", croatian},
      {"ISO-8859-2", croatian},
      {"WINDOWS-1250", slovenian},
      {"ISO-8859-2", slovenian},
      {"WINDOWS-1250", hungarian},
      // An international event: Czech and Polish names beside German and Swedish ones.
      {"WINDOWS-1250",
       "Place;Name;Club;Time\r\n1;Kateřina Lund;OK Nord;45:12\r\n2;Łukasz Lindström;IFK "
       "Lund;46:00\r\n"
       "3;Jürgen Müller;OLG Bärnau;47:00\r\n4;Małgorzata Śliwińska;KS Łódź;48:00\r\n"
       "5;Björn Säll;OK Älme;49:00\r\n"},
      {"WINDOWS-1252",
       "Placering;Namn;Klubb;Tid\r\n1;Åsa Ström;IFK Göteborg;45:12\r\n"
       "2;Björn Öhlund;OK Älme;47:30\r\n3;Märta Åkesson;Järfälla OK;48:10\r\n"},
      {"WINDOWS-1252",
       "  1  Øyvind Bjørnstad      Halden SK          45:12\r\n"
       "  2  Kåre Sæther           Bækkelagets SK     47:30\r\n"},
      {"ISO-8859-1", "Søren Ærø;OK Øst Birkerød;45:12\r\nJens Højgaard;Faaborg OK;47:30\r\n"},
      {"ISO-8859-1", "Jääskeläinen Päivi, Helsingin Suunnistajat, 45:12\r\n"},
      {"WINDOWS-1252",
       "Platz;Name;Verein;Zeit\r\n1;Jürgen Müller;OLG Königsbrück;45:12\r\n"
       "2;Günther Weiß;TSV Schönaich;47:30\r\n"},
      {"WINDOWS-1252", "Name,Club\r\nMikaël Kerbœuf;CO Besançon\r\n"},
      {"ISO-8859-1",
       "Puesto;Nombre;Club;Tiempo\r\n1;José Muñoz;Club Orientación Cáceres;45:12\r\n"
       "2;María Núñez;Peñalara;47:30\r\n"},
      {"WINDOWS-1252",
       "Sæti;Nafn;Félag;Tími\r\n1;Guðmundur Þórðarson;Ármann;45:12\r\n"
       "2;Þórunn Sigurðardóttir;Hlaupafélag Æsir;47:30\r\n3;Ýr Ólafsdóttir;ÍR;48:10\r\n"},
      {"WINDOWS-1254",
       "Sıra;Ad;Kulüp;Süre\r\n1;Ayşe Şahin;Ankara Gençlik;45:12\r\n"
       "2;Ahmet Yılmaz;İstanbul OK;47:30\r\n3;Gökhan Öztürk;İzmir;48:10\r\n"},
  };
  for (const auto& [encoding, text] : cases) {
    SCOPED_TRACE(encoding + "\n" + text);
    detail::IconvConverter to(encoding.c_str(), "UTF-8");
    const std::string bytes = to.Convert(text, [](std::string_view, size_t, std::string&) {
      ADD_FAILURE() << "the set cannot hold the text";
      return size_t{1};
    });
    EXPECT_EQ(DecodeText(bytes, DetectTextEncoding(bytes)), text);
  }
}

// Line ends become CR LF; a closing Ctrl-Z and a "sep=" hint line are dropped, nothing else.
TEST(TextEncoding, TextFileAsReadersSeeIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\r\r\nb", "a\r\nb"},
      {"a\n\rb", "a\r\n\r\nb"},
      {"a\r\r\r\nb", "a\r\n\r\nb"},
      {"\r", "\r\n"},
      {"", ""},
      {"a;b\r\n\x1A", "a;b\r\n"},
      {"a;b\n\x1A\x1A\r\n", "a;b\r\n"},
      {"a;b\x1A", "a;b"},
      {"a\x1A;b\r\n", "a\x1A;b\r\n"},
      {"sep=;\na;b\n", "a;b\r\n"},
      {"sep=\t\r\na\tb", "a\tb"},
      {"sep=;;\na\n", "sep=;;\r\na\r\n"},
      {"a\nsep=;\n", "a\r\nsep=;\r\n"},
  };
  for (const auto& [text, normalised] : cases) EXPECT_EQ(DecodeTextFile(text), normalised);
}

}  // namespace
}  // namespace quorvex2
