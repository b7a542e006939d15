// The subcommands of the tgc tool. Each lives in its own file
// (cli/<name>command.cpp) and has one registration function that adds a
// CLI11 subcommand to the app; cli/main.cpp calls them all.
#pragma once

#include <CLI/CLI.hpp>

namespace tgc::cli {

// Shared by all subcommands: the one that ran stores its exit code here.
struct CommandContext {
  int exitCode = 0;
};

using RegisterCommand = void (*)(CLI::App& app, CommandContext& context);

void registerCheckCommand(CLI::App& app, CommandContext& context);
void registerDumpCommand(CLI::App& app, CommandContext& context);
void registerBuildCommand(CLI::App& app, CommandContext& context);
void registerExportCommand(CLI::App& app, CommandContext& context);
void registerImportCommand(CLI::App& app, CommandContext& context);
void registerNewCommand(CLI::App& app, CommandContext& context);
void registerFindCommand(CLI::App& app, CommandContext& context);
#ifdef TGC_CLI_RENDER
// Only where the Qt layer is built: it draws with the sheet painter.
void registerRenderCommand(CLI::App& app, CommandContext& context);
#endif

}  // namespace tgc::cli
