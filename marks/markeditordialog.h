// The catalog mark editor ("カタログマーク編集"): the active and dormant
// marks in two report lists and the buttons that move, add, change, delete
// and merge them. Every button runs the core's operation on the working
// lists and then refills the lists from them; the dialog keeps no mark data
// of its own.
#pragma once

#include <QDialog>
#include <QTreeWidget>
#include <functional>
#include <vector>

class QRadioButton;
class QPushButton;

namespace tgc {

class DocWnd;

// One of the two lists. A click anywhere in it, an item or the empty space,
// reports after the list has handled it.
class MarkList : public QTreeWidget {
 public:
  explicit MarkList(QWidget* parent);
  std::function<void()> clicked;
  std::function<void()> doubleClicked;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class MarkEditorDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens the editor on the controller's working lists (the first change of
  // this opening records the undo step).
  explicit MarkEditorDialog(DocWnd& w, QWidget* parent = nullptr);

  // Refills both lists from the working lists.
  void fillLists();

  MarkList* list(int which) const { return lists_[which]; }
  QRadioButton* radio(int which) const { return radios_[which]; }
  // The button with that label (">>", "追加", "終了", ...).
  QPushButton* button(const QString& label) const;

 public Q_SLOTS:
  // Esc, "終了" and the close box: the close check, then closed.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fillList(int which);
  void showCurrentList();
  void makeCurrent(int which);
  // Positions of the selected rows of a list, ascending.
  std::vector<int> selected(int which) const;
  // Runs an operation of the core; refills both lists when it changed them.
  void run(const std::function<bool()>& operation);

  DocWnd& w_;
  QRadioButton* radios_[2];
  MarkList* lists_[2];
  std::vector<QPushButton*> buttons_;
  bool closed_ = false;
};

}  // namespace tgc
