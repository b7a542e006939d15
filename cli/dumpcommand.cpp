// tgc dump FILE: the workbook as JSON on stdout, every value exactly as the
// file stores it (no repair), so `tgc build` can write the same bytes back.
#include <iostream>
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "cli/workbookjson.h"
#include "core/fileio.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

int runDump(const std::string& file) {
  ConsoleUi ui;
  ui.prefix = file + ": " + kStepCheck + ": ";
  if (checkWorkbookFile(file, ui) != 0) return kExitFailure;
  std::string bytes;
  Workbook wb;
  int error = 0;
  if (!readWholeFile(file, bytes, &error)) {
    printFileError(file, kStepRead, error);
    return kExitFailure;
  }
  if (!parseWorkbook(bytes, wb)) {
    printFileError(file, kStepRead, kDamagedFile);
    return kExitFailure;
  }
  std::cout << workbookToJson(wb).dump(2) << '\n' << std::flush;
  return std::cout ? kExitOk : kExitFailure;
}

}  // namespace

void registerDumpCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand("dump", "Print the workbook FILE as JSON on stdout");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Workbook file (.tgc)")->required();
  sub->callback([&context, file] { context.exitCode = runDump(*file); });
}

}  // namespace tgc::cli
