// The sheet view as an assistive technology sees it: a 5 x 5 table whose
// cells are the boxes, followed by the in-place editor, the header buttons
// and, while it shows, the input guide. Qt asks for it only when an
// assistive technology is listening; until then none of it exists.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "sheet/interaction.h"
#include "sheet/sheetspeech.h"

namespace tgc {

class SheetView;

// Registers the view's interface with Qt's accessibility; once per process.
void installSheetAccessibility();

// Tells an assistive technology what changed between two snapshots of the
// view (names, the selected box, the sheet, the children). `focusBox` also
// sends the focus to the selected box (after the view took the focus).
void announceSheetChanges(SheetView& view, const SheetSpeech& before, const SheetSpeech& after,
                          bool focusBox);

class SheetAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit SheetAccessible(SheetView* view);
  ~SheetAccessible() override;

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return kGridColumns; }
  int rowCount() const override { return kGridRows; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // One box is always selected; whole rows and columns never are.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  SheetView* view() const;

 private:
  // Children after the 25 boxes and the editor, in order.
  std::vector<int> shownButtons() const;
  QAccessibleInterface* box(int index) const;
  QAccessibleInterface* button(int id) const;
  QAccessibleInterface* guide() const;

  // Made on demand and kept, so each has one identity for the whole run.
  mutable std::array<QAccessible::Id, kBoxesPerSheet> boxes_{};
  mutable std::array<QAccessible::Id, kHeaderButtonCount> buttons_{};
  mutable QAccessible::Id guide_ = 0;
};

}  // namespace tgc
