// The visible sheet view. It forwards events to the controller and paints
// the current sheet; it never changes the workbook itself.
#pragma once

#include <QWidget>

namespace tgc {

class DocWnd;

class SheetView : public QWidget {
  Q_OBJECT
 public:
  SheetView(DocWnd& docWnd, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  DocWnd& docWnd_;
};

}  // namespace tgc
