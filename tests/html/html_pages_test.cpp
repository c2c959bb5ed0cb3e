// The HTML pages of a small class compared whole with the pages kept in tests/data/golden/html
// (the version in their generator and footer replaced by "<version>").
#include <gtest/gtest.h>

#include "../export/export_fixture.h"
#include "support/golden.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;

std::string WithoutVersion(std::string page) {
  const std::string version = VersionText();
  for (size_t at; (at = page.find(version)) != std::string::npos;) {
    page.replace(at, version.size(), "<version>");
  }
  return page;
}

class HtmlPages : public ::testing::Test {
 protected:
  void ExpectPage(const std::string& name, const std::string& page) {
    qxtest::ExpectGolden("golden/html/" + name, WithoutVersion(page));
  }

  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsHtmlControl> html = root->HtmlControl();
};

// Seven runners on a class whose name needs escaping: the six fastest of a leg are marked, a
// long name is broken every ten characters, a skipped control spans the rows of its run, and
// every section has its title row.
TEST_F(HtmlPages, AnalysisPage) {
  auto cls = root->AddClass("M21 <A>");
  cls->ControlCount = 2;
  AddRunner(*cls, "ABCDEFGHIJKLMNOPQRSTUVWXY", {100, 50, 30}, "0:03:00");
  for (int i = 1; i < 6; ++i) AddRunner(*cls, "R" + std::to_string(i), {100.0 + i, 60, 40}, "");
  AddRunner(*cls, "Skipper", {60, -1, 200}, "0:04:20");
  ExpectPage("analysis.html", html->OutputAnalysis(qxtest::Analyse(*root, "M21 <A>")));
}

// The cut-off rule after the third, odd and even rows, the page's own top and a style sheet.
TEST_F(HtmlPages, ResultPage) {
  auto cls = root->AddClass("M21");
  cls->Length = 5100;
  cls->CutOffRank = 3;
  for (int i = 1; i <= 5; ++i) {
    auto lap = AddRunner(*cls, "Runner" + std::to_string(i), {}, "1:0" + std::to_string(i) + ":00");
    lap->Rank = std::to_string(i);
  }
  ExpectPage("result.html", html->OutputResult(qxtest::Hold(*root, {"M21"}), "<h1>Top</h1>",
                                               "style.css", "utf-8"));
}

// The legs page escapes a name before its spaces become &nbsp;. Without start times the chart
// page leaves out the real-time chart, and it never shows the X/Y map.
TEST_F(HtmlPages, LegsAndChartPages) {
  auto cls = root->AddClass("M21");
  cls->ControlCount = 1;
  AddRunner(*cls, "A&B", {65, 60}, "0:02:05");
  auto analyzer = qxtest::Analyse(*root, "M21");
  ExpectPage("legs.html", html->OutputLegData(analyzer));
  ExpectPage("charts.html", html->OutputChart(analyzer, "m21_?.png", "0,1,5,7"));
  cls->LapData(1)->StartTime.Value(0.5);
  EXPECT_NE(html->OutputChart(analyzer, "m21_?.png", "1").find("<img src=\"m21_1.png\">"),
            std::string::npos);
}
TEST_F(HtmlPages, EmptyDataSetsExplainWhy) {
  auto analyzer = root->NewAnalyzer();
  analyzer->Execute();
  std::string page = html->OutputAnalysis(analyzer, "", "utf-8");
  EXPECT_NE(page.find("<br>ファイルが読み込まれてません。"), std::string::npos);
  EXPECT_EQ(page.find("<table"), std::string::npos);
  EXPECT_NE(
      page.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"),
      std::string::npos);

  root->AddClass("Empty");
  analyzer->AddClass("Empty");
  analyzer->Execute();
  page = html->OutputLegData(analyzer);
  EXPECT_NE(page.find("<br>解析できません。"), std::string::npos);
  EXPECT_NE(page.find("charset=x-sjis\">"), std::string::npos);
  EXPECT_EQ(page.find("<table"), std::string::npos);
  EXPECT_TRUE(page.ends_with("</body>\r\n</html>\r\n"));
}

TEST_F(HtmlPages, ViewerPageQuotesAndEscapesTheLapFile) {
  const struct {
    const char* address;
    const char* param;
  } cases[] = {
      {"event.lxm", "VALUE=\"event.lxm\">"},
      {"\"event.lxm\"", "VALUE=\"event.lxm\">"},  // already quoted: not quoted twice
      {"x\"><svg onload=alert(1)>", "VALUE=\"x&quot;&gt;&lt;svg onload=alert(1)&gt;\">"},
      {"a.lxm?x=1&y=2", "VALUE=\"a.lxm?x=1&amp;y=2\">"},
  };
  for (const auto& c : cases) {
    const std::string page = html->OutputActiveXPage(c.address);
    EXPECT_NE(page.find(std::string("<PARAM NAME=\"FileName\" ") + c.param), std::string::npos)
        << page;
    EXPECT_EQ(page.find("<svg"), std::string::npos);
  }
  const std::string page = html->OutputActiveXPage("event.lxm");
  EXPECT_NE(page.find("申し訳ありませんがお使いのブラウザではご利用できません。<br>"),
            std::string::npos);
  EXPECT_NE(page.find("<head><title>Quorvex2 ActiveX Page</title></head>"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2

namespace quorvex2 {
namespace {

// Every export and page of a data set that was filled but never executed, and of an empty
// results holder: a complete document, never a crash or a read out of bounds. The mail report
// alone refuses such a data set with an error.
TEST(UnexecutedDataSets, EveryOutputIsWhole) {
  auto root = std::make_shared<clsQuorvex2>();
  auto cls = root->AddClass("M21");
  cls->ControlCount = 2;
  qxtest::AddRunner(*cls, "Aoki", {100, 200, 50}, "0:05:50");
  qxtest::AddRunner(*cls, "Baba", {120, -1, 260}, "0:06:20");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21");
  auto html = root->HtmlControl();
  auto text = root->TextControl();
  for (const std::string& page : {html->OutputAnalysis(analyzer), html->OutputLegData(analyzer),
                                  html->OutputChart(analyzer, "c?.png", "0,1,2")}) {
    EXPECT_TRUE(page.ends_with("</html>\r\n")) << page;
  }
  EXPECT_THROW(text->OutputTextMail(analyzer), std::runtime_error);
  text->OutputCsvSplitsBrowser(analyzer);
  text->OutputCsvOstrandMacro(analyzer);

  auto holder = root->NewResultsHolder();
  EXPECT_TRUE(html->OutputResult(holder).ends_with("</html>\r\n"));
  text->OutputTextResult(holder);
}

}  // namespace
}  // namespace quorvex2
