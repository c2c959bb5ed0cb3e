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
  std::string records;
  for (const auto& line : book->Pages()[0]) records += qxtest::DumpLine(line);
  EXPECT_EQ(
      records,
      "T 2,4 60x8 \"名前\" ＭＳ Ｐ明朝 24 bold underline a2 v1 vertical cut pitch 1.5 #0000FF\n"
      "B 2,4 6x8 pen 1 filled #112233\n"
      "L 10,12 14x16 pen 2 #00FF00\n"
      "C 18,20 0x0 pen 0 filled radius 22 #FF0000\n");

  // Printed-area values are kept in recorded units.
  book->PrintedAreaWidth(40);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 40);
  book->VirtualZoomRatio(4);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 20);
  EXPECT_FLOAT_EQ(book->Width(), 190 / 4.0f);
}

}  // namespace
}  // namespace quorvex2
