// The word list window: the mark selector, the list of the chosen mark's
// words with their sheet numbers, ジャンプ and 終了. It shows a WordList and
// forwards every action to it.
#pragma once

#include <QDialog>

#include "windows/wordlist.h"

class QComboBox;
class QPushButton;
class QTreeView;

namespace tgc {

class DocWnd;
class RowTextModel;

class WordListDialog : public QDialog {
  Q_OBJECT
 public:
  WordListDialog(DocWnd& w, QWidget* parent);
  ~WordListDialog() override;

  QComboBox* markSelector() const { return selector_; }
  QTreeView* list() const { return list_; }
  QPushButton* jumpButton() const { return jump_; }

  // Esc, 終了 and the close box: the size and column widths are recorded.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showRows();
  int selectedRow() const;
  void jump(bool fromButton);
  void recordSizes();

  DocWnd& w_;
  WordList rows_;
  RowTextModel* model_ = nullptr;
  QComboBox* selector_ = nullptr;
  QTreeView* list_ = nullptr;
  QPushButton* jump_ = nullptr;
};

}  // namespace tgc
