#include <gtest/gtest.h>

#include "../export/export_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;

using qxtest::Count;

class HtmlPages : public ::testing::Test {
 protected:
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsHtmlControl> html = root->HtmlControl();
};

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

TEST_F(HtmlPages, AnalysisMarksTheFastestSixAndBreaksLongNames) {
  auto cls = root->AddClass("M21 <A>");
  cls->ControlCount = 1;
  const std::string long_name = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 characters
  AddRunner(*cls, long_name, {100, 50}, "0:02:30");
  for (int i = 1; i < 7; ++i) AddRunner(*cls, "R" + std::to_string(i), {100.0 + i, 60}, "");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21 <A>");
  analyzer->Execute();
  const std::string page = html->OutputAnalysis(analyzer);

  EXPECT_NE(page.find(">ABCDEFGHIJ<br>KLMNOPQRST<br>UVWXY</td>"), std::string::npos);
  EXPECT_NE(page.find("M21 &lt;A&gt;"), std::string::npos);
  EXPECT_EQ(page.find("M21 <A>"), std::string::npos);
  // Seven runners on leg 1: ranks 1 to 6 get numbered classes, the seventh the plain one.
  for (int rank = 1; rank <= 6; ++rank) {
    EXPECT_NE(page.find("class=\"lt" + std::to_string(rank) + "\""), std::string::npos) << rank;
  }
  EXPECT_NE(page.find("<td class=\"lt\">00:01:46</td><td class=\"lr\">7</td>"), std::string::npos);
  // Section titles in order, on the analysis colour, across 1 + 2 x 7 columns.
  const char* titles[] = {"◆ ラップタイム",
                          "◆ 積算タイム",
                          "◆ 巡行速度(%)",
                          "◆ ミス率(%)",
                          "◆ ラップ上位３人に対する相対値(%)",
                          "◆ ミスタイム",
                          "◆ ミスを除いたタイム"};
  size_t at = 0;
  for (const char* title : titles) {
    const size_t found = page.find(std::string(" >") + title + "</td></tr>", at);
    ASSERT_NE(found, std::string::npos) << title;
    EXPECT_NE(page.rfind("<tr bgcolor=\"#FFDD99\"><td colspan=\"15\"", found), std::string::npos);
    at = found;
  }
  EXPECT_NE(page.find("<br><i><a href=\""), std::string::npos);
}

TEST_F(HtmlPages, SkippedControlsSpanTheirRows) {
  auto cls = root->AddClass("W35");
  cls->ControlCount = 2;
  AddRunner(*cls, "Skipper", {60, -1, 200}, "0:04:20");
  AddRunner(*cls, "Steady", {60, 100, 100}, "0:04:20");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("W35");
  analyzer->Execute();
  const std::string page = html->OutputAnalysis(analyzer);
  EXPECT_NE(page.find("<td rowspan=\"2\" class=\"lt\">00:03:20</td><td rowspan=\"2\" "
                      "class=\"lr\">-</td>"),
            std::string::npos);
}

TEST_F(HtmlPages, ResultPageCutOffAndRowClasses) {
  auto cls = root->AddClass("M21");
  cls->Length = 5100;
  cls->CutOffRank = 3;
  for (int i = 1; i <= 5; ++i) {
    auto lap = AddRunner(*cls, "Runner" + std::to_string(i), {}, "1:0" + std::to_string(i) + ":00");
    lap->Rank = std::to_string(i);
  }
  auto results = root->NewResultsHolder();
  results->AddClass("M21");
  results->CalcRank();
  const std::string page = html->OutputResult(results, "<h1>Top</h1>", "style.css", "utf-8");
  EXPECT_NE(page.find("<body>\r\n<h1>Top</h1>\r\n<table"), std::string::npos);
  EXPECT_NE(page.find("<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">"),
            std::string::npos);
  EXPECT_EQ(page.find("<style"), std::string::npos);
  EXPECT_NE(page.find("<font color=\"#ffffff\"> - 5100m</font>"), std::string::npos);
  EXPECT_EQ(Count(page, "<hr>"), 1u);
  const size_t third = page.find(">Runner3<"), fourth = page.find(">Runner4<");
  const size_t rule = page.find("<tr width=\"500\" class=\"r-border\">");
  EXPECT_LT(third, rule);
  EXPECT_LT(rule, fourth);
  EXPECT_NE(
      page.find("<tr width=\"500\" class=\"r-odd\">\r\n<td align=\"right\" width=\"30\" "
                "class=\"r-rank1\">1</td><td align=\"center\" width=\"40\" "
                "class=\"r-rank1\">&nbsp;</td><td width=\"140\" class=\"r-rank1\">Runner1</td>"),
      std::string::npos);
  EXPECT_EQ(Count(page, "class=\"r-even\""), 2u);
  EXPECT_EQ(page.find("Made with"), std::string::npos);
}

TEST_F(HtmlPages, ChartPageSkipsRealTimeWithoutStartTimes) {
  auto cls = root->AddClass("M21");
  cls->ControlCount = 1;
  AddRunner(*cls, "A", {60, 60}, "0:02:00");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  std::string page = html->OutputChart(analyzer, "m21_?.png", "0,1,5,7");
  EXPECT_NE(page.find("<h3>◎ 標準</h3><img src=\"m21_0.png\"><br><hr>"), std::string::npos);
  EXPECT_EQ(page.find("m21_1.png"), std::string::npos);
  EXPECT_NE(page.find("<h3>◎ 巡航速度－ミス率</h3><img src=\"m21_5.png\"><br><hr>"),
            std::string::npos);
  EXPECT_EQ(page.find("m21_7.png"), std::string::npos);

  cls->LapData(1)->StartTime.Value(0.5);
  page = html->OutputChart(analyzer, "m21_?.png", "1");
  EXPECT_NE(page.find("<h3>◎ リアルタイム</h3><img src=\"m21_1.png\">"), std::string::npos);
}

TEST_F(HtmlPages, LegsPageEscapesNamesBeforeSpacesBecomeNbsp) {
  auto cls = root->AddClass("M21");
  cls->ControlCount = 0;
  AddRunner(*cls, "A&B", {65}, "0:01:05");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  const std::string page = html->OutputLegData(analyzer);
  // "A&B" fitted to six columns, two spaces, the time in five columns.
  EXPECT_NE(
      page.find("<font color=\"#800000\">A&amp;B&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;1:05</font>"),
      std::string::npos)
      << page;
  EXPECT_EQ(page.find("&amp;nbsp;"), std::string::npos);
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
// results holder: a complete document, never a crash or a read out of bounds.
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
  EXPECT_NE(text->OutputTextMail(analyzer).find("M21"), std::string::npos);
  text->OutputCsvSplitsBrowser(analyzer);
  text->OutputCsvOstrandMacro(analyzer);

  auto holder = root->NewResultsHolder();
  EXPECT_TRUE(html->OutputResult(holder).ends_with("</html>\r\n"));
  text->OutputTextResult(holder);
}

}  // namespace
}  // namespace quorvex2
