// The text font dialog of the font command: face, style and size of the
// words. It starts on the current font (a classic face shows as its
// installed stand-in), offers every face in the four styles the system draws
// (bold and slant are synthesised where a face lacks them) and no effects,
// and puts the choice back into the font record so that every field the
// person left alone keeps its stored value.
#pragma once

#include <QDialog>
#include <optional>

#include "app/fontrecord.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tgc {

class FontDialog : public QDialog {
  Q_OBJECT
 public:
  FontDialog(const FontRecord& current, QWidget* parent = nullptr);

  QListWidget* familyList() const { return families_; }
  QLineEdit* familyEdit() const { return familyEdit_; }
  QListWidget* styleList() const { return styles_; }
  QLineEdit* sizeEdit() const { return sizeEdit_; }
  QString family() const;
  int pointSize() const;  // 0 while the size field holds no size

  // The record for the choice shown, over the record the dialog started on.
  FontRecord record() const;

 private:
  void showSample();

  FontRecord start_;
  QString startFamily_;
  int startStyle_ = 0;
  int startPoints_ = 0;
  double dpi_ = 96;
  QLineEdit* familyEdit_ = nullptr;
  QListWidget* families_ = nullptr;
  QLineEdit* styleEdit_ = nullptr;
  QListWidget* styles_ = nullptr;
  QLineEdit* sizeEdit_ = nullptr;
  QListWidget* sizes_ = nullptr;
  QLabel* sample_ = nullptr;
  QPushButton* ok_ = nullptr;
};

// Runs the dialog on the record; nothing when it is cancelled.
std::optional<FontRecord> chooseFontRecord(QWidget* parent, const FontRecord& current);

}  // namespace tgc
