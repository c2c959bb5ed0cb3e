// The analysis stages on generated classes of 50 to 1,700 runners with 25 legs (Execute,
// ExtraAnalyze, Tovarine, each with its growth), and the whole 20,000-runner event analysed class
// by class.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/core/root.h>

#include "support/event_generator.h"

namespace {

constexpr int32_t kLegs = 25;

qxbench::EventPlan OneClassPlan(int32_t runners) {
  qxbench::EventPlan plan;
  plan.class_count = 1;
  plan.runners = {runners};
  plan.legs_min = kLegs;
  plan.legs_max = kLegs;
  return plan;
}

// The event lives as long as the benchmark run; its root is the current one, which
// clsAnalyzer::AddClass reads.
struct OneClassEvent {
  explicit OneClassEvent(int32_t runners) { qxbench::GenerateEvent(root, OneClassPlan(runners)); }

  std::shared_ptr<quorvex2::clsAnalyzer> Executed() const {
    auto analyzer = root.NewAnalyzer();
    analyzer->AddClass(1);
    analyzer->Execute();
    return analyzer;
  }

  quorvex2::clsQuorvex2 root;
};

void SetClassSize(benchmark::State& state) {
  state.SetComplexityN(state.range(0));
  state.counters["runners"] = static_cast<double>(state.range(0));
}

// Adding the class and Execute (ranks, reference times, modified and relative times, cruise
// speed and miss times).
void BM_Execute(benchmark::State& state) {
  const OneClassEvent event(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(event.Executed());
  SetClassSize(state);
}

void BM_ExtraAnalyze(benchmark::State& state) {
  const OneClassEvent event(static_cast<int32_t>(state.range(0)));
  const auto analyzer = event.Executed();
  for (auto _ : state) analyzer->ExtraAnalyze();
  SetClassSize(state);
}

void BM_Tovarine(benchmark::State& state) {
  const OneClassEvent event(static_cast<int32_t>(state.range(0)));
  const auto analyzer = event.Executed();
  for (auto _ : state) analyzer->Tovarine();
  SetClassSize(state);
}

// Every class of the 20,000-runner event: Execute and ExtraAnalyze, one analyzer per class.
void BM_WholeEvent(benchmark::State& state) {
  quorvex2::clsQuorvex2 root;
  qxbench::GenerateEvent(root, qxbench::LargeEventPlan());
  int64_t runners = 0;
  for (auto _ : state) {
    runners = 0;
    for (int32_t i = 1; i <= root.ClassCount(); ++i) {
      auto analyzer = root.NewAnalyzer();
      analyzer->AddClass(i);
      analyzer->Execute();
      analyzer->ExtraAnalyze();
      runners += analyzer->FullSetCount();
    }
  }
  state.counters["runners"] = static_cast<double>(runners);
  state.counters["classes"] = root.ClassCount();
}

void ClassSizes(benchmark::internal::Benchmark* b) {
  for (int64_t runners : {50, 200, 800, 1700}) b->Arg(runners);
  b->Unit(benchmark::kMillisecond)->Complexity();
}

BENCHMARK(BM_Execute)->Apply(ClassSizes);
BENCHMARK(BM_ExtraAnalyze)->Apply(ClassSizes);
// Cubic in the class size: the largest class runs once.
BENCHMARK(BM_Tovarine)
    ->Arg(50)
    ->Arg(200)
    ->Arg(800)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNCubed);
BENCHMARK(BM_Tovarine)->Arg(1700)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeEvent)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
