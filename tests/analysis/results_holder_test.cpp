#include "quorvex2/analysis/results_holder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

using testing::AddRunner;
using testing::DataSetText;

// "name=rank" of the selection in its order.
std::string RanksText(const clsResultsHolder& holder) {
  std::string text;
  for (int32_t i = 1; i <= holder.Count(); ++i) {
    text += (i > 1 ? ", " : "") + holder.Item(i)->RunnerName + "=" + holder.RankInDataSet(i);
  }
  return text;
}

// Times first, equal times sharing the rank newest first, then the statuses in their order;
// runners without a result are left out.
TEST(ResultsHolder, ResultOrderAndCompetitionRanks) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  const std::pair<const char*, const char*> runners[] = {
      {"dns", "DNS"}, {"a", "1:00:00"}, {"none", ""},  {"slow", "1:05:00"},
      {"dnf", "DNF"}, {"b", "1:00:00"}, {"c", "59:59"}};
  for (auto [name, result] : runners) AddRunner(*cls, name, result, {});
  auto holder = root.NewResultsHolder();
  holder->AddClass(1);
  holder->CalcRank();
  EXPECT_EQ(RanksText(*holder), "c=1, b=2, a=2, slow=4, dnf=, dns=");
  EXPECT_EQ(holder->FullSetCount(), 6);
  EXPECT_EQ(holder->Item(0), nullptr);
  EXPECT_EQ(holder->Item(7), nullptr);
  EXPECT_EQ(holder->FullSetItem(7), nullptr);
  EXPECT_THROW(holder->RankInDataSet(7), std::out_of_range);
}

TEST(ResultsHolder, RankFlagNeedsHalfOfTheListedRunnersWithAFileRank) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  for (int i = 0; i < 8; ++i) {
    auto lap = AddRunner(*cls, "r" + std::to_string(i), "1:0" + std::to_string(i) + ":00", {});
    if (i < 3) lap->Rank = std::to_string(i + 1);
  }
  auto holder = root.NewResultsHolder();
  holder->AddClass("M21");
  holder->CalcRank();
  EXPECT_FALSE(holder->RankIsAvalilable());  // 3 of 8
  cls->LapData(4)->Rank = "4";
  holder->CalcRank();
  EXPECT_TRUE(holder->RankIsAvalilable());  // exactly one half

  // An empty selection leaves the flag as it was.
  holder->SelectNone();
  holder->CalcRank();
  EXPECT_TRUE(holder->RankIsAvalilable());
  // Clear keeps the flag and the cut-off rank too.
  holder->CutOffRank = 5;
  holder->Clear();
  EXPECT_TRUE(holder->RankIsAvalilable());
  EXPECT_EQ(holder->CutOffRank, 5);
  EXPECT_EQ(holder->FullSetCount(), 0);
}

TEST(ResultsHolder, SelectionKeepsResultOrderAndRanksItsOwnEntries) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto first = AddRunner(*cls, "first", "30:00", {});
  auto second = AddRunner(*cls, "second", "40:00", {});
  auto third = AddRunner(*cls, "third", "50:00", {});
  auto holder = root.NewResultsHolder();
  holder->AddClass("M21");
  holder->SelectNone();
  holder->SelectItem(third->SerialNum());
  holder->SelectItem(first->SerialNum());
  holder->SelectItem(third->SerialNum());  // a second copy is not refused
  holder->SelectItem(-5);                  // no such runner
  holder->CalcRank();
  EXPECT_EQ(RanksText(*holder), "first=1, third=2, third=2");
  holder->SelectAll();
  EXPECT_EQ(holder->Count(), 3);
  EXPECT_EQ(holder->Item(2), second);
  EXPECT_EQ(holder->FullSetItem(2), second);
}

// The first class names the data set, further classes join it; the last nonzero figure wins.
TEST(ResultsHolder, ClassesNameTheDataSetAndTheLastNonzeroFigureWins) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  m21->ControlCount = 12;
  m21->Length = 5200;
  m21->Climb = 150;
  m21->CutOffRank = 3;
  m21->CourseNum = 1;
  AddRunner(*m21, "m", "1:00:00", {});
  auto w21 = root.AddClass("W21");
  w21->Length = 4100;
  w21->CourseNum = 1;
  AddRunner(*w21, "w", "1:10:00", {});
  AddRunner(*root.AddClass("M35"), "x", "1:20:00", {});

  clsResultsHolder holder;
  holder.AddClass("M21");
  EXPECT_EQ(DataSetText(holder), "M21|m21||3|12|5200|150|5200m ↑150m|1");
  holder.AddClass("W21");
  const std::string both = "M21/W21|m21_w21|mix|0|12|4100|150|4100m ↑150m|2";
  EXPECT_EQ(DataSetText(holder), both);
  // Unknown classes and bad positions add nothing.
  holder.AddClass("M99");
  holder.AddClass(0);
  holder.AddClass(4);
  EXPECT_EQ(DataSetText(holder), both);

  clsResultsHolder course;
  course.AddCourse(1);
  course.AddCourse(0);
  EXPECT_EQ(DataSetText(course), both);
  course.DataSetName("Ｍ21 Elite");
  course.Length = 0;
  EXPECT_EQ(DataSetText(course), "Ｍ21 Elite|m21 elite|mix|0|12|0|150||2");
}

}  // namespace
}  // namespace quorvex2
