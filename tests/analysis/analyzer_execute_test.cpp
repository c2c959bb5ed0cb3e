#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::ExpectGolden;
using testing::AnalysisText;
using testing::Find;
using testing::InSeconds;
using testing::kDisq;
using testing::kNoData;
using testing::kSkip;
using testing::MakeRunner;
using testing::Seconds;

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
  EXPECT_TRUE(analyzer.IsExecuted());
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

// The whole analysis of each data set below is kept in tests/data/golden/analysis.

// Leg 1: c and b share the fastest 90 s (the newer first in the list of the fastest), the
// reference is (90 + 90 + 100) / 3 s; e's second leg follows a disqualified one and is not
// ranked; without merged legs the modified ranks are the plain ones; relative times against the
// references, the result against their total of 550 / 3 s.
TEST(AnalyzerExecute, LegRanksFastestRunnersAndReferenceTimes) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 1;
  analyzer.AddLap(MakeRunner("a", "3:00", {100, 80}));
  analyzer.AddLap(MakeRunner("b", "3:10", {90, 100}));
  analyzer.AddLap(MakeRunner("c", "3:20", {90, 110}));
  analyzer.AddLap(MakeRunner("d", "3:30", {120, 90}));
  analyzer.AddLap(MakeRunner("e", "DNF", {kDisq, 50}));
  analyzer.Execute();
  ExpectGolden("golden/analysis/five-runners.txt", AnalysisText(analyzer));
  auto general = analyzer.GeneralData();
  EXPECT_FALSE(general->IsUpperLapExists(1, 0));
  EXPECT_THROW(general->IsUpperLapExists(1, 7), std::out_of_range);
  EXPECT_THROW(general->UpperLapAverage(32), std::out_of_range);
}

// Six fastest runners at most (r0 to r5 on leg 1); two times on leg 2 give a reference of two.
TEST(AnalyzerExecute, SixFastestAtMostAndFewerTimesAverageFewer) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 1;
  for (int i = 0; i < 7; ++i) {
    analyzer.AddLap(MakeRunner("r" + std::to_string(i), "", {100.0 + i, i < 2 ? 50.0 : kNoData}));
  }
  analyzer.Execute();
  ExpectGolden("golden/analysis/seven-runners.txt", AnalysisText(analyzer));
}

// Three legs of relative lengths 0.2, 0.3 and 0.5 set by three equal fast runners; x skipped
// the second control.
TEST(AnalyzerExecute, MergedLegsAreSharedOutByRelativeLength) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  for (const char* name : {"f1", "f2", "f3"}) {
    analyzer.AddLap(MakeRunner(name, "8:20", {100, 150, 250}));
  }
  analyzer.AddLap(MakeRunner("x", "6:40", {100, kSkip, 300}));
  analyzer.Execute();
  auto general = analyzer.GeneralData();
  EXPECT_FLOAT_EQ(general->LegLength(1), 0.2f);
  EXPECT_FLOAT_EQ(general->LegLength(2), 0.3f);
  EXPECT_FLOAT_EQ(general->LegLength(3), 0.5f);
  auto x = Find(analyzer, "x");
  const double modified[] = {100, 112.5, 187.5}, modified_split[] = {100, 212.5, 400};
  for (int32_t k = 1; k <= 3; ++k) {
    EXPECT_NEAR(InSeconds(x->ModifiedLapTime(k)->Value()), modified[k - 1], 1e-4) << k;
    EXPECT_NEAR(InSeconds(x->ModifiedSplitTime(k)->Value()), modified_split[k - 1], 1e-4) << k;
  }
  EXPECT_EQ(x->LapRank(2)->Value() + x->LapRank(3)->Value(), 0);
  // The modified times ranked on their own, the skipped leg's relative time -1 and skip code, the
  // covering leg relative to the legs it covers.
  ExpectGolden("golden/analysis/merged-legs.txt", AnalysisText(analyzer));
}

