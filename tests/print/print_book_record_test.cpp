#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

namespace quorvex2 {
namespace {

std::shared_ptr<clsPrintBook> A4Book() {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 1, 10, 10, 10, 10, 1);
  return book;
}

TEST(PrintBookRecord, NoEmptyPages) {
  auto book = A4Book();
  book->NewPage();
  EXPECT_EQ(book->PageCount(), 0);
  book->DrawLine(0, 0, 10, 0, 0, 1);
  book->DrawLine(0, 5, 10, 0, 0, 1);
  EXPECT_EQ(book->PageCount(), 1);
  book->PrintedAreaHeight(50);
  book->NewPage();
  book->NewPage();
  EXPECT_EQ(book->PrintedAreaHeight(), 0);
  EXPECT_EQ(book->PageCount(), 1);
  book->DrawBox(0, 0, 1, 1, 0, 1, false);
  EXPECT_EQ(book->PageCount(), 2);
  ASSERT_EQ(book->Pages().size(), 2u);
  EXPECT_EQ(book->Pages()[0].size(), 2u);
  EXPECT_EQ(book->Pages()[1].size(), 1u);

  // Init empties the book.
  book->Init(Printer::kPdfPrinterName, 9, 1, 10, 10, 10, 10, 1);
  EXPECT_EQ(book->PageCount(), 0);
  EXPECT_EQ(book->Pages().size(), 1u);
}

TEST(PrintBookRecord, LengthsAreScaledByTheVirtualZoom) {
  auto book = A4Book();
  book->VirtualZoomRatio(0);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
  book->VirtualZoomRatio(2);
  StdFont font{"ＭＳ Ｐ明朝", 12, true, false, true};
  book->PrintText("名前", font, 1, 2, 30, 4, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_MIDDLE, true,
                  1.5f, 0x0000FF, true);
  book->DrawBox(1, 2, 3, 4, 0x112233, 0.5f, true);
  book->DrawLine(5, 6, 7, 8, 0x00FF00, 1);
  book->DrawCircle(9, 10, 11, 0xFF0000, true);
  const auto& page = book->Pages()[0];
  ASSERT_EQ(page.size(), 4u);

  const clsPrintBookLine& text = page[0];
  EXPECT_EQ(text.Kind, 0);
  EXPECT_FLOAT_EQ(text.Left, 2);
  EXPECT_FLOAT_EQ(text.Top, 4);
  EXPECT_FLOAT_EQ(text.Width, 60);
  EXPECT_FLOAT_EQ(text.Height, 8);
  EXPECT_FLOAT_EQ(text.FontSize, 24);
  EXPECT_EQ(text.FontName, "ＭＳ Ｐ明朝");
  EXPECT_TRUE(text.FontBold);
  EXPECT_FALSE(text.FontItalic);
  EXPECT_TRUE(text.FontUnderline);
  EXPECT_EQ(text.TextAlign, PRINTBOOK_ALIGN_RIGHT);
  EXPECT_EQ(text.TextValign, PRINTBOOK_VALIGN_MIDDLE);
  EXPECT_TRUE(text.IsLandscape);
  EXPECT_FLOAT_EQ(text.ChrHeight, 1.5f);
  EXPECT_TRUE(text.AutoStringCut);
  EXPECT_EQ(text.Color, 0x0000FF);

  EXPECT_EQ(page[1].Kind, 1);
  EXPECT_FLOAT_EQ(page[1].DrawWidth, 1);
  EXPECT_TRUE(page[1].Fill);
  EXPECT_EQ(page[2].Kind, 2);
  EXPECT_FLOAT_EQ(page[2].Width, 14);
  EXPECT_FLOAT_EQ(page[2].Height, 16);
  EXPECT_EQ(page[3].Kind, 3);
  EXPECT_FLOAT_EQ(page[3].Left, 18);
  EXPECT_FLOAT_EQ(page[3].Radius, 22);
  EXPECT_EQ(page[3].Color, 0xFF0000);

  // Printed-area values are kept in recorded units.
  book->PrintedAreaWidth(40);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 40);
  book->VirtualZoomRatio(4);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 20);
  EXPECT_FLOAT_EQ(book->Width(), 190 / 4.0f);
}

}  // namespace
}  // namespace quorvex2
