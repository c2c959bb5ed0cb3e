// The charts a chart page shows.
#include "html/detail/shown_charts.h"

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/core/sort.h"

namespace quorvex2::detail {
namespace {

// The last chart number with a heading on the page (the X/Y map has none), and the last one
// that can be drawn.
constexpr int32_t kLastShownChart = QX_CHART_CRUISE_HALFRATIO;
constexpr int32_t kLastDrawnChart = QX_CHART_TOVARINE;

bool AnyStartTime(const clsAnalyzer& analyzer) {
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    if (analyzer.Item(i)->StartTime() != 0) return true;
  }
  return false;
}

std::vector<int32_t> ChartsUpTo(const clsAnalyzer& analyzer, const std::string& chart_option,
                                int32_t last) {
  std::vector<int32_t> shown;
  if (analyzer.Count() == 0) return shown;
  CclsSplit charts;
  charts.Expression(",", chart_option);
  for (int32_t i = 0; i <= charts.Bound(); ++i) {
    const std::string field = charts.Value(i);
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) continue;
    const int32_t chart = std::stoi(field.substr(0, 9));
    if (chart > last || (chart == QX_CHART_REALTIME && !AnyStartTime(analyzer))) continue;
    shown.push_back(chart);
  }
  return shown;
}

}  // namespace

std::vector<int32_t> ShownCharts(const clsAnalyzer& analyzer, const std::string& chart_option) {
  return ChartsUpTo(analyzer, chart_option, kLastShownChart);
}

std::vector<int32_t> DrawnCharts(const clsAnalyzer& analyzer, const std::string& chart_option) {
  return ChartsUpTo(analyzer, chart_option, kLastDrawnChart);
}

}  // namespace quorvex2::detail
