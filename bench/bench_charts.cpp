// Charts of generated classes of 50, 200 and 800 runners with 25 legs: laying out each of the
// eight modes, laying out and rendering on a picture, and encoding the picture as PNG.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/chart/chart_object.h>
#include <quorvex2/chart/graphic_control.h>
#include <quorvex2/core/root.h>
#include <quorvex2/platform/picture_box.h>

#include "support/event_generator.h"

namespace {

constexpr int32_t kLegs = 25;

// One class, analysed with every step the charts read (half speeds, the X/Y map).
struct ChartedClass {
  explicit ChartedClass(int32_t runners) {
    qxbench::EventPlan plan;
    plan.class_count = 1;
    plan.runners = {runners};
    plan.legs_min = kLegs;
    plan.legs_max = kLegs;
    qxbench::GenerateEvent(root, plan);
    analyzer = root.NewAnalyzer();
    analyzer->AddClass(1);
    analyzer->Execute();
    analyzer->ExtraAnalyze();
    analyzer->Tovarine();
  }

  quorvex2::clsQuorvex2 root;
  std::shared_ptr<quorvex2::clsAnalyzer> analyzer;
};

std::shared_ptr<quorvex2::clsChartObject> ChartOnPicture() {
  auto chart = std::make_shared<quorvex2::clsChartObject>();
  chart->PictureObject(std::make_shared<quorvex2::PictureBox>(1024, 768));
  return chart;
}

void Label(benchmark::State& state, const quorvex2::clsChartObject& chart) {
  state.counters["runners"] = static_cast<double>(state.range(1));
  state.counters["items"] =
      static_cast<double>(chart.SegmentList().Count() + chart.PointList().Count());
}

void BM_ChartLayout(benchmark::State& state) {
  const ChartedClass data(static_cast<int32_t>(state.range(1)));
  const auto mode = static_cast<int32_t>(state.range(0));
  auto chart = ChartOnPicture();
  quorvex2::clsGraphicControl graphics;
  for (auto _ : state) graphics.DrawChart(data.analyzer, chart, mode);
  Label(state, *chart);
}

void BM_ChartLayoutAndDraw(benchmark::State& state) {
  const ChartedClass data(static_cast<int32_t>(state.range(1)));
  const auto mode = static_cast<int32_t>(state.range(0));
  auto chart = ChartOnPicture();
  quorvex2::clsGraphicControl graphics;
  for (auto _ : state) {
    graphics.DrawChart(data.analyzer, chart, mode);
    chart->DrawChart();
  }
  Label(state, *chart);
}

// Encoding a drawn 1024 × 768 chart (split times of 200 runners) as PNG.
void BM_ChartPng(benchmark::State& state) {
  const ChartedClass data(200);
  auto picture = std::make_shared<quorvex2::PictureBox>(1024, 768);
  auto chart = std::make_shared<quorvex2::clsChartObject>();
  chart->PictureObject(picture);
  quorvex2::clsGraphicControl().DrawChart(data.analyzer, chart, quorvex2::QX_CHART_NORMAL);
  chart->DrawChart();
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("qx_bench_chart_" + std::to_string(::getpid()) + ".png"))
                               .string();
  for (auto _ : state) {
    if (!picture->SavePng(file)) state.SkipWithError("cannot write the PNG file");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
  std::filesystem::remove(file);
}

void ModesAndSizes(benchmark::internal::Benchmark* b) {
  for (int64_t mode = 0; mode <= 7; ++mode) {
    for (int64_t runners : {50, 200, 800}) b->Args({mode, runners});
  }
  b->ArgNames({"mode", "runners"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ChartLayout)->Apply(ModesAndSizes);
BENCHMARK(BM_ChartLayoutAndDraw)->Apply(ModesAndSizes);
BENCHMARK(BM_ChartPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
