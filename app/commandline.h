// The program's command line: one workbook to open, or a request for the
// help or the version, which are answered before any window exists. Qt's own
// options (-platform, -style, ...) are taken out by QApplication first.
#pragma once

#include <string>
#include <vector>

namespace tgc {

struct ProgramArguments {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::string path;   // Run: the workbook to open as given, empty for none
  std::string error;  // Error: what is wrong, one line
};

// `args` without the program name. Help and version win over any error, so
// they are answered even next to options only Qt knows. "--" ends the options.
ProgramArguments parseProgramArguments(const std::vector<std::string>& args);

// The --help text, UTF-8, ending in a newline.
std::string programHelpText();

}  // namespace tgc
