#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <stdexcept>

namespace quorvex2 {
namespace {

// A4 portrait with margins that leave a printable area (and one tile) of 180 × 260 mm.
std::shared_ptr<clsPrintBook> TileBook() {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 1, 15, 17, 20, 15, 1);
  return book;
}

TEST(PrintBookGeometry, InitGivesOneTileOfThePrintableArea) {
  auto book = TileBook();
  const auto& g = book->Geometry();
  EXPECT_FLOAT_EQ(g.PrintableWidth, 180);
  EXPECT_FLOAT_EQ(g.PrintableHeight, 260);
  EXPECT_FLOAT_EQ(g.TileWidth, 180);
  EXPECT_FLOAT_EQ(g.OriginX, 15);
  EXPECT_FLOAT_EQ(g.OriginY, 17);
  EXPECT_FLOAT_EQ(book->Width(), 180);
  EXPECT_FLOAT_EQ(book->Height(), 260);
  EXPECT_EQ(book->RowCount(), 1);
  EXPECT_EQ(book->PageCount(), 0);

  // Zoom 0 means 1; another zoom scales the virtual page.
  book->Init(Printer::kPdfPrinterName, 9, 1, 15, 17, 20, 15, 0);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 1);
  book->Init(Printer::kPdfPrinterName, 9, 1, 15, 17, 20, 15, 2);
  EXPECT_FLOAT_EQ(book->Width(), 90);
}

TEST(PrintBookGeometry, InitResetsThePrinterDefaults) {
  auto book = TileBook();
  auto printer = book->PrinterObject();
  printer->DrawWidth(5);
  printer->ForeColor(0xFF);
  printer->FillStyle(kFillSolid);
  printer->Font().Size = 20;
  printer->FontTransparent(false);
  book->Init(Printer::kPdfPrinterName, 9, 1, 15, 17, 20, 15, 1);
  EXPECT_EQ(printer->DrawWidth(), 1);
  EXPECT_EQ(printer->ForeColor(), 0);
  EXPECT_EQ(printer->FillStyle(), kFillTransparent);
  EXPECT_FLOAT_EQ(printer->Font().Size, 9);
  EXPECT_TRUE(printer->FontTransparent());
}

TEST(PrintBookGeometry, MarginsAreRaisedToTheUnprintableEdge) {
  auto book = std::make_shared<clsPrintBook>();
  book->PrinterObject()->SetUnprintableEdges(4, 4, 4, 4.4f);
  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 2, 0, 10, 1);
  EXPECT_FLOAT_EQ(book->MarginLeft(), 4);
  EXPECT_FLOAT_EQ(book->MarginTop(), 4);
  EXPECT_FLOAT_EQ(book->MarginRight(), 10);
  EXPECT_EQ(book->MarginBottom(), 4);  // whole millimetres
  const auto& g = book->Geometry();
  EXPECT_FLOAT_EQ(g.OriginX, 0);  // the printable area's corner is the printer's origin
  EXPECT_FLOAT_EQ(g.OriginY, 0);
  EXPECT_NEAR(g.PrintableWidth, 210 - 4 - 10, 1e-4);
  EXPECT_NEAR(g.PrintableHeight, 297 - 4 - 4, 1e-4);

  book->Init(Printer::kPdfPrinterName, 9, 1, 12, 4, 4, 4, 1);
  EXPECT_FLOAT_EQ(book->Geometry().OriginX, 8);
  EXPECT_FLOAT_EQ(book->MarginBottom(), 4);
}

TEST(PrintBookGeometry, VirtualSizeShrinksAlwaysAndEnlargesOnRequest) {
  auto book = TileBook();
  book->SetVirtualSize(300, 0, false);
  EXPECT_FLOAT_EQ(book->Width(), 300);
  EXPECT_NEAR(book->Height(), 300.0 * 260 / 180, 1e-3);
  EXPECT_NEAR(book->ZoomRatio(), 0.6, 1e-6);
  EXPECT_NEAR(book->Geometry().AlignX, 0, 1e-4);
  EXPECT_NEAR(book->Geometry().AlignY, 0, 1e-3);

  book = TileBook();
  book->SetVirtualSize(100, 100, false);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 1);
  EXPECT_FLOAT_EQ(book->Geometry().AlignX, 40);  // centred: (180 - 100) / 2
  EXPECT_FLOAT_EQ(book->Geometry().AlignY, 80);
  book->SetVirtualSize(100, 100, true, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_TOP);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 1.8f);
  EXPECT_NEAR(book->Geometry().AlignX, 0, 1e-4);
  EXPECT_FLOAT_EQ(book->Geometry().AlignY, 0);
  book->SetVirtualSize(0, 130, true, PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_BOTTOM);
  EXPECT_NEAR(book->Width(), 90, 1e-4);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 2);

  // Nothing to fit: no change; negative sizes are refused.
  book->SetVirtualSize(0, 0);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 2);
  EXPECT_THROW(book->SetVirtualSize(-10, 100), std::runtime_error);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 2);
}

TEST(PrintBookGeometry, SeparationTilesTheSheet) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 0, 0, 0, 1);
  book->VirtualZoomRatio(2);
  book->SetSeparation(2, 2, 5, 5);
  EXPECT_FLOAT_EQ(book->ZoomRatio(), 0.5);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
  EXPECT_FLOAT_EQ(book->Geometry().TileWidth, (210 - 5) / 2.0f);
  EXPECT_FLOAT_EQ(book->Geometry().TileHeight, (297 - 5) / 2.0f);
  EXPECT_FLOAT_EQ(book->Width(), 205);  // tile ÷ zoom

  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 0, 0, 0, 1);
  book->SetSeparation(3, 0, 0, 2);  // columns below 1 become 1
  EXPECT_EQ(book->ColCount(), 1);
  EXPECT_NEAR(book->ZoomRatio(), 1 / 3.0, 1e-6);
  EXPECT_THROW(book->SetSeparation(1, 2, 0, 500), std::runtime_error);
  EXPECT_EQ(book->ColCount(), 1);
}

TEST(PrintBookGeometry, PlatformErrorsReachTheCaller) {
  auto book = std::make_shared<clsPrintBook>();
  EXPECT_THROW(book->Init(Printer::kPdfPrinterName, 99, 1, 10, 10, 10, 10, 1), std::runtime_error);
  EXPECT_THROW(book->Init(Printer::kPdfPrinterName, 9, 3, 10, 10, 10, 10, 1), std::runtime_error);
  EXPECT_THROW(book->Init(Printer::kPdfPrinterName, 9, 1, 150, 10, 10, 100, 1), std::runtime_error);
  // An unknown printer name keeps the current printer.
  book->Init("No Such Printer", 9, 1, 10, 10, 10, 10, 1);
  EXPECT_EQ(book->PrinterObject()->DeviceName(), Printer::kPdfPrinterName);
}

}  // namespace
}  // namespace quorvex2
