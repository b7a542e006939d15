// The workbook file and undo costs on the largest workbook: load, save,
// the pre-read check, one undo push and the purge after deleting a sheet.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "bench/generator.h"
#include "core/document.h"
#include "core/fileio.h"
#include "core/nullports.h"
#include "core/ports.h"
#include "core/workbookfile.h"
#include "tests/support/tempdir.h"

namespace tgc {
namespace {

// The largest workbook, and a folder holding it as a file; built once.
struct Fixture {
  Fixture() : workbook(makeLargestWorkbook(20240607)), folder("tgc-filebench-") {
    file = folder.path("largest.tgc");
    bytes = serializeWorkbook(workbook);
    if (!writeFileAtomically(file, bytes)) std::abort();
  }
  Workbook workbook;
  test::TempDir folder;
  std::string file;
  std::string bytes;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_LoadLargest(benchmark::State& state) {
  NoWindowUi ui;
  Document doc;
  for (auto _ : state) {
    doc.filePath = fixture().file;
    if (loadWorkbook(doc, kLoadOpen, ui) != 0) state.SkipWithError("load failed");
    state.PauseTiming();
    doc.clearSlot(0);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fixture().bytes.size()));
}
BENCHMARK(BM_LoadLargest)->Unit(benchmark::kMillisecond);

void BM_ParseLargestInMemory(benchmark::State& state) {
  for (auto _ : state) {
    Workbook wb;
    benchmark::DoNotOptimize(parseWorkbook(fixture().bytes, wb));
    state.PauseTiming();
    wb = Workbook{};
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ParseLargestInMemory)->Unit(benchmark::kMillisecond);

void BM_SaveLargest(benchmark::State& state) {
  NoWindowUi ui;
  Document doc;
  doc.cur() = fixture().workbook;
  doc.filePath = fixture().folder.path("saved.tgc");
  for (auto _ : state)
    if (saveWorkbook(doc, ui) != 0) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMillisecond);

void BM_SerializeLargest(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(serializeWorkbook(fixture().workbook));
}
BENCHMARK(BM_SerializeLargest)->Unit(benchmark::kMillisecond);

void BM_CheckLargest(benchmark::State& state) {
  NoWindowUi ui;
  for (auto _ : state)
    if (checkWorkbookFile(fixture().file, ui) != 0) state.SkipWithError("check refused");
}
BENCHMARK(BM_CheckLargest)->Unit(benchmark::kMicrosecond);

// Every push copies the whole current slot into the next ring slot, which
// in the steady state first has to be emptied.
void BM_UndoPushLargest(benchmark::State& state) {
  Document doc;
  doc.cur() = fixture().workbook;
  for (int i = 0; i < kRingSlots; ++i) doc.recordChange();
  for (auto _ : state) doc.recordChange();
}
BENCHMARK(BM_UndoPushLargest)->Unit(benchmark::kMillisecond);

void BM_PurgeAfterSheetRemoval(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Workbook wb = fixture().workbook;
    wb.removeSheet(500);
    state.ResumeTiming();
    wb.purgeUnusedWords();
    state.PauseTiming();
    if (wb.words.size() != fixture().workbook.words.size() - kBoxesPerSheet)
      state.SkipWithError("purge kept the words of the removed sheet");
    wb = Workbook{};
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PurgeAfterSheetRemoval)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
