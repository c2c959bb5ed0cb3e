// quorvex2 print: analysis tables and result lists of several classes in one PDF, read back
// with pdftotext; the PNG preview; usage errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli_run.h"

namespace {

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

int Pages(const std::string& text) {
  int pages = 0;
  for (char c : text) pages += c == '\f';
  return pages;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

qxtest::CliResult Print(const std::vector<std::string>& options) {
  std::vector<std::string> args{"print", kFixture};
  args.insert(args.end(), options.begin(), options.end());
  return qxtest::RunCli(args);
}

TEST(PrintCommand, AnalysisTablesOfSeveralClassesInOnePdf) {
  // Without --analysis or --results: the standard analysis.
  const std::string pdf = qxtest::MakeTempDir("print-analysis") + "/analysis.pdf";
  const auto run = Print({"--class", "M21", "--class", "W21", "-o", pdf});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string text = qxtest::PdfText(pdf);
  EXPECT_EQ(Pages(text), 2) << "M21 wraps into a second band, so W21 starts a page";
  for (const char* name : {"山田太郎", "ErikBerg", "高橋陽菜", "AnnaLindqvist"}) {
    EXPECT_TRUE(Contains(text, name)) << name << "\n" << text;
  }
  EXPECT_FALSE(Contains(text, "伊藤浩二"));  // M40 was not asked for
  EXPECT_TRUE(Contains(text, "ミス率"));

  // The mode as a value; a lap file swallowed by --analysis is taken back.
  const auto laps = qxtest::RunCli({"print", "--analysis", kFixture, "-o", pdf, "--class", "3"});
  ASSERT_EQ(laps.exit_code, 0) << laps.err;
  EXPECT_TRUE(Contains(qxtest::PdfText(pdf), "伊藤浩二"));
  const auto laps_only = Print({"--analysis", "laptime", "-o", pdf, "--class", "W21", "--class",
                                "M40", "--landscape", "--paper", "a3"});
  ASSERT_EQ(laps_only.exit_code, 0) << laps_only.err;
  const std::string lap_text = qxtest::PdfText(pdf);
  EXPECT_EQ(Pages(lap_text), 1) << "two small tables stand side by side";
  EXPECT_TRUE(Contains(lap_text, "高橋陽菜"));
  EXPECT_TRUE(Contains(lap_text, "伊藤浩二"));
  EXPECT_FALSE(Contains(lap_text, "ミス率"));
}

TEST(PrintCommand, ResultListsAndPreview) {
  const std::string dir = qxtest::MakeTempDir("print-results");
  const auto run = Print({"--results", "--class", "1", "--class", "2", "--class", "3", "--id",
                          "--age", "--line-interval", "2", "-o", dir + "/results.pdf", "--preview",
                          dir + "/sheet.png", "--page", "1"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string text = qxtest::PdfText(dir + "/results.pdf");
  for (const char* name : {"山田 太郎", "Lars Keller", "田中 美咲", "Thomas Schmid", "Ｍ４０"}) {
    EXPECT_TRUE(Contains(text, name)) << name << "\n" << text;
  }
  const std::string png = qxtest::ReadFile(dir + "/sheet.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");

  // Four pages on a sheet.
  const auto nup = Print({"--results", "--class", "1", "--class", "2", "--line-interval", "9", "-o",
                          dir + "/nup.pdf"});
  ASSERT_EQ(nup.exit_code, 0) << nup.err;
  const int pages = Pages(qxtest::PdfText(dir + "/nup.pdf"));
  EXPECT_GT(pages, 1);
  const auto tiled = Print({"--results", "--class", "1", "--class", "2", "--line-interval", "9",
                            "-o", dir + "/tiled.pdf", "--nup", "2x2"});
  ASSERT_EQ(tiled.exit_code, 0) << tiled.err;
  EXPECT_EQ(Pages(qxtest::PdfText(dir + "/tiled.pdf")), (pages + 3) / 4);
}

TEST(PrintCommand, UsageErrors) {
  const std::string dir = qxtest::MakeTempDir("print-errors");
  const std::string pdf = dir + "/out.pdf";
  EXPECT_EQ(Print({"--analysis", "--results", "-o", pdf}).exit_code, 2);  // both kinds
  EXPECT_EQ(Print({"--results"}).exit_code, 2);                           // no output
  EXPECT_EQ(Print({"--analysis", "fast", "-o", pdf}).exit_code, 2);
  EXPECT_EQ(Print({"--results", "-o", pdf, "--nup", "2y2"}).exit_code, 2);
  EXPECT_EQ(Print({"--results", "-o", pdf, "--paper", "A9"}).exit_code, 2);
  EXPECT_EQ(Print({"--results", "--class", "X99", "-o", pdf}).exit_code, 2);
  const auto page =
      Print({"--results", "--preview", dir + "/p.png", "--page", "7", "--lang", "en"});
  EXPECT_EQ(page.exit_code, 2);
  EXPECT_TRUE(Contains(page.err, "1 sheet")) << page.err;
  EXPECT_TRUE(qxtest::ReadFile(pdf).empty());  // nothing was written by the failures
}

}  // namespace
