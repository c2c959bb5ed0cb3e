// Chart images of the web site, drawn on a hidden picture box that fits its width to each
// chart. It draws without smoothing, like the platform's picture box: an image holds only the
// colours drawn, and one of up to 256 colours is written as a small palette image. The runners of a
// page keep one random colour each over all its charts; past 240 runners the colours repeat, so
// that every chart is such an image. The colours come from a generator seeded by the caller, so
// the same event gives the same pictures.
#include "html/detail/chart_images.h"

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "html/detail/shown_charts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/text.h"
#include "quorvex2/platform/picture_box.h"

namespace quorvex2::detail {
namespace {

// The size of the hidden picture before a chart fits its width.
constexpr int32_t kPictureWidth = 640;
constexpr int32_t kPictureHeight = 480;
// Colour channels are 0 .. 207, dark enough to read on white.
constexpr double kChannelRange = 208;
// Runner colours drawn afresh; the axes, grid and texts of a chart use fewer than 16 more, so a
// picture keeps to the 256 colours of a palette image.
constexpr int32_t kFreshColors = 240;

// Split times and clock times at 12 units a minute, the other charts three times as wide.
float RatioX(int32_t mode) {
  return mode <= QX_CHART_REALTIME ? 1.0f : 3.0f;
}

class RandomColors {
 public:
  explicit RandomColors(uint64_t seed) : engine_(seed) {}

  int32_t Next() {
    const int32_t red = Channel(), green = Channel(), blue = Channel();
    return red | green << 8 | blue << 16;
  }

  // One of the colours drawn before, at random.
  int32_t Reused(const std::vector<int32_t>& drawn) {
    return drawn[static_cast<size_t>(engine_() % drawn.size())];
  }

 private:
  // The whole part of a random fraction × 208.
  int32_t Channel() {
    const double fraction = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    return static_cast<int32_t>(fraction * kChannelRange);
  }

  std::mt19937_64 engine_;
};

// Each runner gets a random colour. A page of more runners than kFreshColors repeats colours,
// which on a chart of hundreds of lines nobody tells apart, and keeps its pictures palette images.
void ColorRunners(clsChartObject& chart, int32_t count, uint64_t seed) {
  RandomColors colors(seed);
  std::vector<int32_t> drawn;
  for (int32_t i = 1; i <= count; ++i) {
    if (i <= kFreshColors) drawn.push_back(colors.Next());
    chart.SetRunnerSetting(i, i <= kFreshColors ? drawn.back() : colors.Reused(drawn), 2, 1);
  }
}

std::string ImageName(const std::string& pattern, int32_t mode) {
  return ReplaceAll(pattern, "?", std::to_string(mode));
}

}  // namespace

bool PngOutputAvailable() {
#ifdef CAIRO_HAS_PNG_FUNCTIONS
  return true;
#else
  return false;
#endif
}

bool DrawChartImages(clsAnalyzer& analyzer, const std::string& folder,
                     const std::string& image_pattern, const std::string& chart_option,
                     uint64_t seed, std::vector<SiteFile>& files) {
  // The chart lives only for this call: it may hold the caller's analyzer without owning it.
  const std::shared_ptr<clsAnalyzer> data_set(std::shared_ptr<clsAnalyzer>{}, &analyzer);
  auto picture = std::make_shared<PictureBox>(kPictureWidth, kPictureHeight);
  picture->Smoothing(false);
  auto chart = std::make_shared<clsChartObject>();
  chart->PictureObject(picture);
  chart->AutoSize = true;
  clsGraphicControl graphics;
  bool colored = false;
  for (const int32_t mode : DrawnCharts(analyzer, chart_option)) {
    graphics.DrawChart(data_set, chart, mode, RatioX(mode), 1, 0, 0);
    if (!colored) ColorRunners(*chart, analyzer.Count(), seed);
    colored = true;
    chart->DrawChart();
    std::string png = picture->PngBytes();
    if (png.empty()) return false;
    files.push_back({folder + ImageName(image_pattern, mode), std::move(png), false});
  }
  return true;
}

}  // namespace quorvex2::detail
