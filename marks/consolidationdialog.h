// The consolidation dialog ("マークの集約"): one look-alike pair side by side
// in a five-row report, and the person's choice for it.
#pragma once

#include <QDialog>

#include "marks/consolidation.h"

class QPushButton;
class QTableWidget;

namespace tgc {

class ConsolidationDialog : public QDialog {
  Q_OBJECT
 public:
  // firstEnabled / secondEnabled: whether "１に集約" and "２に集約" can be
  // pressed (the core's rule for the pair).
  ConsolidationDialog(const CatalogMark& first, const CatalogMark& second, bool firstEnabled,
                      bool secondEnabled, QWidget* parent = nullptr);

  // What ended the dialog; Stop also for Escape and the close box.
  MergeChoice choice() const { return choice_; }
  QTableWidget* table() const { return table_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void choose(MergeChoice choice);

  QTableWidget* table_;
  MergeChoice choice_ = MergeChoice::Stop;
};

}  // namespace tgc
