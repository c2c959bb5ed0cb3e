// Chart layout: the vertical zoom and window, the control positions, then the mode family's
// x axis, grid, labels and runner items.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "chart/detail/chart_layout.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace detail {
namespace {

bool IsTimeMode(QxChartModeConst mode) {
  return mode <= QX_CHART_RELATIVE_130;
}

void SetVerticalWindow(ChartLayout& layout, float ratio_y, float position_y) {
  layout.ratio_y = std::max(ratio_y, 1.0f);
  const float position = std::clamp(position_y, 0.0f, 1.0f);
  layout.position_y = (layout.ratio_y - 1) * position / layout.ratio_y;
  layout.scroll_y = (static_cast<double>(layout.ratio_y) - 1) * position;
  layout.chart.SetHeightOccupied(1 / layout.ratio_y, layout.key);
}

void SetVerticalScale(ChartLayout& layout) {
  if (IsTimeMode(layout.mode)) {
    SetTimeScaleY(layout);
  } else if (layout.mode == QX_CHART_TOVARINE) {
    SetTovarineScaleY(layout);
  } else {
    SetCruiseScaleY(layout);
  }
}

// controlY(k): the cumulative reference time of control k on the vertical scale, scrolled.
void PlaceControls(ChartLayout& layout) {
  const double offset_y = static_cast<double>(layout.chart.Height()) * layout.scroll_y;
  layout.control_y.at(0) = static_cast<float>(-offset_y);
  if (layout.mode == QX_CHART_CRUISE_MISSRATE) return;
  const auto general = layout.analyzer.GeneralData();
  for (int32_t k = 1; k <= layout.leg_count; ++k) {
    const auto at = static_cast<size_t>(k);
    layout.cumulative.at(at) = layout.cumulative.at(at - 1) + general->UpperLapAverage(k);
    const auto seconds = static_cast<double>(TimeToSeconds(layout.cumulative[at]));
    layout.control_y[at] = static_cast<float>(layout.y_scale * seconds - offset_y);
  }
}

ChartXAxis LayOutAxis(ChartLayout& layout) {
  if (IsTimeMode(layout.mode)) return LayOutTimeAxis(layout);
  if (layout.mode == QX_CHART_TOVARINE) return LayOutTovarineAxis(layout);
  return LayOutCruiseAxis(layout);
}

void AddRunners(ChartLayout& layout, ChartXAxis axis) {
  if (IsTimeMode(layout.mode)) {
    AddTimeRunners(layout, axis);
  } else if (layout.mode == QX_CHART_TOVARINE) {
    AddTovarineRunners(layout, axis);
  } else {
    AddCruiseRunners(layout, axis);
  }
}

}  // namespace

double PlaceHorizontally(ChartLayout& layout, double required_width, double x_scale,
                         double axis_start) {
  clsChartObject& chart = layout.chart;
  // The width the chart needs, as stored: a chart exactly as wide as its plot fits it.
  const auto required = static_cast<float>(required_width);
  if (required < chart.Width()) layout.position_x = 0;
  if (chart.AutoSize) chart.FitPictureWidth(required, layout.key);
  chart.SetWidthOccupied(required == 0 ? 1 : chart.Width() / required, layout.key);
  return (static_cast<double>(chart.Width()) - required_width) * layout.position_x -
         axis_start * x_scale;
}

Date CumulativeReference(const clsAnalyzer& analyzer, int32_t k) {
  Date total = 0;
  const auto general = analyzer.GeneralData();
  for (int32_t leg = 1; leg <= k; ++leg) total += general->UpperLapAverage(leg);
  return total;
}

}  // namespace detail

void clsGraphicControl::DrawChart(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                                  const std::shared_ptr<clsChartObject>& ChartObject,
                                  int32_t ChartMode, float RatioX, float RatioY, float PositionX,
                                  float PositionY) {
  if (ChartMode < QX_CHART_NORMAL || ChartMode > QX_CHART_TOVARINE) {
    throw std::out_of_range("clsGraphicControl.DrawChart: chart mode " + std::to_string(ChartMode) +
                            " is not 0 .. 7");
  }
  const auto key = detail::MakeInternal();
  ChartObject->AttachAnalyzer(AnalyzerObject, key);
  ChartObject->InitChart(key);
  detail::ChartLayout layout{*AnalyzerObject, *ChartObject,
                             static_cast<QxChartModeConst>(ChartMode),
                             AnalyzerObject->ControlCount + 1, AnalyzerObject->Count()};
  detail::SetVerticalWindow(layout, RatioY, PositionY);
  detail::SetVerticalScale(layout);
  detail::PlaceControls(layout);
  layout.ratio_x = std::max(RatioX, 0.5f);
  layout.position_x = std::clamp(PositionX, 0.0f, 1.0f);
  const detail::ChartXAxis axis = detail::LayOutAxis(layout);
  ChartObject->SetChartParameters(layout.mode, layout.ratio_x, layout.ratio_y, layout.position_x,
                                  layout.position_y, key);
  detail::AddRunners(layout, axis);
}

}  // namespace quorvex2
