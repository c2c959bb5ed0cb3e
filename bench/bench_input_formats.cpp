// Loading the large benchmark event (20,000 runners, 150 classes) from the other programs'
// exports -- SPORTident listing, OEvent split times, CSV table, version-1 lap file -- beside
// loading it from the native file. Each file is written once, Shift-JIS like the real ones.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/event_generator.h"
#include "support/listing_writers.h"

namespace {

std::string BenchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("qx-bench-formats-" + name)).string();
}

using Writer = std::function<std::string(const quorvex2::clsQuorvex2&)>;

// The file of a format, written on first use.
const std::string& FileOf(const std::string& format) {
  static std::map<std::string, std::string> files;
  auto found = files.find(format);
  if (found != files.end()) return found->second;
  quorvex2::clsQuorvex2 root;
  qxbench::GenerateEvent(root, qxbench::LargeEventPlan());
  static const std::map<std::string, Writer> writers{{"sportident", qxbench::SportIdentListing},
                                                     {"oevent", qxbench::OEventExport},
                                                     {"csv", qxbench::CsvTable}};
  std::string path;
  if (format == "lxm" || format == "lap") {
    path = BenchPath("large." + format);
    if (!root.FileControl()->SaveLapFile(path)) std::abort();
  } else {
    path = BenchPath(format + ".txt");
    if (!quorvex2::WriteFileAtomically(path, quorvex2::Utf8ToSjis(writers.at(format)(root)))) {
      std::abort();
    }
  }
  return files.emplace(format, path).first->second;
}

void Load(benchmark::State& state, const std::string& format) {
  const std::string& file = FileOf(format);
  quorvex2::clsQuorvex2 root;
  int32_t runners = 0;
  for (auto _ : state) {
    if (!root.FileControl()->LoadLapFile(file)) state.SkipWithError("load failed");
    runners = 0;
    for (int32_t c = 1; c <= root.ClassCount(); ++c) runners += root.ClassData(c)->LapCount();
  }
  state.counters["runners"] = runners;
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
}

BENCHMARK_CAPTURE(Load, native, std::string("lxm"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, version1, std::string("lap"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, sportident, std::string("sportident"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, oevent, std::string("oevent"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, csv, std::string("csv"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
