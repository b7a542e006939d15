// Export of the largest workbook (1000 sheets): the PDF of every sheet, one
// page each, as the Export command and `tgc render` write it; one sheet as a
// PNG at three times its size; and the Markdown and OPML outlines.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>

#include "bench/generator.h"
#include "core/fileio.h"
#include "core/nullports.h"
#include "core/outlineformats.h"
#include "core/sheetexport.h"
#include "sheet/paperrender.h"
#include "sheet/sheetfonts.h"
#include "tests/support/tempdir.h"

namespace {

using namespace tgc;

struct Fixture {
  NoWindowUi ui;
  FixedClock clock{1700000000};
  HeadlessController controller{ui, clock};
  DocWnd& w = controller.w;
  std::vector<int> all;
  test::TempDir dir{"tgc-bench-"};

  Fixture() {
    w.wb() = makeLargestWorkbook(7);
    for (int s = 0; s < static_cast<int>(w.wb().sheets.size()); ++s) all.push_back(s);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_ExportPdfAllSheets(benchmark::State& state) {
  Fixture& f = fixture();
  PaperOptions options;
  options.textFont = defaultWordFont();
  options.title = QStringLiteral("largest");
  options.date = QDate(2025, 1, 1);
  const std::string path = f.dir.path("all.pdf");
  for (auto _ : state) {
    const QByteArray pdf = sheetsPdf(f.w, f.all, options);
    if (pdf.isEmpty() || !writeFileAtomically(path, std::string_view(pdf.constData(), pdf.size())))
      state.SkipWithError("not written");
  }
  state.counters["pages"] = static_cast<double>(f.all.size());
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

void BM_ExportPngOneSheetAt3x(benchmark::State& state) {
  Fixture& f = fixture();
  const std::string path = f.dir.path("one.png");
  for (auto _ : state) {
    const QByteArray png = sheetPng(f.w, 0, 3, defaultWordFont());
    if (png.isEmpty() || !writeFileAtomically(path, std::string_view(png.constData(), png.size())))
      state.SkipWithError("not written");
  }
}

void BM_ExportOutline(benchmark::State& state) {
  Fixture& f = fixture();
  const auto format = static_cast<ExportFormat>(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    bytes = outlineExport(f.w.wb(), format, f.all, "largest").size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_ExportPdfAllSheets)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_ExportPngOneSheetAt3x)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportOutline)
    ->Arg(static_cast<int>(ExportFormat::Markdown))
    ->Arg(static_cast<int>(ExportFormat::Opml))
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
