// The charts a chart page shows.
#include "html/detail/shown_charts.h"

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/core/sort.h"

namespace quorvex2::detail {
namespace {

// The last chart number with a heading on the page (the X/Y map has none).
constexpr int32_t kLastShownChart = QX_CHART_CRUISE_HALFRATIO;

bool AnyStartTime(const clsAnalyzer& analyzer) {
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    if (analyzer.Item(i)->StartTime() != 0) return true;
  }
  return false;
}

}  // namespace

std::vector<int32_t> ShownCharts(const clsAnalyzer& analyzer, const std::string& chart_option) {
  std::vector<int32_t> shown;
  if (analyzer.Count() == 0) return shown;
  CclsSplit charts;
  charts.Expression(",", chart_option);
  for (int32_t i = 0; i <= charts.Bound(); ++i) {
    const std::string field = charts.Value(i);
    if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) continue;
    const int32_t chart = std::stoi(field.substr(0, 9));
    if (chart > kLastShownChart || (chart == QX_CHART_REALTIME && !AnyStartTime(analyzer))) {
      continue;
    }
    shown.push_back(chart);
  }
  return shown;
}

}  // namespace quorvex2::detail
