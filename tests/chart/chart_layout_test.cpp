#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/chart_fixture.h"

namespace quorvex2 {
namespace {

using testing::ChartOnPicture;
using testing::DescribeSegment;
using testing::Segment;
using testing::ThreeRunners;

constexpr float kTol = 1e-3f;

std::vector<std::string> LabelTexts(const clsChartObject& chart, int32_t side) {
  std::vector<std::string> texts;
  for (const auto& label : chart.LabelList()) {
    if (label.Side == side) texts.push_back(label.Text);
  }
  return texts;
}

const clsChartChar* FindLabel(const clsChartObject& chart, const std::string& text, int32_t side) {
  for (const auto& label : chart.LabelList()) {
    if (label.Text == text && label.Side == side) return &label;
  }
  return nullptr;
}

int32_t CountGrid(const clsChartObject& chart, int32_t color) {
  int32_t count = 0;
  for (const auto& line : chart.GridList()) count += line.Color == color ? 1 : 0;
  return count;
}

// Split times against the controls: y by the reference times (300 units for 670 s), x at
// 0.2 units a second from 2 minutes before 0.
TEST(ChartLayout, NormalModeScalesOffsetsAndPolylines) {
  auto analyzer = ThreeRunners();
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL);
  EXPECT_FLOAT_EQ(chart->Width(), 500);
  EXPECT_FLOAT_EQ(chart->Height(), 300);
  // The full width is 0.2 × (720 + 240) = 192 units.
  EXPECT_NEAR(chart->WidthOccupied(), 500.0f / 192.0f, kTol);
  EXPECT_FLOAT_EQ(chart->HeightOccupied(), 1);

  // Controls S, 1, 2, F at 0, 300 × 120/670, 300 × 340/670, 300.
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kLeft),
            (std::vector<std::string>{"S", "1", "2", "F"}));
  EXPECT_NEAR(FindLabel(*chart, "1", clsChartChar::kRight)->Position, 300.0f * 120 / 670, kTol);
  EXPECT_NEAR(FindLabel(*chart, "F", clsChartChar::kLeft)->Position, 300, kTol);
  EXPECT_EQ(CountGrid(*chart, 0xC0C0C0), 4);

  // Time lines every minute from -2:00; the axis runs on to the right edge: n = (500 - 24) / 0.2
  // = 2380 s, so the last line inside is 39:00 (x = 492).
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kAbove),
            (std::vector<std::string>{"0:00", "0:10", "0:20", "0:30"}));
  EXPECT_NEAR(FindLabel(*chart, "0:10", clsChartChar::kBelow)->Position, 144, kTol);
  EXPECT_EQ(CountGrid(*chart, 0xD0D0D0) + CountGrid(*chart, 0xA0A0A0), 42);
  EXPECT_EQ(CountGrid(*chart, 0xA0A0A0), 4);
  EXPECT_NEAR(chart->GridList().back().X1, 0.2f * 2340 + 24, kTol);

  // Three segments a runner, listed by runner index (the newest first within a runner); the
  // finish lies on the bottom edge, so the last segment ends there with the bottom flag.
  ASSERT_EQ(chart->SegmentList().Count(), 9);
  EXPECT_EQ(chart->PointList().Count(), 0);
  EXPECT_EQ(DescribeSegment(*chart, 3), "1: 24,0 44,53.731 /0");
  EXPECT_EQ(DescribeSegment(*chart, 1), "1: 84,152.24 144,300 /2");
  EXPECT_EQ(Segment(*chart, 9)->RunnerIndex, 3);
}

TEST(ChartLayout, ARunnerStopsAtTheFirstMissingSplit) {
  auto analyzer = ThreeRunners();
  analyzer->AddLap(testing::MakeRunner("D", "DNF", {150, 250, testing::kNoData}));
  analyzer->Execute();
  ASSERT_EQ(analyzer->Item(4)->RunnerName(), "D");
  auto chart = ChartOnPicture();
  clsGraphicControl().DrawChart(analyzer, chart, QX_CHART_NORMAL);
  // D's two segments, newest first, end at control 2 (300 × 340/670).
  ASSERT_EQ(chart->SegmentList().Count(), 11);
  EXPECT_EQ(DescribeSegment(*chart, 11), "4: 24,0 54,53.731 /0");
  EXPECT_EQ(DescribeSegment(*chart, 10), "4: 54,53.731 104,152.24 /0");
}

