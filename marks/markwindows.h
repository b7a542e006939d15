// The Qt windows of the catalog marks, given to the controller: the mark
// editor (menu item, Ctrl+M and the import report), the mark properties and
// the consolidation dialogs behind their ports.
#pragma once

namespace tgc {

class MainWindow;

// Registers the mark editor command and sets the dialog ports on the
// window's controller; the windows live as long as the main window.
void installMarkWindows(MainWindow& window);

}  // namespace tgc
