// The mark editor on the largest catalog and workbook: 1000 marks and 1000
// sheets of 25 boxes. Every editor change ends in a commit, and every
// opening reloads and sorts, so these must stay well below what a click can
// notice (a few milliseconds).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/document.h"
#include "marks/defaultcatalog.h"
#include "marks/markeditor.h"

namespace tgc {
namespace {

Workbook largestCatalogWorkbook() {
  Workbook wb;
  std::mt19937 rng(7);
  wb.marks.push_back(systemMark(0));
  wb.marks.push_back(systemMark(1));
  for (int id = 2; id < kMaxMarks; ++id)
    wb.marks.push_back(CatalogMark{id, std::to_string(id % 97), std::to_string(rng() % 100000), "",
                                   static_cast<int32_t>(id % 5 == 0), 0, static_cast<int32_t>(1 + rng() % 2),
                                   0});
  for (int s = 0; s < kMaxSheets; ++s) {
    Sheet sheet;
    for (int b = 0; b < kBoxesPerSheet; ++b) {
      Box box;
      box.column = b % kGridColumns;
      box.row = b / kGridColumns;
      box.sheetType = s % 3;
      box.mark = static_cast<int32_t>(rng() % kMaxMarks);
      box.idea = static_cast<int32_t>(b % 7 == 0);
      sheet.boxes.push_back(box);
    }
    wb.sheets.push_back(std::move(sheet));
  }
  return wb;
}

void BM_Commit(benchmark::State& state) {
  Document doc;
  doc.cur() = largestCatalogWorkbook();
  doc.cur().markEdited = 1;  // inside an opening: no undo copy per commit
  MarkEditor ed;
  ed.reloadEntries(doc.cur());
  for (auto _ : state) {
    ed.commit(doc);
    benchmark::DoNotOptimize(doc.cur().marks.data());
  }
}
BENCHMARK(BM_Commit)->Unit(benchmark::kMillisecond);

void BM_OpenEditorReloadAndSort(benchmark::State& state) {
  Workbook wb = largestCatalogWorkbook();
  MarkEditor ed;
  for (auto _ : state) {
    ed.reloadEntries(wb);
    ed.sortList(kActiveList);
    ed.sortList(kDormantList);
    benchmark::DoNotOptimize(ed.activeEntries.data());
  }
}
BENCHMARK(BM_OpenEditorReloadAndSort)->Unit(benchmark::kMillisecond);

void BM_SortAndRenumberCatalog(benchmark::State& state) {
  const Workbook base = largestCatalogWorkbook();
  MarkEditor ed;
  for (auto _ : state) {
    state.PauseTiming();
    Workbook wb = base;
    // Ids spread out and out of order, as an import leaves them.
    for (CatalogMark& m : wb.marks) m.id = m.id * 2 + 3;
    std::swap(wb.marks[10], wb.marks[900]);
    for (Sheet& s : wb.sheets)
      for (Box& b : s.boxes) b.mark = b.mark * 2 + 3;
    ed.reloadEntries(wb);
    state.ResumeTiming();
    sortAndRenumberCatalog(wb, ed);
    benchmark::DoNotOptimize(wb.marks.data());
  }
}
BENCHMARK(BM_SortAndRenumberCatalog)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
