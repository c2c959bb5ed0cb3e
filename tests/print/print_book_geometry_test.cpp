// The print book's page geometry after Init, SetVirtualSize and SetSeparation, and what the
// printer refuses.
#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace quorvex2 {
namespace {

// The book's geometry in one line, lengths to the thousandth: origin, printable area, tile,
// virtual page, alignment offset and zoom.
std::string Shape(const clsPrintBook& book) {
  const auto& g = book.Geometry();
  const auto r = [](double x) { return std::round(x * 1000) / 1000 + 0.0; };
  char text[256];
  std::snprintf(text, sizeof text, "origin %g,%g printable %gx%g tile %gx%g page %gx%g",
                r(g.OriginX), r(g.OriginY), r(g.PrintableWidth), r(g.PrintableHeight),
                r(g.TileWidth), r(g.TileHeight), r(book.Width()), r(book.Height()));
  std::string shape = text;
  std::snprintf(text, sizeof text, " align %g,%g zoom %g", r(g.AlignX), r(g.AlignY),
                r(book.ZoomRatio()));
  return shape + text;
}

// A4 portrait with margins that leave a printable area (and one tile) of 180 × 260 mm.
std::shared_ptr<clsPrintBook> TileBook(float zoom = 1) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 1, 15, 17, 20, 15, zoom);
  return book;
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
  // The printable area's corner is the printer's origin.
  EXPECT_EQ(Shape(*book),
            "origin 0,0 printable 196x289 tile 196x289 page 196x289 align 0,0 zoom 1");

  book->Init(Printer::kPdfPrinterName, 9, 1, 12, 4, 4, 4, 1);
  EXPECT_FLOAT_EQ(book->Geometry().OriginX, 8);
  EXPECT_FLOAT_EQ(book->MarginBottom(), 4);
}

// Init gives one tile of the printable area; a virtual size shrinks to fit always, enlarges on
// request and aligns what is left over; the tiles of a separated sheet scale down the page.
TEST(PrintBookGeometry, InitVirtualSizeAndSeparation) {
  const std::string a4 = "origin 15,17 printable 180x260 tile 180x260 ";
  EXPECT_EQ(Shape(*TileBook(0)), a4 + "page 180x260 align 0,0 zoom 1");  // zoom 0 means 1
  EXPECT_FLOAT_EQ(TileBook(2)->Width(), 90);
  auto book = TileBook();
  book->SetVirtualSize(300, 0, false);
  EXPECT_EQ(Shape(*book), a4 + "page 300x433.333 align 0,0 zoom 0.6");
  book = TileBook();
  book->SetVirtualSize(100, 100, false);  // centred: (180 - 100) / 2
  EXPECT_EQ(Shape(*book), a4 + "page 100x100 align 40,80 zoom 1");
  book->SetVirtualSize(100, 100, true, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_TOP);
  EXPECT_EQ(Shape(*book), a4 + "page 100x100 align 0,0 zoom 1.8");
  book->SetVirtualSize(0, 130, true, PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_BOTTOM);
  EXPECT_EQ(Shape(*book), a4 + "page 90x130 align 0,0 zoom 2");
  // Nothing to fit: no change; negative sizes are refused.
  book->SetVirtualSize(0, 0);
  EXPECT_THROW(book->SetVirtualSize(-10, 100), std::runtime_error);
  EXPECT_EQ(Shape(*book), a4 + "page 90x130 align 0,0 zoom 2");

  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 0, 0, 0, 1);
  book->VirtualZoomRatio(2);
  book->SetSeparation(2, 2, 5, 5);
  EXPECT_EQ(Shape(*book),
            "origin 0,0 printable 210x297 tile 102.5x146 page 205x292 align 0,0 zoom 0.5");
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
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
