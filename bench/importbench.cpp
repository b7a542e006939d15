// Import of a 400-sheet, 12500-word file into a 600-sheet, 12500-word
// workbook that shares half of those words: the word reuse and the removals
// must stay linear. Target: well under 100 ms per import.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <unordered_set>

#include "core/docwnd.h"
#include "core/importworkbook.h"
#include "core/nullports.h"
#include "core/workbookfile.h"
#include "marks/defaultcatalog.h"
#include "tests/support/tempdir.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

std::string randomText(std::mt19937& gen) {
  std::string s(5 + gen() % 16, 'a');
  for (char& c : s) c = static_cast<char>('a' + gen() % 26);
  return s;
}

// `sheets` full sheets over `words.size()` words, marks from the default catalog.
Workbook makeWorkbook(std::mt19937& gen, const std::vector<std::string>& words, int sheets) {
  Workbook wb;
  fillDefaultCatalog(wb);
  for (const std::string& t : words) wb.addWord(t);
  int next = 0;
  for (int s = 0; s < sheets; ++s) {
    Sheet sheet = test::gridSheet(static_cast<SheetType>(gen() % 3));
    for (Box& b : sheet.boxes) {
      b.mark = static_cast<int32_t>(gen() % kDefaultMarkCount);
      // Every word is used at least once, then at random.
      b.word = next < static_cast<int>(words.size()) ? next++ : static_cast<int32_t>(gen() % words.size());
      b.idea = gen() % 8 == 0;
    }
    wb.sheets.push_back(sheet);
  }
  for (int m = 0; m < 300; ++m)
    wb.memos.push_back({static_cast<int32_t>(gen() % words.size()), randomText(gen)});
  wb.refreshHasMemo();
  return wb;
}

struct Fixture {
  Workbook current;
  std::string importPath;
};

const Fixture& fixture() {
  static const test::TempDir folder("tgc-bench-import-");
  static const Fixture f = [] {
    std::mt19937 gen(2024);
    std::unordered_set<std::string> seen;
    auto fresh = [&] {
      for (;;) {
        std::string t = randomText(gen);
        if (seen.insert(t).second) return t;
      }
    };
    std::vector<std::string> mine, theirs;
    for (int i = 0; i < 12500; ++i) mine.push_back(fresh());
    // Half of the imported words are a random half of the current ones.
    std::vector<std::string> shared = mine;
    std::shuffle(shared.begin(), shared.end(), gen);
    for (int i = 0; i < 12500; ++i) theirs.push_back(i % 2 == 0 ? shared[i / 2] : fresh());
    Fixture out;
    out.current = makeWorkbook(gen, mine, 600);
    const Workbook other = makeWorkbook(gen, theirs, 400);
    out.importPath = folder.write("tgc_bench_import.tgc", serializeWorkbook(other));
    return out;
  }();
  return f;
}

// The whole command after the file dialog: check, read, merge, renumber, report.
void BM_ImportFile(benchmark::State& state) {
  const Fixture& f = fixture();
  NoWindowUi ui;
  FixedClock clock;
  HeadlessController controller(ui, clock);
  DocWnd& w = controller.w;
  for (auto _ : state) {
    state.PauseTiming();
    w.doc.resetHistory();
    w.doc.cur() = f.current;
    state.ResumeTiming();
    if (importWorkbookFile(w, f.importPath) != 0) state.SkipWithError("import refused");
    benchmark::DoNotOptimize(w.wb().words.size());
  }
  state.counters["words"] = static_cast<double>(w.wb().words.size());
  state.counters["sheets"] = static_cast<double>(w.wb().sheets.size());
}
BENCHMARK(BM_ImportFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The merge alone, on workbooks already in memory.
void BM_MergeOnly(benchmark::State& state) {
  const Fixture& f = fixture();
  Workbook imported;
  std::ifstream in(f.importPath, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  parseWorkbook(bytes, imported);
  for (auto _ : state) {
    state.PauseTiming();
    Workbook current = f.current;
    Workbook other = imported;
    state.ResumeTiming();
    mergeImportedWorkbook(current, other);
    benchmark::DoNotOptimize(current.words.size());
  }
}
BENCHMARK(BM_MergeOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
