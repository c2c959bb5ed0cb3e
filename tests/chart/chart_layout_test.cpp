// Chart layouts of small known data sets, each compared whole with its golden file: the view,
// axis labels, grid lines, runner segments with their clip flags and runner points.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/chart_fixture.h"

namespace quorvex2 {
namespace {

using testing::ChartOnPicture;
using testing::MakeRunner;
using testing::ThreeRunners;

// The three runners and D, who stops after control 1.
std::shared_ptr<clsAnalyzer> WithAStop() {
  auto analyzer = ThreeRunners();
  analyzer->AddLap(MakeRunner("D", "DNF", {150, 250, testing::kNoData}));
  analyzer->Execute();
  return analyzer;
}

// a starts at 10:00, b at 10:02, c has no start time.
std::shared_ptr<clsAnalyzer> WithStartTimes() {
  auto analyzer = std::make_shared<clsAnalyzer>();
  auto a = MakeRunner("a", "0:10:00", {100, 200, 300});
  a->StartTime.Value(10 * kHour);
  auto b = MakeRunner("b", "0:11:30", {120, 240, 330});
  b->StartTime.Value(10 * kHour + 2 * kMinute);
  analyzer->AddLap(a);
  analyzer->AddLap(b);
  analyzer->AddLap(MakeRunner("c", "0:12:00", {140, 220, 360}));
  analyzer->ControlCount = 2;
  analyzer->Execute();
  return analyzer;
}

// Cruise speeds, miss rates and half speeds set by hand; runner 3 has no cruise speed.
std::shared_ptr<clsAnalyzer> WithFigures() {
  auto analyzer = ThreeRunners();
  const float figures[3][4] = {{1.055f, 0.125f, 1, 1.205f}, {0.955f, 0.305f, 1, 0.905f}, {0, 0.2f}};
  const auto key = detail::MakeInternal();
  for (int32_t i = 1; i <= 3; ++i) {
    auto& runner = *analyzer->Item(i);
    runner.CruiseSpeed(key).SetValue(figures[i - 1][0], key);
    runner.MissRate(key).SetValue(figures[i - 1][1], key);
    runner.FirstHalfCruiseSpeed(key).SetValue(figures[i - 1][2], key);
    runner.SecondHalfCruiseSpeed(key).SetValue(figures[i - 1][3], key);
  }
  return analyzer;
}

// A map of x -34 .. 14 and y -26 .. 46, or everybody at y 0 and runner 3 without a result.
std::shared_ptr<clsAnalyzer> WithMap(bool flat) {
  auto analyzer = ThreeRunners();
  const float xy[3][2] = {{10, -20}, {-30, 40}, {0, 0}};
  for (int32_t i = 1; i <= 3; ++i) {
    analyzer->Item(i)->TovarineX(xy[i - 1][0]);
    analyzer->Item(i)->TovarineY(flat ? 0 : xy[i - 1][1]);
  }
  if (flat) analyzer->Item(3)->OtherData()->Result("DNF");
  return analyzer;
}

TEST(ChartLayout, EveryModeOfKnownDataSets) {
  const struct {
    const char* golden;
    std::shared_ptr<clsAnalyzer> analyzer;
    int32_t mode;
    float ratio_x = 1, ratio_y = 1, position_x = 0, position_y = 0;
  } cases[] = {
      // Split times against controls spaced by the reference times (300 units for 670 s), 0.2
      // units a second from 2 minutes before 0; the time axis runs on to the right edge.
      {"chart/normal.txt", ThreeRunners(), QX_CHART_NORMAL},
      {"chart/stop-at-missing-split.txt", WithAStop(), QX_CHART_NORMAL},
      // Ratios raised to the least; the whole width fits: no scrolling.
      {"chart/least-ratios.txt", ThreeRunners(), QX_CHART_NORMAL, 0.3f, 0.5f, 1.7f, -1},
      // 960 units wide, scrolled to the right end and to the lower half.
      {"chart/zoomed-and-scrolled.txt", ThreeRunners(), QX_CHART_NORMAL, 5, 2, 1.7f, 1},
      // Split - reference: the axis starts at -70 - 120 s; then split - 1.3 × reference.
      {"chart/relative.txt", ThreeRunners(), QX_CHART_RELATIVE},
      {"chart/relative-130.txt", ThreeRunners(), QX_CHART_RELATIVE_130},
      // Clock time from the earliest start; runners without a start time are not drawn.
      {"chart/realtime.txt", WithStartTimes(), QX_CHART_REALTIME},
      {"chart/realtime-no-starts.txt", ThreeRunners(), QX_CHART_REALTIME},
      {"chart/cruise-missrate.txt", WithFigures(), QX_CHART_CRUISE_MISSRATE},
      {"chart/cruise-halfratio.txt", WithFigures(), QX_CHART_CRUISE_HALFRATIO},
      {"chart/tovarine.txt", WithMap(false), QX_CHART_TOVARINE},
      {"chart/tovarine-flat.txt", WithMap(true), QX_CHART_TOVARINE},
  };
  for (const auto& c : cases) {
    auto chart = ChartOnPicture();
    clsGraphicControl().DrawChart(c.analyzer, chart, c.mode, c.ratio_x, c.ratio_y, c.position_x,
                                  c.position_y);
    qxtest::ExpectGolden(c.golden, testing::DumpLayout(*chart));
  }
}

TEST(ChartLayout, AutoSizeFitsThePictureToTheChart) {
  auto picture = std::make_shared<PictureBox>(604, 400);
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(picture);
  chart->AutoSize = true;
  clsGraphicControl().DrawChart(ThreeRunners(), chart, QX_CHART_NORMAL);
  EXPECT_EQ(picture->Width(), 192 + 104);
  // The plot is as wide as the chart; the last time line lies on its right edge, two minutes
  // after the last finish.
  qxtest::ExpectGolden("chart/auto-size.txt", testing::DumpLayout(*chart));
}

TEST(ChartLayout, TitlesFollowTheRootsLanguage) {
  auto analyzer = WithFigures();
  auto chart = ChartOnPicture();
  clsQuorvex2 root;
  root.Language("en");
  std::set<std::string> titles;
  for (int32_t mode : {QX_CHART_CRUISE_MISSRATE, QX_CHART_CRUISE_HALFRATIO}) {
    clsGraphicControl().DrawChart(analyzer, chart, mode);
    for (const auto& label : chart->LabelList()) {
      if (label.Text.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
        titles.insert(label.Text);
      }
    }
  }
  EXPECT_EQ(titles, (std::set<std::string>{"/ 1st half", "2nd half", "Cruise speed", "Miss rate"}));
}

TEST(ChartLayout, RunnerSettingsSurviveALayoutOfTheSameDataSet) {
  auto analyzer = ThreeRunners();
  auto chart = ChartOnPicture();
  int32_t color = 7, width = 7, flag = 7, back = 7, back_width = 7;
  const auto settings = [&](int32_t runner) {
    chart->GetRunnerSetting(runner, color, width, flag);
    chart->GetRunnerSetting2(runner, back, back_width);
    return std::vector<int32_t>{color, width, flag, back, back_width};
  };
  chart->SetRunnerSetting(1, 0x123456, 3, 1);  // no data set yet: nothing happens
  EXPECT_EQ(settings(1), (std::vector<int32_t>{7, 7, 7, 7, 7}));

  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL);
  chart->SetRunnerSetting(3, 0x123456, 3, 1);
  chart->SetRunnerSetting2(3, 0xABCDEF, 6);
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_MISSRATE);
  EXPECT_EQ(settings(3), (std::vector<int32_t>{0x123456, 3, 1, 0xABCDEF, 6}));
  EXPECT_THROW(chart->SetRunnerSetting(4, 0, 0, 0), std::out_of_range);
  EXPECT_THROW(chart->GetRunnerSetting2(-1, color, width), std::out_of_range);
  EXPECT_THROW(chart->GetRunnerStyle(4), std::out_of_range);

  // Another data set (same runners, other name) starts from default settings.
  analyzer->DataSetName("W21A");
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL);
  EXPECT_EQ(settings(3), (std::vector<int32_t>{0, 0, 0, 0, 0}));
  chart->SetRunnerSetting(3, 0x123456, 3, 1);
  chart->ClearRunnerSetting();
  EXPECT_EQ(settings(3), (std::vector<int32_t>{0, 0, 0, 0, 0}));
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

TEST(ChartLayout, PrintBookSizesThePlotInThirdsOfItsUnit) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 2, 10, 10, 10, 10, 1);
  clsChartObject chart;
  chart.PrintBookObject(book);
  EXPECT_FLOAT_EQ(chart.Width(), book->Width() * 3 - 104);
  EXPECT_FLOAT_EQ(chart.Height(), book->Height() * 3 - 104);
}

}  // namespace
}  // namespace quorvex2
