// Gives the main window its word list, find, idea memo and text output windows:
// their commands run the modal dialogs of this folder.
#pragma once

namespace tgc {

class MainWindow;

// Called once by the main window's constructor.
void installAuxiliaryWindows(MainWindow& window);

}  // namespace tgc
