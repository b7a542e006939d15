// The sheet commands on the largest workbook (1000 sheets, 25000 words, 1000
// marks, 5000 memos): word assist scans every other sheet, creation and
// deletion copy the whole workbook into the next undo slot, and deletion
// purges the word pool. Target: each at most 16 ms (one frame).
#include <benchmark/benchmark.h>

#include "bench/generator.h"
#include "core/docwnd.h"
#include "core/nullports.h"
#include "marks/wordassist.h"
#include "sheet/geometry.h"
#include "sheet/sheetcommands.h"

namespace tgc {
namespace {

// Answers every confirmation with OK, so the deletions go ahead.
class AgreeingUi : public NoWindowUi {
 public:
  Answer message(MessageKind, const std::string&, Buttons b) override {
    return b == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
  }
};
// A clock that moves on every read, so the reseed never waits.
class TickingClock : public ClockPort {
 public:
  int64_t nowSeconds() override { return ++now_; }

 private:
  int64_t now_ = 1700000000;
};
struct Bench {
  AgreeingUi ui;
  TickingClock clock;
  HeadlessController controller{ui, clock};
  DocWnd& w = controller.w;

  explicit Bench(int keepSheets = kMaxSheets) {
    w.wb() = makeLargestWorkbook(20240607);
    if (static_cast<int>(w.wb().sheets.size()) > keepSheets) w.wb().sheets.resize(keepSheets);
    w.marks.reloadEntries(w.wb());
    w.doc.resetHistory();
  }
};

// Finds a box that the assist fills, emptying it first, so the measured run
// goes through the whole search and the undo step. In this workbook every
// word stands on one box only, so the box found is a Type-B box below row 0,
// whose fallback scans every box of every other sheet.
bool prepareAssist(Bench& b) {
  Workbook& wb = b.w.wb();
  for (int s = static_cast<int>(wb.sheets.size()) - 1; s >= 0; --s) {
    for (Box& box : wb.sheets[s].boxes) {
      if (box.word < 0 || box.mark <= kIdeaMarkId || box.idea) continue;
      const int saved = box.word;
      box.word = -1;
      wb.currentSheet = s;
      wb.cursorColumn = box.column;
      wb.cursorRow = box.row;
      if (wordAssist(b.w) == 0 && b.w.doc.canUndo()) {
        b.w.doc.undoStep();
        return true;
      }
      box.word = saved;
    }
  }
  return false;
}

void BM_WordAssist(benchmark::State& state) {
  Bench b;
  if (!prepareAssist(b)) {
    state.SkipWithError("no box with a candidate");
    return;
  }
  const Workbook& wb = b.w.wb();
  state.SetLabel("sheet type " + std::to_string(sheetTypeOf(wb.sheets[wb.currentSheet])) + ", box (" +
                 std::to_string(wb.cursorColumn) + ", " + std::to_string(wb.cursorRow) + ")");
  for (auto _ : state) {
    wordAssist(b.w);
    state.PauseTiming();
    b.w.doc.undoStep();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WordAssist)->Unit(benchmark::kMillisecond);

void BM_CreateSheet(benchmark::State& state) {
  Bench b(kMaxSheets - 1);
  for (auto _ : state) {
    if (createSheet(b.w, CreateKind::TypeA) != 0) state.SkipWithError("creation refused");
    state.PauseTiming();
    b.w.doc.undoStep();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateSheet)->Unit(benchmark::kMillisecond);

void BM_DeleteCurrentSheet(benchmark::State& state) {
  Bench b;
  b.w.wb().currentSheet = 500;
  for (auto _ : state) {
    if (deleteCurrentSheet(b.w) != 0) state.SkipWithError("deletion refused");
    state.PauseTiming();
    b.w.doc.undoStep();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteCurrentSheet)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
