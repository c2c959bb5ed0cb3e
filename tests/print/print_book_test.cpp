// The print book in memory: its page geometry after Init, SetVirtualSize and SetSeparation, what
// the printer refuses, and the records it keeps page by page.
#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::Dump;

// The book's geometry in one line, lengths to the thousandth: margins (left, top, right,
// bottom), origin, printable area, tile, virtual page, alignment offset and zoom.
std::string Shape(const clsPrintBook& book) {
  const auto& g = book.Geometry();
  const auto r = [](double x) { return std::round(x * 1000) / 1000 + 0.0; };
  return qxtest::Printf(
      "margins %g,%g,%g,%d origin %g,%g printable %gx%g tile %gx%g page %gx%g align %g,%g zoom %g",
      r(book.MarginLeft()), r(book.MarginTop()), r(book.MarginRight()), book.MarginBottom(),
      r(g.OriginX), r(g.OriginY), r(g.PrintableWidth), r(g.PrintableHeight), r(g.TileWidth),
      r(g.TileHeight), r(book.Width()), r(book.Height()), r(g.AlignX), r(g.AlignY),
      r(book.ZoomRatio()));
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
  EXPECT_EQ(qxtest::Printf("pen %d colour %d fill %d font %g transparent %d", printer->DrawWidth(),
                           printer->ForeColor(), printer->FillStyle(), printer->Font().Size,
                           printer->FontTransparent()),
            qxtest::Printf("pen 1 colour 0 fill %d font 9 transparent 1", kFillTransparent));
}

// Margins are raised to the unprintable edges (the bottom one in whole millimetres); the
// printable area's corner is the printer's origin.
TEST(PrintBookGeometry, MarginsAreRaisedToTheUnprintableEdge) {
  auto book = std::make_shared<clsPrintBook>();
  book->PrinterObject()->SetUnprintableEdges(4, 4, 4, 4.4f);
  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 2, 0, 10, 1);
  EXPECT_EQ(Shape(*book),
            "margins 4,4,10,4 origin 0,0 printable 196x289 tile 196x289 "
            "page 196x289 align 0,0 zoom 1");
  book->Init(Printer::kPdfPrinterName, 9, 1, 12, 4, 4, 4, 1);
  EXPECT_EQ(Shape(*book),
            "margins 12,4,4,4 origin 8,0 printable 194x289 tile 194x289 "
            "page 194x289 align 0,0 zoom 1");
}

// Init gives one tile of the printable area; a virtual size shrinks to fit always, enlarges on
// request and aligns what is left over; the tiles of a separated sheet scale down the page.
TEST(PrintBookGeometry, InitVirtualSizeAndSeparation) {
  const std::string a4 = "margins 15,17,15,20 origin 15,17 printable 180x260 tile 180x260 ";
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
            "margins 0,0,0,0 origin 0,0 printable 210x297 tile 102.5x146 "
            "page 205x292 align 0,0 zoom 0.5");
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

// NewPage opens a page only after something was drawn, and empties the printed area; Init
// empties the book.
TEST(PrintBookRecord, NoEmptyPages) {
  auto book = qxtest::A4Book();
  book->NewPage();
  book->DrawLine(0, 0, 10, 0, 0, 1);
  book->PrintedAreaHeight(50);
  book->NewPage();
  book->NewPage();
  book->DrawBox(0, 0, 1, 1, 0, 1, false);
  EXPECT_EQ(Dump(*book),
            "page 190x277 printed 0x0 zoom 1 pages 2\n-- page 1\n"
            "L 0,0 10x0 pen 1 #000000\n-- page 2\nB 0,0 1x1 pen 1 #000000\n");
  book->Init(Printer::kPdfPrinterName, 9, 1, 10, 10, 10, 10, 1);
  EXPECT_EQ(Dump(*book), "page 190x277 printed 0x0 zoom 1 pages 0\n-- page 1\n");
}

// Lengths, pens and font sizes are recorded × the virtual zoom (0 means 1); printed-area values
// are kept in recorded units.
TEST(PrintBookRecord, LengthsAreScaledByTheVirtualZoom) {
  auto book = qxtest::A4Book();
  book->VirtualZoomRatio(0);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
  book->VirtualZoomRatio(2);
  StdFont font{"ＭＳ Ｐ明朝", 12, true, false, true};
  book->PrintText("名前", font, 1, 2, 30, 4, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_MIDDLE, true,
                  1.5f, 0x0000FF, true);
  book->DrawBox(1, 2, 3, 4, 0x112233, 0.5f, true);
  book->DrawLine(5, 6, 7, 8, 0x00FF00, 1);
  book->DrawCircle(9, 10, 11, 0xFF0000, true);
  book->PrintedAreaWidth(40);
  EXPECT_EQ(
      Dump(*book),
      "page 95x138.5 printed 40x0 zoom 2 pages 1\n-- page 1\n"
      "T 2,4 60x8 \"名前\" ＭＳ Ｐ明朝 24 bold underline a2 v1 vertical cut pitch 1.5 #0000FF\n"
      "B 2,4 6x8 pen 1 filled #112233\nL 10,12 14x16 pen 2 #00FF00\n"
      "C 18,20 0x0 pen 0 filled radius 22 #FF0000\n");
  book->VirtualZoomRatio(4);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 20);
}

}  // namespace
}  // namespace quorvex2
