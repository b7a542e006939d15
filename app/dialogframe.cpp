#include "app/dialogframe.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

#include "marks/dialogframe.h"

namespace tgc {

namespace {

// Window icon, close button and the frame's padding in a title bar, in the
// window's pixels; window managers draw these at about this size.
constexpr int kTitleBarAllowance = 96;

}  // namespace

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
