// Printed result lists: a class header bar, then one line per runner with the cut-off marker
// after the last qualifying rank, continuing below what the page already holds.
#include <algorithm>
#include <stdexcept>

#include "core/detail/catalogue.h"
#include "core/detail/localized_text.h"
#include "print/detail/print_fonts.h"
#include "print/detail/print_settings.h"
#include "print/detail/result_line.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {

namespace {

constexpr const char* kCutOffMarker = detail::TrNoop("---------  ここまで通過  ---------");
constexpr int32_t kBlack = 0;

// Where the list stands on the page, in rows of the row height.
class ResultListCursor {
 public:
  ResultListCursor(clsPrintBook& Book, float RowHeight)
      : book_(Book), row_height_(RowHeight), row_(Book.PrintedAreaHeight() / RowHeight) {}

  float RowHeight() const { return row_height_; }
  float Top() const { return row_height_ * row_; }
  float Row() const { return row_; }
  void Advance(float Rows) { row_ += Rows; }
  // Starts a new page unless `Rows` more rows fit on this one.
  void Reserve(float Rows) {
    if (book_.Height() / row_height_ - row_ >= Rows) return;
    book_.NewPage();
    row_ = 0;
  }

 private:
  clsPrintBook& book_;
  float row_height_;
  float row_;
};

void PrintClassHeader(clsPrintBook& Book, const clsResultsHolder& Holder, float Width, float Top,
                      float RowHeight) {
  const float height = RowHeight * 1.8f;
  Book.DrawBox(0, Top, Width, height, kBlack, 8, false);
  Book.DrawBox(0, Top, Width * 0.04f, height, kBlack, 1, true);
  const std::string name =
      Holder.DataSetIsMix ? Holder.DataSetName() : detail::WideInJapanese(Holder.DataSetName());
  Book.PrintText(name, detail::PrintFont("RESULT_CLASS"), Width * 0.07f, Top, Width * 0.6f, height,
                 PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_MIDDLE, false, 1.0f, kBlack, true);
}

void PrintRunnerLine(clsPrintBook& Book, const std::vector<detail::ResultCell>& Cells, float Top,
                     float RowHeight) {
  float x = 0;
  for (const detail::ResultCell& cell : Cells) {
    if (!cell.text.empty()) {
      Book.PrintText(cell.text, cell.font, x, Top, cell.width, RowHeight, cell.align,
                     PRINTBOOK_VALIGN_MIDDLE, false, 1.0f, kBlack, cell.cut);
    }
    x += cell.width;
  }
}

// The marker goes before the first runner whose printed rank is a number above the cut-off.
bool IsBeyondCutOff(const std::string& Rank, int32_t CutOffRank) {
  return CutOffRank > 0 && IsNumeric(Rank) && LeadingNumber(Rank) > CutOffRank;
}

}  // namespace

void clsGraphicControl::PrintResult(const std::shared_ptr<clsResultsHolder>& ResultsHolderObject,
                                    const std::shared_ptr<clsPrintBook>& PrintBookObject,
                                    float LineInterval, bool PrintNewPage, bool PrintID,
                                    bool PrintAge) {
  const std::string operation = "clsGraphicControl.PrintResult";
  clsPrintBook& book = detail::RequireInitialisedBook(PrintBookObject, operation);
  if (!ResultsHolderObject) throw std::runtime_error(operation + ": no results holder was given");
  const clsResultsHolder& holder = *ResultsHolderObject;
  const int32_t count = holder.Count();
  if (count == 0) return;

  const detail::ResultListShape shape{holder.DataSetIsMix, PrintID, PrintAge};
  const float width = detail::ResultPageWidth(shape);
  if (book.Width() != width) {
    book.SetVirtualSize(width, 0, true, PRINTBOOK_ALIGN_CENTER, PRINTBOOK_VALIGN_MIDDLE);
  }
  ResultListCursor cursor(book, std::max(LineInterval, 1.0f) * 5);
  cursor.Reserve(4);
  PrintClassHeader(book, holder, width, cursor.Top(), cursor.RowHeight());
  cursor.Advance(2);

  bool marker_printed = false;
  for (int32_t i = 1; i <= count; ++i) {
    cursor.Reserve(1);
    if (!marker_printed && IsBeyondCutOff(detail::ResultRankText(holder, i), holder.CutOffRank)) {
      book.PrintText(detail::Tr(kCutOffMarker), detail::PrintFont("RESULT_LIMIT"), 2, cursor.Top(),
                     width - 4, cursor.RowHeight(), PRINTBOOK_ALIGN_CENTER,
                     PRINTBOOK_VALIGN_MIDDLE);
      marker_printed = true;
      cursor.Advance(1.1f);
      cursor.Reserve(1);
    }
    PrintRunnerLine(book, detail::ResultLineCells(holder, i, shape), cursor.Top(),
                    cursor.RowHeight());
    cursor.Advance(1);
  }

  book.PrintedAreaWidth(184);
  book.PrintedAreaHeight((cursor.Row() + 1) * cursor.RowHeight());
  if (PrintNewPage) book.NewPage();
}

}  // namespace quorvex2
