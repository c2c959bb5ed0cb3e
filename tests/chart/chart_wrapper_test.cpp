// The chart's drawing surface on a print book (lengths in thirds, pens doubled, texts measured
// with the printer's font) and on a picture (pixels, drawn at once).
#include <gtest/gtest.h>
#include <quorvex2/chart/chart_wrapper.h>

#include <string>

#include "print/print_table_fixture.h"

namespace quorvex2 {
namespace {

std::shared_ptr<clsPrintBook> Book() {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 2, 10, 10, 10, 10, 1);
  return book;
}

TEST(ChartWrapper, BookDividesByThreeAndDoublesPens) {
  auto book = Book();
  book->PrinterObject()->Font() = StdFont{"ＭＳ Ｐ明朝", 20};
  clsChartWrapper surface;
  surface.PrintBookObject(book);
  EXPECT_EQ(book->PrinterObject()->Font().Name, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(book->PrinterObject()->Font().Size, 9);

  surface.ForeColor(0x123456);
  surface.DrawWidth(2);
  surface.DrawLine(30, 60, 90, 120);
  surface.DrawBox(3, 6, 33, 66);
  surface.FillColor(0x00FF00);
  surface.FillStyle(1);
  surface.DrawCircle(30, 30, 15);
  surface.FillStyle(0);
  surface.DrawCircle(30, 30, 15);
  // Circles in the fill colour, an outline when the fill is transparent.
  std::string records;
  for (const auto& line : book->Pages()[0]) records += qxtest::DumpLine(line);
  EXPECT_EQ(records,
            "L 10,20 20x20 pen 4 #123456\nB 1,2 10x20 pen 4 #123456\n"
            "C 10,10 0x0 pen 0 radius 5 #00FF00\nC 10,10 0x0 pen 0 filled radius 5 #00FF00\n");

  surface.EndDraw();
  surface.DrawLine(0, 0, 3, 3);
  EXPECT_EQ(book->PageCount(), 2);
}

TEST(ChartWrapper, BookTextIsMeasuredWithThePrinterFont) {
  auto book = Book();
  clsChartWrapper surface;
  surface.PrintBookObject(book);
  const float printer_width = book->PrinterObject()->TextWidth("１０：００");
  const float printer_height = book->PrinterObject()->TextHeight("１０：００");
  EXPECT_FLOAT_EQ(surface.TextWidth("１０：００"), printer_width * 3.17f);
  EXPECT_FLOAT_EQ(surface.TextHeight("１０：００"), printer_height * 3.35f);

  // FontSize changes the printed font only, not the measurements.
  surface.FontSize(14);
  EXPECT_FLOAT_EQ(surface.TextWidth("１０：００"), printer_width * 3.17f);
  surface.ForeColor(0xFF);
  surface.CurrentX(60);
  surface.CurrentY(90);
  surface.PrintText("１０：００");
  const clsPrintBookLine& text = book->Pages()[0][0];
  EXPECT_EQ(qxtest::DumpLine(text).substr(0, 8), "T 20,30 ");
  EXPECT_FLOAT_EQ(text.Width, printer_width * 3.17f);
  EXPECT_FLOAT_EQ(text.FontSize, 14);
  EXPECT_EQ(text.Color, 0xFF);
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
