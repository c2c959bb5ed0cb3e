#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

using testing::AddRunner;
using testing::DataSetText;
using testing::kDisq;
using testing::kNoData;
using testing::kSkip;
using testing::Legs;
using testing::MakeRunner;

// Each leg as "split lap-valid split-valid", + for valid and - for not, "from-to" where the leg
// lies in a run of skipped legs, then the result shown: "1:00 ++, ↓ -+ 2-3, 3:30 -+ 2-3 = 0:03:30".
std::string EntryText(clsAnalyzedRunnerData& r, int32_t legs) {
  std::string text;
  for (int32_t k = 1; k <= legs; ++k) {
    text += (k > 1 ? ", " : "") + qxtest::LegText(r.SplitTime(k)->Value()) + " " +
            (r.IsValidLapTime(k) ? "+" : "-") + (r.IsValidSplitTime(k) ? "+" : "-");
    if (r.TotalLapFrom(k) != 0) {
      text += " " + std::to_string(r.TotalLapFrom(k)) + "-" + std::to_string(r.TotalLapTo(k));
    }
  }
  return text + " = " + r.Result();
}

// Runners without a result text: the result shown is their time at the last leg, when known.
TEST(AnalyzerEntry, CumulativeTimesValidityAndSkippedRuns) {
  const struct {
    const char* name;
    std::vector<double> legs;
    const char* entry;     // EntryText
    const char* own_legs;  // the runner's own record afterwards
  } cases[] = {
      {"a skip is covered by the next recorded leg", Legs(60, kSkip, 150, 40),
       "1:00 ++, ↓ -+ 2-3, 3:30 -+ 2-3, 4:10 ++ = 0:04:10", "1:00 ↓ 2:30 0:40"},
      {"a disqualified leg spoils later splits and the next leg", Legs(60, kDisq, 50),
       "1:00 ++, × --, 1:50 -- = ", "1:00 × 0:50"},
      {"after no data the next leg keeps its own time", Legs(60, kNoData, 50),
       "1:00 ++, － --, 1:50 +- = ", "1:00 － 0:50"},
      {"trailing skips become no data in the own record", Legs(70, kSkip, kSkip),
       "1:10 ++, － --, － -- = ", "1:10 － －"},
      {"only the trailing skip changes", Legs(kSkip, kNoData, 90, kSkip),
       "↓ -+ 1-3, － -- 1-3, 1:30 +- 1-3, － -- = ", "↓ － 1:30 －"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clsAnalyzer analyzer;
    auto lap = MakeRunner("a", "", c.legs);
    analyzer.AddLap(lap);
    EXPECT_EQ(EntryText(*analyzer.FullSetItem(1), static_cast<int32_t>(c.legs.size())), c.entry);
    const std::string own = qxtest::RunnerText(*lap);
    EXPECT_EQ(own.substr(own.rfind('|') + 1), c.own_legs);
  }
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
  AddRunner(*w21, "too long", "1:20:00", {800})->LegCount(40);  // skipped, never reported

  auto analyzer = root.NewAnalyzer();
  analyzer->AddCourse(7);
  EXPECT_EQ(DataSetText(*analyzer), "M21/W21|m21_w21|mix|0|9|6100|0|6100m|2");
  EXPECT_EQ(analyzer->Count(), 0);  // entering fills the full set only
  analyzer->Clear();
  EXPECT_EQ(DataSetText(*analyzer), "|||0|0|0|0||0");
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
