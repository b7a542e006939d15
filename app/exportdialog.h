// The export window: which format (PDF, PNG, Markdown, OPML), which sheets
// (the current one, all, or a range) and, for PNG, the scale. It only
// collects the choice; the command then asks for the file and writes it.
#pragma once

#include <QDialog>

#include "core/sheetexport.h"

class QButtonGroup;
class QComboBox;
class QSpinBox;

namespace tgc {

class ExportDialog : public QDialog {
  Q_OBJECT
 public:
  // currentSheet and sheetCount are 1-based numbers.
  ExportDialog(const ExportChoice& preset, int currentSheet, int sheetCount, QWidget* parent = nullptr);
  ExportChoice choice() const;

  QButtonGroup* formats() const { return formats_; }
  QButtonGroup* scopes() const { return scopes_; }
  QSpinBox* from() const { return from_; }
  QSpinBox* to() const { return to_; }
  QComboBox* scale() const { return scale_; }

 private:
  void updateEnabled();

  QButtonGroup* formats_;
  QButtonGroup* scopes_;
  QSpinBox* from_;
  QSpinBox* to_;
  QComboBox* scale_;
};

// The port the export command runs: one modal ExportDialog per use.
class QtExportDialog : public ExportDialogPort {
 public:
  explicit QtExportDialog(QWidget* parent) : parent_(parent) {}
  std::optional<ExportChoice> run(const ExportChoice& preset, int currentSheet, int sheetCount) override;

 private:
  QWidget* parent_;
};

}  // namespace tgc
