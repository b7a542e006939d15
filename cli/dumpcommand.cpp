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
  if (checkWorkbookFile(file, ui) != 0) return kExitFailure;
  std::string bytes;
  Workbook wb;
  if (!readWholeFile(file, bytes) || !parseWorkbook(bytes, wb)) {
    printError("ファイルを読み込めませんでした。");
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
