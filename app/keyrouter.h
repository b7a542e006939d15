// The one application-wide event filter that hands every key of the main
// window to the keyboard dispatcher before any widget sees it.
#pragma once

#include <QObject>

class QKeyEvent;

#include "app/keydispatch.h"

namespace tgc {

class MainWindow;

class KeyRouter : public QObject, public KeyHost {
  Q_OBJECT
 public:
  explicit KeyRouter(MainWindow& window);
  ~KeyRouter() override;

  bool eventFilter(QObject* watched, QEvent* event) override;

  // KeyHost
  Modifiers sampleModifiers() override { return modifiers_; }
  bool focusOnView() override;
  bool editing() override;
  int& guideShown() override;
  void repaintView() override;
  void quietTooltips() override;
  void enterOperation(bool ctrl, bool shift) override;
  void cancelEdit() override;
  void moveSelection(int key, bool ctrl, bool shift) override;
  bool selectedBoxHasWord() override;
  int command(int id) override;

 private:
  bool routes(QObject* watched) const;
  // True when a key pressed on the menu bar in keyboard mode, which it does
  // not navigate with, was given to the sheet view instead.
  bool leaveMenuBar(QObject* watched, QKeyEvent& key);
  // The widget of the main window that has the keyboard focus.
  QWidget* keyboardFocus() const;

  MainWindow& window_;
  Modifiers modifiers_;
};

// The virtual-key code of a Qt key.
int virtualKeyOf(int qtKey);

}  // namespace tgc
