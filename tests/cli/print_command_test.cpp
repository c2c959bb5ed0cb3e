// quorvex2 print: analysis tables and result lists of several classes in one PDF, read back
// with pdftotext, and the PNG preview of a sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_run.h"

namespace {

using qxtest::Contains;

int Pages(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\f'));
}

// The text of the PDF printed with the options.
std::string Print(const std::vector<std::string>& options) {
  const std::string pdf = qxtest::MakeTempDir("print") + "/out.pdf";
  std::vector<std::string> args{"print", qxtest::kFixture, "-o", pdf};
  args.insert(args.end(), options.begin(), options.end());
  qxtest::RunOk(args);
  return qxtest::PdfText(pdf);
}

TEST(PrintCommand, AnalysisTablesOfSeveralClassesInOnePdf) {
  // Without --analysis or --results: the standard analysis.
  const std::string text = Print({"--class", "M21", "--class", "W21"});
  EXPECT_EQ(Pages(text), 2) << "M21 wraps into a second band, so W21 starts a page";
  for (const char* name : {"山田太郎", "ErikBerg", "高橋陽菜", "AnnaLindqvist", "ミス率"}) {
    EXPECT_TRUE(Contains(text, name)) << name << "\n" << text;
  }
  EXPECT_FALSE(Contains(text, "伊藤浩二"));  // M40 was not asked for

  // A lap file swallowed by --analysis as its mode is taken back.
  const std::string pdf = qxtest::MakeTempDir("print") + "/out.pdf";
  qxtest::RunOk({"print", "--analysis", qxtest::kFixture, "-o", pdf, "--class", "3"});
  EXPECT_TRUE(Contains(qxtest::PdfText(pdf), "伊藤浩二"));

  const std::string laps = Print({"--analysis", "laptime", "--class", "W21", "--class", "M40",
                                  "--landscape", "--paper", "a3"});
  EXPECT_EQ(Pages(laps), 1) << "two small tables stand side by side";
  EXPECT_TRUE(Contains(laps, "高橋陽菜"));
  EXPECT_TRUE(Contains(laps, "伊藤浩二"));
  EXPECT_FALSE(Contains(laps, "ミス率"));
}

TEST(PrintCommand, ResultListsAndPreview) {
  const std::string dir = qxtest::MakeTempDir("print-results");
  const std::string text =
      Print({"--results", "--class", "1", "--class", "2", "--class", "3", "--id", "--age",
             "--line-interval", "2", "--preview", dir + "/sheet.png", "--page", "1"});
  for (const char* name : {"山田 太郎", "Lars Keller", "田中 美咲", "Thomas Schmid", "Ｍ４０"}) {
    EXPECT_TRUE(Contains(text, name)) << name << "\n" << text;
  }
  EXPECT_EQ(qxtest::ReadFile(dir + "/sheet.png").substr(0, 4), "\x89PNG");

  // Four pages on a sheet.
  const std::vector<std::string> results{"--results", "--class",         "1", "--class",
                                         "2",         "--line-interval", "9"};
  const int pages = Pages(Print(results));
  EXPECT_GT(pages, 1);
  auto nup = results;
  nup.insert(nup.end(), {"--nup", "2x2"});
  EXPECT_EQ(Pages(Print(nup)), (pages + 3) / 4);
}

}  // namespace
