#pragma once
// What the chart layout works with while it fills a chart object: the data set, the zoom and
// scroll values as adjusted, the vertical scale and the y position of every control.
#include <array>
#include <cstdint>

#include "core/detail/internal.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"

namespace quorvex2::detail {

// Room for the start and 31 controls.
inline constexpr int32_t kControlTableSize = 32;

struct ChartLayout {
  clsAnalyzer& analyzer;
  clsChartObject& chart;
  QxChartModeConst mode;
  int32_t leg_count;
  int32_t runner_count;
  float ratio_x = 1, ratio_y = 1, position_x = 0, position_y = 0;
  // How far the vertical window is scrolled down, in heights of the picture: (RatioY − 1) times
  // the PositionY given (before it is replaced by its share of the whole), so that a window
  // scrolled to the bottom ends exactly at the last control.
  double scroll_y = 0;
  // The arithmetic of the layout is done in double precision and each coordinate rounded to
  // single once, when it is stored: a control at the bottom edge lands on it exactly.
  double y_scale = 0;
  // The vertical value range of the scatter charts (mode 5 uses y_max as its top).
  double y_min = 0, y_max = 0;
  std::array<float, kControlTableSize> control_y{};
  // Cumulative reference time of each control in days (not filled for the miss-rate chart).
  std::array<Date, kControlTableSize> cumulative{};
  Internal key = MakeInternal();

  clsAnalyzedRunnerData& Runner(int32_t index) const { return *analyzer.Item(index); }
  float ControlY(int32_t k) const { return control_y.at(static_cast<size_t>(k)); }
  Date Cumulative(int32_t k) const { return cumulative.at(static_cast<size_t>(k)); }
};

// The horizontal scale and the x coordinate of value 0.
struct ChartXAxis {
  double scale = 0;
  double offset = 0;
};

// Settles the horizontal window once a mode knows its full width: PositionX, auto-size and the
// visible fraction. Returns the x offset that puts axis_start at the left of the full width.
double PlaceHorizontally(ChartLayout& layout, double required_width, double x_scale,
                         double axis_start);

// Sum of the reference leg times of legs 1 .. k, in days.
Date CumulativeReference(const clsAnalyzer& analyzer, int32_t k);

// Each mode family: its vertical scale, its x axis with grid and labels, its runner items.
void SetTimeScaleY(ChartLayout& layout);
ChartXAxis LayOutTimeAxis(ChartLayout& layout);
void AddTimeRunners(ChartLayout& layout, ChartXAxis axis);

void SetCruiseScaleY(ChartLayout& layout);
ChartXAxis LayOutCruiseAxis(ChartLayout& layout);
void AddCruiseRunners(ChartLayout& layout, ChartXAxis axis);

void SetTovarineScaleY(ChartLayout& layout);
ChartXAxis LayOutTovarineAxis(ChartLayout& layout);
void AddTovarineRunners(ChartLayout& layout, ChartXAxis axis);

}  // namespace quorvex2::detail
