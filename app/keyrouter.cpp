#include "app/keyrouter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "core/docwnd.h"
#include "sheet/boxinput.h"
#include "sheet/interaction.h"
#include "sheet/sheetview.h"

namespace tgc {

int virtualKeyOf(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // the same codes
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return vk::F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::Enter;
    case Qt::Key_Shift:
      return vk::Shift;
    case Qt::Key_Control:
      return vk::Control;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_PageUp:
      return vk::PageUp;
    case Qt::Key_PageDown:
      return vk::PageDown;
    case Qt::Key_End:
      return vk::End;
    case Qt::Key_Home:
      return vk::Home;
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Insert:
      return vk::Insert;
    case Qt::Key_Delete:
      return vk::Delete;
    case Qt::Key_Backspace:
      return 8;
  }
  return vk::Unknown;
}

KeyRouter::KeyRouter(MainWindow& window) : window_(window) {
  // A composition that starts on the view arrives as input-method events,
  // not as a key; its first event stands for the input-method key.
  window_.view()->setImeKeyHandler([this] {
    modifiers_ = Modifiers{};
    dispatchKeyDown(*this, window_.docWnd().app.keys, vk::ImeProcess);
  });
}

KeyRouter::~KeyRouter() = default;

QWidget* KeyRouter::keyboardFocus() const {
  // The application's focus widget is nobody while the main window is not
  // active: after a modal window closes until the window system activates
  // the main window again, which happens later, not when exec() returns.
  // The window's own focus widget survives that gap.
  QWidget* focus = QApplication::focusWidget();
  if (focus && focus->window() == &window_) return focus;
  return window_.focusWidget();
}

namespace {

// The keys a menu bar in keyboard mode walks and opens its menus with:
// arrows, Enter, Space, Esc, the plain characters of its mnemonics, and
// Alt with anything, as always.
bool menuBarKey(const QKeyEvent& key) {
  if ((key.modifiers() & Qt::AltModifier) || key.key() == Qt::Key_Alt) return true;
  if (key.modifiers() & Qt::ControlModifier) return false;
  switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
      return true;
  }
  const QString text = key.text();
  return key.modifiers() == Qt::NoModifier && text.size() == 1 && text.front().isPrint();
}

}  // namespace

bool KeyRouter::leaveMenuBar(QObject* watched, QKeyEvent& key) {
  // A menu closed with Esc leaves the menu bar in keyboard mode, holding the
  // focus: nothing would reach the dispatcher until another Esc or a click.
  // A key it has no use for ends that mode, the focus goes back to the view,
  // and the key goes there, as though the menu bar had never had it.
  auto* bar = qobject_cast<QMenuBar*>(watched);
  if (!bar || bar->window() != &window_ || !bar->hasFocus() || menuBarKey(key) || !window_.view())
    return false;
  window_.view()->setFocus(Qt::MenuBarFocusReason);
  QKeyEvent again(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                  key.nativeModifiers(), key.text(), key.isAutoRepeat(), key.count());
  QCoreApplication::sendEvent(window_.view(), &again);
  return true;
}

bool KeyRouter::routes(QObject* watched) const {
  // A key event is first delivered to the focus widget (or to the window
  // when nothing has the focus); later deliveries of the same event to the
  // parents are propagation and must not dispatch again. Keys of other
  // top-level windows (dialogs, menus) are theirs.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_) return false;
  // The menu bar in keyboard mode runs its own navigation, as a menu does.
  if (qobject_cast<QMenuBar*>(widget)) return false;
  QWidget* focus = keyboardFocus();
  return focus ? widget == focus : widget == &window_;
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* ke = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress && leaveMenuBar(watched, *ke)) return true;
    if (!routes(watched)) return false;
    // Alt combinations belong to the menu bar, as system keys do.
    if ((ke->modifiers() & Qt::AltModifier) || ke->key() == Qt::Key_Alt || ke->key() == Qt::Key_AltGr)
      return false;
    if (type == QEvent::KeyRelease && ke->isAutoRepeat()) return false;  // a held key repeats key-downs only
    const int key = virtualKeyOf(ke->key());
    if (type == QEvent::KeyRelease) return dispatchKeyUp(*this, window_.docWnd().app.keys, key).consumed;
    modifiers_.shift = (ke->modifiers() & Qt::ShiftModifier) || ke->key() == Qt::Key_Shift;
    modifiers_.ctrl = (ke->modifiers() & Qt::ControlModifier) || ke->key() == Qt::Key_Control;
    return dispatchKeyDown(*this, window_.docWnd().app.keys, key).consumed;
  }
  return false;
}

bool KeyRouter::focusOnView() {
  return window_.view() && keyboardFocus() == window_.view();
}

bool KeyRouter::editing() {
  return window_.docWnd().editor.editing != 0;
}

int& KeyRouter::guideShown() {
  return window_.docWnd().shell.guideShown;
}

void KeyRouter::repaintView() {
  window_.docWnd().ui().repaint();
}

void KeyRouter::quietTooltips() {
  tgc::quietTooltips(window_.docWnd().view);
}

void KeyRouter::enterOperation(bool ctrl, bool shift) {
  DocWnd& w = window_.docWnd();
  switch (enterAction(w, ctrl, shift)) {
    case EnterAction::OpenEditor:
      window_.view()->beginEdit();
      w.ui().repaint();
      break;
    case EnterAction::CommitEdit:
      window_.endEdit(false);
      window_.view()->setFocus(Qt::OtherFocusReason);
      break;
    case EnterAction::ToggleIdea:
      window_.runCommand(cmd::Idea);
      break;
    case EnterAction::None:
      break;
  }
}

void KeyRouter::cancelEdit() {
  window_.endEdit(true);
}

void KeyRouter::moveSelection(int key, bool ctrl, bool shift) {
  Workbook& wb = window_.docWnd().wb();
  arrowMove(wb.cursorColumn, wb.cursorRow, key, ctrl, shift);
  window_.view()->setFocus(Qt::OtherFocusReason);
  window_.docWnd().ui().repaint();
}

bool KeyRouter::selectedBoxHasWord() {
  const Workbook& wb = window_.docWnd().wb();
  const Sheet* sheet = wb.currentSheetPtr();
  if (!sheet) return false;
  const Box* box = findBox(*sheet, wb.cursorColumn, wb.cursorRow);
  return box && box->word >= 0;
}

int KeyRouter::command(int id) {
  return window_.runCommand(id);
}

}  // namespace tgc
