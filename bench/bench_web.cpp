// The web viewer of the 20,000-runner event (150 classes, 50 shared courses, 190 segments)
// as `quorvex2 web` writes it. BM_WebViewer is the whole of OutputWeb, measured in the same run
// as the classic site of `quorvex2 site` (every page kind with chart images and both lap file
// copies): web_per_site is the viewer's time over the site's, in CPU and in wall-clock time, and
// class_page_kb the page of the 1,700-runner class. BM_WebData takes the data of every page
// apart from the analysis it comes from.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>
#include <quorvex2/web/web_control.h>

#include "support/event_generator.h"
#include "support/temp_folder.h"
#include "web/detail/data_set_json.h"
#include "web/detail/web_entries.h"

namespace {

namespace fs = std::filesystem;

struct Clocks {
  double cpu = 0, wall = 0;
};

Clocks Now() {
  timespec cpu{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now().time_since_epoch();
  return {static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) * 1e-9, wall.count()};
}

Clocks Since(const Clocks& start) {
  const Clocks now = Now();
  return {now.cpu - start.cpu, now.wall - start.wall};
}

// The event generated once for the whole run; it stays the current root.
class WebEvent {
 public:
  static WebEvent& Get() {
    static WebEvent event;
    return event;
  }

  quorvex2::clsQuorvex2 root;
  int64_t runners = 0;

 private:
  WebEvent() {
    qxbench::GenerateEvent(root, qxbench::LargeEventPlan());
    root.MakeSegmentSet();  // as loading the event's native file rebuilds them
    for (int32_t i = 1; i <= root.ClassCount(); ++i) {
      runners += static_cast<int64_t>(root.ClassData(i)->LapCount());
    }
  }
};

void SetRunnerCounters(benchmark::State& state, int64_t runners) {
  state.counters["runners"] = static_cast<double>(runners);
  state.counters["per_runner"] = benchmark::Counter(
      static_cast<double>(runners),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What `quorvex2 site` writes without page options.
bool WriteClassicSite(quorvex2::clsQuorvex2& root, const std::string& folder) {
  return root.FileControl()->OutputHtml(folder, "index.html", "*_analysis.html", "*_results.html",
                                        "large.lxm", "large.lap", false, false, "", "", true, true,
                                        "*_legs.html", true, "*_charts.html", true, "0,2,5,6,7");
}

uintmax_t LargestClassPage(const std::string& folder) {
  uintmax_t largest = 0;
  for (const auto& file : fs::directory_iterator(folder)) {
    if (file.path().filename().string().rfind("class_", 0) == 0) {
      largest = std::max(largest, file.file_size());
    }
  }
  return largest;
}

void BM_WebViewer(benchmark::State& state) {
  WebEvent& event = WebEvent::Get();
  const qxbench::TempFolder web_folder("web"), site_folder("web-site");
  quorvex2::clsWebControl web;
  Clocks viewer, site;
  for (auto _ : state) {
    Clocks start = Now();
    if (!web.OutputWeb(web_folder.Path())) {
      state.SkipWithError("the web viewer was not written");
      return;
    }
    viewer = Since(start);
    state.PauseTiming();
    start = Now();
    if (!WriteClassicSite(event.root, site_folder.Path())) {
      state.SkipWithError("the classic site was not written");
      return;
    }
    site = Since(start);
    state.ResumeTiming();
  }
  SetRunnerCounters(state, event.runners);
  state.counters["site_cpu_s"] = site.cpu;
  state.counters["site_wall_s"] = site.wall;
  state.counters["web_per_site_cpu"] = viewer.cpu / site.cpu;
  state.counters["web_per_site_wall"] = viewer.wall / site.wall;
  state.counters["class_page_kb"] = static_cast<double>(LargestClassPage(web_folder.Path())) / 1e3;
}

// The JSON of every page from a finished analysis (each entry's analysis is outside the timing).
void BM_WebData(benchmark::State& state) {
  WebEvent& event = WebEvent::Get();
  const auto entries = quorvex2::detail::WebEntries(event.root);
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const auto& entry : entries) {
      state.PauseTiming();
      const auto analyzer = quorvex2::detail::AnalyseEntry(event.root, entry);
      state.ResumeTiming();
      quorvex2::detail::JsonText json;
      json.BeginObject();
      quorvex2::detail::AppendDataSet(json, entry, *analyzer,
                                      quorvex2::detail::RunnersWithoutLegs(event.root, entry));
      json.EndObject();
      bytes += static_cast<int64_t>(json.Text().size());
    }
  }
  SetRunnerCounters(state, event.runners);
  state.SetBytesProcessed(bytes * state.iterations());
}

BENCHMARK(BM_WebViewer)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WebData)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
