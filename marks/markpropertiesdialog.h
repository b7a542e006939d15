// The mark properties dialog ("ﾏｰｸ追加" / "ﾏｰｸ修正"): three edit boxes and the
// attribute radio buttons. OK hands the values to the core's checks and
// closes only when they were applied, so a refused value stays for the
// person to correct.
#pragma once

#include <QDialog>
#include <functional>

#include "marks/markproperties.h"

class QLineEdit;
class QGroupBox;
class QRadioButton;
class QPushButton;

namespace tgc {

class DocWnd;

class MarkPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  // onOk gets the values as typed (CP932) and says whether they were
  // applied. The controller shows the messages and opens help (F1).
  MarkPropertiesDialog(DocWnd& w, const MarkPropertiesRequest& request,
                       std::function<bool(const MarkProperties&)> onOk, QWidget* parent = nullptr);

  QLineEdit* glyphEdit() const { return glyph_; }
  QLineEdit* nameEdit() const { return name_; }
  QLineEdit* noteEdit() const { return note_; }
  QGroupBox* attributeGroup() const { return group_; }
  QPushButton* okButton() const { return ok_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void okPressed();

  DocWnd& w_;
  std::function<bool(const MarkProperties&)> onOk_;
  QLineEdit* glyph_;
  QLineEdit* name_;
  QLineEdit* note_;
  QGroupBox* group_;
  QRadioButton* element_;
  QRadioButton* transform_;
  QRadioButton* unset_;
  QPushButton* ok_;
};

}  // namespace tgc
