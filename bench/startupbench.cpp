// The main window from nothing to its first picture: construction, document
// start-up, show and a paint of the sheet view, on the offscreen platform
// with a settings file of its own. And the cost of one box move as a person
// makes it: the key through the application's key dispatch and the repaint
// of the view that follows.
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>

#include "app/mainwindow.h"
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

// One arrow key on the sheet view and the repaint it asks for. With an
// assistive technology listening (argument 1) the view also tells it.
void BM_ArrowKeyAndRepaint(benchmark::State& state) {
  QAccessible::setActive(state.range(0) != 0);
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
  QAccessible::setActive(false);
}

BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrowKeyAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
