#include "marks/consolidationdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/dialogframe.h"
#include "app/qtconvert.h"
#include "marks/marktexts.h"
#include "sheet/sheetfonts.h"

namespace tgc {

namespace {

constexpr int kColumnWidths[3] = {100, 130, 130};

// The five rows: item label, then the texts of each mark.
QStringList rowTexts(const CatalogMark& m) {
  return {fromCp932(m.glyph), fromCp932(m.name), fromCp932(attributeText(m.attribute)),
          fromCp932(dormantText(m.dormant)), fromCp932(sheetUsageText(m.sheetUsage))};
}

}  // namespace

ConsolidationDialog::ConsolidationDialog(const CatalogMark& first, const CatalogMark& second,
                                         bool firstEnabled, bool secondEnabled, QWidget* parent)
    : QDialog(parent) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("マークの集約"));

  const QString face = QStringLiteral("ＭＳ Ｐゴシック");
  table_ = new QTableWidget(5, 3, this);
  table_->setAccessibleName(QStringLiteral("集約する２つのマーク"));
  table_->setTabKeyNavigation(false);  // Tab leaves the report; arrows read it
  table_->setFont(sheetFont(face, 17, false));
  table_->horizontalHeader()->setFont(sheetFont(face, 14, false));
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("項目"), QStringLiteral("データ１"), QStringLiteral("データ２")});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionsClickable(false);
  table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->horizontalHeader()->setStretchLastSection(false);
  table_->setShowGrid(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (int c = 0; c < 3; ++c) table_->setColumnWidth(c, kColumnWidths[c]);
  const QStringList items{QStringLiteral("マーク"), QStringLiteral("名称"), QStringLiteral("属性"),
                          QStringLiteral("制限"), QStringLiteral("シート")};
  const QStringList one = rowTexts(first), two = rowTexts(second);
  for (int r = 0; r < 5; ++r) {
    table_->setItem(r, 0, new QTableWidgetItem(items[r]));
    table_->setItem(r, 1, new QTableWidgetItem(one[r]));
    table_->setItem(r, 2, new QTableWidgetItem(two[r]));
  }
  // Nothing is picked out: the rows are for reading.
  table_->setCurrentCell(-1, -1);
  // The whole report shows, nothing to scroll.
  table_->resizeRowsToContents();
  int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
  for (int r = 0; r < 5; ++r) height += table_->rowHeight(r);
  table_->setFixedSize(kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + 2 * table_->frameWidth(),
                       height);

  auto* keepFirst = new QPushButton(QStringLiteral("１に集約"), this);
  auto* keepSecond = new QPushButton(QStringLiteral("２に集約"), this);
  auto* next = new QPushButton(QStringLiteral("次へ"), this);
  auto* stop = new QPushButton(QStringLiteral("終了"), this);
  keepFirst->setEnabled(firstEnabled);
  keepSecond->setEnabled(secondEnabled);
  const std::pair<QPushButton*, MergeChoice> actions[] = {{keepFirst, MergeChoice::KeepFirst},
                                                          {keepSecond, MergeChoice::KeepSecond},
                                                          {next, MergeChoice::Next},
                                                          {stop, MergeChoice::Stop}};
  auto* row = new QHBoxLayout;
  for (const auto& action : actions) {
    QPushButton* const button = action.first;
    const MergeChoice choice = action.second;
    // Enter presses nothing in this dialog.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, choice] { choose(choice); });
    row->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ConsolidationDialog::choose(MergeChoice choice) {
  choice_ = choice;
  if (choice == MergeChoice::Stop)
    reject();
  else
    accept();
}

void ConsolidationDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  // Escape rejects: Stop, like the close box.
  QDialog::keyPressEvent(event);
}

}  // namespace tgc
