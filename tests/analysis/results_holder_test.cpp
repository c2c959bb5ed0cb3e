#include "quorvex2/analysis/results_holder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event_builder.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

using testing::AddRunner;

std::vector<std::string> Names(const clsResultsHolder& holder) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= holder.Count(); ++i) names.push_back(holder.Item(i)->RunnerName);
  return names;
}

std::vector<std::string> Ranks(const clsResultsHolder& holder) {
  std::vector<std::string> ranks;
  for (int32_t i = 1; i <= holder.Count(); ++i) ranks.push_back(holder.RankInDataSet(i));
  return ranks;
}

TEST(ResultsHolder, ListsTimesFirstThenStatusesAndLeavesOutEmptyResults) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  AddRunner(*cls, "dns", "DNS", {});
  AddRunner(*cls, "time", "1:02:03", {});
  AddRunner(*cls, "none", "", {});
  AddRunner(*cls, "dnf", "DNF", {});
  auto holder = root.NewResultsHolder();
  holder->AddClass("M21");
  holder->CalcRank();
  EXPECT_EQ(Names(*holder), (std::vector<std::string>{"time", "dnf", "dns"}));
  EXPECT_EQ(Ranks(*holder), (std::vector<std::string>{"1", "", ""}));
  EXPECT_EQ(holder->FullSetCount(), 3);
  EXPECT_EQ(holder->Item(0), nullptr);
  EXPECT_EQ(holder->Item(4), nullptr);
  EXPECT_EQ(holder->FullSetItem(4), nullptr);
  EXPECT_THROW(holder->RankInDataSet(4), std::out_of_range);
}

TEST(ResultsHolder, EqualTimesShareTheRankNewestFirst) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  AddRunner(*cls, "a", "1:00:00", {});
  AddRunner(*cls, "slow", "1:05:00", {});
  AddRunner(*cls, "b", "1:00:00", {});
  AddRunner(*cls, "c", "59:59", {});
  auto holder = root.NewResultsHolder();
  holder->AddClass(1);
  holder->CalcRank();
  EXPECT_EQ(Names(*holder), (std::vector<std::string>{"c", "b", "a", "slow"}));
  EXPECT_EQ(Ranks(*holder), (std::vector<std::string>{"1", "2", "2", "4"}));
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
  EXPECT_EQ(Names(*holder), (std::vector<std::string>{"first", "third", "third"}));
  EXPECT_EQ(Ranks(*holder), (std::vector<std::string>{"1", "2", "2"}));
  holder->SelectAll();
  EXPECT_EQ(Names(*holder), (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(holder->FullSetItem(2), second);
}

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
  auto m35 = root.AddClass("M35");
  m35->CourseNum = 2;
  AddRunner(*m35, "x", "1:20:00", {});

  clsResultsHolder holder;
  holder.AddClass("M21");
  EXPECT_EQ(holder.DataSetName(), "M21");
  EXPECT_EQ(holder.DataSetFileName, "m21");
  EXPECT_FALSE(holder.DataSetIsMix);
  EXPECT_EQ(holder.CutOffRank, 3);
  holder.AddClass("W21");
  EXPECT_EQ(holder.DataSetName(), "M21/W21");
  EXPECT_EQ(holder.DataSetFileName, "m21_w21");
  EXPECT_TRUE(holder.DataSetIsMix);
  EXPECT_EQ(holder.CutOffRank, 0);
  EXPECT_EQ(holder.ControlCount, 12);
  EXPECT_EQ(holder.Length, 4100);
  EXPECT_EQ(holder.Climb, 150);
  EXPECT_EQ(holder.ClassInfo(), "4100m ↑150m");

  // Unknown classes and bad positions add nothing.
  holder.AddClass("M99");
  holder.AddClass(0);
  holder.AddClass(4);
  EXPECT_EQ(holder.FullSetCount(), 2);
  EXPECT_EQ(holder.DataSetName(), "M21/W21");

  clsResultsHolder course;
  course.AddCourse(1);
  EXPECT_EQ(course.DataSetName(), "M21/W21");
  EXPECT_EQ(course.FullSetCount(), 2);
  course.AddCourse(0);
  EXPECT_EQ(course.FullSetCount(), 2);

  course.DataSetName("Ｍ21 Elite");
  EXPECT_EQ(course.DataSetName(), "Ｍ21 Elite");
  EXPECT_EQ(course.DataSetFileName, "m21 elite");
  course.Length = 0;
  EXPECT_EQ(course.ClassInfo(), "");
}

}  // namespace
}  // namespace quorvex2
