// tgc export FILE --kind KIND --format FORMAT -o OUT: the text output of the
// program, byte for byte (CP932, CR LF). FILE is only read.
#include <filesystem>
#include <map>
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "core/document.h"
#include "core/fileio.h"
#include "core/textoutput.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

struct ExportArgs {
  std::string file;
  std::string kind;
  std::string format = "text";
  std::string out;
};

const std::map<std::string, OutputKind> kKinds = {
    {"sheets", OutputKind::Sheets}, {"ideas", OutputKind::Ideas}, {"themes", OutputKind::Themes},
    {"words", OutputKind::Words},   {"marks", OutputKind::Marks}, {"memos", OutputKind::Memos},
};

int runExport(const ExportArgs& args) {
  ConsoleUi ui;
  ui.prefix = args.file + ": " + kStepCheck + ": ";
  if (checkWorkbookFile(args.file, ui) != 0) return kExitFailure;
  // The text would replace the workbook itself.
  std::error_code ec;
  if (std::filesystem::equivalent(args.file, args.out, ec)) {
    printError("tgc: the output file is the workbook FILE itself: " + args.out);
    return kExitFailure;
  }
  // Read as the program opens a file, references made safe to follow.
  Document doc;
  doc.filePath = args.file;
  int error = 0;
  if (loadWorkbook(doc, kLoadOpen, ui, &error) != 0) {
    printFileError(args.file, kStepRead, error);
    return kExitFailure;
  }
  Workbook& wb = doc.cur();
  const OutputKind kind = kKinds.at(args.kind);
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
  CLI::App* sub = app.add_subcommand("export", "Write the text output of workbook FILE to OUT");
  auto args = std::make_shared<ExportArgs>();
  sub->add_option("FILE", args->file, "Workbook file (.tgc)")->required();
  sub->add_option("--kind", args->kind, "What to write")
      ->required()
      ->check(CLI::IsMember({"sheets", "ideas", "themes", "words", "marks", "memos"}));
  sub->add_option("--format", args->format, "text (space separated) or csv")
      ->check(CLI::IsMember({"text", "csv"}))
      ->capture_default_str();
  sub->add_option("-o,--output", args->out, "Output file (CP932, CR LF)")->required();
  sub->callback([&context, args] { context.exitCode = runExport(*args); });
}

}  // namespace tgc::cli
