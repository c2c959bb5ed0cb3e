// Chart layouts of small known data sets, each compared whole with its golden file: the view,
// axis labels, grid lines, runner segments with their clip flags and runner points.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "chart/chart_fixture.h"

namespace quorvex2 {
namespace {

using testing::ChartOnPicture;
using testing::MakeRunner;
using testing::ThreeRunners;
using testing::WithFigures;

// The three runners and D, who stops after control 1.
std::shared_ptr<clsAnalyzer> WithAStop() {
  auto analyzer = ThreeRunners();
  analyzer->AddLap(MakeRunner("D", "DNF", {150, 250, testing::kNoData}));
  analyzer->Execute();
  return analyzer;
}

// The three runners: A starts at 10:00, B at 10:02, C has no start time.
std::shared_ptr<clsAnalyzer> WithStartTimes() {
  auto analyzer = ThreeRunners();
  analyzer->Item(1)->OtherData()->StartTime.Value(10 * kHour);
  analyzer->Item(2)->OtherData()->StartTime.Value(10 * kHour + 2 * kMinute);
  return analyzer;
}

// A map of x -34 .. 14 and y -26 .. 46 (C at the origin), or everybody at y 0 and C without a
// valid result.
std::shared_ptr<clsAnalyzer> WithMap(bool flat) {
  auto analyzer = ThreeRunners();
  analyzer->Item(1)->TovarineX(10);
  analyzer->Item(1)->TovarineY(flat ? 0 : -20);
  analyzer->Item(2)->TovarineX(-30);
  analyzer->Item(2)->TovarineY(flat ? 0 : 40);
  if (flat) analyzer->Item(3)->OtherData()->Result("DNF");
  return analyzer;
}

TEST(ChartLayout, EveryModeOfKnownDataSets) {
  const struct {
    const char* golden;
    std::shared_ptr<clsAnalyzer> analyzer;
    int32_t mode;
    const char* language = "ja";   // the titles follow the root object's language
    float view[4] = {1, 1, 0, 0};  // ratio x and y, position x and y
    bool auto_size = false;
  } cases[] = {
      // Split times against controls spaced by the reference times (300 units for 670 s), 0.2
      // units a second from 2 minutes before 0; the time axis runs on to the right edge.
      {"chart/normal.txt", ThreeRunners(), QX_CHART_NORMAL},
      {"chart/stop-at-missing-split.txt", WithAStop(), QX_CHART_NORMAL},
      // Ratios raised to the least; the whole width fits: no scrolling.
      {"chart/least-ratios.txt", ThreeRunners(), QX_CHART_NORMAL, "ja", {0.3f, 0.5f, 1.7f, -1}},
      // 960 units wide, scrolled to the right end and to the lower half.
      {"chart/zoomed-and-scrolled.txt", ThreeRunners(), QX_CHART_NORMAL, "ja", {5, 2, 1.7f, 1}},
      // The picture made as wide as the chart: the last time line lies on the right edge, two
      // minutes after the last finish.
      {"chart/auto-size.txt", ThreeRunners(), QX_CHART_NORMAL, "ja", {1, 1, 0, 0}, true},
      // Split - reference: the axis starts at -70 - 120 s; then split - 1.3 × reference.
      {"chart/relative.txt", ThreeRunners(), QX_CHART_RELATIVE},
      {"chart/relative-130.txt", ThreeRunners(), QX_CHART_RELATIVE_130},
      // Clock time from the earliest start; runners without a start time are not drawn.
      {"chart/realtime.txt", WithStartTimes(), QX_CHART_REALTIME},
      {"chart/realtime-no-starts.txt", ThreeRunners(), QX_CHART_REALTIME},
      {"chart/cruise-missrate.txt", WithFigures(), QX_CHART_CRUISE_MISSRATE},
      {"chart/cruise-halfratio.txt", WithFigures(), QX_CHART_CRUISE_HALFRATIO},
      {"chart/cruise-missrate-en.txt", WithFigures(), QX_CHART_CRUISE_MISSRATE, "en"},
      {"chart/cruise-halfratio-en.txt", WithFigures(), QX_CHART_CRUISE_HALFRATIO, "en"},
      {"chart/tovarine.txt", WithMap(false), QX_CHART_TOVARINE},
      {"chart/tovarine-flat.txt", WithMap(true), QX_CHART_TOVARINE},
  };
  for (const auto& c : cases) {
    clsQuorvex2 root;
    root.Language(c.language);
    auto chart = ChartOnPicture();
    chart->AutoSize = c.auto_size;
    clsGraphicControl().DrawChart(c.analyzer, chart, c.mode, c.view[0], c.view[1], c.view[2],
                                  c.view[3]);
    qxtest::ExpectGolden(std::string("golden/") + c.golden, testing::DumpLayout(*chart));
  }
}

// Runner settings wait for a data set, survive a layout of the same data set in another mode and
// start afresh with another data set (same runners, other name) or when cleared.
TEST(ChartLayout, RunnerSettingsSurviveALayoutOfTheSameDataSet) {
  auto analyzer = ThreeRunners();
  auto chart = ChartOnPicture();
  const auto settings = [&](int32_t runner) {
    std::vector<int32_t> s(5, 7);
    chart->GetRunnerSetting(runner, s[0], s[1], s[2]);
    chart->GetRunnerSetting2(runner, s[3], s[4]);
    return s;
  };
  chart->SetRunnerSetting(1, 0x123456, 3, 1);
  EXPECT_EQ(settings(1), (std::vector<int32_t>{7, 7, 7, 7, 7}));

  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL);
  chart->SetRunnerSetting(3, 0x123456, 3, 1);
  chart->SetRunnerSetting2(3, 0xABCDEF, 6);
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_MISSRATE);
  EXPECT_EQ(settings(3), (std::vector<int32_t>{0x123456, 3, 1, 0xABCDEF, 6}));
  EXPECT_THROW(chart->SetRunnerSetting(4, 0, 0, 0), std::out_of_range);
  int32_t back = 0, back_width = 0;
  EXPECT_THROW(chart->GetRunnerSetting2(-1, back, back_width), std::out_of_range);

  analyzer->DataSetName("W21A");
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL);
  EXPECT_EQ(settings(3), (std::vector<int32_t>(5, 0)));
  chart->SetRunnerSetting(3, 0x123456, 3, 1);
  chart->ClearRunnerSetting();
  EXPECT_EQ(settings(3), (std::vector<int32_t>(5, 0)));
}

TEST(ChartLayout, MoreThanThirtyOneLegsFailsExceptForTheMissRateChart) {
  auto analyzer = ThreeRunners();
  analyzer->ControlCount = 31;
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  for (int32_t mode : {0, 1, 2, 3, 4, 6, 7}) {
    EXPECT_THROW(graphics.DrawChart(analyzer, chart, mode), std::out_of_range) << mode;
  }
  EXPECT_NO_THROW(graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_MISSRATE));
  analyzer->ControlCount = 30;
  EXPECT_NO_THROW(graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL));
  EXPECT_THROW(graphics.DrawChart(analyzer, chart, 8), std::out_of_range);
}

}  // namespace
}  // namespace quorvex2
