#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event_builder.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

using testing::AddRunner;
using testing::kSkip;

void SetCourse(clsQuorvex2& root, int32_t number, const std::vector<int32_t>& codes) {
  auto course = root.AddCourse(number);
  course->ControlCount = static_cast<int32_t>(codes.size());
  for (size_t i = 0; i < codes.size(); ++i) {
    course->ControlNum(static_cast<int32_t>(i) + 1, codes[i]);
  }
}

TEST(SegmentDataSets, AnalyzerAndResultsHolderOfAStretchWithASexOption) {
  clsQuorvex2 root;
  SetCourse(root, 1, {101, 102, 103});
  SetCourse(root, 2, {101, 102, 104});
  auto m21 = root.AddClass("M21");
  m21->CourseNum = 1;
  auto w21 = root.AddClass("W21");
  w21->CourseNum = 2;
  AddRunner(*m21, "m1", "5:00", {60, 70, 80, 90})->Sex = "M";
  AddRunner(*m21, "f1", "5:25", {65, kSkip, 85, 95})->Sex = "F";
  AddRunner(*w21, "m2", "4:20", {50, 60, 70, 80})->Sex = "M";
  root.MakeSegmentSet();
  ASSERT_EQ(root.SegmentCount(), 1);
  auto segment = root.SegmentData(1);
  ASSERT_EQ(segment->SegmentName(), "S-101-102");

  auto men = segment->Analyzer("M");
  EXPECT_EQ(men->DataSetName(), "S-101-102 - M");
  EXPECT_TRUE(men->DataSetIsMix);
  EXPECT_EQ(men->ControlCount, 1);
  men->Execute();
  ASSERT_EQ(men->Count(), 2);
  EXPECT_EQ(men->Item(1)->RunnerName(), "m2");
  EXPECT_EQ(men->Item(1)->Result(), "0:01:50");
  EXPECT_EQ(men->Item(1)->RankInDataSet(), "1");
  EXPECT_EQ(men->Item(2)->LapRank(2)->Value(), 2);

  auto all = segment->Analyzer();
  EXPECT_EQ(all->DataSetName(), "S-101-102");
  EXPECT_EQ(all->FullSetCount(), 3);

  auto holder = segment->ResultsHolder("M");
  EXPECT_EQ(holder->DataSetName(), "S-101-102 - M");
  EXPECT_EQ(holder->ControlCount, 1);
  ASSERT_EQ(holder->Count(), 2);
  EXPECT_EQ(holder->Item(1)->RunnerName, "m2");
  auto everyone = segment->ResultsHolder();
  ASSERT_EQ(everyone->Count(), 3);
  EXPECT_EQ(everyone->Item(3)->Result(), "DISQ");
}

}  // namespace
}  // namespace quorvex2
