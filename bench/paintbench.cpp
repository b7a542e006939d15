// A full paint of the sheet view at 1280 x 960 into an off-screen image: a
// Type-A sheet with every box filled, ideas, memos, the selection frame, and
// the same with the guide overlay on top.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/cp932.h"
#include "core/docwnd.h"
#include "core/nullports.h"
#include "marks/defaultcatalog.h"
#include "sheet/geometry.h"
#include "sheet/sheetcommands.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"

namespace {

using namespace tgc;

struct Fixture {
  NoWindowUi ui;
  FixedClock clock{1700000000};
  HeadlessController controller{ui, clock};
  DocWnd& w = controller.w;

  Fixture() {
    fillDefaultCatalog(w.wb());
    w.marks.reloadEntries(w.wb());
    createSheet(w, CreateKind::Initial);
    const char* words[] = {"発想",   "ボールペンの替え芯",
                           "インク", "透明な軸とグリップ",
                           "ばね",   "キャップを失くさない仕組みを考える",
                           "香り",   "色",
                           "重さ",   "長さ"};
    Sheet& sheet = w.wb().sheets[0];
    int i = 0;
    for (Box& b : sheet.boxes) {
      b.word = enterWord(w.wb(), *utf8ToCp932(words[i % 10]) + std::to_string(i));
      b.idea = i % 4 == 1;
      b.assisted = i % 7 == 3;
      ++i;
    }
    for (Box& b : sheet.boxes)
      if (b.idea) w.wb().words[b.word].hasMemo = 1;
  }
};

void paintOnce(benchmark::State& state, bool guide) {
  Fixture f;
  f.w.shell.guideShown = guide ? 1 : 0;
  QImage image(1280, 960, QImage::Format_RGB32);
  PaintContext ctx;
  ctx.hasFocus = true;
  ctx.textFont = defaultWordFont();
  for (auto _ : state) {
    QPainter p(&image);
    benchmark::DoNotOptimize(SheetPainter(p, f.w, 1280, 960, ctx).paint());
  }
}

void BM_PaintFilledSheet(benchmark::State& state) {
  paintOnce(state, false);
}
void BM_PaintWithGuide(benchmark::State& state) {
  paintOnce(state, true);
}

BENCHMARK(BM_PaintFilledSheet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PaintWithGuide)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
