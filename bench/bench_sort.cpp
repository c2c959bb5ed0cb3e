// CclsSort against std::stable_sort: 100,000 keys inserted in random order, then read in order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "quorvex2/core/sort.h"

namespace {

constexpr int kKeys = 100000;

std::vector<double> RandomKeys() {
  std::mt19937 random(2003);
  // Result times of up to three hours, in whole seconds: many equal keys, as in real classes.
  std::uniform_int_distribution<int> seconds(1200, 3 * 3600);
  std::vector<double> keys(kKeys);
  for (double& key : keys) key = seconds(random) / 86400.0;
  return keys;
}

void BM_CclsSortInsert(benchmark::State& state) {
  const std::vector<double> keys = RandomKeys();
  for (auto _ : state) {
    quorvex2::CclsSort sort;
    for (int i = 0; i < kKeys; ++i) sort.AddLong(keys[static_cast<size_t>(i)], i);
    benchmark::DoNotOptimize(sort.LineSet().data());
  }
  state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_CclsSortInsert)->Unit(benchmark::kMillisecond);

// The same keys with an in-order read after every 100th insertion.
void BM_CclsSortInsertWithReads(benchmark::State& state) {
  const std::vector<double> keys = RandomKeys();
  for (auto _ : state) {
    quorvex2::CclsSort sort;
    for (int i = 0; i < kKeys; ++i) {
      sort.AddLong(keys[static_cast<size_t>(i)], i);
      if (i % 100 == 99) benchmark::DoNotOptimize(sort.SortKey(1));
    }
    benchmark::DoNotOptimize(sort.LineSet().data());
  }
  state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_CclsSortInsertWithReads)->Unit(benchmark::kMillisecond);

void BM_StdStableSort(benchmark::State& state) {
  const std::vector<double> keys = RandomKeys();
  for (auto _ : state) {
    std::vector<std::pair<double, int>> lines;
    lines.reserve(kKeys);
    for (int i = 0; i < kKeys; ++i) lines.emplace_back(keys[static_cast<size_t>(i)], i);
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_StdStableSort)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
