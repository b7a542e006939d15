// tgc render FILE -o OUT.pdf|OUT.png [--sheet N] [--scale S]: the sheets
// drawn by the program's own painter, as the Export command writes them,
// without a display (Qt's offscreen platform). A PDF holds every sheet, or
// sheet N; a PNG shows sheet N, by default the one the file was saved on.
#include <QDate>
#include <QGuiApplication>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "core/fileio.h"
#include "core/sheetexport.h"
#include "sheet/paperrender.h"
#include "sheet/sheetfonts.h"

namespace tgc::cli {
namespace {

struct RenderArgs {
  std::string file;
  std::string out;
  int sheet = 0;  // 1-based; 0 for the default
  int scale = 0;  // 0 for the default (1)
};

std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

int runRender(const RenderArgs& args) {
  const std::string ext = lowerExtension(args.out);
  if (ext != ".pdf" && ext != ".png") {
    printError("tgc: OUT must end in .pdf or .png: " + args.out);
    return kExitUsage;
  }
  if (ext == ".pdf" && args.scale != 0) {
    printError("tgc: --scale applies to PNG only");
    return kExitUsage;
  }
  ConsoleUi ui;
  FixedClock clock;
  HeadlessController controller(ui, clock);
  DocWnd& w = controller.w;
  if (!openWorkbook(args.file, w.doc, ui, args.out)) return kExitFailure;
  const int count = static_cast<int>(w.wb().sheets.size());
  if (args.sheet > count) {
    printError("tgc: FILE has " + std::to_string(count) + " sheets, no sheet " + std::to_string(args.sheet));
    return kExitFailure;
  }

  // Drawing needs a GUI application, never a display. Qt's notes to
  // developers (a missing runtime folder, say) are no business of a script.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) printError(message.toStdString());
  });
  static int argc = 1;
  static char name[] = "tgc";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  QByteArray bytes;
  if (ext == ".png") {
    const int sheet = args.sheet > 0 ? args.sheet - 1 : std::clamp(w.wb().currentSheet, 0, count - 1);
    bytes = sheetPng(w, sheet, args.scale > 0 ? args.scale : 1, defaultWordFont());
  } else {
    const SheetSelection selection =
        args.sheet > 0 ? SheetSelection{SheetScope::Range, args.sheet, args.sheet} : SheetSelection{SheetScope::All};
    const std::vector<int> sheets = selectedSheets(selection, w.wb().currentSheet, count);
    PaperOptions options;
    options.textFont = defaultWordFont();
    options.title = QString::fromStdString(std::filesystem::path(args.file).stem().string());
    options.date = QDate::currentDate();
    bytes = sheetsPdf(w, sheets, options);
  }
  int error = EIO;  // when nothing could be drawn
  if (bytes.isEmpty() ||
      !writeFileAtomically(args.out, std::string_view(bytes.constData(), bytes.size()), &error)) {
    printFileError(args.out, kStepWrite, error);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void registerRenderCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand(
      "render", "Draw the sheets of workbook FILE into a PDF (one page per sheet) or a PNG");
  auto args = std::make_shared<RenderArgs>();
  sub->add_option("FILE", args->file, "Workbook file (.tgc)")->required();
  sub->add_option("-o,--output", args->out, "OUT.pdf or OUT.png")->required();
  sub->add_option(
         "--sheet", args->sheet,
         "Sheet number, from 1 (default: every sheet for a PDF, the sheet the file was saved on for a PNG)")
      ->check(CLI::PositiveNumber);
  sub->add_option("--scale", args->scale, "PNG size: 1, 2 or 3 times the sheet's 968 x 674 pixels")
      ->check(CLI::Range(1, 3));
  sub->callback([&context, args] { context.exitCode = runRender(*args); });
}

}  // namespace tgc::cli
