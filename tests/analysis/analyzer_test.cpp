// The analysis run and the extra analysis of small data sets (each whole analysis kept in
// tests/data/golden/analysis); the data sets: the analyzer's and the results holder's runners,
// names and selections, and those of a segment.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "quorvex2/analysis/results_holder.h"

namespace quorvex2 {
namespace {

using qxtest::ExpectGolden;
using testing::AddRunner;
using testing::AddRunners;
using testing::AnalysisText;
using testing::DataSetText;
using testing::Find;
using testing::kSkip;
using testing::MakeRunner;
using testing::Seconds;

// Three equal fast runners set the references of two legs; x runs 110 and 260 s, dnf the same
// without a result.
const char* const kWorkedExample =
    "f1 5:00 100 200, f2 5:00 100 200, f3 5:00 100 200, x 6:10 110 260, dnf DNF 110 260";

TEST(AnalyzerExecute, WholeAnalysisOfSmallDataSets) {
  const struct {
    const char* golden;
    int32_t controls;
    bool extra;  // the extra analysis too, after the selection was emptied
    const char* runners;
  } cases[] = {
      // c and b share the fastest 90 s on leg 1 (the newer first among the fastest); e's second
      // leg follows a disqualified one and is not ranked; without merged legs the modified
      // ranks are the plain ones.
      {"five-runners", 1, false,
       "a 3:00 100 80, b 3:10 90 100, c 3:20 90 110, d 3:30 120 90, e DNF × 50"},
      // Six fastest at most on leg 1; two times on leg 2 give a reference of two.
      {"seven-runners", 1, false,
       "r0 - 100 50, r1 - 101 50, r2 - 102 －, r3 - 103 －, r4 - 104 －, r5 - 105 －, "
       "r6 - 106 －"},
      // Relative lengths 0.2, 0.3 and 0.5; x skipped the second control: his 300 s are shared
      // out as 112.5 and 187.5, the modified times ranked on their own, the skipped leg's
      // relative time -1, the covering leg relative to the legs it covers.
      {"merged-legs", 2, false,
       "f1 8:20 100 150 250, f2 8:20 100 150 250, f3 8:20 100 150 250, x 6:40 100 ↓ 300"},
      // x: legs 2 (x1.0) and 3 (x1.1) reach half the course, so the cruise speed is 425 / 400;
      // leg 1 (x2.0) is left out of the pace and loses 400 - 200 x 1.0625 s; the 9.375 s gained
      // on leg 2 are not set off against it. y: no miss time on the no-data and disqualified
      // legs, no totals without a result.
      {"best-legs", 2, false,
       "f1 10:00 200 150 250, f2 10:00 200 150 250, f3 10:00 200 150 250, "
       "x 13:45 400 150 275, y - － 150 ×"},
      // x: cruise 370 / 300, misses -13.333 and 13.333 s, rate 13.333 / 370, 356.667 s without
      // misses; a status result gets miss times per leg but no totals.
      {"worked-example", 1, false, kWorkedExample},
      // Relative lengths 0.1, 0.25, 0.3, 0.35: the first part ends at leg 3, the last starts at
      // leg 2. x's first half: legs 1 (x1.0) and 3 (x1.2) give 460 / 400; his last: leg 3 alone.
      {"half-cruise", 3, true,
       "f1 16:40 100 250 300 350, f2 16:40 100 250 300 350, f3 16:40 100 250 300 350, "
       "x 21:15 100 325 360 490"},
      // A leg's raw difficulty is the spread of the losses (miss time over final time) of the
      // runners ranked better than 0.8 x 5 on it, in single precision; the raw values are
      // divided by their mean, so they average one.
      {"leg-difficulty", 2, true,
       "r0 - 100 100 200, r1 - 105 130 200, r2 - 110 100 260, r3 - 120 150 210, "
       "r4 - － 170 300"},
      // Legs with at most one such runner have the raw difficulty one.
      {"leg-difficulty-alone", 2, true, "only 6:00 100 120 140"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    clsAnalyzer analyzer;
    AddRunners(analyzer, c.controls, c.runners);
    analyzer.Execute();
    EXPECT_TRUE(analyzer.IsExecuted());
    if (c.extra) {
      analyzer.SelectNone();
      analyzer.ExtraAnalyze();
    }
    ExpectGolden(std::string("golden/analysis/") + c.golden + ".txt", AnalysisText(analyzer));
  }
}

// The ratios are single (the golden file holds them to the last bit), the times double: the
// expected leg time takes the stored single cruise speed, and the time without misses the single
// 1 - MissRate.
TEST(AnalyzerExecute, SinglePrecisionRatiosToTheLastBit) {
  clsAnalyzer analyzer;
  AddRunners(analyzer, 1, kWorkedExample);
  analyzer.Execute();
  const auto x = Find(analyzer, "x");
  const double reference = analyzer.GeneralData()->UpperLapAverage(1);
  const auto cruise = static_cast<double>(x->CruiseSpeed().Value());
  EXPECT_EQ(x->MissTime(1)->Value(), Seconds(110) - reference * cruise);
  EXPECT_EQ(x->TotalTimeWithoutMiss().Value(),
            370.0 / 86400.0 * static_cast<double>(1.0f - x->MissRate().Value()));
}

// "name=rank in the data set/rank shown" of the selection in its order.
std::string RanksText(const clsAnalyzer& analyzer) {
  std::string text;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    const auto r = analyzer.Item(i);
    text += (i > 1 ? ", " : "") + r->RunnerName() + "=" + r->RankInDataSet() + "/" + r->Rank();
  }
  return text;
}

// Half of the runners carry a rank of the file: those ranks are shown. A status result keeps
// the rank it showed before; the others are ranked anew.
TEST(AnalyzerExecute, ResultOrderCompetitionRanksAndTheRanksShown) {
  auto dnf = MakeRunner("dnf", "DNF", {100});
  dnf->Rank = "OPEN";
  auto a = MakeRunner("a", "1:00:00", {100});
  a->Rank = "F1";
  clsAnalyzer analyzer;
  for (auto lap : {dnf, a, MakeRunner("slow", "1:05:00", {100}), MakeRunner("b", "1:00:00", {100})})
    analyzer.AddLap(lap);
  analyzer.Execute();
  EXPECT_EQ(RanksText(analyzer), "b=1/, a=1/F1, slow=3/, dnf=/OPEN");
  // The full set is rebuilt in result order.
  EXPECT_EQ(analyzer.FullSetItem(1)->RunnerName(), "b");
  EXPECT_EQ(analyzer.FullSetItem(4)->RunnerName(), "dnf");

  // Two of five carry a file rank: the own ranks are shown.
  analyzer.AddLap(MakeRunner("fast", "59:00", {100}));
  EXPECT_FALSE(analyzer.IsExecuted());
  analyzer.Execute();
  EXPECT_EQ(RanksText(analyzer), "fast=1/1, a=2/2, b=2/2, slow=4/4, dnf=OPEN/OPEN");
}

// Each run ranks anew with fresh general data; a shorter run writes fewer legs, and the third
// leg keeps the figures of the run before.
TEST(AnalyzerExecute, RunsAfterAddingRunnersAndWithFewerLegs) {
  clsAnalyzer analyzer;
  AddRunners(analyzer, 2, "b 5:20 110 90 120, a 5:00 100 80 120");
  analyzer.Execute();
  const auto first_general = analyzer.GeneralData();
  std::string runs = AnalysisText(analyzer);
  analyzer.AddLap(MakeRunner("c", "4:50", {95, 75, 120}));
  analyzer.Execute();
  EXPECT_NE(analyzer.GeneralData(), first_general);
  runs += "\n" + AnalysisText(analyzer);
  analyzer.ControlCount = 1;
  analyzer.Execute();
  analyzer.ControlCount = 2;
  ExpectGolden("golden/analysis/second-runs.txt", runs + "\n" + AnalysisText(analyzer));
}

TEST(AnalyzerExecute, BadAndEmptyDataSetsAndIndexes) {
  clsAnalyzer empty;
  empty.Execute();
  EXPECT_TRUE(empty.IsExecuted());
  EXPECT_EQ(empty.Count(), 0);
  empty.ExtraAnalyze();
  EXPECT_FLOAT_EQ(empty.GeneralData()->LegDifficulty(1)->Value(), 1.0f);
  EXPECT_FLOAT_EQ(empty.GeneralData()->LegLength(1), 1.0f);

  clsAnalyzer too_many;
  too_many.AddLap(MakeRunner("a", "1:00", {60}));
  too_many.ControlCount = 31;
  EXPECT_THROW(too_many.Execute(), std::out_of_range);
  EXPECT_FALSE(too_many.IsExecuted());
  too_many.ControlCount = 30;  // 31 legs: more than a runner's record holds
  EXPECT_THROW(too_many.Execute(), std::out_of_range);
  EXPECT_FALSE(too_many.IsExecuted());
  too_many.ControlCount = 29;
  too_many.Execute();
  EXPECT_TRUE(too_many.IsExecuted());
  const auto general = too_many.GeneralData();
  EXPECT_TRUE(general->IsUpperLapExists(1, 1));
  EXPECT_FALSE(general->IsUpperLapExists(1, 0));
  EXPECT_THROW(general->IsUpperLapExists(1, 7), std::out_of_range);
  EXPECT_THROW(general->UpperLapAverage(32), std::out_of_range);
  EXPECT_EQ(general->LegDifficulty(0), nullptr);
}

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
// Afterwards the runner's own record shows the legs given.
TEST(AnalyzerEntry, CumulativeTimesValidityAndSkippedRuns) {
  const struct {
    const char* name;
    const char* runner;
    const char* entry;     // EntryText
    const char* own_legs;  // the runner's own record afterwards
  } cases[] = {
      {"a skip is covered by the next recorded leg", "a - 60 ↓ 150 40",
       "1:00 ++, ↓ -+ 2-3, 3:30 -+ 2-3, 4:10 ++ = 0:04:10", "1:00 ↓ 2:30 0:40"},
      {"a disqualified leg spoils later splits and the next leg", "a - 60 × 50",
       "1:00 ++, × --, 1:50 -- = ", "1:00 × 0:50"},
      {"after no data the next leg keeps its own time", "a - 60 － 50",
       "1:00 ++, － --, 1:50 +- = ", "1:00 － 0:50"},
      {"trailing skips become no data in the own record", "a - 70 ↓ ↓",
       "1:10 ++, － --, － -- = ", "1:10 － －"},
      {"only the trailing skip changes", "a - ↓ － 90 ↓",
       "↓ -+ 1-3, － -- 1-3, 1:30 +- 1-3, － -- = ", "↓ － 1:30 －"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clsAnalyzer analyzer;
    AddRunners(analyzer, 0, c.runner);
    const auto entered = analyzer.FullSetItem(1);
    const auto lap = entered->OtherData();
    EXPECT_EQ(EntryText(*entered, lap->LegCount()), c.entry);
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
  const auto entered = analyzer.FullSetItem(1);
  EXPECT_FALSE(entered->IsValidSplitTime(clsLapData::kMaxLegs));
  EXPECT_THROW(entered->LapTime(31), std::out_of_range);
  EXPECT_EQ(entered->LapTime(0), nullptr);
  EXPECT_THROW(entered->SplitTime(32), std::out_of_range);
  EXPECT_EQ(entered->SplitTime(0), nullptr);
}

// The data set as it is filled and named, a line after each step.
template <class DataSet>
std::string NamingSteps() {
  DataSet set;
  std::string steps;
  set.AddClass("M21");
  steps += DataSetText(set) + "\n";
  set.AddClass("W21");
  set.AddClass("M99");
  set.AddClass(0);
  set.AddClass(4);
  steps += DataSetText(set) + "\n";
  set.DataSetName("Ｍ21 Elite");
  set.Length = 0;
  steps += DataSetText(set) + "\n";
  set.CutOffRank = 5;
  set.Clear();
  steps += DataSetText(set) + "\n";
  set.AddCourse(1);
  set.AddCourse(0);
  return steps + DataSetText(set);
}

// The first class names the data set; further classes join it and make it a mix without a
// cut-off rank; the last nonzero figure wins; unknown classes and positions add nothing. A name
// given by hand sets the file name; Clear keeps only the cut-off rank; a course enters its
// classes. A runner who cannot enter (too many legs, no result) is left out without a word.
TEST(DataSet, AnalyzerAndResultsHolderAreNamedAndFilledAlike) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  m21->ControlCount = 12;
  m21->Length = 5200;
  m21->Climb = 150;
  m21->CutOffRank = 3;
  m21->CourseNum = 1;
  AddRunner(*m21, "m", "1:00:00", {600});
  auto w21 = root.AddClass("W21");
  w21->Length = 4100;
  w21->CourseNum = 1;
  AddRunner(*w21, "w", "1:10:00", {700});
  AddRunner(*w21, "too long", "", {800})->LegCount(40);
  AddRunner(*root.AddClass("M35"), "x", "1:20:00", {900});
  const std::string steps =
      "M21|m21||3|12|5200|150|5200m ↑150m|1\n"
      "M21/W21|m21_w21|mix|0|12|4100|150|4100m ↑150m|2\n"
      "Ｍ21 Elite|m21 elite|mix|0|12|0|150||2\n"
      "|||5|0|0|0||0\n"
      "M21/W21|m21_w21|mix|0|12|4100|150|4100m ↑150m|2";
  EXPECT_EQ(NamingSteps<clsAnalyzer>(), steps);
  EXPECT_EQ(NamingSteps<clsResultsHolder>(), steps);
}

TEST(AnalyzerEntry, SelectionMembers) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto a = AddRunner(*cls, "a", "1:00:00", {60});
  auto b = AddRunner(*cls, "b", "DNF", {60});
  auto c = AddRunner(*cls, "c", "1:00:00", {60});
  clsAnalyzer analyzer;
  analyzer.AddClass("M21");
  for (const auto& lap : {b, a, c, a}) analyzer.SelectItem(lap->SerialNum());
  analyzer.SelectItem(999);
  ASSERT_EQ(analyzer.Count(), 4);
  analyzer.SelectSort();
  std::string names;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) names += analyzer.Item(i)->RunnerName();
  EXPECT_EQ(names, "acab");  // equal results in the reverse of their selection order
  EXPECT_EQ(analyzer.Item(0), nullptr);
  EXPECT_EQ(analyzer.Item(5), nullptr);
  analyzer.SelectAll();
  EXPECT_EQ(analyzer.Item(1)->OtherData(), a);
  analyzer.SelectNone();
  EXPECT_EQ(analyzer.Count(), 0);
}

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
  AddRunners(*cls, "dns DNS, a 1:00:00, none -, slow 1:05:00, dnf DNF, b 1:00:00, c 59:59");
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
  AddRunners(*cls,
             "r0 1:00:00, r1 1:01:00, r2 1:02:00, r3 1:03:00, r4 1:04:00, r5 1:05:00, "
             "r6 1:06:00, r7 1:07:00");
  for (int32_t i = 1; i <= 3; ++i) cls->LapData(i)->Rank = std::to_string(i);
  auto holder = root.NewResultsHolder();
  holder->AddClass("M21");
  holder->CalcRank();
  EXPECT_FALSE(holder->RankIsAvalilable());  // 3 of 8
  cls->LapData(4)->Rank = "4";
  holder->CalcRank();
  EXPECT_TRUE(holder->RankIsAvalilable());  // exactly one half
  // An empty selection and Clear leave the flag as it was.
  holder->SelectNone();
  holder->CalcRank();
  holder->Clear();
  EXPECT_TRUE(holder->RankIsAvalilable());
}

