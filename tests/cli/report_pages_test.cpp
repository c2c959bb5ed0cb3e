// quorvex2 report for the text exports and HTML pages: each kind reaches its writer with the
// options, the output encoding and the declared character set agree, errors exit 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"

namespace {

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

qxtest::CliResult Report(const std::string& kind, const std::vector<std::string>& options = {}) {
  std::vector<std::string> args{"report", kind, kFixture};
  args.insert(args.end(), options.begin(), options.end());
  return qxtest::RunCli(args);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ReportPages, TextKindsWriteTheirExports) {
  const auto mail = Report("mail");
  ASSERT_EQ(mail.exit_code, 0) << mail.err;
  EXPECT_TRUE(Contains(mail.out, "■ ラップタイム")) << mail.out;

  const auto results = Report("results", {"--class", "2"});
  ASSERT_EQ(results.exit_code, 0) << results.err;
  EXPECT_EQ(results.out.rfind("* ", 0), 0u) << results.out;

  const auto splits = Report("splitsbrowser");
  ASSERT_EQ(splits.exit_code, 0) << splits.err;
  EXPECT_TRUE(Contains(splits.out, "山田 太郎,")) << splits.out;

  const auto macro = Report("macro-csv");
  ASSERT_EQ(macro.exit_code, 0) << macro.err;
  EXPECT_EQ(macro.out.rfind("クラス,氏名,所属,順位,記録,スタート時刻,", 0), 0u) << macro.out;
}

TEST(ReportPages, HtmlOptionsAndCharacterSets) {
  const auto page = Report("results-html", {"--top", "<p>Cup</p>", "--style", "site.css"});
  ASSERT_EQ(page.exit_code, 0) << page.err;
  EXPECT_TRUE(Contains(page.out, "charset=utf-8\">"));
  EXPECT_TRUE(Contains(page.out, "<body>\r\n<p>Cup</p>\r\n"));
  EXPECT_TRUE(Contains(page.out, "href=\"site.css\""));

  // Shift-JIS output declares x-sjis unless --charset says otherwise.
  const auto sjis = Report("analysis-html", {"--encoding", "shift_jis"});
  ASSERT_EQ(sjis.exit_code, 0) << sjis.err;
  EXPECT_TRUE(Contains(sjis.out, "charset=x-sjis\">"));
  EXPECT_TRUE(Contains(quorvex2::SjisToUtf8(sjis.out), "山田 太郎"));
  EXPECT_FALSE(Contains(sjis.out, "山田 太郎"));
  // Every page kind declares what --charset or --encoding says.
  for (const char* kind : {"legs-html", "charts-html"}) {
    const auto named = Report(kind, {"--encoding", "shift_jis", "--charset", "Shift_JIS"});
    ASSERT_EQ(named.exit_code, 0) << named.err;
    EXPECT_TRUE(Contains(named.out, "charset=Shift_JIS\">")) << kind;
    EXPECT_TRUE(Contains(Report(kind).out, "charset=utf-8\">")) << kind;
  }
}

TEST(ReportPages, ShiftJisPagesKeepOtherCharactersAsReferences) {
  const std::string sample = std::string(QX_SOURCE_DIR) + "/examples/sample.lxm";
  const auto page = qxtest::RunCli(
      {"report", "results-html", sample, "--class", "M35A", "--encoding", "shift_jis"});
  ASSERT_EQ(page.exit_code, 0) << page.err;
  EXPECT_TRUE(Contains(page.out, "CO Vall&#233;e"));
  const auto text =
      qxtest::RunCli({"report", "results", sample, "--class", "M35A", "--encoding", "shift_jis"});
  EXPECT_FALSE(Contains(text.out, "&#233;"));
}

TEST(ReportPages, ChartAndViewerPagesTakeTheirAddresses) {
  const auto charts = Report("charts-html", {"--chart-name", "m21-?.png", "--chart-list", "2,6"});
  ASSERT_EQ(charts.exit_code, 0) << charts.err;
  EXPECT_TRUE(Contains(charts.out, "<img src=\"m21-2.png\">"));
  EXPECT_TRUE(Contains(charts.out, "<img src=\"m21-6.png\">"));
  EXPECT_FALSE(Contains(charts.out, "m21-0.png"));

  const auto viewer = Report("viewer-html");
  ASSERT_EQ(viewer.exit_code, 0) << viewer.err;
  EXPECT_TRUE(Contains(viewer.out, "VALUE=\"report_three_classes.lxm\""));
  const auto other = Report("viewer-html", {"--lap-url", "http://example.org/a.lxm"});
  EXPECT_TRUE(Contains(other.out, "VALUE=\"http://example.org/a.lxm\""));
}

TEST(ReportPages, WritesFilesAndRefusesUnknownKindsAndClasses) {
  const std::string dir = qxtest::MakeTempDir("report_pages");
  const auto written = Report("results", {"-o", dir + "/results.txt", "--encoding", "shift_jis"});
  ASSERT_EQ(written.exit_code, 0) << written.err;
  EXPECT_TRUE(written.out.empty());
  EXPECT_TRUE(Contains(quorvex2::SjisToUtf8(qxtest::ReadFile(dir + "/results.txt")), "山田 太郎"));

  EXPECT_EQ(Report("poster").exit_code, 2);
  EXPECT_EQ(Report("mail", {"--class", "NoSuchClass"}).exit_code, 2);
  EXPECT_EQ(Report("mail", {"--encoding", "latin1"}).exit_code, 2);
}

}  // namespace
