#include "sheet/paintprims.h"

#include <QPolygon>

namespace tgc::paint {

QColor fromColorRef(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void drawRoundBox(QPainter& p, int left, int top, int width, int height, int corner, const QColor& outline,
                  const QColor& fill) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(outline, 1));
  p.setBrush(fill);
  const qreal r = corner / 2.0;
  p.drawRoundedRect(QRectF(left + 0.5, top + 0.5, width - 1, height - 1), r, r);
  p.restore();
}

void drawBevel(QPainter& p, int left, int top, int right, int bottom) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  for (int k = 0; k < 6; ++k) {
    const QColor c(215 - 6 * k, 185 - 6 * k, 146 - 6 * k);
    p.setPen(QPen(c, 1));
    p.setBrush(c);
    p.drawRoundedRect(
        QRectF(left + k + 0.5, top + k + 0.5, right - left - 2 * k - 1, bottom - top - 2 * k - 1), 5, 5);
  }
  p.restore();
}

void drawPolygon(QPainter& p, std::initializer_list<QPoint> points, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygon(QList<QPoint>(points)));
  p.restore();
}

void drawCircle(QPainter& p, int left, int top, int size, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QRectF(left, top, size, size));
  p.restore();
}

void drawFrame3d(QPainter& p, int l, int t, int r, int b, const QColor& topLeft, const QColor& bottomRight) {
  const int w = r - l, h = b - t;
  p.fillRect(l, t, w - 1, 1, topLeft);
  p.fillRect(l, t, 1, h - 1, topLeft);
  p.fillRect(r - 1, t, 1, h, bottomRight);
  p.fillRect(l, b - 1, w, 1, bottomRight);
}

}  // namespace tgc::paint
