#include "sheet/sheetaccessible.h"

#include <QAccessibleActionInterface>

#include "core/docwnd.h"
#include "sheet/guidepainter.h"
#include "sheet/sheetpainter.h"
#include "sheet/sheetview.h"
#include "sheet/textconv.h"

namespace tgc {

namespace {

constexpr int kEditorIndex = kBoxesPerSheet;

const DocWnd& controllerOf(const SheetView* view) {
  return view->docWnd();
}

QRect onScreen(const SheetView* view, const Rect& r) {
  return QRect(view->mapToGlobal(QPoint(r.left, r.top)), QSize(r.width(), r.height()));
}

// Where the view's header buttons stand; the idea button's is empty when
// the sheet has none. Known before the first paint, when a screen reader
// may already ask.
HeaderRects buttonsOf(const SheetView* view) {
  return headerButtonRects(view->width(), currentSheetType(controllerOf(view).wb()));
}

// The part of the view's interface every child shares: it lives as long as
// the view and has no children of its own.
class ViewPart : public QAccessibleInterface {
 public:
  explicit ViewPart(SheetView* view) : view_(view) {}
  bool isValid() const override { return !view_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(view_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

 protected:
  QPointer<SheetView> view_;
};

// One box: its word as the name, its mark and flags as the description.
class BoxAccessible : public ViewPart, public QAccessibleTableCellInterface {
 public:
  BoxAccessible(SheetView* view, int column, int row) : ViewPart(view), column_(column), row_(row) {}

  QString text(QAccessible::Text t) const override {
    if (!view_) return {};
    const Workbook& wb = controllerOf(view_).wb();
    const Sheet* sheet = wb.currentSheetPtr();
    if (!sheet) return {};
    if (t == QAccessible::Name) return wordToQt(boxSpokenName(wb, *sheet, column_, row_));
    if (t == QAccessible::Description) return wordToQt(boxSpokenDescription(wb, *sheet, column_, row_));
    return {};
  }
  QRect rect() const override {
    if (!view_) return {};
    return onScreen(view_, boxRect(computeLayout(view_->width(), view_->height()), column_, row_));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!view_) return s;
    s.focusable = s.selectable = true;
    s.selected = isSelected();
    s.focused = s.selected && view_->hasFocus() && !view_->isEditing();
    s.invisible = !view_->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                   : nullptr;
  }

  bool isSelected() const override {
    if (!view_) return false;
    const Workbook& wb = controllerOf(view_).wb();
    return wb.cursorColumn == column_ && wb.cursorRow == row_;
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  const int column_, row_;
};

// A header button, named by its tooltip; pressing it is a click.
class ButtonAccessible : public ViewPart, public QAccessibleActionInterface {
 public:
  ButtonAccessible(SheetView* view, int id) : ViewPart(view), id_(id) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? buttonTooltipText(id_) : QString();
  }
  QRect rect() const override { return view_ ? onScreen(view_, buttonsOf(view_)[id_]) : QRect(); }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!view_) return s;
    s.pressed = controllerOf(view_).view.pressedButton == id_;
    s.invisible = !view_->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (view_ && name == pressAction()) view_->interaction().pressButton(id_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  const int id_;
};

// The input guide while it shows: all its texts, to be read.
class GuideAccessible : public ViewPart {
 public:
  using ViewPart::ViewPart;

  QString text(QAccessible::Text t) const override {
    if (!view_ || t != QAccessible::Name) return {};
    return guideReadingText(currentSheetType(controllerOf(view_).wb()));
  }
  QRect rect() const override { return view_ ? QRect(view_->mapToGlobal(QPoint()), view_->size()) : QRect(); }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !view_ || !view_->isVisible();
    return s;
  }
};

QAccessibleInterface* sheetViewFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("tgc::SheetView") && object && object->isWidgetType())
    return new SheetAccessible(static_cast<SheetView*>(object));
  return nullptr;
}

}  // namespace

void installSheetAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(sheetViewFactory);
    return true;
  }();
  (void)installed;
}

SheetAccessible::SheetAccessible(SheetView* view) : QAccessibleWidget(view, QAccessible::Table) {}

SheetAccessible::~SheetAccessible() {
  // Qt owns them once registered; one already gone at shutdown is skipped.
  for (QAccessible::Id id : boxes_)
    if (id) QAccessible::deleteAccessibleInterface(id);
  for (QAccessible::Id id : buttons_)
    if (id) QAccessible::deleteAccessibleInterface(id);
  if (guide_) QAccessible::deleteAccessibleInterface(guide_);
}

SheetView* SheetAccessible::view() const {
  return static_cast<SheetView*>(widget());
}

void* SheetAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString SheetAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && view()->accessibleName().isEmpty())
    return wordToQt(sheetSpokenName(controllerOf(view()).wb()));
  return QAccessibleWidget::text(t);
}

