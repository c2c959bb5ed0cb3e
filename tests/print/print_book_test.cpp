// The print book: its page geometry after Init, SetVirtualSize and SetSeparation, what the
// printer refuses, the records it keeps page by page, its previews on a picture (the sheet at the
// zoom ratio, a sheet of tiled pages, and the text boxes: alignment, cutting, vertical writing),
// and the book printed to PDF: a sheet per page or per group of tiles, ink where it was recorded,
// page ranges, and a failed print that loses nothing.
#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "print_table_fixture.h"
#include "support/pdf_pages.h"

namespace quorvex2 {
namespace {

using qxtest::A4Book;
using qxtest::Dump;
using qxtest::PdfPages;

// The book's geometry in one line, lengths to the thousandth: margins (left, top, right,
// bottom), origin, printable area, tile, virtual page, alignment offset, zoom, virtual zoom and
// tiles across; then the printer's paper, pen, colour, fill, font size and text transparency.
std::string Shape(clsPrintBook& book) {
  const auto& g = book.Geometry();
  const auto r = [](double x) { return std::round(x * 1000) / 1000 + 0.0; };
  const auto& p = *book.PrinterObject();
  return qxtest::Printf(
      "margins %g,%g,%g,%d origin %g,%g printable %gx%g tile %gx%g page %gx%g align %g,%g "
      "zoom %g,%g cols %d | %s %d/%d pen %d #%X fill %d font %g transparent %d",
      r(book.MarginLeft()), r(book.MarginTop()), r(book.MarginRight()), book.MarginBottom(),
      r(g.OriginX), r(g.OriginY), r(g.PrintableWidth), r(g.PrintableHeight), r(g.TileWidth),
      r(g.TileHeight), r(book.Width()), r(book.Height()), r(g.AlignX), r(g.AlignY),
      r(book.ZoomRatio()), r(book.VirtualZoomRatio()), book.ColCount(), p.DeviceName().c_str(),
      p.PaperSize(), p.Orientation(), p.DrawWidth(), static_cast<unsigned>(p.ForeColor()),
      p.FillStyle(), p.Font().Size, p.FontTransparent());
}

// Steps on one book, each followed by the book's shape (and whether it was refused). Margins
// are raised to the unprintable edges (the bottom one in whole millimetres); Init gives one tile
// of the printable area and resets the printer's pen and font; a virtual size shrinks to fit
// always, enlarges on request and aligns what is left over; separated tiles scale the page down.
TEST(PrintBookGeometry, InitVirtualSizeAndSeparation) {
  auto book = std::make_shared<clsPrintBook>();
  auto& printer = *book->PrinterObject();
  const auto init = [&](int32_t paper, int32_t orientation, float left, float top, float bottom,
                        float right, float zoom = 1) {
    book->Init(Printer::kPdfPrinterName, paper, orientation, left, top, bottom, right, zoom);
  };
  const std::pair<std::string, std::function<void()>> steps[] = {
      {"edges 4,4,4,4.6",
       [&] { printer.SetUnprintableEdges(4, 4, 4, 4.6f), init(9, 1, 0, 2, 0, 10); }},
      {"margins 12,4,4,4", [&] { init(9, 1, 12, 4, 4, 4); }},
      {"no edges, zoom 0",
       [&] { printer.SetUnprintableEdges(0, 0, 0, 0), init(9, 1, 15, 17, 20, 15, 0); }},
      {"zoom 2", [&] { init(9, 1, 15, 17, 20, 15, 2); }},
      {"virtual 300x0", [&] { init(9, 1, 15, 17, 20, 15), book->SetVirtualSize(300, 0, false); }},
      {"A4, virtual 100x100",
       [&] { init(9, 1, 15, 17, 20, 15), book->SetVirtualSize(100, 100, false); }},
      {"enlarged, right, top",
       [&] { book->SetVirtualSize(100, 100, true, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_TOP); }},
      {"0x130 enlarged, left, bottom",
       [&] { book->SetVirtualSize(0, 130, true, PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_BOTTOM); }},
      {"virtual 0x0", [&] { book->SetVirtualSize(0, 0); }},
      {"virtual -10x100", [&] { book->SetVirtualSize(-10, 100); }},
      {"virtual zoom 2, 2x2 tiles",
       [&] { init(9, 1, 0, 0, 0, 0), book->VirtualZoomRatio(2), book->SetSeparation(2, 2, 5, 5); }},
      {"3x0 tiles", [&] { init(9, 1, 0, 0, 0, 0), book->SetSeparation(3, 0, 0, 2); }},
      {"1x2 tiles 500 apart", [&] { book->SetSeparation(1, 2, 0, 500); }},
      {"pen, colour, fill and font changed",
       [&] {
         printer.DrawWidth(5), printer.ForeColor(0xFF), printer.FillStyle(kFillSolid);
         printer.Font().Size = 20, printer.FontTransparent(false), init(13, 2, 10, 10, 10, 10);
       }},
      {"paper 99", [&] { init(99, 1, 10, 10, 10, 10); }},
      {"orientation 3", [&] { init(9, 3, 10, 10, 10, 10); }},
      {"left 150, right 100", [&] { init(9, 1, 150, 10, 10, 100); }},
      {"unknown printer", [&] { book->Init("No Such Printer", 9, 1, 10, 10, 10, 10, 1); }},
  };
  std::string journal;
  for (const auto& [what, step] : steps) {
    std::string refused;
    try {
      step();
    } catch (const std::runtime_error&) {
      refused = "refused; ";
    }
    journal += what + ": " + refused + Shape(*book) + "\n";
  }
  qxtest::ExpectGolden("golden/print/book-geometry.txt", journal);
}

// Lengths, pens and font sizes are recorded × the virtual zoom (0 means 1); printed-area values
// are kept in recorded units. NewPage opens a page only after something was drawn, and empties
// the printed area; Init empties the book.
TEST(PrintBookRecord, PagesAndLengthsScaledByTheVirtualZoom) {
  auto book = qxtest::A4Book();
  book->NewPage();
  book->VirtualZoomRatio(0);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
  book->VirtualZoomRatio(2);
  StdFont font{"ＭＳ Ｐ明朝", 12, true, false, true};
  book->PrintText("名前", font, 1, 2, 30, 4, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_MIDDLE, true,
                  1.5f, 0x0000FF, true);
  book->DrawBox(1, 2, 3, 4, 0x112233, 0.5f, true);
  book->DrawLine(5, 6, 7, 8, 0x00FF00, 1);
  book->PrintedAreaHeight(50);
  book->NewPage();
  book->NewPage();
  book->DrawCircle(9, 10, 11, 0xFF0000, true);
  book->PrintedAreaWidth(40);
  EXPECT_EQ(
      Dump(*book),
      "page 95x138.5 printed 40x0 zoom 2 pages 2\n-- page 1\n"
      "T 2,4 60x8 \"名前\" ＭＳ Ｐ明朝 24 bold underline a2 v1 vertical cut pitch 1.5 #0000FF\n"
      "B 2,4 6x8 pen 1 filled #112233\nL 10,12 14x16 pen 2 #00FF00\n"
      "-- page 2\nC 18,20 0x0 pen 0 filled radius 22 #FF0000\n");
  book->VirtualZoomRatio(4);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 20);
  book->Init(Printer::kPdfPrinterName, 9, 1, 10, 10, 10, 10, 1);
  EXPECT_EQ(Dump(*book), "page 190x277 printed 0x0 zoom 1 pages 0\n-- page 1\n");
}

// Previews on a picture.
constexpr float kStep = 0.25f;  // about one pixel in millimetres

// Ink (anything but white) in the rectangle of millimetres.
bool InkIn(PictureBox& picture, float x1, float y1, float x2, float y2) {
  for (float y = y1; y <= y2; y += kStep) {
    for (float x = x1; x <= x2; x += kStep) {
      int32_t color = picture.Point(x, y);
      if (color != 0xFFFFFF && color != -1) return true;
    }
  }
  return false;
}

// A text far too long for its box (a damaged name of megabytes) is cut where a short text with
// the same start is, not one character at a time.
TEST(PrintPreview, LongTextIsCutWhereItsStartIs) {
  for (const std::string unit : {"ABCDEFGHIJ", "日本語のなまえ"}) {
    std::string start, long_text;
    for (int i = 0; i < 6; ++i) start += unit;
    for (int i = 0; i < 30000; ++i) long_text += unit;
    std::vector<std::shared_ptr<PictureBox>> pictures;
    for (const std::string& text : {start, long_text}) {
      auto book = A4Book();
      book->PrintText(text, StdFont{"ＭＳ ゴシック", 12}, 0, 0, 100, 10, PRINTBOOK_ALIGN_RIGHT,
                      PRINTBOOK_VALIGN_TOP, false, 1, 0, true);
      pictures.push_back(std::make_shared<PictureBox>());
      book->ShowPreview(pictures.back(), 1);
    }
    EXPECT_TRUE(InkIn(*pictures[1], 10, 10, 20, 20)) << unit;  // reaches the box's left end
    int differences = 0;
    for (float y = 10; y <= 20; y += kStep) {
      for (float x = 10; x <= 115; x += kStep) {
        differences += pictures[0]->Point(x, y) != pictures[1]->Point(x, y);
      }
    }
    EXPECT_EQ(differences, 0) << unit;
  }
}

TEST(PrintPreview, TextBoxAlignsCutsAndWritesVertically) {
  auto book = A4Book();
  StdFont font{"ＭＳ ゴシック", 20};
  book->PrintText("右", font, 0, 0, 100, 20, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_BOTTOM);
  book->PrintText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", font, 0, 30, 30, 10, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_TOP, false, 1, 0, true);
  book->PrintText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", font, 0, 45, 30, 10, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_TOP);
  book->PrintText("日本語", font, 150, 0, 20, 100, PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_TOP,
                  true);
  book->PrintText("縦書き", StdFont{"@ＭＳ 明朝", 20}, 115, 0, 20, 100, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_MIDDLE);  // an @ font writes vertically too
  auto picture = std::make_shared<PictureBox>();
  book->ShowPreview(picture, 1);
  EXPECT_EQ(qxtest::Printf("%dx%d", picture->Width(), picture->Height()), "794x1123");  // A4
  const float x0 = 10, y0 = 10;                                                         // margins

  EXPECT_TRUE(InkIn(*picture, x0 + 90, y0 + 10, x0 + 100, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0, y0, x0 + 85, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0 + 90, y0, x0 + 100, y0 + 9));  // bottom-aligned

  EXPECT_TRUE(InkIn(*picture, x0, y0 + 30, x0 + 30, y0 + 40));
  EXPECT_FALSE(InkIn(*picture, x0 + 30.5f, y0 + 30, x0 + 60, y0 + 40));
  EXPECT_TRUE(InkIn(*picture, x0 + 31, y0 + 45, x0 + 60, y0 + 55));  // not cut

  // Vertical: three characters of about 7 mm one below the other, centred in the 20 mm column.
  EXPECT_TRUE(InkIn(*picture, x0 + 155, y0 + 15, x0 + 165, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0 + 150, y0 + 24, x0 + 170, y0 + 100));
  EXPECT_FALSE(InkIn(*picture, x0 + 140, y0, x0 + 152, y0 + 22));
  EXPECT_TRUE(InkIn(*picture, x0 + 115, y0 + 41, x0 + 135, y0 + 44));  // 21 mm high, centred
  EXPECT_FALSE(InkIn(*picture, x0 + 115, y0, x0 + 135, y0 + 38));
  EXPECT_FALSE(InkIn(*picture, x0 + 115, y0 + 62, x0 + 135, y0 + 100));
}

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
