#include "app/dialogframe.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

#include "app/help.h"
#include "app/qtconvert.h"

namespace tgc {

namespace {

// Window icon, buttons and the frame's and the label's padding in a title
// bar, in the window's pixels. Some window managers (openbox) draw the
// minimise and maximise buttons too, whatever the window asks for: four
// squares of about 24 pixels and some 30 pixels of padding.
constexpr int kTitleBarAllowance = 128;

}  // namespace

void useCloseBoxOnly(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::CustomizeWindowHint);
}

bool helpKey(DocWnd& w, const QKeyEvent& event) {
  if (event.key() != Qt::Key_F1 || event.modifiers() != Qt::NoModifier) return false;
  openHelp(w, toUtf8(QCoreApplication::applicationFilePath()));
  return true;
}

int titleBarWidth(const QString& title, const QFont& font) {
  QFont bold = font;
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(title) + kTitleBarAllowance;
}

void fixDialogSize(QDialog& dialog, QSize clientSize) {
  clientSize.setWidth(std::max(clientSize.width(), titleBarWidth(dialog.windowTitle(), dialog.font())));
  dialog.setFixedSize(clientSize);
  useCloseBoxOnly(dialog);
}

void prepareMessageBox(QMessageBox& box) {
  useCloseBoxOnly(box);
  // The message box sizes itself to its text when it is shown; a spacer as
  // wide as the title bar needs keeps a short message from cutting the title.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int margins = grid->contentsMargins().left() + grid->contentsMargins().right();
    const int width = titleBarWidth(box.windowTitle(), box.font()) - margins;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }
}

}  // namespace tgc
