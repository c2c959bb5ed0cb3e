#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::A4Book;
using qxtest::Line;

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
  const struct {
    int32_t kind;
    const char* place;
    float pen_or_font;  // DrawWidth, or FontSize for the text
  } records[] = {{Line::kText, "2,4 60x8", 24},
                 {Line::kBox, "2,4 6x8", 1},
                 {Line::kLine, "10,12 14x16", 2},
                 {Line::kCircle, "18,20 0x0", 0}};
  for (size_t i = 0; i < page.size(); ++i) {
    EXPECT_EQ(page[i].Kind, records[i].kind) << i;
    EXPECT_EQ(qxtest::Place(page[i]), records[i].place) << i;
    EXPECT_FLOAT_EQ(i == 0 ? page[i].FontSize : page[i].DrawWidth, records[i].pen_or_font) << i;
  }
  EXPECT_FLOAT_EQ(page[3].Radius, 22);
  EXPECT_EQ(page[0].FontName, "ＭＳ Ｐ明朝");
  EXPECT_TRUE(page[0].IsLandscape && page[0].AutoStringCut && page[0].FontUnderline);

  // Printed-area values are kept in recorded units.
  book->PrintedAreaWidth(40);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 40);
  book->VirtualZoomRatio(4);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 20);
  EXPECT_FLOAT_EQ(book->Width(), 190 / 4.0f);
}

}  // namespace
}  // namespace quorvex2
