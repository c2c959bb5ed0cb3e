#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <filesystem>
#include <stdexcept>

#include "pdf_probe.h"

namespace quorvex2 {
namespace {

constexpr int kDpi = 50;

std::shared_ptr<clsPrintBook> PdfBook(const std::string& file, int32_t orientation = 1) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, orientation, 0, 0, 0, 0, 1);
  book->PrinterObject()->OutputFile(file);
  return book;
}

// A thick horizontal line from x 10 to 90 at height y on a page of its own.
void LinePage(clsPrintBook& book, float y) {
  book.DrawLine(10, y, 80, 0, 0, 40);
  book.NewPage();
}

bool InkAtMm(const qxtest::Raster& r, double x_mm, double y_mm) {
  int x = qxtest::MmToPixel(x_mm, kDpi), y = qxtest::MmToPixel(y_mm, kDpi);
  return r.InkIn(x - 2, y - 2, x + 2, y + 2);
}

TEST(PrintBookExecute, OnePdfPagePerPageWithInkWhereRecordedAndPageRanges) {
  const std::string file = qxtest::TempPath("lines.pdf");
  auto book = PdfBook(file);
  for (float y : {20, 60, 100, 140}) LinePage(*book, y);
  book->Execute();
  auto info = qxtest::ReadPdfInfo(file);
  EXPECT_EQ(info.pages, 4);
  EXPECT_NEAR(info.width_pt, 595.28, 0.1);
  EXPECT_NEAR(info.height_pt, 841.89, 0.1);
  auto first = qxtest::RenderPdfPage(file, 1, kDpi);
  ASSERT_GT(first.width, 0);
  EXPECT_TRUE(InkAtMm(first, 50, 20));
  EXPECT_FALSE(InkAtMm(first, 50, 60));
  EXPECT_FALSE(InkAtMm(first, 100, 20));  // the line ends at x 90

  // Printing again keeps the pages; a range prints only those.
  book->Execute(2, 3);
  EXPECT_EQ(qxtest::ReadPdfInfo(file).pages, 2);
  first = qxtest::RenderPdfPage(file, 1, kDpi);
  EXPECT_TRUE(InkAtMm(first, 50, 60));
  EXPECT_FALSE(InkAtMm(first, 50, 20));
  auto second = qxtest::RenderPdfPage(file, 2, kDpi);
  EXPECT_TRUE(InkAtMm(second, 50, 100));
  EXPECT_FALSE(InkAtMm(second, 50, 140));
}

TEST(PrintBookExecute, TwoByTwoTilesFivePagesOnTwoSheets) {
  const std::string file = qxtest::TempPath("tiles.pdf");
  auto book = PdfBook(file);
  book->SetSeparation(2, 2, 5, 5);  // tiles 102.5 × 146 mm at zoom 0.5
  for (int i = 0; i < 5; ++i) LinePage(*book, 100);
  book->Execute();
  EXPECT_EQ(qxtest::ReadPdfInfo(file).pages, 2);
  auto sheet1 = qxtest::RenderPdfPage(file, 1, kDpi);
  EXPECT_TRUE(InkAtMm(sheet1, 30, 50));           // top left
  EXPECT_TRUE(InkAtMm(sheet1, 107.5 + 30, 50));   // top right
  EXPECT_TRUE(InkAtMm(sheet1, 30, 151 + 50));     // bottom left
  EXPECT_TRUE(InkAtMm(sheet1, 137.5, 151 + 50));  // bottom right
  auto sheet2 = qxtest::RenderPdfPage(file, 2, kDpi);
  EXPECT_TRUE(InkAtMm(sheet2, 30, 50));
  EXPECT_FALSE(InkAtMm(sheet2, 137.5, 50));
  EXPECT_FALSE(InkAtMm(sheet2, 30, 201));
}

TEST(PrintBookExecute, LandscapeB5Sheet) {
  const std::string file = qxtest::TempPath("b5.pdf");
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 13, 2, 10, 10, 10, 10, 1);
  book->PrinterObject()->OutputFile(file);
  book->DrawBox(0, 0, 50, 20, 0, 1, true);
  book->Execute();
  auto info = qxtest::ReadPdfInfo(file);
  EXPECT_EQ(info.pages, 1);
  EXPECT_NEAR(info.width_pt, 257 * 72 / 25.4, 0.1);
  EXPECT_NEAR(info.height_pt, 182 * 72 / 25.4, 0.1);
  auto sheet = qxtest::RenderPdfPage(file, 1, kDpi);
  EXPECT_TRUE(InkAtMm(sheet, 35, 20));  // inside the filled box (from 10, 10)
}

TEST(PrintBookExecute, UnwritablePathIsAnErrorAndLosesNothing) {
  auto book = PdfBook("/nonexistent-folder/out.pdf");
  LinePage(*book, 30);
  EXPECT_THROW(book->Execute(), std::runtime_error);
  const std::string file = qxtest::TempPath("retry.pdf");
  book->PrinterObject()->OutputFile(file);
  book->Execute();
  EXPECT_EQ(qxtest::ReadPdfInfo(file).pages, 1);

  auto unset = PdfBook("");
  LinePage(*unset, 30);
  EXPECT_THROW(unset->Execute(), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2
