// Charts drawn on a picture (runner colours, frame, labels, hidden runners) and on a print book
// (the order of halos, runners and names; points named in their width's font), and the drawing
// surface under them: on a book lengths in thirds, pens doubled and texts measured with the
// printer's font; on a picture pixels, drawn at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "quorvex2/chart/chart_wrapper.h"

#include "chart/chart_fixture.h"
#include "print/print_table_fixture.h"

namespace quorvex2 {
namespace {

using testing::ThreeRunners;

// The chart of the three runners with their figures laid out in the mode and drawn on an A4
// landscape book (margins of 10 mm) after `settings`: the records one a line, texts without their
// place (it follows the font's measurements).
std::string DrawOnBook(int32_t mode, const std::function<void(clsChartObject&)>& settings) {
  auto book = qxtest::A4Book(true);
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

// book-highlighted: the grid first, then the halo of the highlighted runner 3 (pen 2 × 5), runner
// 2 (runner 1 is hidden), the highlighted runner over its halo, the names under the finish one
// character a line (up to three), and the frame; the chart ends its page, so the next drawing
// starts a new one. book-points: filled points for the runners with a cruise speed, each named in
// its width's font size.
TEST(ChartDraw, HighlightedRunnersOverTheirHaloAndPointsNamedInTheirWidthsFont) {
  qxtest::ExpectGolden("golden/chart/book-highlighted.txt",
                       DrawOnBook(QX_CHART_NORMAL, [](auto& chart) {
                         chart.SetRunnerSetting(3, 0x123456, 2, 1);
                         chart.SetRunnerSetting2(3, 0xABCDEF, 5);
                         chart.SetRunnerSetting(1, 0, -1, 0);  // hidden: neither drawn nor named
                       }));
  qxtest::ExpectGolden("golden/chart/book-points.txt",
                       DrawOnBook(QX_CHART_CRUISE_MISSRATE,
                                  [](auto& chart) { chart.SetRunnerSetting(2, 0x00AA00, 1, 0); }));
}

// The titles and numbers beside the plot fit its margins of 52 units in either language, on a
// picture and on a book, measured in the chart's font: they stand 1 unit off the plot on the
// left, 3 on the right.
TEST(ChartDraw, TextsBesideThePlotFitItsMargins) {
  for (const char* language : {"ja", "en"}) {
    clsQuorvex2 root;
    root.Language(language);
    for (const int32_t mode : {QX_CHART_CRUISE_MISSRATE, QX_CHART_CRUISE_HALFRATIO}) {
      for (const bool on_book : {false, true}) {
        auto chart = std::make_shared<clsChartObject>();
        clsChartWrapper surface;
        if (on_book) {
          auto book = qxtest::A4Book(true);
          chart->PrintBookObject(book);
          surface.PrintBookObject(book);
        } else {
          auto picture = std::make_shared<PictureBox>(604, 400);
          chart->PictureObject(picture);
          surface.PictureBoxObject(picture);
        }
        clsGraphicControl().DrawChart(testing::WithFigures(), chart, mode);
        for (const clsChartChar& label : chart->LabelList()) {
          if (label.Side != clsChartChar::kLeft && label.Side != clsChartChar::kRight) continue;
          EXPECT_LE(surface.TextWidth(label.Text), label.Side == clsChartChar::kLeft ? 51 : 49)
              << language << " mode " << mode << (on_book ? " book: " : " picture: ") << label.Text;
        }
      }
    }
  }
}

// On a book: the chart font on the printer; texts measured with it, 3.17 and 3.35 times its
// width and height, and placed in thirds (FontSize changes the printed font only); lengths in
// thirds and pens doubled; circles in the fill colour (an outline when the fill is transparent);
// and EndDraw ends the page.
TEST(ChartWrapper, OnABook) {
  auto book = qxtest::A4Book(true);
  book->PrinterObject()->Font() = StdFont{"ＭＳ Ｐ明朝", 20};
  clsChartWrapper surface;
  surface.PrintBookObject(book);
  const StdFont& font = book->PrinterObject()->Font();
  EXPECT_EQ(qxtest::Printf("%s %g", font.Name.c_str(), font.Size), "ＭＳ ゴシック 9");
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
  surface.FillColor(0x00FF00);
  for (int32_t style : {1, 0}) {
    surface.FillStyle(style);
    surface.DrawCircle(30, 30, 15);
  }
  surface.EndDraw();
  surface.DrawWidth(2);
  surface.DrawLine(0, 0, 3, 3);
  EXPECT_EQ(qxtest::Dump(*book),
            qxtest::Printf("page 277x190 printed 0x0 zoom 1 pages 2\n-- page 1\n"
                           "T 20,30 %gx%g \"%s\" ＭＳ ゴシック 14 a0 v0 #0000FF\n"
                           "C 10,10 0x0 pen 0 radius 5 #00FF00\n"
                           "C 10,10 0x0 pen 0 filled radius 5 #00FF00\n"
                           "-- page 2\nL 0,0 1x1 pen 4 #0000FF\n",
                           width, height, text.c_str()));
}

// On a picture the chart is drawn at once, the plot framed in black from (52, 50) (a chart
// attached to nothing draws nothing); a surface attached clears the picture and sets the chart
// font, pens are whole (half to even), and every drawing goes straight into the pixels.
TEST(ChartWrapper, PictureDrawsAtOnceInPixels) {
  clsChartObject().DrawChart();
  auto picture = std::make_shared<PictureBox>(604, 400);
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(picture);
  clsGraphicControl().DrawChart(ThreeRunners(), chart, QX_CHART_NORMAL);
  chart->DrawChart();
  for (auto [x, y] : {std::pair{52, 200}, {552, 200}, {300, 50}, {300, 350}}) {
    EXPECT_EQ(picture->Point(x, y), 0) << x << "," << y;
  }
  picture->Font() = StdFont{"ＭＳ Ｐ明朝", 20};
  clsChartWrapper surface;
  surface.PictureBoxObject(picture);
  EXPECT_EQ(picture->Point(52, 200), 0xFFFFFF);
  EXPECT_EQ(picture->Font().Name, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(picture->Font().Size, 9);
  surface.DrawWidth(2.5f);
  EXPECT_EQ(picture->DrawWidth(), 2);
  surface.DrawWidth(3.5f);
  EXPECT_EQ(picture->DrawWidth(), 4);
  surface.ForeColor(0xFF0000);
  surface.DrawLine(10, 50, 190, 50);
  EXPECT_EQ(picture->Point(100, 50), 0xFF0000);
  surface.FontSize(12);
  EXPECT_FLOAT_EQ(picture->Font().Size, 12);
  EXPECT_FLOAT_EQ(surface.TextWidth("日本"), picture->TextWidth("日本"));
  surface.CurrentX(5);
  surface.CurrentY(5);
  surface.PrintText("日本");
  EXPECT_NE(picture->Point(12, 12), 0xFFFFFF);
  EXPECT_EQ(picture->Point(40, 12), 0xFFFFFF);  // two ideographs of 16 pixels from x 5
}

}  // namespace
}  // namespace quorvex2