std::vector<int> SheetAccessible::shownButtons() const {
  const HeaderRects rects = buttonsOf(view());
  std::vector<int> ids;
  for (int id = 0; id < kHeaderButtonCount; ++id)
    if (rects[id] != Rect{}) ids.push_back(id);
  return ids;
}

int SheetAccessible::childCount() const {
  return kEditorIndex + 1 + static_cast<int>(shownButtons().size()) +
         (controllerOf(view()).shell.guideShown ? 1 : 0);
}

QAccessibleInterface* SheetAccessible::child(int index) const {
  if (index < 0) return nullptr;
  if (index < kBoxesPerSheet) return box(index);
  if (index == kEditorIndex) return QAccessible::queryAccessibleInterface(view()->editor());
  const std::vector<int> ids = shownButtons();
  const int b = index - kEditorIndex - 1;
  if (b < static_cast<int>(ids.size())) return button(ids[b]);
  if (b == static_cast<int>(ids.size()) && controllerOf(view()).shell.guideShown) return guide();
  return nullptr;
}

int SheetAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (!child) return -1;
  const auto is = [child](QAccessible::Id id) { return id && QAccessible::accessibleInterface(id) == child; };
  for (int i = 0; i < kBoxesPerSheet; ++i)
    if (is(boxes_[i])) return i;
  if (child->object() == view()->editor()) return kEditorIndex;
  const std::vector<int> ids = shownButtons();
  for (std::size_t b = 0; b < ids.size(); ++b)
    if (is(buttons_[ids[b]])) return kEditorIndex + 1 + static_cast<int>(b);
  if (is(guide_) && controllerOf(view()).shell.guideShown)
    return kEditorIndex + 1 + static_cast<int>(ids.size());
  return -1;
}

QAccessibleInterface* SheetAccessible::childAt(int x, int y) const {
  const QPoint at = view()->mapFromGlobal(QPoint(x, y));
  if (!view()->rect().contains(at)) return nullptr;
  if (view()->isEditing() && view()->editor()->geometry().contains(at))
    return QAccessible::queryAccessibleInterface(view()->editor());
  const DocWnd& w = controllerOf(view());
  if (w.shell.guideShown) return guide();
  for (int id : shownButtons())
    if (buttonsOf(view())[id].contains(at.x(), at.y())) return button(id);
  const BoxHit hit = hitTest(computeLayout(view()->width(), view()->height()), at.x(), at.y());
  return hit.insideGrid ? box(speechIndex(hit.column, hit.row)) : nullptr;
}

QAccessibleInterface* SheetAccessible::focusChild() const {
  if (view()->isEditing()) return QAccessible::queryAccessibleInterface(view()->editor());
  if (!view()->hasFocus()) return nullptr;
  const Workbook& wb = controllerOf(view()).wb();
  return box(speechIndex(wb.cursorColumn, wb.cursorRow));
}

QAccessibleInterface* SheetAccessible::cellAt(int row, int column) const {
  if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return nullptr;
  return box(speechIndex(column, row));
}

QList<QAccessibleInterface*> SheetAccessible::selectedCells() const {
  const Workbook& wb = controllerOf(view()).wb();
  return {cellAt(wb.cursorRow, wb.cursorColumn)};
}

// Made once, registered, then found again by its id.
template <typename Make>
QAccessibleInterface* kept(QAccessible::Id& id, Make make) {
  if (!id) id = QAccessible::registerAccessibleInterface(make());
  return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* SheetAccessible::box(int index) const {
  if (index < 0 || index >= kBoxesPerSheet) return nullptr;
  return kept(boxes_[index],
              [&] { return new BoxAccessible(view(), index % kGridColumns, index / kGridColumns); });
}

QAccessibleInterface* SheetAccessible::button(int id) const {
  return kept(buttons_[id], [&] { return new ButtonAccessible(view(), id); });
}

QAccessibleInterface* SheetAccessible::guide() const {
  return kept(guide_, [&] { return new GuideAccessible(view()); });
}

void announceSheetChanges(SheetView& view, const SheetSpeech& before, const SheetSpeech& after,
                          bool focusBox) {
  const SpeechChanges c = compareSpeech(before, after);
  const auto send = [&view](QAccessible::Event type, int child) {
    QAccessibleEvent event(&view, type);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
  };
  if (c.sheet) {
    QAccessibleTableModelChangeEvent event(&view, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(0);
    event.setFirstColumn(0);
    event.setLastRow(kGridRows - 1);
    event.setLastColumn(kGridColumns - 1);
    QAccessible::updateAccessibility(&event);
  }
  if (c.name) send(QAccessible::NameChanged, -1);
  if (c.children) send(QAccessible::ObjectReorder, -1);
  for (int i : c.names) send(QAccessible::NameChanged, i);
  for (int i : c.descriptions) send(QAccessible::DescriptionChanged, i);
  const int selected = speechIndex(after.selected.column, after.selected.row);
  if (c.selection) send(QAccessible::Selection, selected);
  if ((c.selection || focusBox) && view.hasFocus() && !view.isEditing()) send(QAccessible::Focus, selected);
}

}  // namespace tgc
