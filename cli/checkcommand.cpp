// tgc check FILE: the pre-read check the program runs before opening a
// workbook. Silent with exit 0 when it passes; its message and exit 1 when
// not.
#include <memory>

#include "cli/clisupport.h"
#include "cli/commands.h"
#include "core/workbookfile.h"

namespace tgc::cli {

void registerCheckCommand(CLI::App& app, CommandContext& context) {
  CLI::App* sub = app.add_subcommand("check", "Check that FILE is a workbook this program can open");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Workbook file (.tgc)")->required();
  sub->callback([&context, file] {
    ConsoleUi ui;
    context.exitCode = checkWorkbookFile(*file, ui) == 0 ? kExitOk : kExitFailure;
  });
}

}  // namespace tgc::cli
