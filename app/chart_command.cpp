// quorvex2 chart: one chart of a data set as a PNG picture.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/chart/chart_object.h>
#include <quorvex2/chart/graphic_control.h>
#include <quorvex2/core/text.h>
#include <quorvex2/platform/picture_box.h>

#include "command_registry.h"
#include "data_set_options.h"
#include "load_options.h"
#include "messages.h"
#include "write_refusal.h"

namespace qxcli {
namespace {

struct ChartOptions {
  LoadOptions load;
  DataSetOptions data_set;
  int32_t mode = 0;
  std::string output;
  std::string size = "800x600";
  float ratio_x = 1, ratio_y = 1, position_x = 0, position_y = 0;
  bool auto_size = false;
  std::vector<std::string> highlights;
};

// Highlighted runners: colours apart from the red, blue and green of the first three runners,
// drawn over a yellow halo, on top of everybody else.
constexpr int32_t kHighlightColors[] = {0xC000C0, 0x0080FF, 0x808000, 0x004080, 0x800080};
constexpr int32_t kHaloColor = 0x80FFFF;
constexpr int32_t kHaloWidth = 6;

struct PictureSize {
  int32_t width, height;
};

PictureSize ParseSize(const std::string& text) {
  int32_t width = 0, height = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2 || width < 200 ||
      height < 200 || width > 32767 || height > 32767) {
    throw ExitError(2, text::BadPictureSize(text));
  }
  return {width, height};
}

// The runner index of a name, compared without spaces.
int32_t FindRunner(const quorvex2::clsAnalyzer& analyzer, const std::string& name) {
  const std::string key = quorvex2::MakeNameKey(name);
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    if (quorvex2::MakeNameKey(analyzer.Item(i)->RunnerName()) == key) return i;
  }
  throw ExitError(2, text::NoSuchRunner(name));
}

void Highlight(quorvex2::clsChartObject& chart, const quorvex2::clsAnalyzer& analyzer,
               const std::vector<std::string>& names) {
  const size_t palette = std::size(kHighlightColors);
  for (size_t n = 0; n < names.size(); ++n) {
    const int32_t index = FindRunner(analyzer, names[n]);
    chart.SetRunnerSetting(index, kHighlightColors[n % palette], 2, 1);
    chart.SetRunnerSetting2(index, kHaloColor, kHaloWidth);
  }
}

void WriteChart(ChartOptions o) {
  const PictureSize size = ParseSize(o.size);
  // The second chart of cruise speeds needs the half-course speeds, the map its coordinates.
  o.data_set.extra = o.data_set.extra || o.mode == quorvex2::QX_CHART_CRUISE_HALFRATIO;
  o.data_set.tovarine = o.data_set.tovarine || o.mode == quorvex2::QX_CHART_TOVARINE;
  const auto root = LoadEvent(o.load);
  const auto analyzer = BuildAnalyzer(*root, o.data_set);
  auto picture = std::make_shared<quorvex2::PictureBox>(size.width, size.height);
  auto chart = std::make_shared<quorvex2::clsChartObject>();
  chart->PictureObject(picture);
  chart->AutoSize = o.auto_size;
  const auto lay_out = [&] {
    quorvex2::clsGraphicControl().DrawChart(analyzer, chart, o.mode, o.ratio_x, o.ratio_y,
                                            o.position_x, o.position_y);
  };
  lay_out();
  if (!o.highlights.empty()) {
    Highlight(*chart, *analyzer, o.highlights);
    lay_out();  // the settings stay with the data set
  }
  chart->DrawChart();
  if (!picture->SavePng(o.output))
    throw ExitError(1, text::CannotWrite("chart", o.output, WriteRefusal(o.output)));
}

void SetupChart(CLI::App& sub) {
  auto o = std::make_shared<ChartOptions>();
  AddLoadOptions(sub, o->load);
  AddDataSetOptions(sub, o->data_set);
  sub.add_option("--mode", o->mode,
                 "0 split times, 1 clock times, 2/3/4 against 1.0/1.1/1.3 × the reference, "
                 "5 cruise speed and miss rate, 6 second / first half cruise speed, 7 X/Y map")
      ->required()
      ->check(CLI::Range(0, 7));
  sub.add_option("-o,--output", o->output, "PNG file to write")->required();
  sub.add_option("--size", o->size, "Picture size in pixels")->capture_default_str();
  sub.add_option("--ratio-x", o->ratio_x, "Horizontal zoom (at least 0.5)")->capture_default_str();
  sub.add_option("--ratio-y", o->ratio_y, "Vertical zoom (at least 1)")->capture_default_str();
  sub.add_option("--position-x", o->position_x, "Horizontal scroll position, 0 .. 1")
      ->capture_default_str();
  sub.add_option("--position-y", o->position_y, "Vertical scroll position, 0 .. 1")
      ->capture_default_str();
  sub.add_flag("--auto-size", o->auto_size, "Widen or narrow the picture to the whole chart");
  sub.add_option("--highlight", o->highlights, "Draw this runner on top (repeatable)");
  sub.callback([o] { WriteChart(*o); });
}

const bool registered =
    RegisterCommand({"chart", "Draw a chart of one data set as a PNG picture", SetupChart});

}  // namespace
}  // namespace qxcli
