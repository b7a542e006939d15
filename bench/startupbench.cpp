// The main window from nothing to its first picture: construction, document
// start-up, show and a paint of the sheet view, on the offscreen platform
// with a settings file of its own. The cost of one box move as a person
// makes it: the key through the application's key dispatch and the repaint
// of the view that follows. And what a screen reader adds to each change.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "core/cp932literal.h"
#include "sheet/sheetspeech.h"
#include "sheet/sheetview.h"

namespace {

using namespace tgc;

std::unique_ptr<QSettings> scratchSettings(const QTemporaryDir& dir) {
  return std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
  QTemporaryDir dir;
  for (auto _ : state) {
    MainWindow window(scratchSettings(dir));
    window.show();
    window.startUp();
    benchmark::DoNotOptimize(window.view()->grab());
  }
}

// One arrow key on the sheet view and the repaint it asks for.
void BM_ArrowKeyAndRepaint(benchmark::State& state) {
  QTemporaryDir dir;
  MainWindow window(scratchSettings(dir));
  window.show();
  window.startUp();
  QApplication::setActiveWindow(&window);
  SheetView* view = window.view();
  view->setFocus();
  QApplication::processEvents();
  int step = 0;
  for (auto _ : state) {
    const int key = (step++ / 4) % 2 ? Qt::Key_Left : Qt::Key_Right;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QApplication::sendEvent(view, &release);
    QApplication::processEvents();
    static_cast<QWidget*>(view)->repaint();
  }
}

// What a repaint adds while an assistive technology listens: the view's
// spoken state taken afresh and compared with the last one, on a full sheet.
void BM_SpeechSnapshotAndCompare(benchmark::State& state) {
  QTemporaryDir dir;
  MainWindow window(scratchSettings(dir));
  window.startUp();
  DocWnd& w = window.docWnd();
  for (Box& box : w.wb().sheets[0].boxes)
    box.word = enterWord(w.wb(), "ボールペンの替え芯"_sj + std::to_string(box.row * 5 + box.column));
  SheetSpeech before = speakSheet(w);
  for (auto _ : state) {
    SheetSpeech now = speakSheet(w);
    benchmark::DoNotOptimize(compareSpeech(before, now));
    before = std::move(now);
  }
}

BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrowKeyAndRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpeechSnapshotAndCompare)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
