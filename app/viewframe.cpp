#include "app/viewframe.h"

namespace tgc {

void ViewFrame::setView(QWidget* view) {
  view_ = view;
  view_->setParent(this);
  view_->setGeometry(0, 0, width() + 1, height() + 1);
}

void ViewFrame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (view_) view_->setGeometry(0, 0, width() + 1, height() + 1);
}

}  // namespace tgc