TEST(ChartLayout, RelativeModesSubtractTheReferenceTime) {
  auto analyzer = ThreeRunners();
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  // Split - reference: A -20 -40 -70, B 0 20 20, C 20 20 50. The axis starts at -70 - 120 s.
  graphics.DrawChart(analyzer, chart, QX_CHART_RELATIVE);
  EXPECT_NEAR(chart->WidthOccupied(), 500.0f / (0.2f * (120 + 240)), kTol);
  const float offset = 0.2f * 190;
  EXPECT_NEAR(Segment(*chart, 3)->X2, 0.2f * -20 + offset, kTol);
  EXPECT_NEAR(Segment(*chart, 1)->X2, 0.2f * -70 + offset, kTol);
  EXPECT_NEAR(Segment(*chart, 7)->X2, 0.2f * 50 + offset, kTol);

  // 1.3 × reference: C ends at 720 - 871 = -151 s, A at 600 - 871 = -271 s (the axis start + 120).
  graphics.DrawChart(analyzer, chart, QX_CHART_RELATIVE_130);
  EXPECT_EQ(chart->ChartMode(), QX_CHART_RELATIVE_130);
  EXPECT_NEAR(Segment(*chart, 1)->X2, 24, 0.21f);
  EXPECT_NEAR(Segment(*chart, 7)->X2, 24 + 0.2f * 120, 0.21f);
}

TEST(ChartLayout, RealTimeStartsAtTheEarliestStart) {
  auto analyzer = std::make_shared<clsAnalyzer>();
  auto a = testing::MakeRunner("a", "0:10:00", {100, 200, 300});
  a->StartTime.Value(10 * kHour);
  auto b = testing::MakeRunner("b", "0:11:30", {120, 240, 330});
  b->StartTime.Value(10 * kHour + 2 * kMinute);
  analyzer->AddLap(a);
  analyzer->AddLap(b);
  analyzer->AddLap(testing::MakeRunner("c", "0:12:00", {140, 220, 360}));
  analyzer->ControlCount = 2;
  analyzer->Execute();
  auto chart = ChartOnPicture();
  clsGraphicControl().DrawChart(analyzer, chart, QX_CHART_REALTIME);
  // c has no start time and is not drawn.
  ASSERT_EQ(chart->SegmentList().Count(), 6);
  EXPECT_NEAR(Segment(*chart, 3)->X1, 24, 0.01f);
  EXPECT_NEAR(Segment(*chart, 6)->X1, 24 + 0.2f * 120, 0.01f);
  EXPECT_NEAR(chart->WidthOccupied(), 500 / (0.2f * (810 + 240)), kTol);
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kAbove).front(), "10:00");
  EXPECT_NEAR(FindLabel(*chart, "10:10", clsChartChar::kAbove)->Position, 144, 0.01f);

  // Without any start time the axis runs from 0 and nobody is drawn.
  auto none = ThreeRunners();
  clsGraphicControl().DrawChart(none, chart, QX_CHART_REALTIME);
  EXPECT_EQ(chart->SegmentList().Count(), 0);
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kAbove).front(), "0:00");
}

TEST(ChartLayout, ZoomAndScrollValuesAreClampedAndReplaced) {
  auto analyzer = ThreeRunners();
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL, 0.3f, 0.5f, 1.7f, -1);
  // Raised to the least ratios; the whole width fits: no scrolling.
  EXPECT_EQ(testing::ViewText(*chart), "ratio 0.5,1 position 0,0 occupied 5.208,1");

  // 5 units a second: 960 units wide, scrolled to the right end (offset 500 - 960 + 120).
  graphics.DrawChart(analyzer, chart, QX_CHART_NORMAL, 5, 2, 1.7f, 1);
  EXPECT_EQ(testing::ViewText(*chart), "ratio 5,2 position 1,0.5 occupied 0.5208,0.5");
  // The lower half: only controls 2 (600 × 340/670 - 300) and F (300) are inside.
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kLeft), (std::vector<std::string>{"2", "F"}));
  EXPECT_NEAR(FindLabel(*chart, "2", clsChartChar::kLeft)->Position, 600.0f * 340 / 670 - 300,
              kTol);
  // The time axis reaches the right edge: a line at 840 s lies on x = 500.
  EXPECT_NEAR(chart->GridList().back().X1, 500, kTol);
  EXPECT_EQ(chart->GridList().back().Color, 0xD0D0D0);
  // Every kept part lies inside; B enters through the top on its way to control 2.
  bool top_entry = false;
  for (const auto& entry : chart->SegmentList().LineSet()) {
    auto line = std::static_pointer_cast<clsChartLine>(std::get<std::shared_ptr<void>>(entry.Item));
    EXPECT_GE(line->X1, 0);
    EXPECT_GE(line->Y1, 0);
    EXPECT_LE(line->X2, 500);
    EXPECT_LE(line->Y2, 300);
    top_entry = top_entry || (line->ClipFlags & clsChartLine::kClipTop) != 0;
  }
  EXPECT_TRUE(top_entry);
}

TEST(ChartLayout, AutoSizeFitsThePictureToTheChart) {
  auto analyzer = ThreeRunners();
  auto picture = std::make_shared<PictureBox>(604, 400);
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(picture);
  chart->AutoSize = true;
  clsGraphicControl().DrawChart(analyzer, chart, QX_CHART_NORMAL);
  EXPECT_EQ(picture->Width(), 192 + 104);
  EXPECT_FLOAT_EQ(chart->Width(), 192);
  EXPECT_FLOAT_EQ(chart->WidthOccupied(), 1);
  // The last time line lies on the right edge, two minutes after the last finish.
  EXPECT_NEAR(chart->GridList().back().X1, 0.2f * 840 + 24, kTol);
}

