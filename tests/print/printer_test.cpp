// The platform printer (paper sizes by their Windows codes, unprintable edges, the installed
// printers, text metrics, the PDF documents it writes) and print books printed on it.
#include <gtest/gtest.h>
#include <quorvex2/platform/printer.h>
#include <quorvex2/print/print_book.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/golden.h"

namespace quorvex2 {
namespace {

// A new path in this run's temporary folder.
std::string TempPath(const std::string& name) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path() / ("qx-print-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return (dir / (std::to_string(++counter) + "-" + name)).string();
}

// A written PDF read back through poppler's pdftoppm: every page rendered at 50 dpi, with the
// ink on it found by millimetres.
class PdfPages {
 public:
  explicit PdfPages(const std::string& path) {
    const std::filesystem::path dir = TempPath("pages");
    std::filesystem::create_directories(dir);
    const std::string command = "pdftoppm -r 50 '" + path + "' '" + (dir / "p").string() + "'";
    if (std::system((command + " 2>/dev/null").c_str()) != 0) return;
    std::set<std::filesystem::path> files;  // p-1.ppm, p-2.ppm, ... in page order
    for (const auto& file : std::filesystem::directory_iterator(dir)) files.insert(file.path());
    for (const auto& file : files) pages_.push_back(Read(file));
  }

  // "N pages of W x H px" (A4 is 414 x 585 px at 50 dpi).
  std::string Summary() const {
    if (pages_.empty()) return "no pages";
    return std::to_string(pages_.size()) + " pages of " + std::to_string(pages_[0].width) + " x " +
           std::to_string(pages_[0].height) + " px";
  }

  // Ink (darker than light grey) anywhere in the rectangle of the page (1-based).
  bool InkIn(size_t page, double x1, double y1, double x2, double y2) const {
    if (page < 1 || page > pages_.size()) return false;
    const Page& p = pages_[page - 1];
    for (int y = std::max(Pixel(y1), 0); y <= std::min(Pixel(y2), p.height - 1); ++y) {
      for (int x = std::max(Pixel(x1), 0); x <= std::min(Pixel(x2), p.width - 1); ++x) {
        const uint8_t* rgb = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
        if (rgb[0] + rgb[1] + rgb[2] < 3 * 200) return true;
      }
    }
    return false;
  }
  // Ink within a millimetre of the point.
  bool InkAt(size_t page, double x, double y) const {
    return InkIn(page, x - 1, y - 1, x + 1, y + 1);
  }

 private:
  struct Page {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
  };

  static int Pixel(double mm) { return static_cast<int>(mm * 50 / 25.4 + 0.5); }

  static Page Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    Page page;
    std::string magic;
    int max_value = 0;
    if (!(in >> magic >> page.width >> page.height >> max_value) || magic != "P6") return {};
    in.get();
    page.rgb.resize(static_cast<size_t>(page.width) * page.height * 3);
    in.read(reinterpret_cast<char*>(page.rgb.data()),
            static_cast<std::streamsize>(page.rgb.size()));
    return page;
  }

  std::vector<Page> pages_;
};

TEST(Printer, PaperSizesByWindowsCode) {
  Printer printer;
  std::string sizes;  // portrait, then landscape
  for (int32_t code : {1, 8, 9, 11, 12, 13}) {
    printer.PaperSize(code);
    printer.Orientation(1);
    sizes += qxtest::Printf("%d: %gx%g ", code, printer.PhysicalWidth(), printer.ScaleHeight());
    printer.Orientation(2);
    sizes += qxtest::Printf("%gx%g; ", printer.PhysicalWidth(), printer.PhysicalHeight());
  }
  EXPECT_EQ(sizes,
            "1: 215.9x279.4 279.4x215.9; 8: 297x420 420x297; 9: 210x297 297x210; "
            "11: 148x210 210x148; 12: 257x364 364x257; 13: 182x257 257x182; ");
  for (int32_t bad : {0, 2, 10, 14, -9}) {
    EXPECT_THROW(printer.PaperSize(bad), std::runtime_error) << bad;
  }
  EXPECT_EQ(printer.PaperSize(), 13);
  EXPECT_THROW(printer.Orientation(0), std::runtime_error);
  EXPECT_THROW(printer.ScaleMode(7), std::runtime_error);
}

TEST(Printer, UnprintableEdgesShrinkThePrintableArea) {
  Printer printer;
  printer.SetUnprintableEdges(4, 5, 6, 7);
  EXPECT_FLOAT_EQ(printer.ScaleWidth(), 200);
  EXPECT_FLOAT_EQ(printer.ScaleHeight(), 285);
  EXPECT_FLOAT_EQ(printer.PhysicalOffsetX(), 4);
  EXPECT_FLOAT_EQ(printer.PhysicalOffsetY(), 5);
  printer.ScaleMode(3);
  EXPECT_NEAR(printer.ScaleWidth(), 200 / 25.4 * 600, 0.01);  // device pixels
  EXPECT_FLOAT_EQ(printer.TwipsPerPixelX(), 2.4f);
  EXPECT_THROW(printer.SetUnprintableEdges(-1, 0, 0, 0), std::runtime_error);
  EXPECT_THROW(printer.SetUnprintableEdges(100, 0, 110, 0), std::runtime_error);
  printer.SetUnprintableEdges(0, 0, 0, 250);
  EXPECT_THROW(printer.PaperSize(11), std::runtime_error);  // A5 is too short for that edge
  EXPECT_EQ(printer.PaperSize(), 9);
}

TEST(Printer, InstalledPrintersAndSelection) {
  auto names = Printer::InstalledPrinters();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names[0], Printer::kPdfPrinterName);
  Printer printer;
  EXPECT_THROW(printer.DeviceName("No Such Printer"), std::runtime_error);
  EXPECT_EQ(printer.DeviceName(), Printer::kPdfPrinterName);
}

