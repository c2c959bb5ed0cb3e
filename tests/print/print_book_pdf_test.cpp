// Print books printed to PDF: a sheet per page or per group of tiles, ink where it was
// recorded, page ranges, and a failed print that loses nothing.
#include <gtest/gtest.h>
#include <quorvex2/platform/picture_box.h>
#include <quorvex2/print/print_book.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/golden.h"  // Printf
#include "support/pdf_pages.h"

namespace quorvex2 {
namespace {

using qxtest::PdfPages;

std::shared_ptr<clsPrintBook> PdfBook(const std::string& file, int32_t paper, int32_t orientation) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, paper, orientation, 0, 0, 0, 0, 1);
  book->PrinterObject()->OutputFile(file);
  return book;
}

// A thick horizontal line from x 10 to 90 at height y on a page of its own.
void LinePage(clsPrintBook& book, float y) {
  book.DrawLine(10, y, 80, 0, 0, 40);
  book.NewPage();
}

TEST(PrintBookExecute, OnePdfPagePerPageWithInkWhereRecordedAndPageRanges) {
  const std::string file = qxtest::NewTempPath("lines.pdf");
  auto book = PdfBook(file, 13, 2);  // B5 landscape
  for (float y : {20, 60, 100, 140}) LinePage(*book, y);
  book->Execute();
  PdfPages all(file);
  EXPECT_EQ(all.Summary(), "4 pages of 506 x 359 px");
  EXPECT_TRUE(all.InkAt(1, 50, 20));
  EXPECT_FALSE(all.InkAt(1, 50, 60));
  EXPECT_FALSE(all.InkAt(1, 100, 20));  // the line ends at x 90

  // Printing again keeps the pages; a range prints only those.
  book->Execute(2, 3);
  PdfPages range(file);
  EXPECT_EQ(range.Summary(), "2 pages of 506 x 359 px");
  EXPECT_TRUE(range.InkAt(1, 50, 60) && !range.InkAt(1, 50, 20));
  EXPECT_TRUE(range.InkAt(2, 50, 100) && !range.InkAt(2, 50, 140));
}

// Five pages on tiles of 102.5 × 146 mm at zoom 0.5: four on sheet 1, the fifth in the first
// tile of sheet 2, printed and previewed alike (the preview is the sheet at 96 dpi × its zoom);
// a preview past the end is an empty sheet.
TEST(PrintBookExecute, TwoByTwoTilesFivePagesOnTwoSheetsPrintedAndPreviewed) {
  const std::string file = qxtest::NewTempPath("tiles.pdf");
  auto book = PdfBook(file, 9, 1);
  book->SetSeparation(2, 2, 5, 5);
  for (int i = 0; i < 5; ++i) LinePage(*book, 100);
  book->Execute();
  PdfPages sheets(file);
  EXPECT_EQ(sheets.Summary(), "2 pages of 414 x 585 px");
  auto picture = std::make_shared<PictureBox>(100, 100);
  book->PreviewZoomRatio(0.5f);
  for (int32_t sheet : {1, 2, 3}) {
    book->ShowPreview(picture, sheet);
    for (auto [x, y] : {std::pair{30.0f, 50.0f}, {137.5f, 50}, {30, 201}, {137.5f, 201}}) {
      const bool ink = sheet == 1 || (sheet == 2 && x == 30 && y == 50);
      EXPECT_EQ(sheets.InkAt(sheet, x, y), ink) << sheet << ": " << x << "," << y;
      EXPECT_EQ(picture->Point(x, y) != 0xFFFFFF, ink) << sheet << ": " << x << "," << y;
    }
  }
  EXPECT_EQ(qxtest::Printf("mode %d, %dx%d pixels, %.0f wide", picture->ScaleMode(),
                           picture->Width(), picture->Height(), picture->ScaleWidth()),
            "mode 6, 397x561 pixels, 210 wide");
  book->PreviewZoomRatio(0);
  EXPECT_THROW(book->ShowPreview(picture, 1), std::runtime_error);
  EXPECT_THROW(book->ShowPreview(nullptr, 1), std::runtime_error);
}

TEST(PrintBookExecute, UnwritablePathIsAnErrorAndLosesNothing) {
  auto book = PdfBook("/nonexistent-folder/out.pdf", 9, 1);
  LinePage(*book, 30);
  EXPECT_THROW(book->Execute(), std::runtime_error);
  const std::string file = qxtest::NewTempPath("retry.pdf");
  book->PrinterObject()->OutputFile(file);
  book->Execute();
  EXPECT_EQ(PdfPages(file).Summary(), "1 pages of 414 x 585 px");

  auto unset = PdfBook("", 9, 1);
  LinePage(*unset, 30);
  EXPECT_THROW(unset->Execute(), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2
