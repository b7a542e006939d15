// The find window: the text field, 完全一致, the hits with their sheet,
// position and word, the count line, ジャンプ and 終了. It shows a Finder,
// searches after every change of the text and keeps what the next opening
// starts from in a FindMemory.
#pragma once

#include <QDialog>

#include "windows/finder.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tgc {

class DocWnd;
class RowTextModel;

class FindDialog : public QDialog {
  Q_OBJECT
 public:
  FindDialog(DocWnd& w, FindMemory& memory, QWidget* parent);
  ~FindDialog() override;

  QLineEdit* field() const { return field_; }
  QCheckBox* exactBox() const { return exact_; }
  QTreeView* list() const { return list_; }
  QLabel* countLine() const { return count_; }
  QPushButton* jumpButton() const { return jump_; }

  // Esc, 終了 and the close box.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void search();
  void selectRow(int row);
  int selectedRow() const;
  void jump();
  void remember();

  DocWnd& w_;
  FindMemory& memory_;
  Finder finder_;
  RowTextModel* model_ = nullptr;
  QLineEdit* field_ = nullptr;
  QCheckBox* exact_ = nullptr;
  QTreeView* list_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* jump_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace tgc
