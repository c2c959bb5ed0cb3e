#pragma once
// The printed analysis table: its shape by print mode and the drawing of its columns. The table
// is written in columns: the class label column, the header column with the row titles, then
// one column per runner. Lengths are virtual units, y measured from the band's top.
#include <cstdint>
#include <optional>
#include <string>

#include "print/detail/print_settings.h"
#include "quorvex2/analysis/analyzed_runner_data.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2::detail {

inline constexpr float kHeaderColumnWidth = 22;
inline constexpr float kLegRowsTop = 20;
inline constexpr float kLegRowHeight = 4;

struct AnalysisTableLayout {
  QxPrintAnalysisModeConst mode = QX_PRINT_ANALYSIS_STANDARD;
  int32_t control_count = 0;
  int32_t legs = 1;        // ControlCount + 1
  float data_width = 21;   // leg time and rank (W)
  float second_width = 8;  // relative value and miss time (S), STANDARD only
  float table_height = 0;  // T

  bool HasSecondColumn() const { return second_width > 0; }
  bool HasSplitRows() const { return mode != QX_PRINT_ANALYSIS_LAPTIME; }
  float ColumnWidth() const { return data_width + second_width + 1; }
  // Top of leg k's row (k from 1).
  float LegTop(int32_t Leg) const;
};

// std::runtime_error for a mode that is none of the three.
AnalysisTableLayout MakeAnalysisTableLayout(QxPrintAnalysisModeConst Mode, int32_t ControlCount);

struct AnalysisTablePen {
  clsPrintBook& book;
  const AnalysisTableLayout& layout;
  const AnalysisPrintSettings& settings;
};

// The data-set name in vertical writing down the page, with the print time at the bottom.
void DrawClassLabelColumn(const AnalysisTablePen& Pen, const std::string& DataSetName, float Left,
                          float PageHeight, std::optional<Date> PrintTime);
void DrawHeaderColumn(const AnalysisTablePen& Pen, float Left, float Top);
void DrawRunnerColumn(const AnalysisTablePen& Pen, clsAnalyzedRunnerData& Runner, float Left,
                      float Top);

// The relative value of a leg: "999%" above 999 %, else the percentage without its sign.
std::string RelativeText(const clsPercentValue& Relative);

}  // namespace quorvex2::detail
