// The main window's client area. It keeps the sheet view one pixel wider and
// taller than itself, as the sheet layout's margins were measured that way;
// the extra row and column are clipped.
#pragma once

#include <QWidget>

namespace tgc {

class ViewFrame : public QWidget {
  Q_OBJECT
 public:
  explicit ViewFrame(QWidget* parent = nullptr) : QWidget(parent) {}
  void setView(QWidget* view);
  QWidget* view() const { return view_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* view_ = nullptr;
};

}  // namespace tgc
