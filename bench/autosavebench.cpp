// What an autosave costs on the largest workbook: the look on the window's
// thread (serialise, compare with the last copy, hand out) after a change and
// with nothing changed, and the write on the writing thread.
#include <benchmark/benchmark.h>

#include "bench/generator.h"
#include "core/autosave.h"
#include "core/document.h"
#include "core/workbookfile.h"
#include "tests/support/tempdir.h"

namespace tgc {
namespace {

Document& largestModified() {
  static Document doc = [] {
    Document d;
    d.cur() = makeLargestWorkbook(20240607);
    d.modified = 1;
    return d;
  }();
  return doc;
}

void BM_AutosaveLookAfterChange(benchmark::State& state) {
  Document& doc = largestModified();
  Autosave autosave;
  std::string& word = doc.cur().words[12345].text;
  const std::string original = word;
  int i = 0;
  for (auto _ : state) {
    word = original + ((++i & 1) ? "1" : "2");
    if (!autosave.look(doc, 0)) state.SkipWithError("no copy handed out");
  }
  word = original;
}
BENCHMARK(BM_AutosaveLookAfterChange)->Unit(benchmark::kMillisecond);

void BM_AutosaveLookUnchanged(benchmark::State& state) {
  Document& doc = largestModified();
  Autosave autosave;
  autosave.look(doc, 0);
  for (auto _ : state)
    if (autosave.look(doc, 0)) state.SkipWithError("unchanged workbook written again");
}
BENCHMARK(BM_AutosaveLookUnchanged)->Unit(benchmark::kMillisecond);

void BM_AutosaveWriteLargest(benchmark::State& state) {
  test::TempDir folder("tgc-autosavebench-");
  const auto session = RecoverySession::create(folder.path("recovery"));
  const std::string bytes = serializeWorkbook(largestModified().cur());
  for (auto _ : state)
    if (!session || !session->writeCopy(bytes, {"/home/user/largest.tgc", 0}))
      state.SkipWithError("write failed");
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_AutosaveWriteLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
