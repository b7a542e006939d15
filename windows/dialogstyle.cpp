#include "windows/dialogstyle.h"

#include <QCoreApplication>
#include <QDialog>
#include <QShortcut>

#include "app/help.h"
#include "app/qtconvert.h"
#include "sheet/sheetfonts.h"

namespace tgc {

void useCloseOnlyFrame(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::CustomizeWindowHint);
}

QFont dialogFont() {
  QFont f(mapFontFace(QStringLiteral("ＭＳ Ｐゴシック")));
  f.setPointSize(11);
  return f;
}

QFont gothicFont(int pixelHeight) {
  return sheetFont(QStringLiteral("ＭＳ Ｐゴシック"), pixelHeight, false);
}

void addHelpKey(QDialog& dialog, DocWnd& w) {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(help, &QShortcut::activated, &dialog,
                   [&w] { openHelp(w, toUtf8(QCoreApplication::applicationFilePath())); });
}

}  // namespace tgc
