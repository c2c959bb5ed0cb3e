#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "event_builder.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

using testing::AddRunner;
using testing::InSeconds;
using testing::kDisq;
using testing::kNoData;
using testing::kSkip;
using testing::MakeRunner;

struct LegEntry {
  double split_seconds;  // or the code
  bool valid_lap;
  bool valid_split;
  int32_t from, to;
};

void ExpectLegs(clsAnalyzedRunnerData& r, const std::vector<LegEntry>& legs) {
  for (size_t i = 0; i < legs.size(); ++i) {
    const int32_t k = static_cast<int32_t>(i) + 1;
    SCOPED_TRACE("leg " + std::to_string(k));
    const double split = r.SplitTime(k)->Value();
    EXPECT_NEAR(split > 0 ? InSeconds(split) : split, legs[i].split_seconds, 1e-6);
    EXPECT_EQ(r.IsValidLapTime(k), legs[i].valid_lap);
    EXPECT_EQ(r.IsValidSplitTime(k), legs[i].valid_split);
    EXPECT_EQ(r.TotalLapFrom(k), legs[i].from);
    EXPECT_EQ(r.TotalLapTo(k), legs[i].to);
  }
}

TEST(AnalyzerEntry, SkippedControlIsCoveredByTheNextRecordedLeg) {
  clsAnalyzer analyzer;
  analyzer.AddLap(MakeRunner("a", "", {60, kSkip, 150, 40}));
  ExpectLegs(*analyzer.FullSetItem(1), {{60, true, true, 0, 0},
                                        {kSkip, false, true, 2, 3},
                                        {210, false, true, 2, 3},
                                        {250, true, true, 0, 0}});
  // Without a result text the runner's own time at his last leg is shown.
  EXPECT_EQ(analyzer.FullSetItem(1)->Result(), "0:04:10");
}

TEST(AnalyzerEntry, DisqualifiedLegSpoilsLaterSplitsAndTheNextLeg) {
  clsAnalyzer analyzer;
  analyzer.AddLap(MakeRunner("a", "", {60, kDisq, 50}));
  ExpectLegs(*analyzer.FullSetItem(1),
             {{60, true, true, 0, 0}, {kDisq, false, false, 0, 0}, {110, false, false, 0, 0}});
  EXPECT_EQ(analyzer.FullSetItem(1)->Result(), "");

  // A no-data leg spoils the splits, but the leg after it still has a time of its own.
  analyzer.AddLap(MakeRunner("b", "", {60, kNoData, 50}));
  ExpectLegs(*analyzer.FullSetItem(2),
             {{60, true, true, 0, 0}, {kNoData, false, false, 0, 0}, {110, true, false, 0, 0}});
}

TEST(AnalyzerEntry, TrailingSkipsBecomeNoDataInTheRunnersOwnRecord) {
  clsAnalyzer analyzer;
  auto lap = MakeRunner("a", "DNF", {70, kSkip, kSkip});
  analyzer.AddLap(lap);
  EXPECT_EQ(lap->LapValue(2), kNoData);
  EXPECT_EQ(lap->LapValue(3), kNoData);
  EXPECT_EQ(lap->LegCount(), 3);
  ExpectLegs(
      *analyzer.FullSetItem(1),
      {{70, true, true, 0, 0}, {kNoData, false, false, 0, 0}, {kNoData, false, false, 0, 0}});

  // A run that ends in a recorded time keeps its skips; only the trailing ones change.
  auto mixed = MakeRunner("b", "", {kSkip, kNoData, 90, kSkip});
  analyzer.AddLap(mixed);
  EXPECT_EQ(mixed->LapValue(1), kSkip);
  EXPECT_EQ(mixed->LapValue(4), kNoData);
  ExpectLegs(*analyzer.FullSetItem(2), {{kSkip, false, true, 1, 3},
                                        {kNoData, false, false, 1, 3},
                                        {90, true, false, 1, 3},
                                        {kNoData, false, false, 0, 0}});
}

