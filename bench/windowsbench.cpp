// The word list and idea memo windows on the largest workbook (1000 sheets,
// 25000 words, 5000 memos): opening the word list on every idea and sorting
// both columns, and an idea memo opening that edits every memo and commits
// them. Target: each at most 100 ms, so a window opens and sorts without a
// visible wait.
#include <benchmark/benchmark.h>

#include "bench/generator.h"
#include "core/docwnd.h"
#include "core/nullports.h"
#include "windows/ideamemo.h"
#include "windows/wordlist.h"

namespace tgc {
namespace {

const Workbook& largest() {
  static const Workbook wb = makeLargestWorkbook(11);
  return wb;
}

void BM_WordListIdeasSortedBothWays(benchmark::State& state) {
  const Workbook& wb = largest();
  size_t rows = 0;
  for (auto _ : state) {
    WordList list(wb);
    list.selectEntry(1);  // the idea mark: every idea of the workbook
    for (int column : {0, 0, 1}) list.sortByColumn(column);
    rows = list.rows().size();
    benchmark::DoNotOptimize(list.rows().data());
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_WordListIdeasSortedBothWays)->Unit(benchmark::kMillisecond);

// Answers the update question with OK.
class AgreeingUi : public NoWindowUi {
 public:
  Answer message(MessageKind, const std::string&, Buttons) override { return Answer::Ok; }
};

void BM_IdeaMemoOpenEditCommit(benchmark::State& state) {
  AgreeingUi ui;
  FixedClock clock;
  HeadlessController controller(ui, clock);
  DocWnd& w = controller.w;
  size_t memos = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.doc.clearAllSlots();
    w.doc.resetHistory();
    w.wb() = largest();
    state.ResumeTiming();
    IdeaMemoSession session(w);
    for (size_t i = 0; i < session.memos().size(); ++i) {
      session.select(static_cast<int>(i));
      session.typed(i % 2 ? std::string() : std::string("memo"));
    }
    session.update();
    memos = w.wb().memos.size();
  }
  state.counters["memos"] = static_cast<double>(memos);
}
BENCHMARK(BM_IdeaMemoOpenEditCommit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tgc

BENCHMARK_MAIN();
