// The text procedures on the loading and output paths: every leg time of a lap file goes through
// NormalizeTimeText and every printed time through FormatValue.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/core/value_types.h"

namespace {

using namespace quorvex2;

const std::vector<std::string> kWrittenTimes = {"1234",   "12:34", "1:02:03",  "00:01:75",
                                                "125:30", "DNF",   "５：３２", "1:05:09(2)"};

void BM_NormalizeTimeText(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NormalizeTimeText(kWrittenTimes[i++ % kWrittenTimes.size()]));
  }
}
BENCHMARK(BM_NormalizeTimeText);

void BM_TimeValueToString(benchmark::State& state) {
  clsTimeValue time;
  double seconds = 0;
  for (auto _ : state) {
    time.Value((seconds += 7) / 86400.0);
    benchmark::DoNotOptimize(time.ToString());
  }
}
BENCHMARK(BM_TimeValueToString);

void BM_FormatCompactTime(benchmark::State& state) {
  double seconds = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FormatCompactTime((seconds += 7) / 86400.0, 8));
}
BENCHMARK(BM_FormatCompactTime);

void BM_GetSeparatedValue(benchmark::State& state) {
  const std::string line = "M21A,山田 太郎,Club,1,1:05:09,10:00:00,0:03:12,0:05:40,0:02:01,0:04:44";
  for (auto _ : state) {
    for (int32_t field = 1; field <= 10; ++field) {
      benchmark::DoNotOptimize(GetSeparatedValue(line, field, ","));
    }
  }
}
BENCHMARK(BM_GetSeparatedValue);

void BM_SjisToUtf8PerMegabyte(benchmark::State& state) {
  std::string text;
  while (text.size() < (1 << 20)) text += "M21A,山田 太郎,ｸﾗﾌﾞ,1:05:09\r\n";
  const std::string sjis = Utf8ToSjis(text);
  for (auto _ : state) benchmark::DoNotOptimize(SjisToUtf8(sjis));
}
BENCHMARK(BM_SjisToUtf8PerMegabyte);

void BM_ToNarrowUpper(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ToUpper(ToNarrow("山田　太郎 ＤＮＦ クラブ")));
}
BENCHMARK(BM_ToNarrowUpper);

void BM_FitString(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FitString("山田 太郎 (Club)", 12, true, true));
}
BENCHMARK(BM_FitString);

}  // namespace

BENCHMARK_MAIN();
