#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "event_builder.h"

namespace quorvex2 {
namespace {

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

// The leg ranks, then the split ranks, of the legs 1 to `legs`: "3 1 | 3 1".
std::string LegRanksText(clsAnalyzedRunnerData& r, int32_t legs, bool modified = false) {
  std::string lap, split;
  for (int32_t k = 1; k <= legs; ++k) {
    lap += " " + std::to_string((modified ? r.ModifiedLapRank(k) : r.LapRank(k))->Value());
    split += " " + std::to_string((modified ? r.ModifiedSplitRank(k) : r.SplitRank(k))->Value());
  }
  return lap.substr(1) + " |" + split;
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

TEST(AnalyzerExecute, LegRanksUpperRunnersAndReferenceTimes) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 1;
  analyzer.AddLap(MakeRunner("a", "3:00", {100, 80}));
  analyzer.AddLap(MakeRunner("b", "3:10", {90, 100}));
  analyzer.AddLap(MakeRunner("c", "3:20", {90, 110}));
  analyzer.AddLap(MakeRunner("d", "3:30", {120, 90}));
  analyzer.AddLap(MakeRunner("e", "DNF", {kDisq, 50}));
  analyzer.Execute();
  const std::pair<const char*, const char*> ranks[] = {
      {"a", "3 1 | 3 1"}, {"b", "1 3 | 1 2"}, {"c", "1 4 | 1 3"},
      {"d", "4 2 | 4 4"}, {"e", "0 0 | 0 0"},
  };
  for (const auto& [name, expected] : ranks) {
    EXPECT_EQ(LegRanksText(*Find(analyzer, name), 2), expected) << name;
    // Without merged legs the modified ranks are the plain ones.
    EXPECT_EQ(LegRanksText(*Find(analyzer, name), 2, true), expected) << name;
  }
  auto general = analyzer.GeneralData();
  // Upper runners by sorted position: equal keys newest first.
  EXPECT_EQ(general->UpperLapObject(1, 1)->RunnerName(), "c");
  EXPECT_EQ(general->UpperLapObject(1, 2)->RunnerName(), "b");
  EXPECT_EQ(general->UpperLapObject(1, 4)->RunnerName(), "d");
  EXPECT_FALSE(general->IsUpperLapExists(1, 0) || general->IsUpperLapExists(1, 5));
  EXPECT_TRUE(general->IsUpperLapExists(2, 4));
  EXPECT_FALSE(general->IsUpperLapExists(2, 5));  // e's leg follows a disqualified one
  EXPECT_THROW(general->IsUpperLapExists(1, 7), std::out_of_range);
  EXPECT_THROW(general->UpperLapAverage(32), std::out_of_range);
  // Reference: the mean of the three fastest leg times.
  EXPECT_NEAR(InSeconds(general->UpperLapAverage(1)), (90 + 90 + 100) / 3.0, 1e-6);
  EXPECT_NEAR(InSeconds(general->UpperLapAverage(2)), (80 + 90 + 100) / 3.0, 1e-6);
  EXPECT_NEAR(InSeconds(general->UpperLapTotal()), 550 / 3.0, 1e-6);
  EXPECT_FLOAT_EQ(general->LegLength(1), 280.0f / 550.0f);
  EXPECT_FLOAT_EQ(general->LegLength(2), 270.0f / 550.0f);
  // Relative times: the leg against its reference, the result against the total.
  EXPECT_FLOAT_EQ(Find(analyzer, "d")->LapRelative(1)->Value(), 120 / (280 / 3.0));
  EXPECT_FLOAT_EQ(Find(analyzer, "a")->TotalTimeRelative().Value(), 180 / (550 / 3.0));
  EXPECT_FLOAT_EQ(Find(analyzer, "e")->LapRelative(1)->StoredValue(), 0.0f);
  EXPECT_FLOAT_EQ(Find(analyzer, "e")->TotalTimeRelative().Value(), 0.0f);
}

TEST(AnalyzerExecute, UpperRunnersAreTheSixFastestAndFewerRunnersAverageFewer) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 1;
  for (int i = 0; i < 7; ++i) {
    analyzer.AddLap(MakeRunner("r" + std::to_string(i), "", {100.0 + i, i < 2 ? 50.0 : kNoData}));
  }
  analyzer.Execute();
  auto general = analyzer.GeneralData();
  EXPECT_EQ(general->UpperLapObject(1, 6)->RunnerName(), "r5");
  EXPECT_FALSE(general->IsUpperLapExists(2, 3));
  EXPECT_NEAR(InSeconds(general->UpperLapAverage(1)), 101, 1e-6);
  EXPECT_NEAR(InSeconds(general->UpperLapAverage(2)), 50, 1e-6);
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
  // With merged legs the modified times are ranked on their own.
  EXPECT_EQ(LegRanksText(*x, 3), "1 0 0 | 1 0 1");
  EXPECT_EQ(LegRanksText(*x, 3, true), "1 1 1 | 1 1 1");
  EXPECT_EQ(LegRanksText(*Find(analyzer, "f1"), 3, true), "1 2 2 | 1 2 2");
  // A skipped leg reads -1; the covering leg is relative to the legs it covers.
  EXPECT_FLOAT_EQ(x->LapRelative(2)->StoredValue(), -1.0f);
  EXPECT_FLOAT_EQ(x->LapRelative(3)->Value(), 300.0f / 400.0f);
  // The loss of the run shows on its last leg; the skipped leg carries the skip code.
  EXPECT_EQ(x->MissTime(2)->StoredValue(), kSkip);
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

TEST(AnalyzerExecute, CruiseSpeedFromTheBestLegsOnly) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  for (const char* name : {"f1", "f2", "f3"}) {
    analyzer.AddLap(MakeRunner(name, "10:00", {200, 150, 250}));
  }
  // Legs 2 (x1.0) and 3 (x1.1) reach half the course; leg 1 (x2.0) is left out of the pace and
  // loses 400 - 200 x 1.0625 s.
  analyzer.AddLap(MakeRunner("x", "13:45", {400, 150, 275}));
  analyzer.AddLap(MakeRunner("y", "", {kNoData, 150, kDisq}));
  analyzer.Execute();
  auto x = Find(analyzer, "x");
  EXPECT_FLOAT_EQ(x->CruiseSpeed().Value(), 1.0625f);
  EXPECT_NEAR(InSeconds(x->MissTime(1)->Value()), 187.5, 1e-6);
  EXPECT_NEAR(InSeconds(x->MissTime(2)->Value()), -9.375, 1e-6);
  // Time gained is not set off against the losses.
  EXPECT_NEAR(InSeconds(x->MissTimeTotal().Value()), 187.5 + 9.375, 1e-6);
  // No-data and disqualified legs have no miss time; without a result there are no totals.
  auto y = Find(analyzer, "y");
  EXPECT_FLOAT_EQ(y->CruiseSpeed().Value(), 1.0f);
  EXPECT_EQ(y->MissTime(1)->StoredValue(), clsMissTimeValue::kNotComputed);
  EXPECT_NEAR(y->MissTime(2)->Value(), 0, 1e-12);
  EXPECT_EQ(y->MissTime(3)->StoredValue(), clsMissTimeValue::kNotComputed);
  EXPECT_EQ(y->MissTimeTotal().StoredValue(), clsMissTimeValue::kNotComputed);
}

TEST(AnalyzerExecute, SecondRunAfterAddingRunners) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  analyzer.AddLap(MakeRunner("b", "5:20", {110, 90, 120}));
  analyzer.AddLap(MakeRunner("a", "5:00", {100, 80, 120}));
  analyzer.Execute();
  auto first_general = analyzer.GeneralData();
  EXPECT_EQ(LegRanksText(*Find(analyzer, "a"), 3), "1 1 1 | 1 1 1");

  analyzer.AddLap(MakeRunner("c", "4:50", {95, 75, 120}));
  analyzer.Execute();
  EXPECT_NE(analyzer.GeneralData(), first_general);
  EXPECT_EQ(LegRanksText(*Find(analyzer, "a"), 3), "2 2 1 | 2 2 2");
  EXPECT_NEAR(InSeconds(analyzer.GeneralData()->UpperLapAverage(1)), 305 / 3.0, 1e-6);

  // A shorter run writes fewer legs: the third leg keeps the figures of the run before.
  analyzer.ControlCount = 1;
  analyzer.Execute();
  EXPECT_EQ(Find(analyzer, "c")->LapRank(3)->Value(), 1);
  EXPECT_EQ(analyzer.GeneralData()->UpperLapAverage(3), 0.0);
  EXPECT_FLOAT_EQ(Find(analyzer, "c")->LapRelative(3)->Value(), 1.0f);
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
