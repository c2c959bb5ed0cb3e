#include <gtest/gtest.h>

#include "export_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Sec;

TEST(SplitCsv, SplitsBrowserLeavesOutStatusesAndFillsPlaceholders) {
  auto root = std::make_shared<clsQuorvex2>();
  auto cls = root->AddClass("M21");
  cls->ControlCount = 2;
  auto a = AddRunner(*cls, "Ann", {65, 130, 58}, "0:04:13", "Club A");
  a->StartTime.Value(10.5 / 24);
  AddRunner(*cls, "Bo", {70, -1, 210}, "0:04:40", "Club B");
  AddRunner(*cls, "Cy", {70, 150, 0}, "DNF", "Club C");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();

  const std::string csv = root->TextControl()->OutputCsvSplitsBrowser(analyzer);
  const std::string lines[] = {"M21,2", "Ann,Club A,10:30:00,1:05,2:10,0:58"};
  EXPECT_EQ(csv.substr(0, lines[0].size() + 2), lines[0] + "\r\n");
  EXPECT_NE(csv.find("\r\n" + lines[1] + "\r\n"), std::string::npos);
  // No start time gives 9:00:00; the skipped leg shares the recorded time by leg length.
  EXPECT_NE(csv.find("\r\nBo,Club B,9:00:00,1:10,"), std::string::npos);
  EXPECT_EQ(csv.find("Cy"), std::string::npos);
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
}

TEST(SplitCsv, MacroHeaderUsesLegNamesAndCumulativeTimes) {
  auto root = std::make_shared<clsQuorvex2>();
  auto cls = root->AddClass("W21");
  cls->ControlCount = 12;
  std::vector<double> legs(13, 60);
  AddRunner(*cls, "Eve", legs, "0:13:00");
  AddRunner(*cls, "Fay", legs, "DNS");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("W21");
  analyzer->Execute();

  const std::string csv = root->TextControl()->OutputCsvOstrandMacro(analyzer);
  const std::string header =
      "クラス,氏名,所属,順位,記録,スタート時刻,→１,→２,→３,→４,→５,→６,→７,→８,→９,→10,→11,"
      "→12,→◎\r\n";
  ASSERT_EQ(csv.substr(0, header.size()), header);
  const std::string row = csv.substr(header.size());
  EXPECT_EQ(row.substr(0, row.find(",00:01:00")), "W21,Eve,OLC,1,0:13:00,－");
  EXPECT_NE(row.find(",00:12:00,00:13:00\r\n"), std::string::npos);
  EXPECT_EQ(csv.find("Fay"), std::string::npos);
}

TEST(ResultListText, SingleAndMixedDataSets) {
  auto root = std::make_shared<clsQuorvex2>();
  auto m21 = root->AddClass("M21");
  m21->Length = 4200;
  AddRunner(*m21, "Tanaka Ken", {}, "1:02:03");
  AddRunner(*m21, "Late", {}, "DNF", "X");
  auto results = root->NewResultsHolder();
  results->AddClass("M21");
  results->CalcRank();
  EXPECT_EQ(root->TextControl()->OutputTextResult(results),
            "* M21 4200m\r\n"
            "     1  Tanaka Ken       1:02:03  OLC\r\n"
            "        Late                 DNF  X\r\n"
            "\r\n");

  auto w21 = root->AddClass("W21");
  AddRunner(*w21, "Sato Yumi", {}, "1:00:00", "Forest OK");
  auto mixed = root->NewResultsHolder();
  mixed->AddClass("M21");
  mixed->AddClass("W21");
  mixed->CalcRank();
  const std::string text = root->TextControl()->OutputTextResult(mixed);
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "* M21/W21 4200m");
  EXPECT_NE(text.find("\r\n     1 (W21     )    Sato Yumi        1:00:00  Forest OK\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n     2 (M21     )    Tanaka Ken"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2