TEST(AnalyzerExecute, CruiseSpeedAndMissTimesOfTheWorkedExample) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 1;
  for (const char* name : {"f1", "f2", "f3"}) {
    analyzer.AddLap(MakeRunner(name, "5:00", {100, 200}));
  }
  analyzer.AddLap(MakeRunner("x", "6:10", {110, 260}));
  analyzer.AddLap(MakeRunner("dnf", "DNF", {110, 260}));
  analyzer.Execute();
  auto x = Find(analyzer, "x");
  EXPECT_FLOAT_EQ(x->CruiseSpeed().Value(), 1.2333333f);
  EXPECT_EQ(x->CruiseSpeed().ToString("#0.00"), "123.33");
  EXPECT_EQ(x->MissTime(1)->ToString("nn:ss"), "-00:13");
  EXPECT_NEAR(InSeconds(x->MissTime(1)->Value()), -13.3333, 1e-3);
  EXPECT_NEAR(InSeconds(x->MissTime(2)->Value()), 13.3333, 1e-3);
  EXPECT_NEAR(InSeconds(x->MissTimeTotal().Value()), 13.3333, 1e-3);
  EXPECT_FLOAT_EQ(x->MissRate().Value(), 0.036036037f);
  EXPECT_EQ(x->MissRate().ToString("#0.0"), "3.6");
  EXPECT_NEAR(InSeconds(x->TotalTimeWithoutMiss().Value()), 356.6667, 1e-3);
  EXPECT_EQ(x->TotalTimeWithoutMiss().ToString("h:nn:ss"), "0:05:57");

  // To the last bit: the ratios are single, the times double. The expected leg time takes the
  // stored single cruise speed, and the time without misses the single 1 - MissRate.
  const double reference = analyzer.GeneralData()->UpperLapAverage(1);
  const float cruise = static_cast<float>(370.0 / 300.0);
  EXPECT_EQ(x->CruiseSpeed().Value(), cruise);
  EXPECT_EQ(x->MissTime(1)->Value(), Seconds(110) - reference * static_cast<double>(cruise));
  const float rate = static_cast<float>(x->MissTime(2)->Value() / (Seconds(110) + Seconds(260)));
  EXPECT_EQ(x->MissRate().Value(), rate);
  EXPECT_EQ(x->TotalTimeWithoutMiss().Value(), 370.0 / 86400.0 * static_cast<double>(1.0f - rate));
  auto f1 = Find(analyzer, "f1");
  EXPECT_FLOAT_EQ(f1->CruiseSpeed().Value(), 1.0f);
  EXPECT_FLOAT_EQ(f1->MissRate().Value(), 0.0f);

  // A status result gets miss times per leg but no totals.
  auto dnf = Find(analyzer, "dnf");
  EXPECT_NEAR(InSeconds(dnf->MissTime(2)->Value()), 13.3333, 1e-3);
  EXPECT_EQ(dnf->MissTimeTotal().StoredValue(), clsMissTimeValue::kNotComputed);
  EXPECT_EQ(dnf->MissRate().Value(), 0.0f);
  EXPECT_EQ(dnf->TotalTimeWithoutMiss().Value(), 0.0);
}

// x: legs 2 (x1.0) and 3 (x1.1) reach half the course, so the cruise speed is 425 / 400; leg 1
// (x2.0) is left out of the pace and loses 400 - 200 x 1.0625 s; the 9.375 s gained on leg 2 are
// not set off against it. y: no miss time on the no-data and disqualified legs, no totals
// without a result.
TEST(AnalyzerExecute, CruiseSpeedFromTheBestLegsOnly) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  for (const char* name : {"f1", "f2", "f3"}) {
    analyzer.AddLap(MakeRunner(name, "10:00", {200, 150, 250}));
  }
  analyzer.AddLap(MakeRunner("x", "13:45", {400, 150, 275}));
  analyzer.AddLap(MakeRunner("y", "", {kNoData, 150, kDisq}));
  analyzer.Execute();
  ExpectGolden("golden/analysis/best-legs.txt", AnalysisText(analyzer));
}

// Each run ranks anew with fresh general data; a shorter run writes fewer legs, and the third
// leg keeps the figures of the run before.
TEST(AnalyzerExecute, RunsAfterAddingRunnersAndWithFewerLegs) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  analyzer.AddLap(MakeRunner("b", "5:20", {110, 90, 120}));
  analyzer.AddLap(MakeRunner("a", "5:00", {100, 80, 120}));
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

TEST(AnalyzerExecute, BadAndEmptyDataSets) {
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
}

}  // namespace
}  // namespace quorvex2
