// Printed tables of the 20,000-runner event (150 classes, one of 1,700 runners): recording
// every class's analysis table and result list into a print book, and replaying the recorded
// pages of a smaller event into a PDF. Each class is analysed and ranked once before the
// timing. "per_runner" is the time per runner, "per_page" the time per printed page.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/chart/graphic_control.h>
#include <quorvex2/core/root.h>
#include <quorvex2/print/print_book.h>

#include "support/event_generator.h"

namespace {

using quorvex2::clsAnalyzer;
using quorvex2::clsPrintBook;
using quorvex2::clsResultsHolder;

struct AnalysedClass {
  std::shared_ptr<clsAnalyzer> analyzer;
  std::shared_ptr<clsResultsHolder> results;
};

// An event with every class analysed and ranked.
class AnalysedEvent {
 public:
  explicit AnalysedEvent(const qxbench::EventPlan& plan) {
    qxbench::GenerateEvent(root, plan);
    for (int32_t i = 1; i <= root.ClassCount(); ++i) {
      AnalysedClass c{root.NewAnalyzer(), root.NewResultsHolder()};
      c.analyzer->AddClass(i);
      c.analyzer->Execute();
      c.results->AddClass(i);
      c.results->CalcRank();
      runners += c.results->FullSetCount();
      classes.push_back(std::move(c));
    }
    if (runners == 0) std::abort();
  }

  static const AnalysedEvent& Large() {
    static const AnalysedEvent event(qxbench::LargeEventPlan());
    return event;
  }

  quorvex2::clsQuorvex2 root;
  std::vector<AnalysedClass> classes;
  int64_t runners = 0;
};

std::shared_ptr<clsPrintBook> NewBook() {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(quorvex2::Printer::kPdfPrinterName, quorvex2::kPaperA4, 1, 10, 10, 10, 10, 1);
  return book;
}

// Every class into one book; results lists or analysis tables.
std::shared_ptr<clsPrintBook> RecordAll(const AnalysedEvent& event, bool results) {
  auto book = NewBook();
  auto& graphics = *event.root.GraphicControl();
  for (const AnalysedClass& c : event.classes) {
    if (results) {
      graphics.PrintResult(c.results, book);
    } else {
      graphics.PrintAnalysis(c.analyzer, book);
    }
  }
  return book;
}

void SetCounters(benchmark::State& state, int64_t runners, int32_t pages) {
  state.counters["runners"] = static_cast<double>(runners);
  state.counters["pages"] = pages;
  state.counters["per_runner"] = benchmark::Counter(
      static_cast<double>(runners),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["per_page"] = benchmark::Counter(
      pages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_RecordTables(benchmark::State& state, bool results) {
  const AnalysedEvent& event = AnalysedEvent::Large();
  int32_t pages = 0;
  for (auto _ : state) pages = RecordAll(event, results)->PageCount();
  SetCounters(state, event.runners, pages);
}

// Replaying recorded analysis tables into a PDF: text layout and drawing dominate.
void BM_PrintPdf(benchmark::State& state) {
  static const AnalysedEvent event(qxbench::EventPlan{});
  const auto book = RecordAll(event, false);
  const auto pdf = std::filesystem::temp_directory_path() / "qx-bench-print.pdf";
  book->PrinterObject()->OutputFile(pdf.string());
  for (auto _ : state) book->Execute();
  std::filesystem::remove(pdf);
  SetCounters(state, event.runners, book->PageCount());
}

BENCHMARK_CAPTURE(BM_RecordTables, analysis_tables, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RecordTables, result_lists, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
