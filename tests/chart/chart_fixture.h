#pragma once
// A small executed data set for the chart tests and a chart object on a 604 × 400 picture
// (plot area 500 × 300).
//
// Legs (s):  A 100 200 300  (splits 100 300 600)
//            B 120 240 330  (splits 120 360 690)
//            C 140 220 360  (splits 140 360 720)
// Reference leg times (mean of the three fastest) 120 220 330, cumulative 120 340 670.
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_fixture.h"
#include "core/detail/internal.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/platform/picture_box.h"
#include "quorvex2/print/print_book.h"
#include "support/golden.h"

namespace quorvex2::testing {

inline std::shared_ptr<clsAnalyzer> ThreeRunners() {
  auto analyzer = std::make_shared<clsAnalyzer>();
  analyzer->AddLap(MakeRunner("Ａ田 一郎", "0:10:00", {100, 200, 300}));
  analyzer->AddLap(MakeRunner("Ｂ川", "0:11:30", {120, 240, 330}));
  analyzer->AddLap(MakeRunner("Ｃ山 三郎", "0:12:00", {140, 220, 360}));
  analyzer->ControlCount = 2;
  analyzer->DataSetName("M21A");
  analyzer->Execute();
  return analyzer;
}

// Cruise speeds, miss rates and half speeds set by hand; runner 3 has no cruise speed.
inline std::shared_ptr<clsAnalyzer> WithFigures() {
  auto analyzer = ThreeRunners();
  const float figures[3][4] = {{1.055f, 0.125f, 1, 1.205f}, {0.955f, 0.305f, 1, 0.905f}, {0, 0.2f}};
  const auto key = detail::MakeInternal();
  for (int32_t i = 1; i <= 3; ++i) {
    auto& runner = *analyzer->Item(i);
    runner.CruiseSpeed(key).SetValue(figures[i - 1][0], key);
    runner.MissRate(key).SetValue(figures[i - 1][1], key);
    runner.FirstHalfCruiseSpeed(key).SetValue(figures[i - 1][2], key);
    runner.SecondHalfCruiseSpeed(key).SetValue(figures[i - 1][3], key);
  }
  return analyzer;
}

inline std::shared_ptr<clsChartObject> ChartOnPicture(int32_t width = 604, int32_t height = 400) {
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(std::make_shared<PictureBox>(width, height));
  return chart;
}

// The i-th (1-based) segment or point of a list as "runner: x1,y1 x2,y2 /clip flags", five
// significant digits (+ 0 makes -0 print as 0).
inline std::string Describe(const CclsSort& list, int32_t i) {
  const auto line = list.ObjectItemAs<clsChartLine>(i);
  return qxtest::Printf("%d: %.5g,%.5g %.5g,%.5g /%d", line->RunnerIndex, line->X1 + 0.0,
                        line->Y1 + 0.0, line->X2 + 0.0, line->Y2 + 0.0, line->ClipFlags);
}

// What a layout put in the chart, one item a line: the mode and view, then the labels, grid
// lines, segments and points in list order; coordinates to five significant digits.
inline std::string DumpLayout(const clsChartObject& chart) {
  std::string out = qxtest::Printf(
      "mode %d plot %g x %g ratio %g,%g position %g,%g occupied %.4g,%.4g\n", chart.ChartMode(),
      chart.Width(), chart.Height(), chart.RatioX(), chart.RatioY(), chart.PositionX(),
      chart.PositionY(), chart.WidthOccupied(), chart.HeightOccupied());
  for (const auto& label : chart.LabelList()) {
    out += qxtest::Printf("label %d \"%s\" at %.5g #%06X\n", label.Side, label.Text.c_str(),
                          label.Position + 0.0, static_cast<unsigned>(label.Color));
  }
  for (const auto& line : chart.GridList()) {
    out += qxtest::Printf("grid %.5g,%.5g %.5g,%.5g #%06X\n", line.X1 + 0.0, line.Y1 + 0.0,
                          line.X2 + 0.0, line.Y2 + 0.0, static_cast<unsigned>(line.Color));
  }
  for (int32_t i = 1; i <= chart.SegmentList().Count(); ++i) {
    out += "segment " + Describe(chart.SegmentList(), i) + "\n";
  }
  for (int32_t i = 1; i <= chart.PointList().Count(); ++i) {
    out += "point " + Describe(chart.PointList(), i) + "\n";
  }
  return out;
}

}  // namespace quorvex2::testing
