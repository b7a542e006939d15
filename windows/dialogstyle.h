// What the word list, idea memo and text output windows share: a title bar
// with only a close button, the template's font and the fonts of their
// lists, all in the faces that stand in for ＭＳ Ｐゴシック here.
#pragma once

#include <QFont>

class QDialog;

namespace tgc {

class DocWnd;

// Title and close button only: no minimise, maximise or context help.
void useCloseOnlyFrame(QDialog& dialog);
// The dialogs' own font: ＭＳ Ｐゴシック, 11 points.
QFont dialogFont();
// ＭＳ Ｐゴシック at a character height in pixels, normal weight.
QFont gothicFont(int pixelHeight);
// F1 in the dialog opens the help file.
void addHelpKey(QDialog& dialog, DocWnd& w);

}  // namespace tgc
