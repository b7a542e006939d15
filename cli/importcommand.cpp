// tgc import FILE OTHER -o OUT: FILE with OTHER imported into it, as the
// program's import does (consolidation declined), written to OUT. The
// report goes to stdout; a refusal goes to stderr with exit 1.
#include <iostream>
#include <memory>
#include <vector>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "cli/fileguards.h"
#include "core/docwnd.h"
#include "core/importworkbook.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

struct ImportArgs {
  std::string file;
  std::string other;
  std::string out;
  bool force = false;
};

// Keeps the messages instead of printing them at once: the import's report
// belongs on stdout, everything else on stderr.
class RecordingUi : public ConsoleUi {
 public:
  Answer message(MessageKind, const std::string& text, Buttons buttons) override {
    texts.push_back(text);
    return declined(buttons);
  }
  void printAll(const std::string& lead) const {
    for (const std::string& t : texts) printError(lead + consoleText(t));
  }
  std::vector<std::string> texts;
};

int runImport(const ImportArgs& args) {
  if (!mayWriteWorkbook(args.out, args.force)) return kExitFailure;
  RecordingUi ui;
  FixedClock clock;
  HeadlessController controller(ui, clock);
  DocWnd& w = controller.w;
  if (checkWorkbookFile(args.file, ui) != 0) {
    ui.printAll(args.file + ": " + kStepCheck + ": ");
    return kExitFailure;
  }
  w.doc.filePath = args.file;
  int error = 0;
  if (loadWorkbook(w.doc, kLoadOpen, ui, &error) != 0) {
    printFileError(args.file, kStepRead, error);
    return kExitFailure;
  }
  w.marks.reloadEntries(w.wb());
  w.doc.resetHistory();
  // Every refusal of the import is about OTHER or what it would add.
  if (importWorkbookFile(w, args.other) != 0) {
    ui.printAll(args.other + ": ");
    return kExitFailure;
  }
  w.doc.filePath = args.out;
  if (saveWorkbook(w.doc, ui, &error) != 0) {
    printFileError(args.out, kStepWrite, error);
    return kExitFailure;
  }
  // The last message is the report: the completion or the near-duplicate text.
  if (!ui.texts.empty()) std::cout << consoleText(ui.texts.back()) << '\n' << std::flush;
  return kExitOk;
}

}  // namespace

void registerImportCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand("import", "Import workbook OTHER into FILE and write the result to OUT");
  auto args = std::make_shared<ImportArgs>();
  sub->add_option("FILE", args->file, "Workbook file (.tgc)")->required();
  sub->add_option("OTHER", args->other, "Workbook file to import (.tgc)")->required();
  sub->add_option("-o,--output", args->out, "Output workbook file")->required();
  addForceFlag(*sub, args->force);
  sub->callback([&context, args] { context.exitCode = runImport(*args); });
}

}  // namespace tgc::cli
