// tgc: the command-line tool for workbook files.
//
// Adding a subcommand:
//   1. Write cli/<name>command.cpp with
//        void registerNameCommand(CLI::App& app, CommandContext& context)
//      that calls app.add_subcommand("<name>", "<one-line help>"), declares
//      its arguments (into a std::shared_ptr the callback owns) and sets
//      sub->callback([&context, args] { context.exitCode = run(*args); }).
//      Return the kExit* codes of cli/clisupport.h; report failures on
//      stderr with printError (UTF-8). Core operations that talk to the
//      user get a ConsoleUi.
//   2. Declare the function in cli/commands.h.
//   3. Add it to kCommands below and the file to cli/CMakeLists.txt.
// Argument errors are handled here: CLI11 prints the reason, exit code 2.
#include <exception>
#include <iostream>

#include "app/version.h"
#include "cli/clisupport.h"
#include "cli/commands.h"

namespace {

using namespace tgc::cli;

const RegisterCommand kCommands[] = {
    registerCheckCommand,  registerDumpCommand, registerBuildCommand, registerExportCommand,
    registerImportCommand, registerNewCommand,  registerFindCommand,
#ifdef TGC_CLI_RENDER
    registerRenderCommand,
#endif
};

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"tgc: inspect, check and write ThoughtGridCraft workbook files (.tgc)", "tgc"};
  app.require_subcommand(1);
  app.set_version_flag("--version", tgc::versionLine("tgc"));
  app.footer(
      "new, build and import refuse to write a workbook a ThoughtGridCraft window holds open\n"
      "(its lock file .NAME.tgc.lock beside it) unless given --force.");
  CommandContext context;
  for (RegisterCommand add : kCommands) add(app, context);
  // CLI11 would only say that a subcommand is required; name the stranger.
  if (argc > 1 && argv[1][0] != '-') {
    const std::string name = argv[1];
    const auto known = app.get_subcommands([&](CLI::App* sub) { return sub->check_name(name); });
    if (known.empty()) {
      printError("tgc: unknown command '" + name + "'\nRun with --help for the list of commands.");
      return kExitUsage;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help requests end here too, with their own exit code 0.
    const int code = app.exit(e);
    return e.get_exit_code() == 0 ? code : kExitUsage;
  } catch (const std::exception& e) {
    printError(std::string("tgc: ") + e.what());
    return kExitFailure;
  }
  return context.exitCode;
}
