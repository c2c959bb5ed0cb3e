#pragma once
// Chart layout, the analysis grid and the printed tables.
#include <cstdint>
#include <memory>

#include "quorvex2/chart/grid_object.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsAnalyzer;
class clsChartObject;
class clsResultsHolder;
class clsPrintBook;

// What each leg of a printed analysis table shows.
enum QxPrintAnalysisModeConst : int32_t {
  QX_PRINT_ANALYSIS_STANDARD = 0,   // leg and split times with ranks, relative value, miss time
  QX_PRINT_ANALYSIS_LAPTIME = 1,    // leg time with leg rank
  QX_PRINT_ANALYSIS_SPLITTIME = 2,  // leg time and split time with their ranks
};

class clsGraphicControl {
 public:
  // Fills the host's grid with the split analysis of the data set: one column per runner, one
  // row per figure, the three best leg and split ranks coloured. A data set without runners
  // leaves the grid cleared and hidden.
  void DrawGrid(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                const std::shared_ptr<clsGridObject>& GridObject) const;

  // Lays a chart of the executed data set out into the chart object (ChartMode is a
  // QxChartModeConst): axes, grid, labels and runner items, zoomed by the ratios and scrolled
  // to the positions (0 .. 1). Draws nothing. std::out_of_range for a course of more than 31
  // legs in every mode but the cruise speed / miss rate chart.
  void DrawChart(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                 const std::shared_ptr<clsChartObject>& ChartObject, int32_t ChartMode,
                 float RatioX = 1, float RatioY = 1, float PositionX = 0, float PositionY = 0);

  // Printed tables. Both record into an initialised print book (std::runtime_error for a
  // missing or never initialised book, a missing data set or an analyzer not executed) and
  // print nothing for a data set without runners.

  // The split analysis of an executed analyzer: a class label column, a header column and one
  // column per runner, beside what the page holds (PrintedAreaWidth), wrapping into bands
  // below and onto new pages. PrintTimeValue 0 prints the current time when PrintTime is set.
  void PrintAnalysis(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                     const std::shared_ptr<clsPrintBook>& PrintBookObject,
                     QxPrintAnalysisModeConst PrintAnalysisMode = QX_PRINT_ANALYSIS_STANDARD,
                     bool PrintNewPage = false, float AutoReduction = 1.0f, bool PrintTime = false,
                     Date PrintTimeValue = 0);
  // A result list below what the page holds (PrintedAreaHeight): a class header bar, one line
  // per runner and the cut-off marker after the last qualifying rank.
  void PrintResult(const std::shared_ptr<clsResultsHolder>& ResultsHolderObject,
                   const std::shared_ptr<clsPrintBook>& PrintBookObject, float LineInterval = 1.5f,
                   bool PrintNewPage = false, bool PrintID = false, bool PrintAge = false);
};

}  // namespace quorvex2
