#include "app/filedialogcolumns.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace tgc {

namespace {

constexpr int kDateColumn = 3;  // name, size, type, date

}  // namespace

void fitDateColumn(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!view) return;
  // The file system model writes the system locale's short form; the day
  // and hour with two digits, and each month's name, give its widest text.
  const QLocale locale = QLocale::system();
  const QFontMetrics metrics(view->font());
  int text = 0;
  for (int month = 1; month <= 12; ++month) {
    const QDateTime date(QDate(2000, month, 28), QTime(23, 59, 59));
    text = std::max(text, metrics.horizontalAdvance(locale.toString(date, QLocale::ShortFormat)));
  }
  // The cell's own margins, on both sides, and a little air before the edge.
  const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const int width = text + 2 * margin + metrics.averageCharWidth();
  QHeaderView* header = view->header();
  const int grown = width - header->sectionSize(kDateColumn);
  if (grown <= 0) return;
  header->resizeSection(kDateColumn, width);
  // The dialog grows by as much, so the other columns keep their room and
  // the dates show without scrolling.
  const QSize size = dialog.sizeHint();
  dialog.resize(size.width() + grown, size.height());
}

}  // namespace tgc
