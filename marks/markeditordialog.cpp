#include "marks/markeditordialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "app/dialogframe.h"
#include "app/qtconvert.h"
#include "core/docwnd.h"
#include "marks/consolidation.h"
#include "marks/editorcommands.h"
#include "marks/markproperties.h"
#include "marks/marktexts.h"
#include "sheet/sheetfonts.h"

namespace tgc {

namespace {

constexpr int kColumnWidths[3] = {130, 50, 80};
QString face() {
  return QStringLiteral("ＭＳ Ｐゴシック");
}

}  // namespace

MarkList::MarkList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(3);
  setHeaderLabels({QStringLiteral("マーク"), QStringLiteral("属性"), QStringLiteral("シート")});
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFont(sheetFont(face(), 17, false));
  header()->setFont(sheetFont(face(), 14, false));
  header()->setSectionsClickable(true);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  header()->setSortIndicatorShown(false);
  for (int c = 0; c < 3; ++c) header()->resizeSection(c, kColumnWidths[c]);
  // Room for the three columns beside a vertical scroll bar.
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  setMinimumSize(kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + scrollBar + 2 * frameWidth(), 340);
}

void MarkList::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  if (clicked) clicked();
}

void MarkList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (doubleClicked) doubleClicked();
}

MarkEditorDialog::MarkEditorDialog(DocWnd& w, QWidget* parent) : QDialog(parent), w_(w) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("カタログマーク編集"));

  const QString radioTexts[2] = {QStringLiteral("使用マーク"), QStringLiteral("休止マーク")};
  for (int which : {kActiveList, kDormantList}) {
    radios_[which] = new QRadioButton(radioTexts[which], this);
    radios_[which]->setFont(sheetFont(face(), 17, false));
    connect(radios_[which], &QRadioButton::clicked, this, [this, which] { makeCurrent(which); });
    MarkList* list = lists_[which] = new MarkList(this);
    list->setAccessibleName(radioTexts[which] + QStringLiteral("の一覧"));
    list->clicked = [this, which] { makeCurrent(which); };
    list->doubleClicked = [this, which] {
      makeCurrent(which);
      run([this] { return openModifyMark(w_, selected(w_.marks.currentList)) == 0; });
    };
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, which](int column) {
      if (w_.marks.headerClick(which, column)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        fillList(which);
        QApplication::restoreOverrideCursor();
      }
      showCurrentList();
    });
  }

  // Every button acts on the working lists, then the lists are refilled.
  // A refused or cancelled operation leaves the lists and their selection.
  const std::pair<QString, std::function<void()>> actions[] = {
      {QStringLiteral(">>"),
       [this] {
         run([this] {
           moveToDormant(w_, selected(kActiveList));
           return true;
         });
       }},
      {QStringLiteral("<<"),
       [this] {
         run([this] {
           moveToActive(w_, selected(kDormantList));
           return true;
         });
       }},
      {QStringLiteral("追加"), [this] { run([this] { return openAddMark(w_) == 0; }); }},
      {QStringLiteral("修正"),
       [this] { run([this] { return openModifyMark(w_, selected(w_.marks.currentList)) == 0; }); }},
      {QStringLiteral("削除"),
       [this] { run([this] { return deleteSelectedMarks(w_, selected(w_.marks.currentList)) == 0; }); }},
      // Each merge refills the lists as it happens (the merge port's
      // entriesReloaded); a run to its end refills once more.
      {QStringLiteral("集約"), [this] { run([this] { return consolidate(w_) == 0; }); }},
      {QStringLiteral("終了"), [this] { reject(); }},
  };
  for (const auto& [label, action] : actions) {
    auto* button = new QPushButton(label, this);
    // The arrows read aloud as what they do.
    if (label == QStringLiteral(">>")) button->setAccessibleName(QStringLiteral("休止マークへ移す"));
    if (label == QStringLiteral("<<")) button->setAccessibleName(QStringLiteral("使用マークへ移す"));
    // Enter presses nothing in the editor.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, action);
    buttons_.push_back(button);
  }

  auto* moves = new QVBoxLayout;
  moves->addStretch();
  moves->addWidget(button(QStringLiteral(">>")));
  moves->addWidget(button(QStringLiteral("<<")));
  moves->addStretch();
  auto* bottom = new QHBoxLayout;
  for (const char* label : {"追加", "修正", "削除", "集約"})
    bottom->addWidget(button(QString::fromUtf8(label)));
  bottom->addStretch();
  bottom->addWidget(button(QStringLiteral("終了")));

  auto* grid = new QGridLayout(this);
  grid->addWidget(radios_[kActiveList], 0, 0);
  grid->addWidget(radios_[kDormantList], 0, 2);
  grid->addWidget(lists_[kActiveList], 1, 0);
  grid->addLayout(moves, 1, 1);
  grid->addWidget(lists_[kDormantList], 1, 2);
  grid->addLayout(bottom, 2, 0, 1, 3);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);

  setTabOrder(radios_[kActiveList], radios_[kDormantList]);
  setTabOrder(radios_[kDormantList], lists_[kActiveList]);
  setTabOrder(lists_[kActiveList], lists_[kDormantList]);
  setTabOrder(lists_[kDormantList], buttons_.front());
  for (std::size_t i = 1; i < buttons_.size(); ++i) setTabOrder(buttons_[i - 1], buttons_[i]);

  openMarkEditor(w_);
  showCurrentList();
  fillLists();
  lists_[w_.marks.currentList]->setFocus();
}

QPushButton* MarkEditorDialog::button(const QString& label) const {
  for (QPushButton* b : buttons_)
    if (b->text() == label) return b;
  return nullptr;
}

void MarkEditorDialog::fillList(int which) {
  MarkList* list = lists_[which];
  list->clear();
  QList<QTreeWidgetItem*> items;
  const std::vector<CatalogMark>& entries = w_.marks.entries(which);
  items.reserve(qsizetype(entries.size()));
  for (const CatalogMark& m : entries)
    items.append(
        new QTreeWidgetItem(QStringList{fromCp932(markColumnText(m)), fromCp932(attributeText(m.attribute)),
                                        fromCp932(sheetUsageText(m.sheetUsage))}));
  list->addTopLevelItems(items);
}

void MarkEditorDialog::fillLists() {
  fillList(kActiveList);
  fillList(kDormantList);
}

void MarkEditorDialog::showCurrentList() {
  const int current = w_.marks.currentList;
  radios_[current]->setChecked(true);
  // The current list in the window colour, the other in the button face.
  for (int which : {kActiveList, kDormantList}) {
    QPalette p = palette();
    if (which != current) p.setColor(QPalette::Base, p.color(QPalette::Button));
    lists_[which]->setPalette(p);
  }
}

void MarkEditorDialog::makeCurrent(int which) {
  w_.marks.setCurrentList(which);
  showCurrentList();
}

std::vector<int> MarkEditorDialog::selected(int which) const {
  std::vector<int> rows;
  for (const QModelIndex& index : lists_[which]->selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void MarkEditorDialog::run(const std::function<bool()>& operation) {
  if (operation()) fillLists();
}

void MarkEditorDialog::reject() {
  if (!closed_) {
    closed_ = true;
    closeMarkEditor(w_);
  }
  QDialog::reject();
}

void MarkEditorDialog::keyPressEvent(QKeyEvent* event) {
  if (helpKey(w_, *event)) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

}  // namespace tgc
