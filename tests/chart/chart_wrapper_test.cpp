#include <gtest/gtest.h>
#include <quorvex2/chart/chart_wrapper.h>

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
  const auto& page = book->Pages()[0];
  ASSERT_EQ(page.size(), 4u);
  EXPECT_EQ(page[0].Kind, 2);
  EXPECT_FLOAT_EQ(page[0].Left, 10);
  EXPECT_FLOAT_EQ(page[0].Top, 20);
  EXPECT_FLOAT_EQ(page[0].Width, 20);
  EXPECT_FLOAT_EQ(page[0].Height, 20);
  EXPECT_FLOAT_EQ(page[0].DrawWidth, 4);
  EXPECT_EQ(page[0].Color, 0x123456);
  EXPECT_EQ(page[1].Kind, 1);
  EXPECT_FALSE(page[1].Fill);
  EXPECT_FLOAT_EQ(page[1].Width, 10);
  // Circles are drawn in the fill colour, as an outline when the fill is transparent.
  EXPECT_EQ(page[2].Kind, 3);
  EXPECT_FLOAT_EQ(page[2].Radius, 5);
  EXPECT_EQ(page[2].Color, 0x00FF00);
  EXPECT_FALSE(page[2].Fill);
  EXPECT_TRUE(page[3].Fill);

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
  EXPECT_EQ(text.Kind, 0);
  EXPECT_FLOAT_EQ(text.Left, 20);
  EXPECT_FLOAT_EQ(text.Top, 30);
  EXPECT_FLOAT_EQ(text.Width, printer_width * 3.17f);
  EXPECT_FLOAT_EQ(text.FontSize, 14);
  EXPECT_EQ(text.FontName, "ＭＳ ゴシック");
  EXPECT_EQ(text.Color, 0xFF);
  EXPECT_EQ(text.TextAlign, PRINTBOOK_ALIGN_LEFT);
}

TEST(ChartWrapper, PictureDrawsAtOnceInPixels) {
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
  surface.ForeColor(0xFF0000);
  surface.DrawLine(10, 50, 190, 50);
  EXPECT_EQ(picture->Point(100, 50), 0xFF0000);
  surface.FontSize(12);
  EXPECT_FLOAT_EQ(picture->Font().Size, 12);
  EXPECT_FLOAT_EQ(surface.TextWidth("日本"), picture->TextWidth("日本"));
  EXPECT_NEAR(surface.TextWidth("日本"), 32, 1);  // 12 pt = 16 px per ideograph
  surface.CurrentX(5);
  surface.CurrentY(5);
  EXPECT_FLOAT_EQ(picture->CurrentX(), 5);
  surface.PrintText("日本");
  EXPECT_NE(picture->Point(12, 12), 0xFFFFFF);
}

}  // namespace
}  // namespace quorvex2