TEST(Printer, TextMetricsInMillimetres) {
  Printer printer;
  printer.Font().Name = "ＭＳ ゴシック";
  printer.Font().Size = 9;
  EXPECT_NEAR(printer.TextWidth("日本"), 2 * 9 * 25.4 / 72, 0.05);
  EXPECT_LT(printer.TextWidth("AB"), printer.TextWidth("日本"));
  EXPECT_GT(printer.TextHeight("日"), 3);
  EXPECT_LT(printer.TextHeight("日"), 5);
  EXPECT_EQ(printer.Page(), 0);  // measuring starts no document
}

TEST(Printer, SheetsAndDocument) {
  const std::string file = TempPath("printer.pdf");
  Printer printer;
  printer.OutputFile(file);
  printer.PaperSize(11);
  printer.SetUnprintableEdges(5, 5, 5, 5);
  printer.DrawWidth(60);  // 2.54 mm
  printer.Line(0, 10, 100, 10);
  EXPECT_EQ(printer.Page(), 1);
  printer.NewPage();
  printer.Print("二枚目");
  EXPECT_EQ(printer.Page(), 2);
  printer.EndDoc();
  EXPECT_EQ(printer.Page(), 0);

  PdfPages pages(file);
  EXPECT_EQ(pages.Summary(), "2 pages of 292 x 414 px");
  // The line is 10 mm below the printable area's corner at (5, 5); the text starts there.
  EXPECT_TRUE(pages.InkIn(1, 50, 14.5, 50, 15.5));
  EXPECT_FALSE(pages.InkIn(1, 0, 0, 148, 12));
  EXPECT_TRUE(pages.InkIn(2, 5, 5, 20, 9));
}

TEST(Printer, UnwritableOutputIsReportedBeforeDrawing) {
  Printer printer;
  printer.OutputFile("/proc/no-such-folder/out.pdf");
  EXPECT_THROW(printer.Line(0, 0, 10, 10), std::runtime_error);
  EXPECT_EQ(printer.Page(), 0);
  printer.EndDoc();  // nothing started, nothing to write

  const std::string file = TempPath("killed.pdf");
  printer.OutputFile(file);
  printer.Line(0, 0, 10, 10);
  EXPECT_EQ(printer.Page(), 1);
  printer.KillDoc();
  EXPECT_EQ(printer.Page(), 0);
  printer.EndDoc();
  EXPECT_FALSE(std::filesystem::exists(file));
}

// Books printed to PDF: a sheet per page or per group of tiles, ink where it was recorded, page
// ranges, and a failed print that loses nothing.
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
  const std::string file = TempPath("lines.pdf");
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

TEST(PrintBookExecute, TwoByTwoTilesFivePagesOnTwoSheets) {
  const std::string file = TempPath("tiles.pdf");
  auto book = PdfBook(file, 9, 1);
  book->SetSeparation(2, 2, 5, 5);  // tiles 102.5 × 146 mm at zoom 0.5
  for (int i = 0; i < 5; ++i) LinePage(*book, 100);
  book->Execute();
  PdfPages sheets(file);
  EXPECT_EQ(sheets.Summary(), "2 pages of 414 x 585 px");
  for (auto [x, y] : {std::pair{30.0, 50.0}, {137.5, 50}, {30, 201}, {137.5, 201}}) {
    EXPECT_TRUE(sheets.InkAt(1, x, y)) << x << "," << y;
    EXPECT_EQ(sheets.InkAt(2, x, y), x == 30 && y == 50) << x << "," << y;
  }
}

TEST(PrintBookExecute, UnwritablePathIsAnErrorAndLosesNothing) {
  auto book = PdfBook("/nonexistent-folder/out.pdf", 9, 1);
  LinePage(*book, 30);
  EXPECT_THROW(book->Execute(), std::runtime_error);
  const std::string file = TempPath("retry.pdf");
  book->PrinterObject()->OutputFile(file);
  book->Execute();
  EXPECT_EQ(PdfPages(file).Summary(), "1 pages of 414 x 585 px");

  auto unset = PdfBook("", 9, 1);
  LinePage(*unset, 30);
  EXPECT_THROW(unset->Execute(), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2
