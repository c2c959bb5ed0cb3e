// The cruise speed charts: cruise speed across at 10 units a percent (zoom 1), and down the
// miss rate (mode 5) or the second-half against the first-half cruise speed (mode 6).
#include <algorithm>
#include <cmath>
#include <string>

#include "chart/detail/chart_layout.h"
#include "core/detail/catalogue.h"
#include "quorvex2/core/format.h"

namespace quorvex2::detail {
namespace {

constexpr float kUnitsPerPercent = 10;
constexpr int32_t kLineColor = 0xC0C0C0;
constexpr int32_t kTenLineColor = 0x808080;
constexpr int32_t kVerticalLineColor = 0xD0D0D0;
constexpr int32_t kVerticalTenLineColor = 0xA0A0A0;

bool IsMissRate(const ChartLayout& layout) {
  return layout.mode == QX_CHART_CRUISE_MISSRATE;
}

// Second-half cruise speed as a fraction of the first half; 0 when either is missing.
float HalfRatio(clsAnalyzedRunnerData& runner) {
  const float first = runner.FirstHalfCruiseSpeed().Value();
  const float second = runner.SecondHalfCruiseSpeed().Value();
  return first != 0 && second != 0 ? second / first : 0;
}

void AddBothSides(ChartLayout& layout, const std::string& text, int32_t first_side,
                  float position) {
  layout.chart.AddLabel(text, first_side, position, 0, layout.key);
  layout.chart.AddLabel(text, first_side * 2, position, 0, layout.key);
}

void AddHorizontalGrid(ChartLayout& layout) {
  clsChartObject& chart = layout.chart;
  const bool miss_rate = IsMissRate(layout);
  const auto first = static_cast<int32_t>(miss_rate ? 0 : std::floor(layout.y_min));
  const auto last = static_cast<int32_t>(std::floor(layout.y_max));
  for (int32_t i = first; i <= last; ++i) {
    const float y =
        static_cast<float>(miss_rate ? i : i - layout.y_min) * layout.y_scale + layout.ControlY(0);
    if (i % 2 != 0) {
      chart.AddGridLine(0, y, chart.Width(), y, kLineColor, layout.key);
      continue;
    }
    chart.AddGridLine(0, y, chart.Width(), y, i % 10 == 0 ? kTenLineColor : kLineColor, layout.key);
    if (y >= (miss_rate ? 20 : 30)) {
      AddBothSides(layout, std::to_string(i) + (miss_rate ? "" : "%"), clsChartChar::kLeft, y);
    }
  }
  if (miss_rate) {
    AddBothSides(layout, detail::Tr("chart", "ミス率"), clsChartChar::kLeft, 5);
  } else {
    AddBothSides(layout, detail::Tr("後巡行　"), clsChartChar::kLeft, 5);
    AddBothSides(layout, detail::Tr("／前巡行"), clsChartChar::kLeft, 17);
  }
}

void AddVerticalGrid(ChartLayout& layout, ChartXAxis axis, float x_min, float x_max) {
  clsChartObject& chart = layout.chart;
  const auto last = static_cast<int32_t>(std::floor(x_max));
  for (auto v = static_cast<int32_t>(std::floor(x_min - 1)); v <= last; ++v) {
    const float x = axis.scale * static_cast<float>(v) + axis.offset;
    if (v % 10 != 0) {
      chart.AddGridLine(x, 0, x, chart.Height(), kVerticalLineColor, layout.key);
      continue;
    }
    chart.AddGridLine(x, 0, x, chart.Height(), kVerticalTenLineColor, layout.key);
    if (x <= chart.Width() - 60)
      AddBothSides(layout, FormatNumber(v, "#0"), clsChartChar::kAbove, x);
  }
  AddBothSides(layout, detail::Tr("巡行速度"), clsChartChar::kAbove, chart.Width() - 25);
}

}  // namespace

void SetCruiseScaleY(ChartLayout& layout) {
  const float height = layout.chart.Height();
  if (IsMissRate(layout)) {
    float max_rate = 0.01f;
    for (int32_t i = 1; i <= layout.runner_count; ++i) {
      max_rate = std::max(max_rate, layout.Runner(i).MissRate().Value());
    }
    const float top = std::min(std::floor(max_rate * 100.0f) + 1, 50.0f);
    layout.y_min = 0;
    layout.y_max = top;
    layout.y_scale = static_cast<double>(height) / top * layout.ratio_y;
    return;
  }
  float min_ratio = 1.0f, max_ratio = 1.0f;
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    const float ratio = HalfRatio(layout.Runner(i));
    if (ratio == 0) continue;
    min_ratio = std::min(min_ratio, ratio);
    max_ratio = std::max(max_ratio, ratio);
  }
  const float y_min = std::floor(min_ratio * 100.0f) - 2;
  const float y_max = std::min(std::floor(max_ratio * 100.0f) + 2, 150.0f);
  layout.y_min = y_min;
  layout.y_max = y_max;
  layout.y_scale = static_cast<double>(height) / (y_max - y_min) * layout.ratio_y;
}

ChartXAxis LayOutCruiseAxis(ChartLayout& layout) {
  float min_speed = 1.0f, max_speed = 1.0f;
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    const float speed = layout.Runner(i).CruiseSpeed().Value();
    if (speed == 0) continue;
    min_speed = std::min(min_speed, speed);
    max_speed = std::max(max_speed, speed);
  }
  const float x_min = std::floor(min_speed * 100.0f);
  float x_max = std::min(std::floor(max_speed * 100.0f) + 1, 300.0f);
  ChartXAxis axis;
  axis.scale = layout.ratio_x * kUnitsPerPercent;
  const double required = (x_max - x_min + 4) * axis.scale;
  axis.offset = PlaceHorizontally(layout, required, axis.scale, x_min - 2);
  const float width = layout.chart.Width();
  if (x_max * axis.scale + axis.offset < width) {
    x_max = static_cast<float>((width - axis.offset) / axis.scale);
  }
  AddHorizontalGrid(layout);
  AddVerticalGrid(layout, axis, x_min, x_max);
  return axis;
}

void AddCruiseRunners(ChartLayout& layout, ChartXAxis axis) {
  const bool miss_rate = IsMissRate(layout);
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    clsAnalyzedRunnerData& runner = layout.Runner(i);
    const float speed = runner.CruiseSpeed().Value();
    const float value = miss_rate ? runner.MissRate().Value() : HalfRatio(runner);
    if (speed == 0 || value == 0) continue;
    const float x = speed * 100 * axis.scale + axis.offset;
    const float y =
        static_cast<float>(miss_rate ? value * 100 : value * 100 - layout.y_min) * layout.y_scale +
        layout.ControlY(0);
    layout.chart.AddRunnerPoint(x, y, i, layout.key);
  }
}

}  // namespace quorvex2::detail
