// The whole web site of the 20,000-runner event (150 classes and their shared courses) as the
// site command writes it: index, result, analysis, leg and chart pages of every class and
// course, and both lap file copies, in Shift-JIS. BM_Site is the whole of OutputHtml; the other
// benchmarks take it apart: the analysis of every entry, the X/Y map the chart images will need,
// the pages (made, encoded and written) from a finished analysis, their Shift-JIS conversion
// alone, the lap file copies, and the chart images.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/core/encoding.h>
#include <quorvex2/core/path.h>
#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>
#include <quorvex2/html/html_control.h>

#include "html/detail/chart_images.h"
#include "support/event_generator.h"
#include "support/temp_folder.h"

namespace {

using quorvex2::clsAnalyzer;
using quorvex2::clsResultsHolder;

constexpr const char* kChartOption = "0,2,5,6,7";

using qxbench::TempFolder;

// One class or shared course of the site, as the site lists them.
struct Entry {
  int32_t class_index = 0;
  int32_t course_num = 0;
  std::string name, file_name;
};

struct AnalysedEntry {
  Entry entry;
  std::shared_ptr<clsResultsHolder> results;
  std::shared_ptr<clsAnalyzer> analyzer;
};

// The event generated once for the whole run; it stays the current root.
class SiteEvent {
 public:
  static SiteEvent& Get() {
    static SiteEvent event;
    return event;
  }

  quorvex2::clsQuorvex2 root;
  std::vector<Entry> entries;
  int64_t runners = 0;

 private:
  SiteEvent() {
    qxbench::GenerateEvent(root, qxbench::LargeEventPlan());
    for (const std::string& expression : root.ClassAndCourseList()) {
      Entry e;
      root.SeparateClassAndCourseValue(expression, &e.name, &e.class_index, &e.course_num,
                                       &e.file_name);
      entries.push_back(e);
    }
    for (int32_t i = 1; i <= root.ClassCount(); ++i) {
      runners += static_cast<int64_t>(root.ClassData(i)->LapCount());
    }
    if (runners == 0) std::abort();
  }
};

void SetRunnerCounters(benchmark::State& state, int64_t runners) {
  state.counters["runners"] = static_cast<double>(runners);
  state.counters["per_runner"] = benchmark::Counter(
      static_cast<double>(runners),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Ranking and analysis of one entry as the site does it (Tovarine only when chart images are
// drawn, since the seventh chart needs it).
AnalysedEntry Analyse(const quorvex2::clsQuorvex2& root, const Entry& e) {
  AnalysedEntry a{e, root.NewResultsHolder(), root.NewAnalyzer()};
  if (e.class_index > 0) {
    a.results->AddClass(e.class_index);
    a.analyzer->AddClass(e.class_index);
  } else {
    a.results->AddCourse(e.course_num);
    a.analyzer->AddCourse(e.course_num);
  }
  a.results->CalcRank();
  a.analyzer->Execute();
  a.analyzer->ExtraAnalyze();
  if (quorvex2::detail::PngOutputAvailable()) a.analyzer->Tovarine();
  return a;
}

std::vector<AnalysedEntry> AnalyseAll(const SiteEvent& event) {
  std::vector<AnalysedEntry> all;
  for (const Entry& e : event.entries) all.push_back(Analyse(event.root, e));
  return all;
}

void BM_Site(benchmark::State& state) {
  SiteEvent& event = SiteEvent::Get();
  const TempFolder folder("site");
  auto files = event.root.FileControl();
  for (auto _ : state) {
    if (!files->OutputHtml(folder.Path(), "index.html", "*_analysis.html", "*_results.html",
                           "large.lxm", "large.lap", false, false, "", "", true, true,
                           "*_legs.html", true, "*_charts.html", true, kChartOption)) {
      state.SkipWithError("the site was not written");
      break;
    }
  }
  SetRunnerCounters(state, event.runners);
  state.counters["entries"] = static_cast<double>(event.entries.size());
}

void BM_SiteAnalysis(benchmark::State& state) {
  const SiteEvent& event = SiteEvent::Get();
  for (auto _ : state) benchmark::DoNotOptimize(AnalyseAll(event));
  SetRunnerCounters(state, event.runners);
}

using Page = std::pair<std::string, std::string>;  // file name, UTF-8 text

std::vector<Page> MakePages(const quorvex2::clsQuorvex2& root, const AnalysedEntry& a) {
  auto html = root.HtmlControl();
  const std::string& name = a.entry.file_name;
  return {
      {name + "_results.html", html->OutputResult(a.results)},
      {name + "_analysis.html", html->OutputAnalysis(a.analyzer)},
      {name + "_legs.html", html->OutputLegData(a.analyzer)},
      {name + "_charts.html", html->OutputChart(a.analyzer, name + "_charts_?.png", kChartOption)},
  };
}

// The X/Y map (Tovarine) of every entry: the analysis the chart pages add once chart images are
// drawn (their seventh chart needs it). Cubic in the entry's size; one iteration.
void BM_SiteTovarine(benchmark::State& state) {
  const SiteEvent& event = SiteEvent::Get();
  std::vector<AnalysedEntry> analysed = AnalyseAll(event);
  for (auto _ : state) {
    for (AnalysedEntry& a : analysed) a.analyzer->Tovarine();
  }
  SetRunnerCounters(state, event.runners);
}

// The pages of one entry, each converted to Shift-JIS and written; the bytes written.
int64_t WritePages(const quorvex2::clsQuorvex2& root, const AnalysedEntry& a,
                   const TempFolder& folder) {
  int64_t bytes = 0;
  for (const auto& [file, page] : MakePages(root, a)) {
    const std::string sjis = quorvex2::Utf8ToSjisHtml(page);
    if (!quorvex2::WriteFileAtomically(folder.File(file), sjis)) std::abort();
    bytes += static_cast<int64_t>(sjis.size());
  }
  return bytes;
}

void BM_SitePages(benchmark::State& state) {
  const SiteEvent& event = SiteEvent::Get();
  const std::vector<AnalysedEntry> analysed = AnalyseAll(event);
  const TempFolder folder("site-pages");
  int64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const AnalysedEntry& a : analysed) bytes += WritePages(event.root, a, folder);
  }
  SetRunnerCounters(state, event.runners);
  state.SetBytesProcessed(bytes * state.iterations());
}

// The Shift-JIS conversion of every page alone.
void BM_SiteEncoding(benchmark::State& state) {
  const SiteEvent& event = SiteEvent::Get();
  std::vector<Page> pages;
  for (const AnalysedEntry& a : AnalyseAll(event)) {
    for (Page& page : MakePages(event.root, a)) pages.push_back(std::move(page));
  }
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const Page& page : pages) {
      const std::string sjis = quorvex2::Utf8ToSjisHtml(page.second);
      benchmark::DoNotOptimize(sjis.data());
      bytes += static_cast<int64_t>(page.second.size());
    }
  }
  SetRunnerCounters(state, event.runners);
  state.SetBytesProcessed(bytes);
}

