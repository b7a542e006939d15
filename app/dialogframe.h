// The frame the window manager draws around the program's dialogs and
// message boxes: a title bar with a close button only, no resize handle on a
// dialog of fixed size, and a width at which the whole title shows.
#pragma once

#include <QSize>

class QFont;
class QMessageBox;
class QString;
class QWidget;

namespace tgc {

// A title bar with only the close button: no minimise, maximise or help.
void useCloseButtonOnly(QWidget& dialog);

// The least window width at which a title bar shows this title whole: the
// text in a bold title font, plus the window icon, the close button and the
// frame.
int titleBarWidth(const QString& title, const QFont& font);

// A dialog of fixed client size, no narrower than its title needs; the window
// manager offers no resize handle.
void fixDialogSize(QWidget& dialog, QSize clientSize);

// Call before exec(): the close-button frame, and room for the whole title
// however short the message is.
void prepareMessageBox(QMessageBox& box);

}  // namespace tgc