TEST(ResultsHolder, SelectionKeepsResultOrderAndRanksItsOwnEntries) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  AddRunners(*cls, "first 30:00, second 40:00, third 50:00");
  auto holder = root.NewResultsHolder();
  holder->AddClass("M21");
  holder->SelectNone();
  holder->SelectItem(cls->LapData(3)->SerialNum());
  holder->SelectItem(cls->LapData(1)->SerialNum());
  holder->SelectItem(cls->LapData(3)->SerialNum());  // a second copy is not refused
  holder->SelectItem(-5);                            // no such runner
  holder->CalcRank();
  EXPECT_EQ(RanksText(*holder), "first=1, third=2, third=2");
  holder->SelectAll();
  EXPECT_EQ(holder->Count(), 3);
  EXPECT_EQ(holder->Item(2), cls->LapData(2));
  EXPECT_EQ(holder->FullSetItem(2), cls->LapData(2));
}

// The stretch 103-104-F, run from the fourth leg of A's course and the third of C's: each
// runner's legs of it with the result summed from them (DISQ with a skip inside), filtered by
// sex; the runners' own records stay as they were.
TEST(SegmentDataSets, CutRunnersInAnAnalyzerAndAResultsHolderWithASexOption) {
  clsQuorvex2 root;
  for (const auto& [number, codes] :
       {std::pair{1, std::vector{101, 102, 103, 104}}, {3, std::vector{300, 103, 104}}}) {
    auto course = root.AddCourse(number);
    course->ControlCount = static_cast<int32_t>(codes.size());
    for (size_t k = 0; k < codes.size(); ++k)
      course->ControlNum(static_cast<int32_t>(k + 1), codes[k]);
  }
  auto a = root.AddClass("A");
  a->CourseNum = 1;
  AddRunners(*a, "a1 - 60 60 60 100 200, a2 - 60 60 60 110 210, a3 - 60 60 60 120 ↓");
  auto c = root.AddClass("C");
  c->CourseNum = 3;
  AddRunners(*c, "c1 - 50 50 120 130");
  for (const auto& cls : {a, c}) {
    for (int32_t i = 1; i <= cls->LapCount(); ++i) {
      const auto lap = cls->LapData(i);
      lap->Sex = lap->RunnerName == "a2" ? "F" : "M";
      lap->ClubName = lap->RunnerName + " club";
    }
  }
  root.MakeSegmentSet();
  ASSERT_EQ(root.SegmentCount(), 1);
  const auto segment = root.SegmentData(1);

  auto men = segment->Analyzer("M");
  men->Execute();
  EXPECT_EQ(DataSetText(*men), "103-104-F - M|103-104-f - m|mix|0|1|0|0||3");
  ExpectGolden("golden/analysis/segment-men.txt", AnalysisText(*men));
  EXPECT_EQ(DataSetText(*segment->Analyzer()), "103-104-F|103-104-f|mix|0|1|0|0||4");
  EXPECT_EQ(segment->Analyzer("X")->FullSetCount(), 0);

  auto holder = segment->ResultsHolder("M");
  EXPECT_EQ(DataSetText(*holder), "103-104-F - M|103-104-f - m|mix|0|1|0|0||3");
  std::vector<std::string> cut;
  for (int32_t i = 1; i <= holder->Count(); ++i)
    cut.push_back(qxtest::RunnerText(*holder->Item(i)));
  EXPECT_EQ(cut,
            (std::vector<std::string>{"c1|c1 club||0:04:10|2:00 2:10",
                                      "a1|a1 club||0:05:00|1:40 3:20", "a3|a3 club||DISQ|2:00 ↓"}));
  EXPECT_EQ(qxtest::RunnerText(*a->LapData(1)), "a1|a1 club|||1:00 1:00 1:00 1:40 3:20");
}

}  // namespace
}  // namespace quorvex2
