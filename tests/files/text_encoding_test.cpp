// Every text format reads the same whatever the encoding and line ends of its file: the same
// text in each encoding that can hold it, with CR LF, LF or CR line ends, from a file and from
// memory, loads the same event as the text itself.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "quorvex2/core/encoding.h"

namespace quorvex2 {
namespace {

// UTF-8 text in another encoding, through iconv (the test's own converter).
std::string Encode(const std::string& text, const std::string& encoding) {
  if (encoding == "UTF-8") return text;
  if (encoding == "UTF-8-BOM") return "\xEF\xBB\xBF" + text;
  const std::string to = encoding == "UTF-16LE-BOM"   ? "UTF-16LE"
                         : encoding == "UTF-16BE-BOM" ? "UTF-16BE"
                                                      : encoding;
  const iconv_t cd = iconv_open(to.c_str(), "UTF-8");
  std::string in = text;
  std::string out(text.size() * 4 + 8, '\0');
  char* src = in.data();
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  const bool ok = iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<size_t>(-1);
  iconv_close(cd);
  EXPECT_TRUE(ok) << "cannot encode in " << encoding;
  out.resize(out.size() - dst_left);
  if (encoding == "UTF-16LE-BOM") return "\xFF\xFE" + out;
  if (encoding == "UTF-16BE-BOM") return "\xFE\xFF" + out;
  return out;
}

std::string WithLineEnds(std::string text, const std::string& line_end) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += line_end;
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

struct Format {
  std::string name;
  std::string text;                    // UTF-8, LF line ends
  std::string expected_name;           // a runner name that must come out exactly
  std::vector<std::string> encodings;  // those that can hold the text
};

const std::vector<std::string> kUnicode = {"UTF-8", "UTF-8-BOM", "UTF-16LE-BOM", "UTF-16BE-BOM"};

std::vector<std::string> With(std::vector<std::string> encodings, const std::string& more) {
  encodings.push_back(more);
  return encodings;
}

std::vector<Format> Formats() {
  const std::string listing =
      SjisToUtf8(qxtest::ReadFile(std::string(QX_TEST_DATA) + "/sportident-display-columns.txt"));
  return {
      {"sportident listing", listing, "山本 一郎", With(kUnicode, "CP932")},
      {"version-1 lap file",
       "$LAPFILE Ver=2\n$LAPFILE Rev=3\n$名称=秋の大会\n\n"
       "クラス,名前,所属,シード,性別,スタート時刻,総タイム,順位,△→１,１→◎\n"
       "M21A,鈴木 一郎,東京OLC,,,10:00:00,0:10:00,1,0:04:00,0:06:00\n"
       "M21A,ｽｽﾞｷ ｼﾞﾛｳ,ｵｵｻｶ,,,10:01:00,0:11:00,2,0:05:00,0:06:00\n",
       "鈴木 一郎", With(kUnicode, "CP932")},
      {"oevent export",
       "Cup\nSplit times of Cup\nM21A\n1.,Zoë Müller,M21A,1001,10:00\n,,,,,4:00,x,10:00,x\n"
       "2.,Jörg Öberg,M21A,1002,11:00\n,,,,,5:00,x,11:00,x\nCreated with OEvent\n2026.05.18\n",
       "Zoë Müller", With(kUnicode, "WINDOWS-1252")},
      {"generic table",
       "NAME,CLASS,TIME,1,F\nÅsa Ström,D21,10:00,4:00,10:00\n"
       "Zoë Müller,D21,11:00,5:00,11:00\nAnna Berg,D21,12:00,6:00,12:00\n",
       "Åsa Ström", With(kUnicode, "WINDOWS-1252")},
  };
}

TEST(TextEncodings, EveryEncodingAndLineEndReadsLikeTheText) {
  for (const Format& format : Formats()) {
    const std::string expected = qxtest::LoadedEvent("text.txt", 0, 0, format.text);
    EXPECT_NE(expected.find("\n  " + format.expected_name + "|"), std::string::npos)
        << format.name << "\n"
        << expected;
    for (const std::string& encoding : format.encodings) {
      for (const std::string line_end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(format.name + " in " + encoding + " with line end " +
                     std::to_string(std::string(line_end).size()) + "/" +
                     std::to_string(line_end[0]));
        const std::string text = WithLineEnds(format.text, line_end);
        const std::string path = qxtest::TempPath("encoded.txt");
        qxtest::WriteBytes(path, Encode(text, encoding));
        EXPECT_EQ(qxtest::LoadedEvent(path), expected);
        EXPECT_EQ(qxtest::LoadedEvent("text.txt", 0, 0, text), expected);
      }
    }
  }
}

}  // namespace
}  // namespace quorvex2
