// Printed analysis tables: placing the columns of one data set beside what the page holds,
// in bands stacked down the page, and onto new pages.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "platform/clock.h"
#include "print/detail/analysis_table.h"
#include "quorvex2/analysis/analyzer.h"

namespace quorvex2 {

namespace {

constexpr float kBandGap = 10;
constexpr float kTableGap = 10;

// Sets the book's virtual zoom so that the table fits the page height, shrinking for one more
// band when AutoReduction allows; returns the number of bands.
int32_t FitBands(clsPrintBook& Book, float TableHeight, float AutoReduction) {
  Book.VirtualZoomRatio(1);
  const float height = Book.Height();
  if (height < TableHeight) {
    Book.VirtualZoomRatio(height / TableHeight);
    return 1;
  }
  const float r = (height + kBandGap) / (TableHeight + kBandGap);
  const auto whole = static_cast<int32_t>(r);
  const float shrunk = r / static_cast<float>(whole + 1);
  if (shrunk >= AutoReduction) {
    Book.VirtualZoomRatio(shrunk);
    return whole + 1;
  }
  return whole;
}

// Where the next runner column goes: the band, the table's left edge on this page and the
// x of the next column. `used` is how far the first band is filled.
class AnalysisTableCursor {
 public:
  AnalysisTableCursor(const detail::AnalysisTablePen& Pen, const std::string& DataSetName,
                      std::optional<Date> PrintTime, int32_t Bands)
      : pen_(Pen), name_(DataSetName), print_time_(PrintTime), bands_(Bands) {
    const float height = Pen.book.Height();
    band_pitch_ =
        (height - kBandGap * static_cast<float>(Bands - 1)) / static_cast<float>(Bands) + kBandGap;
  }

  // Starts the table at `Used` of the first band: class label and header column.
  void Start(float Used) {
    used_ = Used;
    table_left_ = Used + pen_.settings.class_label_width;
    band_ = 1;
    detail::DrawClassLabelColumn(pen_, name_, Used, pen_.book.Height(), print_time_);
    StartBand();
  }

  // The left edge of the next runner column, moving on to the next band or page when it does
  // not fit beside the columns already placed.
  float NextColumn() {
    const float width = pen_.layout.ColumnWidth();
    const bool band_has_columns = x_ > table_left_ + detail::kHeaderColumnWidth;
    if (band_has_columns && x_ + width > pen_.book.Width()) NextBand();
    const float left = x_;
    x_ += width;
    if (band_ == 1) used_ = x_;
    return left;
  }

  float BandTop() const { return band_pitch_ * static_cast<float>(band_ - 1); }
  float Used() const { return used_; }

 private:
  void StartBand() {
    detail::DrawHeaderColumn(pen_, table_left_, BandTop());
    x_ = table_left_ + detail::kHeaderColumnWidth;
  }

  void NextBand() {
    if (band_ < bands_) {
      ++band_;
      StartBand();
      return;
    }
    pen_.book.NewPage();
    Start(0);
  }

  const detail::AnalysisTablePen& pen_;
  const std::string& name_;
  std::optional<Date> print_time_;
  int32_t bands_;
  float band_pitch_ = 0;
  int32_t band_ = 1;
  float table_left_ = 0;
  float x_ = 0;
  float used_ = 0;
};

// Starts a new page unless the label, the 22-unit header block, the header column's width (29
// with the second column, 19 without) and the gap fit beside what the page holds; returns where
// the table starts.
float TableStart(clsPrintBook& Book, const detail::AnalysisTablePen& Pen) {
  const float used = Book.PrintedAreaWidth();
  const float header = Pen.layout.data_width + Pen.layout.second_width;
  const float needed =
      Pen.settings.class_label_width + detail::kHeaderColumnWidth + header + kTableGap;
  if (needed <= Book.Width() - used) return used;
  Book.NewPage();
  return 0;
}

const clsAnalyzer& RequireAnalyzer(const std::shared_ptr<clsAnalyzer>& Analyzer,
                                   const std::string& Operation) {
  if (!Analyzer) throw std::runtime_error(Operation + ": no analyzer was given");
  return *Analyzer;
}

}  // namespace

void clsGraphicControl::PrintAnalysis(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                                      const std::shared_ptr<clsPrintBook>& PrintBookObject,
                                      QxPrintAnalysisModeConst PrintAnalysisMode, bool PrintNewPage,
                                      float AutoReduction, bool PrintTime, Date PrintTimeValue) {
  const std::string operation = "clsGraphicControl.PrintAnalysis";
  clsPrintBook& book = detail::RequireInitialisedBook(PrintBookObject, operation);
  const clsAnalyzer& analyzer = RequireAnalyzer(AnalyzerObject, operation);
  if (analyzer.Count() == 0) return;
  if (!analyzer.IsExecuted())
    throw std::runtime_error(operation + ": the analyzer was not executed");

  const detail::AnalysisPrintSettings settings = detail::ReadAnalysisPrintSettings();
  const detail::AnalysisTableLayout layout =
      detail::MakeAnalysisTableLayout(PrintAnalysisMode, analyzer.ControlCount);
  const int32_t bands = FitBands(book, layout.table_height, AutoReduction);
  const detail::AnalysisTablePen pen{book, layout, settings};
  std::optional<Date> print_time;
  if (PrintTime) print_time = PrintTimeValue != 0 ? PrintTimeValue : detail::Now();

  AnalysisTableCursor cursor(pen, analyzer.DataSetName(), print_time, bands);
  cursor.Start(TableStart(book, pen));
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    const float left = cursor.NextColumn();
    detail::DrawRunnerColumn(pen, *analyzer.Item(i), left, cursor.BandTop());
  }

  book.PrintedAreaWidth(cursor.Used() + kTableGap);
  book.PrintedAreaHeight(book.Height());
  book.VirtualZoomRatio(1);
  if (PrintNewPage) book.NewPage();
}

}  // namespace quorvex2
