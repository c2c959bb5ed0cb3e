// The X/Y map of runners (mode 7): both axes are the map's coordinates, each range widened by
// a tenth on both sides, with the zero axes drawn in black.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "chart/detail/chart_layout.h"
#include "quorvex2/core/format.h"

namespace quorvex2::detail {
namespace {

constexpr int32_t kLineColor = 0xE0E0E0;
constexpr int32_t kTenLineColor = 0xC0C0C0;
constexpr int32_t kAxisColor = 0;

struct Range {
  double min = 0, max = 0;
};

// The range of one coordinate over every runner, from 0, widened by 10 % each side;
// -100 .. 100 when it is empty.
Range WidenedRange(const ChartLayout& layout,
                   const std::function<double(clsAnalyzedRunnerData&)>& value) {
  Range range;
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    const double v = value(layout.Runner(i));
    range.min = std::min(range.min, v);
    range.max = std::max(range.max, v);
  }
  const double span = range.max - range.min;
  range.min -= 0.1 * span;
  range.max += 0.1 * span;
  if (range.max - range.min == 0) range = Range{-100, 100};
  return range;
}

double TovarineX(clsAnalyzedRunnerData& runner) {
  return runner.TovarineX();
}
double TovarineY(clsAnalyzedRunnerData& runner) {
  return runner.TovarineY();
}

float YOf(const ChartLayout& layout, double value) {
  return static_cast<float>(value - layout.y_min) * layout.y_scale + layout.ControlY(0);
}

void AddHorizontalLine(ChartLayout& layout, int32_t i, int32_t color, bool labelled) {
  clsChartObject& chart = layout.chart;
  const float y = YOf(layout, i);
  chart.AddGridLine(0, y, chart.Width(), y, color, layout.key);
  if (!labelled) return;
  chart.AddLabel(std::to_string(i), clsChartChar::kLeft, y, 0, layout.key);
  chart.AddLabel(std::to_string(i), clsChartChar::kRight, y, 0, layout.key);
}

void AddVerticalLine(ChartLayout& layout, ChartXAxis axis, int32_t v, int32_t color,
                     bool labelled) {
  clsChartObject& chart = layout.chart;
  const float x = static_cast<float>(v) * axis.scale + axis.offset;
  chart.AddGridLine(x, 0, x, chart.Height(), color, layout.key);
  if (!labelled) return;
  chart.AddLabel(FormatNumber(v, "#0"), clsChartChar::kAbove, x, 0, layout.key);
  chart.AddLabel(FormatNumber(v, "#0"), clsChartChar::kBelow, x, 0, layout.key);
}

}  // namespace

void SetTovarineScaleY(ChartLayout& layout) {
  const Range range = WidenedRange(layout, TovarineY);
  layout.y_min = range.min;
  layout.y_max = range.max;
  layout.y_scale =
      static_cast<double>(layout.chart.Height()) / (range.max - range.min) * layout.ratio_y;
}

ChartXAxis LayOutTovarineAxis(ChartLayout& layout) {
  Range x_range = WidenedRange(layout, TovarineX);
  clsChartObject& chart = layout.chart;
  ChartXAxis axis;
  const double span = x_range.max - x_range.min;
  axis.scale = chart.Width() / span * layout.ratio_x;
  axis.offset = PlaceHorizontally(layout, span * axis.scale, axis.scale, x_range.min - 2);
  if (x_range.max * axis.scale + axis.offset < chart.Width()) {
    x_range.max = (chart.Width() - axis.offset) / axis.scale;
  }
  const auto y_last = static_cast<int32_t>(std::floor(layout.y_max));
  for (auto i = static_cast<int32_t>(std::floor(layout.y_min)); i <= y_last; ++i) {
    if (i == 0 || i % 2 != 0) continue;
    AddHorizontalLine(layout, i, i % 10 == 0 ? kTenLineColor : kLineColor, i % 10 == 0);
  }
  const auto x_last = static_cast<int32_t>(std::floor(x_range.max));
  for (auto v = static_cast<int32_t>(std::floor(x_range.min)); v <= x_last; ++v) {
    if (v == 0 || v % 2 != 0) continue;
    AddVerticalLine(layout, axis, v, v % 10 == 0 ? kTenLineColor : kLineColor, v % 10 == 0);
  }
  AddHorizontalLine(layout, 0, kAxisColor, true);
  AddVerticalLine(layout, axis, 0, kAxisColor, true);
  return axis;
}

void AddTovarineRunners(ChartLayout& layout, ChartXAxis axis) {
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    clsAnalyzedRunnerData& runner = layout.Runner(i);
    if (!IsValidDate(runner.Result())) continue;
    const float x = static_cast<float>(runner.TovarineX()) * axis.scale + axis.offset;
    layout.chart.AddRunnerPoint(x, YOf(layout, runner.TovarineY()), i, layout.key);
  }
}

}  // namespace quorvex2::detail
