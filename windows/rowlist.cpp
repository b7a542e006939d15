#include "windows/rowlist.h"

#include <QHeaderView>
#include <QTreeView>

#include "windows/dialogstyle.h"

namespace tgc {

RowTextModel::RowTextModel(QStringList titles, RowCount rows, CellText cell, QObject* parent)
    : QAbstractTableModel(parent),
      titles_(std::move(titles)),
      rows_(std::move(rows)),
      cell_(std::move(cell)) {}

void RowTextModel::reload() {
  beginResetModel();
  endResetModel();
}

int RowTextModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_();
}

int RowTextModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant RowTextModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role != Qt::DisplayRole && !(role == Qt::ToolTipRole && index.column() == tooltipColumn_)) return {};
  return cell_(index.row(), index.column());
}

QVariant RowTextModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= titles_.size())
    return {};
  return titles_[section];
}

QTreeView* newRowList(QAbstractItemModel* model, const QString& accessibleName, QWidget* parent) {
  auto* list = new QTreeView(parent);
  list->setAccessibleName(accessibleName);
  list->setModel(model);
  list->setFont(gothicFont(17));
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);  // tens of thousands of rows scroll without measuring each
  list->setAllColumnsShowFocus(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QHeaderView* header = list->header();
  header->setFont(gothicFont(14));
  header->setStretchLastSection(false);  // the stored widths, as they were left
  header->setSectionsMovable(false);
  return list;
}

}  // namespace tgc
