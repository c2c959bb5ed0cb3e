// Charts drawn on a picture (runner colours, frame, labels, hidden runners) and on a print book
// (the order of halos, runners and names; points named in their width's font), and the drawing
// surface under them: on a book lengths in thirds, pens doubled and texts measured with the
// printer's font; on a picture pixels, drawn at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "quorvex2/chart/chart_wrapper.h"

#include "chart/chart_fixture.h"
#include "print/print_table_fixture.h"

namespace quorvex2 {
namespace {

using testing::ThreeRunners;

// True when a pixel of the rectangle (target coordinates, inclusive) is within 80 of the
// colour in each of red, green and blue; a colour of -1 matches anything but white.
bool AnyPixel(PictureBox& picture, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t color) {
  const auto near = [color](int32_t c) {
    if (color < 0) return c != 0xFFFFFF;
    for (int shift : {0, 8, 16}) {
      if (std::abs(((c >> shift) & 0xFF) - ((color >> shift) & 0xFF)) >= 80) return false;
    }
    return true;
  };
  for (int32_t y = y1; y <= y2; ++y) {
    for (int32_t x = x1; x <= x2; ++x) {
      if (near(picture.Point(static_cast<float>(x), static_cast<float>(y)))) return true;
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

constexpr int32_t kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x008000;

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
  EXPECT_TRUE(AnyPixel(*picture, a - 1, y, a + 1, y, kRed));
  EXPECT_TRUE(AnyPixel(*picture, b - 1, y, b + 1, y, kBlue));
  EXPECT_TRUE(AnyPixel(*picture, c - 1, y, c + 1, y, kGreen));
  EXPECT_FALSE(AnyPixel(*picture, 60, 300, 120, 345, kRed));  // nothing where no line runs

  // The frame in black around the plot (52, 50) - (552, 350).
  EXPECT_EQ(picture->Point(52, 200), 0);
  EXPECT_EQ(picture->Point(552, 200), 0);
  EXPECT_EQ(picture->Point(300, 50), 0);
  EXPECT_EQ(picture->Point(300, 350), 0);
  // Control names left of the plot, time labels above it, and the runners' names below their
  // finish (A at x 144 + 52 - 5, below the time labels).
  EXPECT_TRUE(AnyPixel(*picture, 30, 44, 51, 56, 0));          // "S"
  EXPECT_TRUE(AnyPixel(*picture, 180, 34, 215, 49, 0));        // "0:10"
  EXPECT_TRUE(AnyPixel(*picture, 189, 368, 205, 399, kRed));   // "田", "一"
  EXPECT_FALSE(AnyPixel(*picture, 170, 368, 186, 399, kRed));  // left of it: nothing

  // A hidden runner is neither drawn nor named; redrawing starts from a clear picture.
  chart->SetRunnerSetting(1, 0, -1, 0);
  chart->DrawChart();
  EXPECT_FALSE(AnyPixel(*picture, a - 1, y, a + 1, y, kRed));
  EXPECT_FALSE(AnyPixel(*picture, 189, 368, 205, 399, -1));
  EXPECT_TRUE(AnyPixel(*picture, b - 1, y, b + 1, y, kBlue));
}

// A4 landscape with margins of 10 mm.
std::shared_ptr<clsPrintBook> Book() {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 2, 10, 10, 10, 10, 1);
  return book;
}

// The chart of the three runners with their figures laid out in the mode and drawn on a
// landscape book after `settings`: the records one a line, texts without their place (it
// follows the font's measurements).
std::string DrawOnBook(int32_t mode, const std::function<void(clsChartObject&)>& settings) {
  auto book = Book();
  auto chart = std::make_shared<clsChartObject>();
  chart->PrintBookObject(book);
  clsGraphicControl().DrawChart(testing::WithFigures(), chart, mode);
  settings(*chart);
  chart->DrawChart();
  std::string out = qxtest::Printf("pages %zu\n", book->Pages().size());
  for (const auto& r : book->Pages()[0]) {
    out += r.Kind != clsPrintBookLine::kText
               ? qxtest::DumpLine(r)
               : qxtest::Printf("T \"%s\" %g #%06X\n", r.Text.c_str(), r.FontSize,
                                static_cast<unsigned>(r.Color));
  }
  return out;
}

// The grid first, then the halo of the highlighted runner 3 (pen 2 × 5), runners 2 and 1, the
// highlighted runner over its halo, the names under the finish one character a line (up to
// three), and the frame; the chart ends its page, so the next drawing starts a new one.
TEST(ChartDraw, HighlightedRunnersComeLastOverTheirHalo) {
  qxtest::ExpectGolden("chart/book-highlighted.txt", DrawOnBook(QX_CHART_NORMAL, [](auto& chart) {
                         chart.SetRunnerSetting(3, 0x123456, 2, 1);
                         chart.SetRunnerSetting2(3, 0xABCDEF, 5);
                       }));
}

// Filled points for the runners with a cruise speed, each named in its width's font size.
TEST(ChartDraw, PointsCarryTheirNamesInTheirWidthsFont) {
  qxtest::ExpectGolden("chart/book-points.txt",
                       DrawOnBook(QX_CHART_CRUISE_MISSRATE,
                                  [](auto& chart) { chart.SetRunnerSetting(2, 0x00AA00, 1, 0); }));
}

TEST(ChartDraw, NothingAttachedDrawsNothing) {
  auto chart = std::make_shared<clsChartObject>();
  EXPECT_NO_THROW(chart->DrawChart());
}

// On a book: the chart font on the printer, lengths in thirds and pens doubled, circles in the
// fill colour (an outline when the fill is transparent), and EndDraw ends the page.
TEST(ChartWrapper, BookFontCirclesAndPages) {
  auto book = Book();
  book->PrinterObject()->Font() = StdFont{"ＭＳ Ｐ明朝", 20};
  clsChartWrapper surface;
  surface.PrintBookObject(book);
  EXPECT_EQ(book->PrinterObject()->Font().Name, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(book->PrinterObject()->Font().Size, 9);
  surface.FillColor(0x00FF00);
  for (int32_t style : {1, 0}) {
    surface.FillStyle(style);
    surface.DrawCircle(30, 30, 15);
  }
  surface.EndDraw();
  surface.DrawWidth(2);
  surface.DrawLine(0, 0, 3, 3);
  EXPECT_EQ(qxtest::Dump(*book),
            "page 277x190 printed 0x0 zoom 1 pages 2\n-- page 1\n"
            "C 10,10 0x0 pen 0 radius 5 #00FF00\nC 10,10 0x0 pen 0 filled radius 5 #00FF00\n"
            "-- page 2\nL 0,0 1x1 pen 4 #000000\n");
}

// On a book texts are measured with the printer's font, 3.17 and 3.35 times its width and
// height, and placed in thirds; FontSize changes the printed font only.
TEST(ChartWrapper, BookTextIsMeasuredWithThePrinterFont) {
  auto book = Book();
  clsChartWrapper surface;
  surface.PrintBookObject(book);
  const std::string text = "１０：００";
  const float width = book->PrinterObject()->TextWidth(text) * 3.17f,
              height = book->PrinterObject()->TextHeight(text) * 3.35f;
  surface.FontSize(14);
  EXPECT_FLOAT_EQ(surface.TextWidth(text), width);
  EXPECT_FLOAT_EQ(surface.TextHeight(text), height);
  surface.ForeColor(0xFF);
  surface.CurrentX(60);
  surface.CurrentY(90);
  surface.PrintText(text);
  EXPECT_EQ(qxtest::DumpLine(book->Pages()[0][0]),
            qxtest::Printf("T 20,30 %gx%g \"%s\" ＭＳ ゴシック 14 a0 v0 #0000FF\n", width, height,
                           text.c_str()));
}

// Drawing on a picture goes straight to its pixels (ChartDraw's picture test shows them).
TEST(ChartWrapper, PictureIsClearedAndTakesTheChartFontAndWholePens) {
  auto picture = std::make_shared<PictureBox>(200, 100);
  picture->ForeColor(0);
  picture->Box(0, 0, 199, 99, true);
  clsChartWrapper surface;
  surface.PictureBoxObject(picture);
  EXPECT_EQ(picture->Point(50, 50), 0xFFFFFF);  // attaching clears
  EXPECT_EQ(picture->Font().Name, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(picture->Font().Size, 9);

  surface.DrawWidth(2.5f);
  EXPECT_EQ(picture->DrawWidth(), 2);  // rounded half to even
  surface.DrawWidth(3.5f);
  EXPECT_EQ(picture->DrawWidth(), 4);
  surface.FontSize(12);
  EXPECT_FLOAT_EQ(picture->Font().Size, 12);
  EXPECT_FLOAT_EQ(surface.TextWidth("日本"), picture->TextWidth("日本"));
}

}  // namespace
}  // namespace quorvex2
