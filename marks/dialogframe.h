// What every window of the mark editor shares: a frame with a title and a
// close box only (no help or context button, no minimise or maximise), and
// F1 opening the help file.
#pragma once

#include <QDialog>

class QKeyEvent;

namespace tgc {

class DocWnd;

void useCloseBoxOnly(QDialog& dialog);

// True when the key was F1 and help was opened.
bool helpKey(DocWnd& w, const QKeyEvent& event);

}  // namespace tgc
