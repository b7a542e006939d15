#include "windows/finddialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/dialogframe.h"
#include "app/dialogunits.h"
#include "app/qtconvert.h"
#include "app/qtwindowsize.h"
#include "app/textstyle.h"
#include "core/docwnd.h"
#include "sheet/textconv.h"
#include "windows/dialogstyle.h"
#include "windows/rowlist.h"

namespace tgc {

FindDialog::FindDialog(DocWnd& w, FindMemory& memory, QWidget* parent)
    : QDialog(parent), w_(w), memory_(memory), finder_(w.wb()) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("検索"));
  setFont(dialogFont());
  const DialogUnits du(font());
  setMinimumSize(du.size(200, 140));
  QSize size = du.size(250, 200);
  // Scaled up on a small screen the window would not fit whole.
  if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size());
  resize(size);
  applyStoredWindowSize(*this, w.ports.settings, SizedWindow::Find);

  auto* caption = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
  field_ = new QLineEdit(this);
  field_->setFont(gothicFont(17));
  field_->setAccessibleName(QStringLiteral("検索する文字列"));
  caption->setBuddy(field_);
  exact_ = new QCheckBox(QStringLiteral("完全一致"), this);
  exact_->setAccessibleDescription(
      QStringLiteral("全角と半角、ひらがなとカタカナ、大文字と小文字を区別します"));

  model_ = new RowTextModel(
      {QStringLiteral("シート番号"), QStringLiteral("位置"), QStringLiteral("語句")},
      [this] { return static_cast<int>(finder_.hits().size()); },
      [this](int row, int column) {
        switch (column) {
          case 0:
            return wordToQt(finder_.sheetText(row));
          case 1:
            return wordToQt(finder_.positionText(row));
        }
        return wordToQt(finder_.wordText(row));
      },
      this);
  model_->setTooltipColumn(2);  // a memo's line is often wider than the column
  list_ = newRowList(model_, QStringLiteral("検索結果"), this);
  QHeaderView* header = list_->header();
  int widths[3] = {du.x(34), du.x(46), du.x(140)};  // within the list at its first size
  readFindColumns(w.ports.settings, widths);
  for (int c = 0; c < 3; ++c) header->resizeSection(c, widths[c]);

  count_ = new QLabel(this);
  count_->setAccessibleName(QStringLiteral("検索結果の件数"));

  jump_ = new QPushButton(QStringLiteral("ジャンプ"), this);
  close_ = new QPushButton(QStringLiteral("終了"), this);
  for (QPushButton* b : {jump_, close_}) {
    b->setAutoDefault(false);  // Enter jumps, wherever the focus is but on 終了
    b->setMinimumSize(du.size(50, 14));
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(du.x(7), du.y(7), du.x(7), du.y(7));
  layout->setSpacing(du.y(4));
  auto* fieldRow = new QHBoxLayout;
  fieldRow->addWidget(caption);
  fieldRow->addWidget(field_, 1);
  fieldRow->addWidget(exact_);
  layout->addLayout(fieldRow);
  layout->addWidget(list_, 1);
  layout->addWidget(count_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(jump_);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  setTabOrder(field_, exact_);
  setTabOrder(exact_, list_);
  setTabOrder(list_, jump_);
  setTabOrder(jump_, close_);

  recordWindowSizeOnOpen(*this, w.ports.settings, SizedWindow::Find);

  field_->setText(QString::fromStdString(memory.text));
  field_->selectAll();  // typing replaces the last text, Enter goes to the next hit
  exact_->setChecked(memory.exact);
  search();
  selectRow(memory.row >= 0 && memory.row < static_cast<int>(finder_.hits().size()) ? memory.row : 0);

  field_->installEventFilter(this);
  list_->installEventFilter(this);
  connect(field_, &QLineEdit::textChanged, this, [this] {
    search();
    selectRow(0);
  });
  connect(exact_, &QCheckBox::toggled, this, [this] {
    search();
    selectRow(0);
  });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { jump_->setEnabled(finder_.canJump(selectedRow())); });
  connect(list_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) jump();
  });
  connect(jump_, &QPushButton::clicked, this, &FindDialog::jump);
  connect(close_, &QPushButton::clicked, this, &FindDialog::reject);
  field_->setFocus();
}

FindDialog::~FindDialog() = default;

void FindDialog::search() {
  finder_.search(toUtf8(field_->text()), exact_->isChecked());
  model_->reload();
  count_->setText(wordToQt(finder_.summary()));
}

void FindDialog::selectRow(int row) {
  if (row >= 0 && row < model_->rowCount()) {
    const QModelIndex index = model_->index(row, 0);
    list_->setCurrentIndex(index);
    list_->scrollTo(index);
  }
  jump_->setEnabled(finder_.canJump(selectedRow()));
}

int FindDialog::selectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void FindDialog::jump() {
  const int row = selectedRow();
  if (!finder_.canJump(row)) return;
  finder_.jump(w_, row);
  remember();
  memory_.row = finder_.rowAfter(row);
  accept();
}

void FindDialog::remember() {
  memory_.text = toUtf8(field_->text());
  memory_.exact = exact_->isChecked();
  memory_.row = selectedRow();
  recordWindowSizeOnClose(*this, w_.ports.settings, SizedWindow::Find);
  const QHeaderView* header = list_->header();
  const int widths[3] = {header->sectionSize(0), header->sectionSize(1), header->sectionSize(2)};
  writeFindColumns(w_.ports.settings, widths);
}

void FindDialog::reject() {
  remember();
  QDialog::reject();
}

void FindDialog::keyPressEvent(QKeyEvent* event) {
  if (helpKey(w_, *event)) return;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && focusWidget() != close_) {
    jump();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  // The list would take Enter for its own activation; the field passes the
  // keys that move through the hits on to the list, so the hand stays on
  // the text.
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    jump();
    return true;
  }
  if (watched == field_ && key->modifiers() == Qt::NoModifier &&
      (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_PageUp ||
       key->key() == Qt::Key_PageDown)) {
    QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
    QCoreApplication::sendEvent(list_, &copy);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tgc
