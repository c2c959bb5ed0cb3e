// Chart layouts of small known data sets, each compared whole with its golden file: the view,
// axis labels, grid lines, runner segments with their clip flags and runner points; runner
// settings and styles; and the items a layout adds: segments clipped at each edge, what lies
// outside the plot left out, and the runner nearest the mouse.
#include <gtest/gtest.h>

#include <algorithm>
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

// The finish lies on the bottom edge whatever the reference total comes to: its grid line and
// its "F" labels are there, also zoomed in, and the runner's last segment ends on the edge (flag 2,
// which puts his name under the plot). In real time the axis starts at the first start of a runner
// with a split time: one who started earlier but has none moves nothing.
TEST(ChartLayout, FinishOnTheBottomEdgeAndTheAxisFromTimedRunners) {
  for (const int32_t total : {303, 333, 997, 2345}) {
    SCOPED_TRACE(total);
    auto analyzer = std::make_shared<clsAnalyzer>();
    analyzer->AddLap(MakeRunner("A", "", {133, total - 133.0}));
    analyzer->ControlCount = 1;
    analyzer->Execute();
    auto chart = ChartOnPicture(800, 600);
    // Also zoomed in and scrolled to the bottom.
    for (const float ratio_y : {20.0f, 10.0f, 3.0f, 1.0f}) {
      clsGraphicControl().DrawChart(analyzer, chart, QX_CHART_NORMAL, 1, ratio_y, 0, 1);
      int32_t finish_lines = 0, finish_labels = 0;
      for (const auto& line : chart->GridList()) finish_lines += line.Y1 == chart->Height();
      for (const auto& label : chart->LabelList()) finish_labels += label.Text == "F";
      EXPECT_EQ(finish_lines, 1) << ratio_y;
      EXPECT_EQ(finish_labels, 2) << ratio_y;
    }
    const auto& segments = chart->SegmentList();
    ASSERT_EQ(segments.Count(), 2);
    int32_t on_edge = 0;
    for (int32_t i = 1; i <= 2; ++i) {
      on_edge += segments.ObjectItemAs<clsChartLine>(i)->ClipFlags == 2;
    }
    EXPECT_EQ(on_edge, 1);
  }
  auto analyzer = WithStartTimes();
  auto early = MakeRunner("D", "DNS", {testing::kNoData, testing::kNoData, testing::kNoData});
  early->StartTime.Value(9 * kHour);
  analyzer->AddLap(early);
  analyzer->Execute();
  auto chart = ChartOnPicture();
  clsGraphicControl().DrawChart(analyzer, chart, QX_CHART_REALTIME);
  const auto& labels = chart->LabelList();
  const auto first_time = std::find_if(labels.begin(), labels.end(), [](const auto& label) {
    return label.Side == clsChartChar::kAbove;
  });
  ASSERT_NE(first_time, labels.end());
  EXPECT_EQ(first_time->Text, "10:00");
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

// A chart of the three runners with a 500 × 300 plot and no items yet.
std::shared_ptr<clsChartObject> EmptyChart() {
  auto chart = ChartOnPicture();
  const auto key = detail::MakeInternal();
  chart->AttachAnalyzer(ThreeRunners(), key);
  chart->InitChart(key);
  return chart;
}

// Adds one segment of runner 1 and describes what was kept ("dropped" when nothing was).
std::string Clip(float x1, float y1, float x2, float y2) {
  auto chart = EmptyChart();
  chart->AddRunnerSegment(x1, y1, x2, y2, 1, detail::MakeInternal());
  return chart->SegmentList().Count() == 0 ? "dropped" : testing::Describe(chart->SegmentList(), 1);
}

TEST(ChartItems, SegmentsAreClippedAtEachEdgeWithTheirFlags) {
  const struct {
    float x1, y1, x2, y2;
    const char* kept;
  } cases[] = {
      {10, 20, 30, 40, "1: 10,20 30,40 /0"},
      {10, -10, 30, 10, "1: 20,0 30,10 /1"},          // enters at the top
      {-10, 10, 10, 30, "1: 0,20 10,30 /4"},          // enters at the left
      {100, 200, 120, 400, "1: 100,200 110,300 /2"},  // leaves at the bottom
      {400, 100, 600, 200, "1: 400,100 500,150 /8"},  // leaves at the right
      {50, -100, 70, 400, "1: 54,0 66,300 /3"},       // both ends
      // A start above and left: the top edge if the crossing lies on it, else the left edge.
      {-10, -20, 30, 20, "1: 10,0 30,20 /1"},
      {-20, -10, 20, 30, "1: 0,10 20,30 /4"},
      // An end below and right: the bottom edge if the crossing lies on it, else the right edge.
      {490, 280, 510, 340, "1: 490,280 496.67,300 /2"},
      {480, 290, 540, 310, "1: 480,290 500,296.67 /8"},
      {450, 250, 550, 350, "1: 450,250 500,300 /2"},  // through the corner
      {0, 0, 600, 150, "1: 0,0 500,125 /9"},          // a start at the origin enters at the top
      // Wholly left, above, right or below, or crossing an edge beyond the far corner.
      {-10, -10, -5, 20, "dropped"},
      {10, -10, 20, -5, "dropped"},
      {500, 10, 600, 20, "dropped"},
      {10, 300, 20, 400, "dropped"},
      {490, -10, 530, 10, "dropped"},
      {-10, 290, 10, 310, "dropped"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Clip(c.x1, c.y1, c.x2, c.y2), c.kept)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

TEST(ChartItems, GridLabelsAndPointsOutsideThePlotAreLeftOut) {
  auto chart = EmptyChart();
  const auto key = detail::MakeInternal();
  chart->AddGridLine(0, 0, 500, 300, 1, key);
  chart->AddGridLine(-1, 0, 10, 10, 2, key);
  chart->AddGridLine(0, 0, 500.5f, 10, 3, key);
  chart->AddGridLine(0, 0, 10, 300.5f, 4, key);
  ASSERT_EQ(chart->GridList().size(), 1u);
  chart->AddLabel("a", clsChartChar::kAbove, 500, 0, key);
  chart->AddLabel("b", clsChartChar::kBelow, 301, 0, key);  // x 301 is inside the width
  chart->AddLabel("c", clsChartChar::kLeft, 301, 0, key);   // y 301 is below the plot
  chart->AddLabel("d", clsChartChar::kRight, -0.5f, 0, key);
  ASSERT_EQ(chart->LabelList().size(), 2u);
  EXPECT_EQ(chart->LabelList()[1].Text, "b");
  chart->AddRunnerPoint(500, 300, 2, key);
  chart->AddRunnerPoint(500.1f, 10, 2, key);
  chart->AddRunnerPoint(10, -0.1f, 2, key);
  EXPECT_EQ(chart->PointList().Count(), 1);
}

TEST(ChartItems, MousePointFindsTheNearestRunnerWithinSixUnits) {
  auto chart = EmptyChart();
  const auto key = detail::MakeInternal();
  chart->AddRunnerSegment(100, 100, 200, 100, 2, key);  // horizontal
  chart->AddRunnerSegment(100, 100, 100, 200, 3, key);  // vertical, shares the start
  chart->AddRunnerPoint(300, 50, 1, key);
  const auto at = [&](float x, float y) { return chart->MousePointRunnerIndex(x + 52, y + 50); };
  EXPECT_EQ(at(150, 103), 2);
  EXPECT_EQ(at(97, 150), 3);
  EXPECT_EQ(at(203, 104), 2);  // beyond the end: distance 5 to the end point
  EXPECT_EQ(at(205, 104), 0);  // 6.4 from the end
  EXPECT_EQ(at(150, 106), 0);  // exactly 6 is too far
  EXPECT_EQ(at(150, 105.9f), 2);
  EXPECT_EQ(at(304, 53), 1);  // a point: distance 5
  EXPECT_EQ(at(300, 56), 0);
  // A tie goes to the earlier entry: runner 2 is listed before runner 3.
  EXPECT_EQ(at(100, 100), 2);
  // The mouse outside the plot is moved onto its edge first.
  EXPECT_EQ(chart->MousePointRunnerIndex(52 + 300, 0), 0);  // y -50 -> 0: 50 from the point
  chart->AddRunnerPoint(300, 0, 3, key);
  EXPECT_EQ(chart->MousePointRunnerIndex(52 + 300, 0), 3);
}

// Three bold colours, then four pale thin ones; a setting's width below 0 hides the runner.
TEST(ChartItems, RunnerStylesByDefaultAndBySetting) {
  auto chart = std::make_shared<clsChartObject>();
  auto analyzer = std::make_shared<clsAnalyzer>();
  for (int32_t i = 0; i < 8; ++i) analyzer->AddLap(testing::MakeRunner("r", "0:10:00", {100}));
  analyzer->Execute();
  chart->AttachAnalyzer(analyzer, detail::MakeInternal());
  chart->SetRunnerSetting(1, 0x112233, -1, 1);
  chart->SetRunnerSetting(8, 0x112233, 4, 1);
  std::string styles;
  for (int32_t i = 1; i <= 8; ++i) {
    const ChartRunnerStyle s = chart->GetRunnerStyle(i);
    styles += qxtest::Printf("%06X %d %d; ", s.Color, s.Width, s.Flag);
  }
  EXPECT_EQ(styles,
            "112233 0 1; FF0000 2 0; 008000 2 0; 80C080 1 0; C08080 1 0; 80A0A0 1 0; A0A080 1 0; "
            "112233 4 1; ");
  EXPECT_THROW(chart->GetRunnerStyle(9), std::out_of_range);
}

}  // namespace
}  // namespace quorvex2
