// The result list text and the two CSV exports of small known classes, each compared whole with
// its golden file.
#include <gtest/gtest.h>

#include "export_fixture.h"
#include "golden.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;

std::shared_ptr<clsAnalyzer> Analyse(clsQuorvex2& root, const std::string& cls) {
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass(cls);
  analyzer->Execute();
  return analyzer;
}

// Ann's start time; no start time gives 9:00:00; Bo's skipped leg shares the recorded time by
// leg length; Cy (DNF) is left out.
TEST(SplitCsv, SplitsBrowserLeavesOutStatusesAndFillsPlaceholders) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  cls->ControlCount = 2;
  AddRunner(*cls, "Ann", {65, 130, 58}, "0:04:13", "Club A")->StartTime.Value(10.5 / 24);
  AddRunner(*cls, "Bo", {70, -1, 210}, "0:04:40", "Club B");
  AddRunner(*cls, "Cy", {70, 150, 0}, "DNF", "Club C");
  qxtest::ExpectGolden("export/splitsbrowser.csv",
                       root.TextControl()->OutputCsvSplitsBrowser(Analyse(root, "M21")));
}

// Leg names in the header, cumulative times in the rows; Fay (DNS) is left out.
TEST(SplitCsv, MacroHeaderUsesLegNamesAndCumulativeTimes) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  cls->ControlCount = 12;
  std::vector<double> legs(13, 60);
  AddRunner(*cls, "Eve", legs, "0:13:00");
  AddRunner(*cls, "Fay", legs, "DNS");
  qxtest::ExpectGolden("export/macro.csv",
                       root.TextControl()->OutputCsvOstrandMacro(Analyse(root, "W21")));
}

// A single class (the worked example's line: rank, name, result and club) and a mixed set that
// ranks both classes together and names each runner's class.
TEST(ResultListText, SingleAndMixedDataSets) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  m21->Length = 4200;
  AddRunner(*m21, "Tanaka Ken", {}, "1:02:03");
  AddRunner(*m21, "Late", {}, "DNF", "X");
  AddRunner(*root.AddClass("W21"), "Sato Yumi", {}, "1:00:00", "Forest OK");
  std::string text;
  for (const auto& classes : {std::vector<std::string>{"M21"}, {"M21", "W21"}}) {
    auto results = root.NewResultsHolder();
    for (const auto& name : classes) results->AddClass(name);
    results->CalcRank();
    text += root.TextControl()->OutputTextResult(results);
  }
  qxtest::ExpectGolden("export/result-lists.txt", text);
}

}  // namespace
}  // namespace quorvex2
