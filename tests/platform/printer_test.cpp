// The platform printer: paper sizes by their Windows codes, unprintable edges, the installed
// printers, text metrics and the PDF documents it writes.
#include <gtest/gtest.h>
#include <quorvex2/platform/printer.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/golden.h"  // Printf
#include "support/pdf_pages.h"

namespace quorvex2 {
namespace {

using qxtest::PdfPages;

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
  // Half-width characters of the fixed-pitch font are half an em at every size, not widened to
  // whole points (a 4.5-point advance of 9 points is not 5).
  for (const float size : {7.f, 9.f, 11.f}) {
    printer.Font().Size = size;
    EXPECT_NEAR(printer.TextWidth(std::string(100, 'a')), 50 * size * 25.4 / 72, 0.05) << size;
  }
  printer.Font().Size = 9;
  EXPECT_GT(printer.TextHeight("日"), 3);
  EXPECT_LT(printer.TextHeight("日"), 5);
  EXPECT_EQ(printer.Page(), 0);  // measuring starts no document
}

TEST(Printer, SheetsAndDocument) {
  const std::string file = qxtest::NewTempPath("printer.pdf");
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

  const std::string file = qxtest::NewTempPath("killed.pdf");
  printer.OutputFile(file);
  printer.Line(0, 0, 10, 10);
  EXPECT_EQ(printer.Page(), 1);
  printer.KillDoc();
  EXPECT_EQ(printer.Page(), 0);
  printer.EndDoc();
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace quorvex2