// The scatter charts get their figures set by hand.
void SetFigures(clsAnalyzedRunnerData& runner, float cruise, float miss_rate, float first,
                float second) {
  const auto key = detail::MakeInternal();
  runner.CruiseSpeed(key).SetValue(cruise, key);
  runner.MissRate(key).SetValue(miss_rate, key);
  runner.FirstHalfCruiseSpeed(key).SetValue(first, key);
  runner.SecondHalfCruiseSpeed(key).SetValue(second, key);
}

TEST(ChartLayout, CruiseSpeedAgainstMissRate) {
  auto analyzer = ThreeRunners();
  SetFigures(*analyzer->Item(1), 1.055f, 0.125f, 1, 1.205f);
  SetFigures(*analyzer->Item(2), 0.955f, 0.305f, 1, 0.905f);
  SetFigures(*analyzer->Item(3), 0, 0.2f, 0, 0);
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_MISSRATE);
  // x: 95 .. 106 % at 10 units, from 93 %; y: 0 .. 31 % over 300 units.
  EXPECT_NEAR(chart->WidthOccupied(), 500.0f / 150, kTol);
  // Runner 3 without a cruise speed is left out; y of 12.5 % is 12.5 × 300/31.
  EXPECT_EQ(testing::PointTexts(*chart),
            (std::vector<std::string>{"1: 125,120.97", "2: 25,295.16"}));
  // Percent labels every 10 % up to the one 60 units before the right edge; the cruise axis
  // reaches the right edge (143 %).
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kAbove),
            (std::vector<std::string>{"100", "110", "120", "130", "巡行速度"}));
  EXPECT_NEAR(chart->GridList().back().X1, 500, 0.01f);
  // Miss-rate labels on even lines from 20 units down: 4 .. 30, then the title.
  const auto left = LabelTexts(*chart, clsChartChar::kLeft);
  ASSERT_EQ(left.size(), 15u);
  EXPECT_EQ(left.front(), "4");
  EXPECT_EQ(left[13], "30");
  EXPECT_EQ(left.back(), "ミス率");

  // Second half against first half: 88 .. 122 % over 300 units.
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_HALFRATIO);
  ASSERT_EQ(chart->PointList().Count(), 2);
  EXPECT_NEAR(chart->PointList().ObjectItemAs<clsChartLine>(1)->Y1, (120.5f - 88) * 300 / 34,
              0.01f);
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kRight).front(), "92%");
  EXPECT_EQ(FindLabel(*chart, "／前巡行", clsChartChar::kLeft)->Position, 17);

  // The titles follow the root object's language.
  clsQuorvex2 root;
  root.Language("en");
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_HALFRATIO);
  ASSERT_NE(FindLabel(*chart, "/ 1st half", clsChartChar::kLeft), nullptr);
  graphics.DrawChart(analyzer, chart, QX_CHART_CRUISE_MISSRATE);
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kAbove).back(), "Cruise speed");
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kLeft).back(), "Miss rate");
}

TEST(ChartLayout, TovarineMapWidensBothRanges) {
  auto analyzer = ThreeRunners();
  analyzer->Item(1)->TovarineX(10);
  analyzer->Item(1)->TovarineY(-20);
  analyzer->Item(2)->TovarineX(-30);
  analyzer->Item(2)->TovarineY(40);
  auto chart = ChartOnPicture();
  clsGraphicControl graphics;
  graphics.DrawChart(analyzer, chart, QX_CHART_TOVARINE);
  // x -34 .. 14 over the width, from -36; y -26 .. 46 over the height.
  const float x_scale = 500.0f / 48, y_scale = 300.0f / 72;
  EXPECT_FLOAT_EQ(chart->WidthOccupied(), 1);
  ASSERT_EQ(chart->PointList().Count(), 3);
  EXPECT_EQ(testing::PointTexts(*chart)[1], "2: 62.5,275");  // (-30 + 36, 40 + 26) scaled
  // The zero axes come last, in black.
  const auto& grid = chart->GridList();
  ASSERT_GE(grid.size(), 2u);
  EXPECT_EQ(grid[grid.size() - 2].Color, 0);
  EXPECT_NEAR(grid[grid.size() - 2].Y1, 26 * y_scale, 0.01f);
  EXPECT_NEAR(grid.back().X1, 36 * x_scale, 0.01f);
  EXPECT_EQ(LabelTexts(*chart, clsChartChar::kLeft),
            (std::vector<std::string>{"-20", "-10", "10", "20", "30", "40", "0"}));

  // Everybody at y 0: the range becomes -100 .. 100. A runner without a valid result is left out.
  for (int32_t i = 1; i <= 3; ++i) analyzer->Item(i)->TovarineY(0);
  analyzer->Item(3)->OtherData()->Result("DNF");
  graphics.DrawChart(analyzer, chart, QX_CHART_TOVARINE);
  EXPECT_NEAR(FindLabel(*chart, "0", clsChartChar::kLeft)->Position, 150, 0.01f);
  EXPECT_EQ(chart->PointList().Count(), 2);
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