TEST(AnalyzerEntry, RecordsWithoutLegsOrWithTooManyAreNotAdded) {
  clsAnalyzer analyzer;
  analyzer.AddLap(std::make_shared<clsLapData>());
  EXPECT_EQ(analyzer.FullSetCount(), 0);

  auto lap = MakeRunner("long", "", {kSkip});
  lap->LegCount(clsLapData::kMaxLegs + 1);
  EXPECT_THROW(analyzer.AddLap(lap), std::out_of_range);
  EXPECT_EQ(analyzer.FullSetCount(), 0);
  EXPECT_EQ(lap->LapValue(1), kSkip);  // untouched

  auto longest = std::make_shared<clsLapData>();
  longest->Lap(clsLapData::kMaxLegs)->Value(testing::Seconds(30));
  analyzer.AddLap(longest);
  ASSERT_EQ(analyzer.FullSetCount(), 1);
  EXPECT_FALSE(analyzer.FullSetItem(1)->IsValidSplitTime(clsLapData::kMaxLegs));
  EXPECT_EQ(analyzer.FullSetItem(1)->LapTime(31), nullptr);
  EXPECT_EQ(analyzer.FullSetItem(1)->LapTime(0), nullptr);
  EXPECT_THROW(analyzer.FullSetItem(1)->SplitTime(32), std::out_of_range);
  EXPECT_EQ(analyzer.FullSetItem(1)->SplitTime(0), nullptr);
}

// The naming rules are those of the results holder (one shared procedure, tested there).
TEST(AnalyzerEntry, CoursesEnterTheirClassesAndClearEmptiesTheDataSet) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  m21->CourseNum = 7;
  m21->Length = 6100;
  AddRunner(*m21, "m", "1:00:00", {600});
  auto w21 = root.AddClass("W21");
  w21->CourseNum = 7;
  w21->ControlCount = 9;
  AddRunner(*w21, "w", "1:10:00", {700});
  auto bad = AddRunner(*w21, "too long", "1:20:00", {800});
  bad->LegCount(40);  // skipped by AddClass, which never reports a failure

  auto analyzer = root.NewAnalyzer();
  analyzer->AddCourse(7);
  EXPECT_EQ(analyzer->DataSetName(), "M21/W21");
  EXPECT_EQ(analyzer->ControlCount, 9);
  EXPECT_EQ(analyzer->FullSetCount(), 2);
  EXPECT_EQ(analyzer->Count(), 0);  // entering fills the full set only
  analyzer->Clear();
  EXPECT_EQ(analyzer->DataSetName(), "");
  EXPECT_EQ(analyzer->ControlCount + analyzer->Length + analyzer->FullSetCount(), 0);
  EXPECT_FALSE(analyzer->DataSetIsMix);
}

TEST(AnalyzerEntry, SelectionMembers) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto a = AddRunner(*cls, "a", "1:00:00", {60});
  auto b = AddRunner(*cls, "b", "DNF", {60});
  auto c = AddRunner(*cls, "c", "1:00:00", {60});
  clsAnalyzer analyzer;
  analyzer.AddClass("M21");
  analyzer.SelectItem(b->SerialNum());
  analyzer.SelectItem(a->SerialNum());
  analyzer.SelectItem(c->SerialNum());
  analyzer.SelectItem(a->SerialNum());
  analyzer.SelectItem(999);
  ASSERT_EQ(analyzer.Count(), 4);
  analyzer.SelectSort();
  std::vector<std::string> names;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) names.push_back(analyzer.Item(i)->RunnerName());
  // Equal results come out in the reverse of their selection order.
  EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "a", "b"}));
  EXPECT_EQ(analyzer.Item(0), nullptr);
  EXPECT_EQ(analyzer.Item(5), nullptr);
  analyzer.SelectAll();
  EXPECT_EQ(analyzer.Item(1)->OtherData(), a);
  analyzer.SelectNone();
  EXPECT_EQ(analyzer.Count(), 0);
}

}  // namespace
}  // namespace quorvex2
