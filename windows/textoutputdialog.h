// The text output dialog: what to write and in which format, 出力 and 終了.
// The writing itself is the core's; the dialog only hands over the choice.
#pragma once

#include <QDialog>
#include <functional>

#include "core/textoutput.h"

class QButtonGroup;
class QPushButton;

namespace tgc {

class TextOutputDialog : public QDialog {
  Q_OBJECT
 public:
  using ChoiceHandler = std::function<void(const TextOutputChoice&)>;
  TextOutputDialog(const TextOutputChoice& preset, ChoiceHandler output, ChoiceHandler remember,
                   QWidget* parent);

  TextOutputChoice choice() const;
  QButtonGroup* kinds() const { return kinds_; }
  QButtonGroup* formats() const { return formats_; }
  QPushButton* outputButton() const { return output_; }

 private:
  QButtonGroup* kinds_ = nullptr;
  QButtonGroup* formats_ = nullptr;
  QPushButton* output_ = nullptr;
};

// The port the core's text output command runs the dialog through.
class TextOutputWindow : public TextOutputDialogPort {
 public:
  explicit TextOutputWindow(QWidget* parent) : parent_(parent) {}
  void run(const TextOutputChoice& preset, const std::function<void(const TextOutputChoice&)>& output,
           const std::function<void(const TextOutputChoice&)>& remember) override;

 private:
  QWidget* parent_;
};

}  // namespace tgc
