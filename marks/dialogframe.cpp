#include "marks/dialogframe.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "app/help.h"
#include "app/qtconvert.h"

namespace tgc {

void useCloseBoxOnly(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::CustomizeWindowHint);
}

bool helpKey(DocWnd& w, const QKeyEvent& event) {
  if (event.key() != Qt::Key_F1 || event.modifiers() != Qt::NoModifier) return false;
  openHelp(w, toUtf8(QCoreApplication::applicationFilePath()));
  return true;
}

}  // namespace tgc
