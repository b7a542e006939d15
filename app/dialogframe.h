// The size of the program's dialogs and message boxes as the window manager
// frames them: no resize handle on a dialog of fixed size, and a width at
// which the whole title shows. The close-box-only title bar is
// useCloseBoxOnly (marks/dialogframe.h); these call it.
#pragma once

#include <QSize>

class QDialog;
class QFont;
class QMessageBox;
class QString;

namespace tgc {

// The least window width at which a title bar shows this title whole: the
// text in a bold title font, plus the window icon, the close button and the
// frame.
int titleBarWidth(const QString& title, const QFont& font);

// A dialog of fixed client size, no narrower than its title needs; the window
// manager offers no resize handle.
void fixDialogSize(QDialog& dialog, QSize clientSize);

// Call before exec(): the close-button frame, and room for the whole title
// however short the message is.
void prepareMessageBox(QMessageBox& box);

}  // namespace tgc
