// Every report of every class of the 20,000-runner event (150 classes, one of 1,700 runners):
// the mail text, the result list, the SplitsBrowser and macro CSV, and the result, analysis,
// leg and chart pages. Each class is analysed (Execute, ExtraAnalyze) and ranked once before
// the timing, so the figures are those of the writers alone. "per_runner" is the time per
// runner of the event; "bytes_per_second" the output rate.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/core/root.h>
#include <quorvex2/export/text_control.h>
#include <quorvex2/html/html_control.h>

#include "support/event_generator.h"

namespace {

using quorvex2::clsAnalyzer;
using quorvex2::clsResultsHolder;

// The chart numbers the site writes by default.
constexpr const char* kChartOption = "0,2,5,6,7";

struct ClassReports {
  std::shared_ptr<clsAnalyzer> analyzer;
  std::shared_ptr<clsResultsHolder> results;
};

// The event and the analysis of each class, made once for every benchmark of the run.
class AnalysedEvent {
 public:
  static const AnalysedEvent& Get() {
    static const AnalysedEvent event;
    return event;
  }

  quorvex2::clsQuorvex2 root;
  std::vector<ClassReports> classes;
  int64_t runners = 0;

 private:
  AnalysedEvent() {
    qxbench::GenerateEvent(root, qxbench::LargeEventPlan());
    for (int32_t i = 1; i <= root.ClassCount(); ++i) {
      ClassReports c{root.NewAnalyzer(), root.NewResultsHolder()};
      c.analyzer->AddClass(i);
      c.analyzer->Execute();
      c.analyzer->ExtraAnalyze();
      c.results->AddClass(i);
      c.results->CalcRank();
      runners += c.results->FullSetCount();
      classes.push_back(std::move(c));
    }
    if (runners == 0) std::abort();
  }
};

enum class Report { kMail, kResultList, kSplitsBrowser, kMacro, kResult, kAnalysis, kLegs, kChart };

constexpr Report kAllReports[] = {Report::kMail,  Report::kResultList, Report::kSplitsBrowser,
                                  Report::kMacro, Report::kResult,     Report::kAnalysis,
                                  Report::kLegs,  Report::kChart};

std::string Produce(const quorvex2::clsQuorvex2& root, const ClassReports& c, Report report) {
  switch (report) {
    case Report::kMail:
      return root.TextControl()->OutputTextMail(c.analyzer);
    case Report::kResultList:
      return root.TextControl()->OutputTextResult(c.results);
    case Report::kSplitsBrowser:
      return root.TextControl()->OutputCsvSplitsBrowser(c.analyzer);
    case Report::kMacro:
      return root.TextControl()->OutputCsvOstrandMacro(c.analyzer);
    case Report::kResult:
      return root.HtmlControl()->OutputResult(c.results);
    case Report::kAnalysis:
      return root.HtmlControl()->OutputAnalysis(c.analyzer);
    case Report::kLegs:
      return root.HtmlControl()->OutputLegData(c.analyzer);
    case Report::kChart:
      return root.HtmlControl()->OutputChart(c.analyzer, "c_?.png", kChartOption);
  }
  return "";
}

// Bytes of the given reports of every class.
int64_t ProduceAll(const AnalysedEvent& event, const Report* begin, const Report* end) {
  int64_t bytes = 0;
  for (const ClassReports& c : event.classes) {
    for (const Report* r = begin; r != end; ++r) {
      const std::string text = Produce(event.root, c, *r);
      benchmark::DoNotOptimize(text.data());
      bytes += static_cast<int64_t>(text.size());
    }
  }
  return bytes;
}

void SetCounters(benchmark::State& state, const AnalysedEvent& event, int64_t bytes) {
  const auto runners = static_cast<double>(event.runners);
  state.counters["runners"] = runners;
  state.counters["per_runner"] = benchmark::Counter(
      runners, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetBytesProcessed(bytes * state.iterations());
}

void BM_Report(benchmark::State& state, Report report) {
  const AnalysedEvent& event = AnalysedEvent::Get();
  int64_t bytes = 0;
  for (auto _ : state) bytes = ProduceAll(event, &report, &report + 1);
  SetCounters(state, event, bytes);
}

void BM_AllReports(benchmark::State& state) {
  const AnalysedEvent& event = AnalysedEvent::Get();
  int64_t bytes = 0;
  for (auto _ : state) bytes = ProduceAll(event, std::begin(kAllReports), std::end(kAllReports));
  SetCounters(state, event, bytes);
}

BENCHMARK_CAPTURE(BM_Report, mail_text, Report::kMail)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, result_list, Report::kResultList)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, splitsbrowser_csv, Report::kSplitsBrowser)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, macro_csv, Report::kMacro)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, result_html, Report::kResult)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, analysis_html, Report::kAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, legs_html, Report::kLegs)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Report, chart_html, Report::kChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllReports)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
