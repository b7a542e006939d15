#include "windows/wordlistdialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/dialogframe.h"
#include "app/qtconvert.h"
#include "app/qtwindowsize.h"
#include "app/textstyle.h"
#include "core/docwnd.h"
#include "sheet/textconv.h"
#include "windows/dialogstyle.h"
#include "windows/rowlist.h"

namespace tgc {

WordListDialog::WordListDialog(DocWnd& w, QWidget* parent) : QDialog(parent), w_(w), rows_(w.wb()) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("語句リスト"));
  setFont(dialogFont());
  setMinimumSize(360, 200);
  resize(410, 376);  // the template's size at its font
  applyStoredWindowSize(*this, w.ports.settings, SizedWindow::WordList);

  selector_ = new QComboBox(this);
  // Qt names a combo box by its current text here; this says what it picks.
  selector_->setAccessibleDescription(QStringLiteral("語句を一覧するマーク"));
  selector_->setFont(gothicFont(17));
  // 250 pixels wide whatever the marks' names: a long one is cut, not the
  // selector widened.
  selector_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  selector_->setMinimumWidth(250);
  for (const MarkEntry& e : rows_.entries()) selector_->addItem(fromCp932(e.text));
  selector_->setCurrentIndex(rows_.selectedEntry());

  model_ = new RowTextModel(
      {QStringLiteral("シート番号"), QStringLiteral("語句")},
      [this] { return static_cast<int>(rows_.rows().size()); },
      [this](int row, int column) {
        return column == 0 ? fromCp932(rows_.sheetText(row)) : wordToQt(rows_.wordText(row));
      },
      this);
  list_ = newRowList(model_, QStringLiteral("語句"), this);
  QHeaderView* header = list_->header();
  header->setSectionsClickable(true);  // a click sorts by the column
  int first = 0, second = 0;
  readListColumns(w.ports.settings, first, second);
  header->resizeSection(0, first);
  header->resizeSection(1, second);
  list_->installEventFilter(this);
  selector_->installEventFilter(this);

  jump_ = new QPushButton(QStringLiteral("ジャンプ"), this);
  auto* close = new QPushButton(QStringLiteral("終了"), this);
  for (QPushButton* b : {jump_, close}) {
    b->setAutoDefault(false);  // Enter does nothing in this window
    b->setMinimumSize(74, 28);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(15, 15, 15, 16);
  layout->setSpacing(15);
  layout->addWidget(selector_, 0, Qt::AlignLeft);
  layout->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(7);
  buttons->addStretch(1);
  buttons->addWidget(jump_);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  recordWindowSizeOnOpen(*this, w.ports.settings, SizedWindow::WordList);
  showRows();

  connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
    rows_.selectEntry(index);
    showRows();
  });
  connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
    rows_.sortByColumn(column);
    showRows();
  });
  connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) jump(false);
  });
  connect(jump_, &QPushButton::clicked, this, [this] { jump(true); });
  connect(close, &QPushButton::clicked, this, &WordListDialog::reject);
}

WordListDialog::~WordListDialog() = default;

void WordListDialog::showRows() {
  model_->reload();
  jump_->setEnabled(rows_.jumpEnabled());
}

int WordListDialog::selectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void WordListDialog::jump(bool fromButton) {
  const int row = selectedRow();
  if (row < 0) {
    rows_.jump(w_, row);  // asks for a row; the window stays
    return;
  }
  // A jump by double-click leaves the sizes as they were stored.
  if (fromButton) recordSizes();
  rows_.jump(w_, row);
  accept();
}

void WordListDialog::recordSizes() {
  recordWindowSizeOnClose(*this, w_.ports.settings, SizedWindow::WordList);
  writeListColumns(w_.ports.settings, list_->header()->sectionSize(0), list_->header()->sectionSize(1));
}

void WordListDialog::reject() {
  recordSizes();
  QDialog::reject();
}

void WordListDialog::keyPressEvent(QKeyEvent* event) {
  if (helpKey(w_, *event)) return;
  if (event->matches(QKeySequence::Copy)) {
    rows_.copy(w_, selectedRow());
    return;
  }
  QDialog::keyPressEvent(event);
}

bool WordListDialog::eventFilter(QObject* watched, QEvent* event) {
  // The list would copy its current cell itself, and the selector takes the
  // key for a search; the window's copy takes the selected row's word and
  // says so.
  if ((watched == list_ || watched == selector_) && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    rows_.copy(w_, selectedRow());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tgc
