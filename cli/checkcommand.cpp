// tgc check FILE: whether the program would open FILE. What a killed save
// left beside FILE is finished first, as the program does on open (a line
// names the leftover and the step); then the pre-read check, then the full
// load the program does after it; silent with exit 0 when both pass, else
// exit 1 with the file, the step that refused it (検査 or 読み込み) and why
// on stderr.

#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "cli/fileguards.h"
#include "core/document.h"

namespace tgc::cli {
namespace {

int runCheck(const std::string& file) {
  if (!finishInterruptedSaveOf(file)) return kExitFailure;
  ConsoleUi ui;
  Document doc;
  return openWorkbook(file, doc, ui) ? kExitOk : kExitFailure;
}

}  // namespace

void registerCheckCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub =
      app.add_subcommand("check", "Check that the program can open FILE: pre-read check, then full load");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Workbook file (.tgc)")->required();
  sub->callback([&context, file] { context.exitCode = runCheck(*file); });
}

}  // namespace tgc::cli
