// The time charts (modes 0 to 4): controls down the plot, spaced by the reference leg times,
// and time across it at 12 units a minute (zoom 1), with two minutes of margin on each side.
#include <algorithm>
#include <cmath>
#include <string>

#include "chart/detail/chart_layout.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

constexpr float kUnitsPerSecond = 0.2f;
constexpr int32_t kMarginSeconds = 120;
constexpr int32_t kControlLineColor = 0xC0C0C0;
constexpr int32_t kMinuteLineColor = 0xD0D0D0;
constexpr int32_t kTenMinuteLineColor = 0xA0A0A0;

// How much of the cumulative reference time the relative modes take away.
double ReferenceFactor(QxChartModeConst mode) {
  switch (mode) {
    case QX_CHART_RELATIVE:
      return 1.0;
    case QX_CHART_RELATIVE_110:
      return 1.1;
    case QX_CHART_RELATIVE_130:
      return 1.3;
    default:
      return 0;
  }
}

bool IsRelative(QxChartModeConst mode) {
  return ReferenceFactor(mode) != 0;
}

// The time a runner's split at control k is plotted at; split is ModifiedSplitTime for the
// lines and SplitTime for the range.
Date PlottedTime(const ChartLayout& layout, Date start_time, Date split, int32_t k) {
  if (layout.mode == QX_CHART_REALTIME) return start_time + split;
  if (IsRelative(layout.mode)) {
    return split - ReferenceFactor(layout.mode) * layout.Cumulative(k);
  }
  return split;
}

struct TimeRange {
  Date min = 0, max = 0;
};

TimeRange RangeOfTimes(const ChartLayout& layout) {
  const bool real_time = layout.mode == QX_CHART_REALTIME;
  TimeRange range;
  if (real_time) range.min = 1;
  bool any_start = false;
  // Only the runners' positive split times count, in real time only of runners with a start.
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    clsAnalyzedRunnerData& runner = layout.Runner(i);
    const Date start = runner.StartTime();
    if (real_time && start == 0) continue;
    for (int32_t k = 1; k <= layout.leg_count; ++k) {
      const Date split = runner.SplitTime(k)->Value();
      if (split <= 0) continue;
      if (real_time) {
        any_start = true;
        range.min = std::min(range.min, start);
      }
      const Date t = PlottedTime(layout, start, split, k);
      range.max = std::max(range.max, t);
      if (IsRelative(layout.mode)) range.min = std::min(range.min, t);
    }
  }
  if (real_time && !any_start) range = TimeRange{};
  return range;
}

float Seconds(Date value) {
  return static_cast<float>(TimeToSeconds(value));
}

int32_t FloorDiv(int32_t value, int32_t divisor) {
  return static_cast<int32_t>(std::floor(static_cast<double>(value) / divisor));
}

void AddControlLines(ChartLayout& layout) {
  clsChartObject& chart = layout.chart;
  for (int32_t k = 0; k <= layout.leg_count; ++k) {
    const float y = layout.ControlY(k);
    chart.AddGridLine(0, y, chart.Width(), y, kControlLineColor, layout.key);
    const std::string name = k == 0 ? "S" : k == layout.leg_count ? "F" : std::to_string(k);
    chart.AddLabel(name, clsChartChar::kLeft, y, 0, layout.key);
    chart.AddLabel(name, clsChartChar::kRight, y, 0, layout.key);
  }
}

void AddTimeLines(ChartLayout& layout, TimeRange range, ChartXAxis axis) {
  clsChartObject& chart = layout.chart;
  const int32_t first = FloorDiv(TimeToSeconds(range.min), 60) * 60 - kMarginSeconds;
  const int32_t last = (FloorDiv(TimeToSeconds(range.max), 60) + 1) * 60;
  for (int32_t s = first; s <= last; s += 60) {
    const float x = axis.scale * static_cast<float>(s) + axis.offset;
    if (s % 600 != 0) {
      chart.AddGridLine(x, 0, x, chart.Height(), kMinuteLineColor, layout.key);
      continue;
    }
    chart.AddGridLine(x, 0, x, chart.Height(), kTenMinuteLineColor, layout.key);
    const std::string text = FormatDate(s * kSecond, "h:nn");
    chart.AddLabel(text, clsChartChar::kAbove, x, 0, layout.key);
    chart.AddLabel(text, clsChartChar::kBelow, x, 0, layout.key);
  }
}

}  // namespace

void SetTimeScaleY(ChartLayout& layout) {
  const double total = Seconds(CumulativeReference(layout.analyzer, layout.leg_count));
  // A data set without reference times has nowhere to put its controls: they stay on the top.
  layout.y_scale = total > 0 ? layout.chart.Height() / total * layout.ratio_y : 0;
}

ChartXAxis LayOutTimeAxis(ChartLayout& layout) {
  TimeRange range = RangeOfTimes(layout);
  ChartXAxis axis;
  axis.scale = layout.ratio_x * kUnitsPerSecond;
  const double required = axis.scale * (Seconds(range.max - range.min) + 2 * kMarginSeconds);
  axis.offset =
      PlaceHorizontally(layout, required, axis.scale, Seconds(range.min) - kMarginSeconds);
  const double width = layout.chart.Width();
  if (axis.scale * Seconds(range.max) + axis.offset < width) {
    const auto n = static_cast<int32_t>(std::floor((width - axis.offset) / axis.scale));
    range.max = n * kSecond;
  }
  AddControlLines(layout);
  AddTimeLines(layout, range, axis);
  return axis;
}

void AddTimeRunners(ChartLayout& layout, ChartXAxis axis) {
  const auto x_of = [&](Date t) { return axis.scale * Seconds(t) + axis.offset; };
  for (int32_t i = 1; i <= layout.runner_count; ++i) {
    clsAnalyzedRunnerData& runner = layout.Runner(i);
    const Date start = runner.StartTime();
    if (layout.mode == QX_CHART_REALTIME && start == 0) continue;
    float previous_x = layout.mode == QX_CHART_REALTIME ? x_of(start) : axis.offset;
    for (int32_t k = 1; k <= layout.leg_count; ++k) {
      const Date split = runner.ModifiedSplitTime(k)->Value();
      if (split <= 0) break;
      const float x = x_of(PlottedTime(layout, start, split, k));
      layout.chart.AddRunnerSegment(previous_x, layout.ControlY(k - 1), x, layout.ControlY(k), i,
                                    layout.key);
      previous_x = x;
    }
  }
}

}  // namespace quorvex2::detail
