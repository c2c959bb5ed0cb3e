// quorvex2 print: analysis tables and result lists of one class or several as one data set,
// read back with pdftotext, pages on a sheet, and the PNG preview of a sheet. quorvex2 chart: a
// PNG picture of each mode, auto-size and highlighted runners.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "cli_run.h"

namespace {

// The text of the PDF printed with the command line, and its page count.
std::pair<std::string, int> Print(const std::string& line) {
  const std::string dir = qxtest::MakeTempDir("print");
  qxtest::RunOk(qxtest::Args(line + " -o {dir}/out.pdf", dir));
  const std::string text = qxtest::PdfText(dir + "/out.pdf");
  return {text, static_cast<int>(std::count(text.begin(), text.end(), '\f'))};
}

TEST(PrintCommand, TablesAndResultListsOfSeveralClassesAsOneDataSet) {
  const struct {
    const char* line;
    int pages;          // 0: any
    const char* shows;  // texts separated by "|"; "!text": not shown
  } cases[] = {
      // Without --analysis or --results: the standard analysis of M21 and W21 as one data set;
      // M40 was not asked for.
      {"print {f} --class M21 --class W21", 1,
       "山田太郎|ErikBerg|高橋陽菜|AnnaLindqvist|ミス率|!伊藤浩二"},
      // A lap file swallowed by --analysis as its mode is taken back.
      {"print --analysis {f} --class 3", 0, "伊藤浩二"},
      {"print {f} --analysis laptime --class W21 --class M40 --landscape --paper a3", 1,
       "高橋陽菜|伊藤浩二|!ミス率"},
      // One list of the three classes, ranked together, each runner with his class.
      {"print {f} --results --class 1 --class 2 --class 3 --id --age --line-interval 2", 0,
       "M21/W21/M40\n1    (M40)|6   (W21)   (0)   高橋 陽菜|Lars Keller|!Ｍ４０"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto [text, pages] = Print(c.line);
    EXPECT_TRUE(c.pages == 0 || pages == c.pages) << pages << " pages";
    std::istringstream shows(c.shows);
    for (std::string part; std::getline(shows, part, '|');) {
      const bool shown = part[0] != '!';
      EXPECT_EQ(qxtest::Contains(text, shown ? part : part.substr(1)), shown) << part << "\n"
                                                                              << text;
    }
  }
}

TEST(PrintCommand, PagesOnASheetAndPreview) {
  const std::string results = "print {f} --results --class 1 --class 2 --line-interval 9";
  const int pages = Print(results).second;
  EXPECT_GT(pages, 1);
  EXPECT_EQ(Print(results + " --nup 2x2").second, (pages + 3) / 4);
  const std::string dir = qxtest::MakeTempDir("print-preview");
  qxtest::RunOk(qxtest::Args(results + " --preview {dir}/sheet.png --page 1", dir));
  EXPECT_EQ(qxtest::ReadFile(dir + "/sheet.png").substr(0, 4), "\x89PNG");
  // A reproducible document is dated at SOURCE_DATE_EPOCH, not at the clock.
  qxtest::CliLimits limits;
  limits.env = {"SOURCE_DATE_EPOCH=1000000000"};
  EXPECT_EQ(qxtest::RunCli(qxtest::Args(results + " -o {dir}/dated.pdf", dir), limits).exit_code,
            0);
  EXPECT_TRUE(
      qxtest::Contains(qxtest::ReadFile(dir + "/dated.pdf"), "/CreationDate (D:20010909014640"));
}

using qxtest::kFixture;

// Width and height from a PNG file's header.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string bytes = qxtest::ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto be32 = [&](size_t at) {
    int v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

// Every mode writes a picture of the given size; auto-size fits the width; highlights change the
// picture.
TEST(ChartCommand, ModesSizesAndHighlights) {
  const std::string dir = qxtest::MakeTempDir("chart");
  for (int mode = 0; mode <= 7; ++mode) {
    const std::string out = dir + "/c" + std::to_string(mode) + ".png";
    qxtest::RunOk(
        {"chart", kFixture, "--mode", std::to_string(mode), "-o", out, "--size", "640x480"});
    EXPECT_EQ(PngSize(out), std::make_pair(640, 480)) << mode;
  }
  // The slowest split (20:10) plus 4 minutes of margin at 0.2 units a second, and the 104
  // units of margins.
  qxtest::RunOk({"chart", kFixture, "--mode", "0", "-o", dir + "/a.png", "--auto-size"});
  EXPECT_EQ(PngSize(dir + "/a.png").first, (1210 + 240) / 5 + 104);

  qxtest::RunOk({"chart", kFixture, "--mode", "0", "-o", dir + "/plain.png"});
  qxtest::RunOk(
      {"chart", kFixture, "--mode", "0", "-o", dir + "/high.png", "--highlight", "山田太郎"});
  EXPECT_NE(qxtest::ReadFile(dir + "/plain.png"), qxtest::ReadFile(dir + "/high.png"));
}

}  // namespace
