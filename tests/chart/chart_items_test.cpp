#include <gtest/gtest.h>

#include "chart/chart_fixture.h"

namespace quorvex2 {
namespace {

using testing::ChartOnPicture;
using testing::ThreeRunners;

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
