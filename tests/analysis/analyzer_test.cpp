// The analysis run and the extra analysis of small data sets; each whole analysis is kept in
// tests/data/golden/analysis.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "analysis_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::ExpectGolden;
using testing::AddRunners;
using testing::AnalysisText;
using testing::Find;
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

}  // namespace
}  // namespace quorvex2
