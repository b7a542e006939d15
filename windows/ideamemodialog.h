// The idea memo window: the idea selector, the memo field, 更新 and 終了.
// It shows an IdeaMemoSession and forwards every action to it; the field's
// line breaks are stored as CR LF, as in every multi-line text of a workbook.
#pragma once

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace tgc {

class DocWnd;
class IdeaMemoSession;

class IdeaMemoDialog : public QDialog {
  Q_OBJECT
 public:
  IdeaMemoDialog(DocWnd& w, IdeaMemoSession& session, QWidget* parent);

  QComboBox* ideaSelector() const { return selector_; }
  QPlainTextEdit* memoField() const { return field_; }
  QPushButton* updateButton() const { return update_; }

  // Esc, 終了 and the close box: asks about changes, records the size.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showSelection();
  void fieldEdited();
  // False, after the warning, while the field holds text a workbook cannot:
  // another idea is not shown until it is mended.
  bool fieldStorable();

  DocWnd& w_;
  IdeaMemoSession& session_;
  QComboBox* selector_ = nullptr;
  QPlainTextEdit* field_ = nullptr;
  QPushButton* update_ = nullptr;
  bool filling_ = false;  // the field is being filled, not typed in
};

}  // namespace tgc
