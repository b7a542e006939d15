// Text output of the largest workbook: row building (the word list's
// exchange sort included) and rendering, for every kind; and the exchange
// sort alone on as many rows in the orders that make it work hardest.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "bench/generator.h"
#include "core/exchangesort.h"
#include "core/textoutput.h"

namespace tgc {
namespace {

const Workbook& largest() {
  static const Workbook wb = makeLargestWorkbook(7);
  return wb;
}

void BM_TextOutput(benchmark::State& state) {
  const Workbook& wb = largest();
  const auto kind = static_cast<OutputKind>(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const OutputRows rows = buildOutputRows(wb, kind);
    bytes = renderOutput(wb, rows, kind, OutputFormat::Csv).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TextOutput)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// 25 000 rows (the word list of the largest workbook) keyed by up to 1000
// marks: 0 random, 1 descending, 2 random over 27 marks, 3 descending and
// all different, 4 two marks alternating.
void BM_ExchangeSort(benchmark::State& state) {
  constexpr int kRows = 25000;
  std::mt19937 random(7);
  std::vector<int32_t> keys(kRows);
  for (int i = 0; i < kRows; ++i) {
    switch (state.range(0)) {
      case 0:
      case 1:
        keys[i] = static_cast<int32_t>(random() % 1000);
        break;
      case 2:
        keys[i] = static_cast<int32_t>(random() % 27);
        break;
      case 3:
        keys[i] = kRows - i;
        break;
      default:
        keys[i] = i % 2;
    }
  }
  if (state.range(0) == 1) std::sort(keys.rbegin(), keys.rend());
  for (auto _ : state) benchmark::DoNotOptimize(exchangeSortOrder(keys));
}
BENCHMARK(BM_ExchangeSort)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
