#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "chart/chart_fixture.h"

namespace quorvex2 {
namespace {

using testing::ThreeRunners;

int32_t Red(int32_t c) {
  return c & 0xFF;
}
int32_t Green(int32_t c) {
  return (c >> 8) & 0xFF;
}
int32_t Blue(int32_t c) {
  return (c >> 16) & 0xFF;
}

bool Reddish(int32_t c) {
  return Red(c) > 180 && Green(c) < 90 && Blue(c) < 90;
}
bool Bluish(int32_t c) {
  return Blue(c) > 180 && Red(c) < 90 && Green(c) < 90;
}
bool Greenish(int32_t c) {
  return Green(c) > 90 && Red(c) < 60 && Blue(c) < 60;
}
bool Dark(int32_t c) {
  return Red(c) < 100 && Green(c) < 100 && Blue(c) < 100;
}

// True when a pixel of the rectangle (target coordinates, inclusive) matches.
bool AnyPixel(PictureBox& picture, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
              const std::function<bool(int32_t)>& match) {
  for (int32_t y = y1; y <= y2; ++y) {
    for (int32_t x = x1; x <= x2; ++x) {
      if (match(picture.Point(static_cast<float>(x), static_cast<float>(y)))) return true;
    }
  }
  return false;
}

// x of a runner's last segment (control 2 at y 152.24 to the finish at 300) at plot y 290,
// in target coordinates.
int32_t FinishApproach(float x_control2, float x_finish) {
  const float t = (290 - 300.0f * 340 / 670) / (300 - 300.0f * 340 / 670);
  return static_cast<int32_t>(x_control2 + (x_finish - x_control2) * t + 52);
}

TEST(ChartDraw, PictureShowsRunnerColoursFrameAndLabels) {
  auto picture = std::make_shared<PictureBox>(604, 400);
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(picture);
  clsGraphicControl().DrawChart(ThreeRunners(), chart, QX_CHART_NORMAL);
  chart->DrawChart();

  // Last legs: A 84 -> 144, B 96 -> 162, C 96 -> 168 (plot x at controls 2 and F).
  const int32_t y = 290 + 50;
  const int32_t a = FinishApproach(84, 144), b = FinishApproach(96, 162),
                c = FinishApproach(96, 168);
  EXPECT_TRUE(AnyPixel(*picture, a - 1, y, a + 1, y, Reddish));
  EXPECT_TRUE(AnyPixel(*picture, b - 1, y, b + 1, y, Bluish));
  EXPECT_TRUE(AnyPixel(*picture, c - 1, y, c + 1, y, Greenish));
  EXPECT_FALSE(AnyPixel(*picture, 60, 300, 120, 345, Reddish));  // nothing where no line runs

  // The frame in black around the plot (52, 50) - (552, 350).
  EXPECT_EQ(picture->Point(52, 200), 0);
  EXPECT_EQ(picture->Point(552, 200), 0);
  EXPECT_EQ(picture->Point(300, 50), 0);
  EXPECT_EQ(picture->Point(300, 350), 0);
  // Control names left of the plot, time labels above it, and the runners' names below their
  // finish (A at x 144 + 52 - 5, below the time labels).
  EXPECT_TRUE(AnyPixel(*picture, 30, 44, 51, 56, Dark));          // "S"
  EXPECT_TRUE(AnyPixel(*picture, 180, 34, 215, 49, Dark));        // "0:10"
  EXPECT_TRUE(AnyPixel(*picture, 189, 368, 205, 399, Reddish));   // "田", "一"
  EXPECT_FALSE(AnyPixel(*picture, 170, 368, 186, 399, Reddish));  // left of it: nothing

  // A hidden runner is neither drawn nor named; redrawing starts from a clear picture.
  chart->SetRunnerSetting(1, 0, -1, 0);
  chart->DrawChart();
  EXPECT_FALSE(AnyPixel(*picture, a - 1, y, a + 1, y, Reddish));
  EXPECT_FALSE(AnyPixel(*picture, 189, 368, 205, 399, [](int32_t c) { return c != 0xFFFFFF; }));
  EXPECT_TRUE(AnyPixel(*picture, b - 1, y, b + 1, y, Bluish));
}

std::vector<clsPrintBookLine> DrawOnBook(const std::function<void(clsChartObject&)>& settings,
                                         int32_t mode, int32_t* page_count = nullptr) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 2, 10, 10, 10, 10, 1);
  auto chart = std::make_shared<clsChartObject>();
  chart->PrintBookObject(book);
  clsGraphicControl graphics;
  auto analyzer = ThreeRunners();
  const auto key = detail::MakeInternal();
  analyzer->Item(1)->CruiseSpeed(key).SetValue(1.05f, key);
  analyzer->Item(1)->MissRate(key).SetValue(0.1f, key);
  analyzer->Item(2)->CruiseSpeed(key).SetValue(0.95f, key);
  analyzer->Item(2)->MissRate(key).SetValue(0.2f, key);
  analyzer->Item(3)->CruiseSpeed(key).SetValue(0, key);
  graphics.DrawChart(analyzer, chart, mode);
  settings(*chart);
  chart->DrawChart();
  if (page_count) *page_count = static_cast<int32_t>(book->Pages().size());
  return book->Pages()[0];
}

