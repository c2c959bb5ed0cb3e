// Loading and saving a large native lap file (20,000 runners, 150 classes, one of 1,700
// runners, 15 to 30 legs) beside pugixml's bare parse and save of the same file, and loading
// and saving the same event as an IOF XML 3.0 ResultList. Prints the
// ratios and the peak memory of each operation (measured in a child process) at the end.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <pugixml.hpp>

#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"
#include "support/event_generator.h"

namespace {

std::string BenchPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("qx-bench-" + name)).string();
}

const std::string& LargeFile() {
  static const std::string path = [] {
    const std::string file = BenchPath("large.lxm");
    if (!qxbench::WriteEvent(qxbench::LargeEventPlan(), file)) std::abort();
    return file;
  }();
  return path;
}

const std::string& LargeIof3File() {
  static const std::string path = [] {
    const std::string file = BenchPath("large-iof3.xml");
    if (!qxbench::WriteEvent(qxbench::LargeEventPlan(), file,
                             quorvex2::QX_FILETYPE_IOF_XML_30_RESULT)) {
      std::abort();
    }
    return file;
  }();
  return path;
}

void LoadNative(benchmark::State& state) {
  quorvex2::clsQuorvex2 root;
  for (auto _ : state) {
    if (!root.FileControl()->LoadLapFile(LargeFile())) state.SkipWithError("load failed");
  }
  state.counters["runners"] = 20000;
}

void LoadIof3(benchmark::State& state) {
  const std::string& file = LargeIof3File();  // written through a root of its own, first
  quorvex2::clsQuorvex2 root;
  for (auto _ : state) {
    if (!root.FileControl()->LoadLapFile(file)) state.SkipWithError("load failed");
  }
  state.counters["runners"] = 20000;
}

void SaveIof3(benchmark::State& state) {
  quorvex2::clsQuorvex2 root;
  root.FileControl()->LoadLapFile(LargeFile());
  const std::string out = BenchPath("save-iof3.xml");
  for (auto _ : state) {
    if (!root.FileControl()->SaveLapFile(out, quorvex2::QX_FILETYPE_IOF_XML_30_RESULT)) {
      state.SkipWithError("save failed");
    }
  }
}

void ParseBare(benchmark::State& state) {
  for (auto _ : state) {
    pugi::xml_document document;
    if (!document.load_file(LargeFile().c_str())) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(document);
  }
}

void SaveNative(benchmark::State& state) {
  quorvex2::clsQuorvex2 root;
  root.FileControl()->LoadLapFile(LargeFile());
  const std::string out = BenchPath("save.lxm");
  for (auto _ : state) {
    if (!root.FileControl()->SaveLapFile(out)) state.SkipWithError("save failed");
  }
}

void SaveBare(benchmark::State& state) {
  pugi::xml_document document;
  document.load_file(LargeFile().c_str());
  const std::string out = BenchPath("save-bare.lxm");
  for (auto _ : state) {
    if (!document.save_file(out.c_str(), "", pugi::format_raw)) state.SkipWithError("failed");
  }
}

BENCHMARK(LoadNative)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseBare)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveNative)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveBare)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadIof3)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveIof3)->Unit(benchmark::kMillisecond);

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

// Peak resident memory (KiB) of a child process that runs the operation.
long PeakKiB(const std::function<void()>& operation) {
  const pid_t pid = fork();
  if (pid == 0) {
    operation();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return usage.ru_maxrss;
}

void PrintMemory() {
  const long base = PeakKiB([] {});
  const long load = PeakKiB([] {
    quorvex2::clsQuorvex2 root;
    root.FileControl()->LoadLapFile(LargeFile());
  });
  const long parse = PeakKiB([] {
    pugi::xml_document document;
    document.load_file(LargeFile().c_str());
  });
  const long save = PeakKiB([] {
    quorvex2::clsQuorvex2 root;
    root.FileControl()->LoadLapFile(LargeFile());
    root.FileControl()->SaveLapFile(BenchPath("save.lxm"));
  });
  std::printf(
      "peak memory above an idle process: load %ld KiB, bare parse %ld KiB (%.2fx); "
      "load+save %ld KiB\n",
      load - base, parse - base, double(load - base) / double(parse - base), save - base);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("file: %s (%ju bytes)\n", LargeFile().c_str(),
              static_cast<uintmax_t>(std::filesystem::file_size(LargeFile())));
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  auto& t = collector.times;
  if (t.count("LoadNative") && t.count("ParseBare") && t.count("SaveNative") &&
      t.count("SaveBare")) {
    // The budget of the load is bench_targets' (at most 2x the bare parse).
    std::printf("load / bare parse: %.2fx\nsave / bare save: %.2fx\n",
                t["LoadNative"] / t["ParseBare"], t["SaveNative"] / t["SaveBare"]);
  }
  if (t.count("LoadIof3") && t.count("LoadNative") && t.count("SaveIof3")) {
    std::printf(
        "IOF 3.0 file: %ju bytes; load IOF 3.0 / load native: %.2fx; save IOF 3.0 / "
        "save native: %.2fx\n",
        static_cast<uintmax_t>(std::filesystem::file_size(LargeIof3File())),
        t["LoadIof3"] / t["LoadNative"], t["SaveIof3"] / t["SaveNative"]);
  }
  PrintMemory();
  benchmark::Shutdown();
  return 0;
}
