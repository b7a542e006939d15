// What the program's dialogs and message boxes share: a title bar with a
// close box only (no help, minimise or maximise button), no resize handle
// on a dialog of fixed size, a width at which the whole title shows, and F1
// opening the help file.
#pragma once

#include <QSize>

class QDialog;
class QFont;
class QKeyEvent;
class QMessageBox;
class QString;

namespace tgc {

class DocWnd;

void useCloseBoxOnly(QDialog& dialog);

// True when the key was F1 and help was opened.
bool helpKey(DocWnd& w, const QKeyEvent& event);

// The least window width at which a title bar shows this title whole: the
// text in a bold title font, plus the window icon, the buttons (minimise and
// maximise as well, which some window managers draw for any window) and the
// frame.
int titleBarWidth(const QString& title, const QFont& font);

// A dialog of fixed client size, no narrower than its title needs; the window
// manager offers no resize handle.
void fixDialogSize(QDialog& dialog, QSize clientSize);

// Call before exec(): the close-button frame, and room for the whole title
// however short the message is.
void prepareMessageBox(QMessageBox& box);

}  // namespace tgc