void BM_SiteLapCopies(benchmark::State& state) {
  const SiteEvent& event = SiteEvent::Get();
  const TempFolder folder("site-laps");
  auto files = event.root.FileControl();
  for (auto _ : state) {
    if (!files->SaveLapFile(folder.File("large.lap"), 3) ||
        !files->SaveLapFile(folder.File("large.lxm"), 2)) {
      state.SkipWithError("a lap file copy was not written");
      break;
    }
  }
  SetRunnerCounters(state, event.runners);
}

void BM_SiteChartImages(benchmark::State& state) {
  if (!quorvex2::detail::PngOutputAvailable()) {
    state.SkipWithError("this build draws no chart images");
    return;
  }
  const SiteEvent& event = SiteEvent::Get();
  std::vector<AnalysedEntry> analysed = AnalyseAll(event);
  const TempFolder folder("site-charts");
  for (auto _ : state) {
    for (AnalysedEntry& a : analysed) {
      std::vector<quorvex2::detail::SiteFile> images;
      if (!quorvex2::detail::DrawChartImages(*a.analyzer, folder.Path() + "/",
                                             a.entry.file_name + "_charts_?.png", kChartOption, 1,
                                             images)) {
        state.SkipWithError("a chart image was not encoded");
        return;
      }
      for (const auto& image : images) quorvex2::WriteFileAtomically(image.path, image.bytes);
    }
  }
  SetRunnerCounters(state, event.runners);
}

// The site works on a thread per core: its CPU time is the whole process's.
BENCHMARK(BM_Site)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteTovarine)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SitePages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteEncoding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteLapCopies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SiteChartImages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
