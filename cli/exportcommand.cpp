// tgc export FILE --kind KIND --format text|csv -o OUT: the text output of
// the program, byte for byte (CP932, CR LF). With --format markdown|opml the
// sheets' outline as the Export command writes it (UTF-8). FILE is only read.
#include <filesystem>
#include <map>
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "core/document.h"
#include "core/fileio.h"
#include "core/sheetexport.h"
#include "core/textoutput.h"

namespace tgc::cli {
namespace {

struct ExportArgs {
  std::string file;
  std::string kind;
  std::string format = "text";
  std::string out;
};

// The --kind names, which the option's check admits and no others.
OutputKind outputKind(const std::string& name) {
  static const std::map<std::string, OutputKind> kinds = {
      {"sheets", OutputKind::Sheets}, {"ideas", OutputKind::Ideas}, {"themes", OutputKind::Themes},
      {"words", OutputKind::Words},   {"marks", OutputKind::Marks}, {"memos", OutputKind::Memos},
  };
  return kinds.at(name);
}

bool isOutline(const std::string& format) {
  return format == "markdown" || format == "opml";
}

int runExport(const ExportArgs& args) {
  if (isOutline(args.format) ? !args.kind.empty() : args.kind.empty()) {
    printError(isOutline(args.format) ? "tgc: --kind does not apply to --format " + args.format
                                      : "tgc: --kind is required for --format " + args.format);
    return kExitUsage;
  }
  ConsoleUi ui;
  Document doc;
  if (!openWorkbook(args.file, doc, ui, args.out)) return kExitFailure;
  int error = 0;
  Workbook& wb = doc.cur();
  if (isOutline(args.format)) {
    const std::vector<int> sheets =
        selectedSheets({SheetScope::All}, wb.currentSheet, static_cast<int>(wb.sheets.size()));
    const ExportFormat format = args.format == "opml" ? ExportFormat::Opml : ExportFormat::Markdown;
    const std::string title = std::filesystem::path(args.file).stem().string();
    if (!writeFileAtomically(args.out, outlineExport(wb, format, sheets, title), &error)) {
      printFileError(args.out, kStepWrite, error);
      return kExitFailure;
    }
    return kExitOk;
  }
  const OutputKind kind = outputKind(args.kind);
  const OutputFormat format = args.format == "csv" ? OutputFormat::Csv : OutputFormat::Text;
  stampSheetPositions(wb);
  const OutputRows rows = buildOutputRows(wb, kind);
  if (rows.empty()) {
    printError("対象データがありません。");
    return kExitFailure;
  }
  // The tool's own writer, not the program's: it keeps a previous OUT whole
  // on failure and says why.
  if (!writeFileAtomically(args.out, renderOutput(wb, rows, kind, format), &error)) {
    printFileError(args.out, kStepWrite, error);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void registerExportCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand(
      "export", "Write the text output of workbook FILE to OUT, or all its sheets as Markdown or OPML");
  auto args = std::make_shared<ExportArgs>();
  sub->add_option("FILE", args->file, "Workbook file (.tgc)")->required();
  sub->add_option("--kind", args->kind, "What to write (text and csv only)")
      ->check(CLI::IsMember({"sheets", "ideas", "themes", "words", "marks", "memos"}));
  sub->add_option("--format", args->format,
                  "text (space separated) or csv: CP932, CR LF; markdown or opml: the sheets' outline, UTF-8")
      ->check(CLI::IsMember({"text", "csv", "markdown", "opml"}))
      ->capture_default_str();
  sub->add_option("-o,--output", args->out, "Output file")->required();
  sub->callback([&context, args] { context.exitCode = runExport(*args); });
}

}  // namespace tgc::cli
