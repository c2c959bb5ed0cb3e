// The text exports of small known classes, each compared whole with its golden file: the mail
// report, the result list text and the two CSV exports.
#include <gtest/gtest.h>

#include "export_fixture.h"
#include "support/golden.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Analyse;

std::string Mail(clsQuorvex2& root, const std::string& cls) {
  return root.TextControl()->OutputTextMail(Analyse(root, cls));
}

// Two selected runners A and B of a class of four; C and D make the reference times 1:02, 2:00
// and 0:55. The head of the first section is the worked example of the report; cruise speed,
// miss rate and miss time follow without a blank line after their titles, and one thanks line
// closes the report.
TEST(MailText, WorkedExampleOfTwoSelectedRunners) {
  clsQuorvex2 root;
  root.EventData()->EventName = "Spring Cup";
  auto cls = root.AddClass("M21");
  cls->ControlCount = 2;
  cls->Length = 4200;
  cls->Climb = 180;
  auto a = AddRunner(*cls, "A", {65, 130, 58}, "0:04:13");
  auto b = AddRunner(*cls, "B", {70, 150, 60}, "0:04:40");
  AddRunner(*cls, "C", {60, 115, 53}, "0:03:48");
  AddRunner(*cls, "D", {61, 115, 54}, "0:03:50");
  auto analyzer = Analyse(root, "M21");
  analyzer->SelectNone();
  analyzer->SelectItem(a->SerialNum());
  analyzer->SelectItem(b->SerialNum());
  qxtest::ExpectGolden("golden/export/mail-worked-example.txt",
                       root.TextControl()->OutputTextMail(analyzer));
}

// Twelve columns make a block and the "  Ave3" column counts as one: thirteen runners give a
// block of twelve and one of the thirteenth with the averages; twelve leave the averages alone
// in the second block. Names are cut to six columns.
TEST(MailText, BlocksOfTwelveColumns) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  cls->ControlCount = 1;
  for (int i = 0; i < 13; ++i) {
    AddRunner(*cls, "Runner" + std::to_string(i + 10), {100.0 + i, 50}, "");
  }
  qxtest::ExpectGolden("golden/export/mail-thirteen-runners.txt", Mail(root, "W21"));
  cls->RemoveLap(13);
  qxtest::ExpectGolden("golden/export/mail-twelve-runners.txt", Mail(root, "W21"));
}

// Runners in result order, MP before DNF; the skip, disqualification and no-data marks are two
// columns wide; miss times never computed print the no-data mark.
TEST(MailText, StatusResultsAndCodesInCells) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M40");
  cls->ControlCount = 3;
  AddRunner(*cls, "Fast", {60, 60, 60, 60}, "0:04:00");
  AddRunner(*cls, "Skip", {60, -1, 130, 60}, "0:04:10");
  AddRunner(*cls, "Dsq", {60, -2, 60, 60}, "DNF");
  AddRunner(*cls, "Gap", {60, 0, 60, 60}, "MP");
  qxtest::ExpectGolden("golden/export/mail-status-results.txt", Mail(root, "M40"));
}

// SplitsBrowser: Ann's start time, 9:00:00 for none, Bo's skipped leg sharing the recorded time
// by leg length, Cy (DNF) left out. Macro: leg names in the header, cumulative times in the
// rows, Fay (DNS) left out.
TEST(SplitCsv, BothExportsFillPlaceholdersAndLeaveOutStatusResults) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  m21->ControlCount = 2;
  AddRunner(*m21, "Ann", {65, 130, 58}, "0:04:13", "Club A")->StartTime.Value(10.5 / 24);
  AddRunner(*m21, "Bo", {70, -1, 210}, "0:04:40", "Club B");
  AddRunner(*m21, "Cy", {70, 150, 0}, "DNF", "Club C");
  auto w21 = root.AddClass("W21");
  w21->ControlCount = 12;
  AddRunner(*w21, "Eve", std::vector<double>(13, 60), "0:13:00");
  AddRunner(*w21, "Fay", std::vector<double>(13, 60), "DNS");
  auto& text = *root.TextControl();
  qxtest::ExpectGolden("golden/export/splitsbrowser.csv",
                       text.OutputCsvSplitsBrowser(Analyse(root, "M21")));
  qxtest::ExpectGolden("golden/export/macro.csv", text.OutputCsvOstrandMacro(Analyse(root, "W21")));
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
    text += root.TextControl()->OutputTextResult(qxtest::Hold(root, classes));
  }
  qxtest::ExpectGolden("golden/export/result-lists.txt", text);
}

}  // namespace
}  // namespace quorvex2
