// The document start-up: the state the controller is in before the first
// command, read from the settings, and the workbook named on the command line.
#pragma once

#include <string>

namespace tgc {

class DocWnd;

struct StartUpArgs {
  // The main window's current outer size, stored when no size is stored yet.
  int windowWidth = 0;
  int windowHeight = 0;
  // A workbook path as the command line gave it (relative to the current
  // directory or absolute); empty for none.
  std::string commandLinePath;
};

void documentStartUp(DocWnd& w, const StartUpArgs& args);

}  // namespace tgc
