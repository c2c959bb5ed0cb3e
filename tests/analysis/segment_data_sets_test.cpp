#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

using qxtest::ExpectGolden;
using testing::AddRunner;
using testing::AnalysisText;
using testing::DataSetText;
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
  men->Execute();
  EXPECT_EQ(DataSetText(*men), "S-101-102 - M|s-101-102 - m|mix|0|1|0|0||2");
  ExpectGolden("golden/analysis/segment-men.txt", AnalysisText(*men));
  EXPECT_EQ(DataSetText(*segment->Analyzer()), "S-101-102|s-101-102|mix|0|1|0|0||3");

  auto holder = segment->ResultsHolder("M");
  EXPECT_EQ(DataSetText(*holder), "S-101-102 - M|s-101-102 - m|mix|0|1|0|0||2");
  EXPECT_EQ(holder->Item(1)->RunnerName, "m2");
  auto everyone = segment->ResultsHolder();
  ASSERT_EQ(everyone->Count(), 3);
  EXPECT_EQ(everyone->Item(3)->Result(), "DISQ");
}

}  // namespace
}  // namespace quorvex2