std::vector<std::string> Texts(const std::vector<clsPrintBookLine>& records) {
  std::vector<std::string> texts;
  for (const auto& r : records) {
    if (r.Kind == clsPrintBookLine::kText) texts.push_back(r.Text);
  }
  return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::vector<std::string>& run) {
  return std::search(texts.begin(), texts.end(), run.begin(), run.end()) != texts.end();
}

TEST(ChartDraw, HighlightedRunnersComeLastOverTheirHalo) {
  int32_t pages = 0;
  const auto records = DrawOnBook(
      [](clsChartObject& chart) {
        chart.SetRunnerSetting(3, 0x123456, 2, 1);
        chart.SetRunnerSetting2(3, 0xABCDEF, 5);
      },
      QX_CHART_NORMAL, &pages);
  EXPECT_EQ(pages, 2);  // the chart ends its page: the next drawing starts a new one
  std::vector<int32_t> line_colors;
  for (const auto& r : records) {
    if (r.Kind == clsPrintBookLine::kLine && r.Color != 0xC0C0C0 && r.Color != 0xD0D0D0 &&
        r.Color != 0xA0A0A0) {
      line_colors.push_back(r.Color);
    }
  }
  // Halo first (3 legs, pen 2 × 5), then runners 2 and 1, then the highlighted runner 3.
  const std::vector<int32_t> expected{0xABCDEF, 0xABCDEF, 0xABCDEF, 0xFF0000, 0xFF0000, 0xFF0000,
                                      0x0000FF, 0x0000FF, 0x0000FF, 0x123456, 0x123456, 0x123456};
  EXPECT_EQ(line_colors, expected);
  for (const auto& r : records) {
    if (r.Color == 0xABCDEF) {
      EXPECT_FLOAT_EQ(r.DrawWidth, 10);
    }
  }
  // The grid comes first: the start line from (52, 50) across the plot, in book units.
  EXPECT_EQ(records[0].Kind, clsPrintBookLine::kLine);
  EXPECT_NEAR(records[0].Left, 52.0f / 3, 1e-3);
  EXPECT_NEAR(records[0].Top, 50.0f / 3, 1e-3);
  // Names under the finish, one character a line, up to three characters.
  const auto texts = Texts(records);
  EXPECT_TRUE(Contains(texts, {"Ｂ", "川", "Ａ", "田", "一", "Ｃ", "山", "三"}));
  // The frame closes the page.
  EXPECT_EQ(records.back().Kind, clsPrintBookLine::kBox);
  EXPECT_EQ(records.back().Color, 0);
  EXPECT_NEAR(records.back().Left, 52.0f / 3, 1e-3);
}

TEST(ChartDraw, PointsCarryTheirNamesInTheirWidthsFont) {
  const auto records =
      DrawOnBook([](clsChartObject& chart) { chart.SetRunnerSetting(2, 0x00AA00, 1, 0); },
                 QX_CHART_CRUISE_MISSRATE);
  std::vector<std::string> names;
  std::vector<float> sizes;
  int32_t circles = 0;
  for (const auto& r : records) {
    if (r.Kind == clsPrintBookLine::kCircle) {
      ++circles;
      EXPECT_TRUE(r.Fill);
    }
    if (r.Kind == clsPrintBookLine::kText && (r.Text == "Ａ田一" || r.Text == "Ｂ川")) {
      names.push_back(r.Text);
      sizes.push_back(r.FontSize);
    }
  }
  EXPECT_EQ(circles, 2);  // runner 3 has no cruise speed
  EXPECT_EQ(names, (std::vector<std::string>{"Ｂ川", "Ａ田一"}));
  EXPECT_EQ(sizes, (std::vector<float>{8, 9}));
}

TEST(ChartDraw, NothingAttachedDrawsNothing) {
  auto chart = std::make_shared<clsChartObject>();
  EXPECT_NO_THROW(chart->DrawChart());
}

}  // namespace
}  // namespace quorvex2
