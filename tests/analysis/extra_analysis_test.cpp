#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "quorvex2/analysis/analyzer.h"

namespace quorvex2 {
namespace {

using qxtest::ExpectGolden;
using testing::AnalysisText;
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

// A leg's raw difficulty is the spread of the losses (miss time over final time, as doubles) of
// the runners ranked better than 0.8 x 5 on it: the square root of (m sum(x^2) - sum(x)^2) / m^2
// in single precision, the sums taken in single precision too; the raw values are divided by
// their mean, so they average one. Legs with at most one such runner have the raw value one.
TEST(ExtraAnalyze, LegDifficultyIsTheSpreadOfTheBetterRunnersLosses) {
  clsAnalyzer analyzer;
  analyzer.ControlCount = 2;
  analyzer.AddLap(MakeRunner("r0", "", {100, 100, 200}));
  analyzer.AddLap(MakeRunner("r1", "", {105, 130, 200}));
  analyzer.AddLap(MakeRunner("r2", "", {110, 100, 260}));
  analyzer.AddLap(MakeRunner("r3", "", {120, 150, 210}));
  analyzer.AddLap(MakeRunner("r4", "", {kNoData, 170, 300}));
  analyzer.Execute();
  analyzer.ExtraAnalyze();
  std::string text = AnalysisText(analyzer);
  float sum = 0;
  for (int32_t k = 1; k <= 3; ++k) sum += analyzer.GeneralData()->LegDifficulty(k)->Value();
  EXPECT_NEAR(sum / 3, 1.0, 1e-6);

  clsAnalyzer alone;
  alone.ControlCount = 2;
  alone.AddLap(MakeRunner("only", "6:00", {100, 120, 140}));
  alone.Execute();
  EXPECT_FLOAT_EQ(alone.GeneralData()->LegDifficulty(1)->Value(), 0.0f);  // until extra
  alone.ExtraAnalyze();
  ExpectGolden("golden/analysis/leg-difficulty.txt", text + "\n" + AnalysisText(alone));
  EXPECT_EQ(alone.GeneralData()->LegDifficulty(0), nullptr);
}

}  // namespace
}  // namespace quorvex2
