// The About dialog: product name, version and the program icon.
#pragma once

#include <QDialog>

namespace tgc {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tgc
