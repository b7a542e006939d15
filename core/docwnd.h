// The document controller: owns the one Document, the mark editor's working
// lists and the shell state, and carries out every command. It reaches the
// person and the world only through the ports.
#pragma once

#include <string>

#include "app/appstate.h"
#include "core/document.h"
#include "core/fileguard.h"
#include "core/ports.h"
#include "core/random.h"
#include "core/textoutput.h"
#include "marks/markeditor.h"
#include "sheet/boxinput.h"
#include "sheet/interaction.h"

namespace tgc {

class MergeDialogPort;
class MarkPropertiesPort;
class MarkEditorLauncher;

struct Ports {
  UiPort& ui;
  ClockPort& clock;
  SettingsPort& settings;
  ClipboardPort& clipboard;
  ShellPort& shell;
};

// State of the shell that is not part of the workbook.
struct ShellState {
  int guideShown = 0;
  int markNames = 1;                // mark names drawn in empty selected boxes
  uint32_t textColor = 0x00404040;  // 0x00BBGGRR
};

class DocWnd {
 public:
  explicit DocWnd(Ports ports);

  Ports ports;
  Document doc;
  MarkEditor marks;
  ShellState shell;
  Random rng;
  MergeDialogPort* mergeDialog = nullptr;  // set by the Qt layer or a test
  MarkPropertiesPort* markProperties = nullptr;
  BoxEditorState editor;
  ViewInteraction view;
  TextOutputState textOutput;
  AppState app;                                      // font record, recent files, key flags, main-window port
  MarkEditorLauncher* markEditorLauncher = nullptr;  // offered after an import
  OpenFile file;                                     // the open workbook's lock and stamp

  Workbook& wb() { return doc.cur(); }
  const Workbook& wb() const { return doc.cur(); }
  UiPort& ui() { return ports.ui; }

  // Undo and redo with their messages; both reload the mark lists.
  void undo();
  void redo();

  // Empties all seven slots and every derived working list.
  void clearAll();
};

}  // namespace tgc
