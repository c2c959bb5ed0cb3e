#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "event_builder.h"
#include "quorvex2/analysis/analyzer.h"

namespace quorvex2 {
namespace {

using testing::Find;
using testing::InSeconds;
using testing::kNoData;
using testing::MakeRunner;

TEST(ExtraAnalyze, HalfCruiseSpeedsOverTheFirstAndLastPartOfTheCourse) {
  // Relative lengths 0.1, 0.25, 0.3, 0.35: the first part ends at leg 3 (0.65 reaches 0.4 there),
  // the last part starts at leg 2 (the leg before the one that reaches 0.6).
  clsAnalyzer analyzer;
  analyzer.ControlCount = 3;
  for (const char* name : {"f1", "f2", "f3"}) {
    analyzer.AddLap(MakeRunner(name, "16:40", {100, 250, 300, 350}));
  }
  analyzer.AddLap(MakeRunner("x", "21:15", {100, 325, 360, 490}));
  analyzer.Execute();
  analyzer.SelectNone();
  analyzer.ExtraAnalyze();
  EXPECT_EQ(analyzer.Count(), 4);  // the selection is the whole set again
  auto x = Find(analyzer, "x");
  // First part: leg 1 (x1.0, 0.1 of the length) and leg 3 (x1.2) reach 0.2.
  EXPECT_FLOAT_EQ(x->FirstHalfCruiseSpeed().Value(), 460.0f / 400.0f);
  // Last part: leg 1 is outside it, so leg 3 (x1.2) alone reaches 0.2.
  EXPECT_FLOAT_EQ(x->SecondHalfCruiseSpeed().Value(), 1.2f);
  EXPECT_FLOAT_EQ(Find(analyzer, "f2")->SecondHalfCruiseSpeed().Value(), 1.0f);
}

TEST(ExtraAnalyze, LegDifficultyIsTheSpreadOfTheBetterRunnersLossesAveragingOne) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  const std::vector<std::vector<double>> legs = {
      {100, 100, 200}, {105, 130, 200}, {110, 100, 260}, {120, 150, 210}, {kNoData, 170, 300}};
  for (size_t i = 0; i < legs.size(); ++i) {
    analyzer.AddLap(MakeRunner("r" + std::to_string(i), "", {legs[i][0], legs[i][1], legs[i][2]}));
  }
  analyzer.Execute();
  analyzer.ExtraAnalyze();

  // The same figures worked out by hand: samples of the runners ranked below 0.8 x 5 on the leg,
  // miss time / final time as doubles, their sums and the variance
  // (m sum(x^2) - sum(x)^2) / m^2 in single precision, the square root normalised by the mean.
  std::vector<float> raw;
  float raw_sum = 0;
  for (int32_t k = 1; k <= 3; ++k) {
    std::vector<double> samples;
    for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
      auto r = analyzer.FullSetItem(i);
      if (r->IsValidLapTime(k) && r->LapRank(k)->Value() < 4) {
        samples.push_back(r->MissTime(k)->Value() / r->SplitTime(3)->Value());
      }
    }
    ASSERT_EQ(samples.size(), 3u);
    float sum = 0, sum_of_squares = 0;
    for (const double x : samples) {
      sum = static_cast<float>(sum + x);
      sum_of_squares = static_cast<float>(sum_of_squares + x * x);
    }
    const float m = 3;
    raw.push_back(std::sqrt((m * sum_of_squares - sum * sum) / (m * m)));
    raw_sum += raw.back();
  }
  auto general = analyzer.GeneralData();
  float sum = 0;
  for (int32_t k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    // To the last bit: summing in double would change leg 1's index by one unit in the last place.
    EXPECT_EQ(general->LegDifficulty(k)->Value(), raw[k - 1] / (raw_sum / 3));
    sum += general->LegDifficulty(k)->Value();
  }
  EXPECT_NEAR(sum / 3, 1.0, 1e-6);
  EXPECT_EQ(general->LegDifficulty(0), nullptr);
}

TEST(ExtraAnalyze, LegsWithAtMostOneSampleHaveTheRawDifficultyOne) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  analyzer.AddLap(MakeRunner("only", "6:00", {100, 120, 140}));
  analyzer.Execute();
  EXPECT_FLOAT_EQ(analyzer.GeneralData()->LegDifficulty(1)->Value(), 0.0f);  // until extra
  analyzer.ExtraAnalyze();
  for (int32_t k = 1; k <= 3; ++k) {
    EXPECT_FLOAT_EQ(analyzer.GeneralData()->LegDifficulty(k)->Value(), 1.0f);
  }
  // The runner is his own reference: cruise speed 1 on both parts.
  EXPECT_FLOAT_EQ(Find(analyzer, "only")->FirstHalfCruiseSpeed().Value(), 1.0f);
  EXPECT_NEAR(InSeconds(Find(analyzer, "only")->TotalTimeWithoutMiss().Value()), 360, 1e-6);
}

}  // namespace
}  // namespace quorvex2
