#pragma once
// Print books for the tests of the printed tables, and look-ups in what a book recorded.
#include <quorvex2/quorvex2.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export/export_fixture.h"  // AddRunner

namespace qxtest {

using Line = quorvex2::clsPrintBookLine;

inline std::shared_ptr<quorvex2::clsPrintBook> A4Book(bool landscape = false) {
  auto book = std::make_shared<quorvex2::clsPrintBook>();
  book->Init(quorvex2::Printer::kPdfPrinterName, quorvex2::kPaperA4, landscape ? 2 : 1, 10, 10, 10,
             10, 1);
  return book;
}

// A recorded text found in the book: its page (0-based) and the record.
struct FoundText {
  int page = -1;
  const Line* line = nullptr;
  explicit operator bool() const { return line != nullptr; }
};

// The n-th (0-based) text record holding exactly `text`.
inline FoundText FindText(const quorvex2::clsPrintBook& book, const std::string& text, int n = 0) {
  const auto& pages = book.Pages();
  for (size_t p = 0; p < pages.size(); ++p) {
    for (const auto& line : pages[p]) {
      if (line.Kind == Line::kText && line.Text == text && n-- == 0) {
        return {static_cast<int>(p), &line};
      }
    }
  }
  return {};
}

inline int CountTexts(const quorvex2::clsPrintBook& book, const std::string& text) {
  int count = 0;
  for (const auto& page : book.Pages()) {
    for (const auto& line : page) count += line.Kind == Line::kText && line.Text == text;
  }
  return count;
}

// The records of a kind on a page.
inline std::vector<Line> RecordsOf(const quorvex2::clsPrintBook& book, int page, int32_t kind) {
  std::vector<Line> found;
  for (const auto& line : book.Pages().at(static_cast<size_t>(page))) {
    if (line.Kind == kind) found.push_back(line);
  }
  return found;
}

// The first record of a kind on the page whose corner is (left, top), within rounding.
inline const Line* RecordAt(const quorvex2::clsPrintBook& book, int page, int32_t kind, float left,
                            float top) {
  for (const auto& line : book.Pages().at(static_cast<size_t>(page))) {
    if (line.Kind == kind && std::fabs(line.Left - left) < 1e-3f &&
        std::fabs(line.Top - top) < 1e-3f) {
      return &line;
    }
  }
  return nullptr;
}

// The text at (left, top) on the page; "<none>" when no text starts there.
inline std::string TextAt(const quorvex2::clsPrintBook& book, int page, float left, float top) {
  const auto* line = RecordAt(book, page, Line::kText, left, top);
  return line ? line->Text : "<none>";
}

// A record's place and size, "left,top WxH", for comparing whole boxes at once.
inline std::string Place(const Line& line) {
  char text[64];
  std::snprintf(text, sizeof text, "%g,%g %gx%g", line.Left, line.Top, line.Width, line.Height);
  return text;
}

// A box or line at (left, top): "WxH #color", " filled" for a filled box; "<none>" when nothing
// of that kind starts there.
inline std::string ShapeAt(const quorvex2::clsPrintBook& book, int page, int32_t kind, float left,
                           float top) {
  const auto* line = RecordAt(book, page, kind, left, top);
  if (line == nullptr) return "<none>";
  char text[64];
  std::snprintf(text, sizeof text, "%gx%g #%06X%s", line->Width, line->Height,
                static_cast<unsigned>(line->Color), line->Fill ? " filled" : "");
  return text;
}

}  // namespace qxtest
