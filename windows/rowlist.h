// The read-only lists of the word list and find windows: rows of text
// columns that their headless states compute, shown in a list view with the
// windows' list fonts, whole rows selected one at a time.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class QTreeView;
class QWidget;

namespace tgc {

// Text columns over a row source that lives elsewhere: nothing is copied,
// each cell is asked for as it is shown.
class RowTextModel : public QAbstractTableModel {
 public:
  using RowCount = std::function<int()>;
  using CellText = std::function<QString(int row, int column)>;

  RowTextModel(QStringList titles, RowCount rows, CellText cell, QObject* parent);

  // A column whose cells are often wider than the column: its text is its
  // tooltip too.
  void setTooltipColumn(int column) { tooltipColumn_ = column; }
  // The rows changed under the model.
  void reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QStringList titles_;
  RowCount rows_;
  CellText cell_;
  int tooltipColumn_ = -1;
};

// A list view of `model`, named for a screen reader, not editable; its
// columns keep the widths they are given rather than stretch the last.
QTreeView* newRowList(QAbstractItemModel* model, const QString& accessibleName, QWidget* parent);

}  // namespace tgc
