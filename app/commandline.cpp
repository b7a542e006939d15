#include "app/commandline.h"

#include "app/version.h"

namespace tgc {

ProgramArguments parseProgramArguments(const std::vector<std::string>& args) {
  using Action = ProgramArguments::Action;
  ProgramArguments result;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help") {
      return {Action::Help, {}, {}};
    } else if (arg == "--version") {
      result.action = Action::Version;
    } else if (result.error.empty()) {
      result.error = "unknown option '" + arg + "'";
    }
  }
  if (result.action == Action::Version) return {Action::Version, {}, {}};
  if (result.error.empty() && positional.size() > 1) {
    result.error =
        "only one workbook can be opened, but '" + positional[1] + "' follows '" + positional[0] + "'";
  }
  if (!result.error.empty()) {
    result.action = Action::Error;
    return result;
  }
  if (!positional.empty()) result.path = positional.front();
  return result;
}

std::string programHelpText() {
  return "Usage: thoughtgridcraft [OPTION]... [WORKBOOK]\n"
         "発想マス目ノート (ThoughtGridCraft " +
         std::string(versionString()) +
         "): a brainstorming notebook of 5 x 5 sheets of boxes.\n"
         "\n"
         "Opens WORKBOOK, a workbook file (.tgc), or starts with a new untitled\n"
         "workbook when none is given. A relative path is taken from the current\n"
         "directory. Put -- before a path that begins with '-'.\n"
         "\n"
         "Options:\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "\n"
         "Qt's own options, such as -platform or -style, are accepted as well.\n"
         "The tgc tool reads and writes workbooks from scripts; see tgc --help.\n";
}

}  // namespace tgc
