#include "quorvex2/core/encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/detail/utf8.h"

namespace quorvex2 {
namespace {

// The placeholders, kanji, half-width katakana and the characters CP932 maps its own way.
TEST(ShiftJis, Cp932TextRoundTrips) {
  const std::string text = "－↓×山田,ｸﾗｽ,M21A,～＼\\";
  const std::string sjis = Utf8ToSjis(text);
  EXPECT_EQ(sjis.substr(0, 10), "\x81\x7C\x81\xAB\x81\x7E\x8E\x52\x93\x63");
  EXPECT_EQ(sjis.substr(11, 3), "\xB8\xD7\xBD");
  EXPECT_EQ(SjisToUtf8(sjis), text);
}

TEST(ShiftJis, BrokenBytesBecomeReplacementCharacters) {
  EXPECT_EQ(SjisToUtf8("a\x81"), "a\uFFFD");
  EXPECT_EQ(SjisToUtf8("\xA0z"), "\uFFFDz");
  EXPECT_EQ(SjisToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ShiftJis, LongTextsCrossTheConversionBuffer) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += i % 3 == 0 ? "名" : "x";
  EXPECT_EQ(SjisToUtf8(Utf8ToSjis(text)), text);
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
      // European text, also where its bytes happen to be valid Shift-JIS (J\xF6rg).
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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectTextEncoding(c.bytes), c.encoding);
    EXPECT_EQ(DecodeText(c.bytes, DetectTextEncoding(c.bytes)), c.text);
  }
  // A name iconv does not know decodes as Windows-1252.
  EXPECT_EQ(DecodeText("\xE9", "NO-SUCH-ENCODING"), "é");
}

TEST(TextEncoding, LineEndsBecomeCrLf) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\r\r\nb", "a\r\nb"},
      {"a\n\rb", "a\r\n\r\nb"},
      {"a\r\r\r\nb", "a\r\n\r\nb"},
      {"\r", "\r\n"},
      {"", ""},
  };
  for (const auto& [text, normalised] : cases) EXPECT_EQ(NormalizeLineEnds(text), normalised);
}

}  // namespace
}  // namespace quorvex2
