// Text output of the largest workbook: row building (the word list's
// exchange sort included) and rendering, for every kind.
#include <benchmark/benchmark.h>

#include "bench/generator.h"
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

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
