#include "sheet/sheetview.h"

#include <QPainter>

#include "core/docwnd.h"

namespace tgc {

SheetView::SheetView(DocWnd& docWnd, QWidget* parent) : QWidget(parent), docWnd_(docWnd) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0xC8, 0xC0, 0xB0));
}

}  // namespace tgc
