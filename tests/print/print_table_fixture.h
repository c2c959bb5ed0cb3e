#pragma once
// Print books for the tests of the printed tables, a book written out as text for comparing
// with a golden file, and finding a text the book recorded.
#include <quorvex2/quorvex2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "export/export_fixture.h"  // AddRunner
#include "support/golden.h"

namespace qxtest {

using Line = quorvex2::clsPrintBookLine;

inline std::shared_ptr<quorvex2::clsPrintBook> A4Book(bool landscape = false) {
  auto book = std::make_shared<quorvex2::clsPrintBook>();
  book->Init(quorvex2::Printer::kPdfPrinterName, quorvex2::kPaperA4, landscape ? 2 : 1, 10, 10, 10,
             10, 1);
  return book;
}

// One recorded command as "kind left,top WxH", then what its kind carries: a text its font,
// alignment (a0..a2 across, v0..v2 down) and flags, a shape its pen, colour and fill.
inline std::string DumpLine(const Line& r) {
  std::string out = Printf("%c %g,%g %gx%g", "TBLC"[r.Kind], r.Left, r.Top, r.Width, r.Height);
  if (r.Kind == Line::kText) {
    out += Printf(" \"%s\" %s %g%s%s%s a%d v%d%s%s", r.Text.c_str(), r.FontName.c_str(), r.FontSize,
                  r.FontBold ? " bold" : "", r.FontItalic ? " italic" : "",
                  r.FontUnderline ? " underline" : "", r.TextAlign, r.TextValign,
                  r.IsLandscape ? " vertical" : "", r.AutoStringCut ? " cut" : "");
    if (r.ChrHeight != 1) out += Printf(" pitch %g", r.ChrHeight);
  } else {
    out += Printf(" pen %g%s", r.DrawWidth, r.Fill ? " filled" : "");
    if (r.Kind == Line::kCircle) out += Printf(" radius %g", r.Radius);
  }
  return out + Printf(" #%06X\n", static_cast<unsigned>(r.Color));
}

// The book's page size, printed area and zoom, then its records page by page (those `keep`
// accepts).
inline std::string Dump(
    const quorvex2::clsPrintBook& book,
    bool (*keep)(const Line&) = [](const Line&) { return true; }) {
  std::string out = Printf("page %gx%g printed %gx%g zoom %g pages %d\n", book.Width(),
                           book.Height(), book.PrintedAreaWidth(), book.PrintedAreaHeight(),
                           book.VirtualZoomRatio(), book.PageCount());
  for (size_t p = 0; p < book.Pages().size(); ++p) {
    out += Printf("-- page %zu\n", p + 1);
    for (const auto& line : book.Pages()[p]) {
      if (keep(line)) out += DumpLine(line);
    }
  }
  return out;
}

// The page (0-based) and record of the first text record holding exactly `text`; -1 and no
// record when there is none.
inline std::pair<int, const Line*> FindText(const quorvex2::clsPrintBook& book,
                                            const std::string& text) {
  for (size_t p = 0; p < book.Pages().size(); ++p) {
    for (const auto& r : book.Pages()[p]) {
      if (r.Kind == Line::kText && r.Text == text) return {static_cast<int>(p), &r};
    }
  }
  return {-1, nullptr};
}

}  // namespace qxtest
