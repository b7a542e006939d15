#include "resources/pictures.h"

#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tgc::pictures {

namespace {

constexpr int kButtonWidths[] = {73, 73, 73, 49, 49, 55};
constexpr int kButtonRow = 39;

QImage blank(int w, int h, qreal dpr) {
  QImage img(qCeil(w * dpr), qCeil(h * dpr), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  img.setDevicePixelRatio(dpr);
  return img;
}

// ---- desk pattern -------------------------------------------------------

const QColor kDeskStripes[3] = {QColor(232, 186, 140), QColor(235, 203, 148), QColor(238, 206, 164)};

// `repeats` copies of the 9-pixel pattern in each direction.
QImage drawDesk(qreal dpr, int repeats = 1) {
  const int side = 9 * repeats;
  QImage img(qCeil(side * dpr), qCeil(side * dpr), QImage::Format_RGB32);
  // Each device row takes the colour of the logical row it lies in, so the
  // stripes stay one logical pixel high and hard-edged at any ratio.
  for (int y = 0; y < img.height(); ++y) {
    const int logicalRow = static_cast<int>(std::floor(y / dpr));
    const QRgb c = kDeskStripes[logicalRow % 3].rgb();
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) line[x] = c;
  }
  img.setDevicePixelRatio(dpr);
  return img;
}

// ---- header buttons -----------------------------------------------------

void drawButtonIcon(QPainter& p, int index, const QRectF& tile) {
  QPen pen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const QPointF c = tile.center();
  switch (index) {
    case 0: {  // Type-A: a frame with a small box in its centre
      const QRectF frame(c.x() - 14, c.y() - 10, 28, 20);
      p.drawRect(frame);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(c.x() - 4, c.y() - 3, 8, 6));
      break;
    }
    case 1: {  // Type-B: a frame with a band along its top
      const QRectF frame(c.x() - 14, c.y() - 10, 28, 20);
      p.drawRect(frame);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(frame.left(), frame.top(), frame.width(), 5));
      break;
    }
    case 2: {  // Type-C: a frame with a band down its left side
      const QRectF frame(c.x() - 14, c.y() - 10, 28, 20);
      p.drawRect(frame);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(frame.left(), frame.top(), 6, frame.height()));
      break;
    }
    case 4: {  // word list: a bulleted list
      for (int i = 0; i < 3; ++i) {
        const qreal y = c.y() - 8 + i * 8;
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(c.x() - 10, y), 2.2, 2.2);
        p.setPen(pen);
        p.drawLine(QPointF(c.x() - 5, y), QPointF(c.x() + 12, y));
      }
      break;
    }
    case 5: {  // guide: a speech balloon
      QPainterPath balloon;
      balloon.addRoundedRect(QRectF(c.x() - 14, c.y() - 12, 28, 18), 6, 6);
      QPainterPath tail;
      tail.moveTo(c.x() - 6, c.y() + 4);
      tail.lineTo(c.x() - 10, c.y() + 12);
      tail.lineTo(c.x() + 1, c.y() + 5);
      p.drawPath(balloon.united(tail).simplified());
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      for (int i = -1; i <= 1; ++i) p.drawEllipse(QPointF(c.x() + i * 7, c.y() - 3), 1.8, 1.8);
      break;
    }
    default:
      break;  // image 3 is an empty tile
  }
}

void drawButton(QPainter& p, int index, qreal left, bool highlighted) {
  const int w = kButtonWidths[index];
  const QRectF tile(left + 1.5, 1.5, w - 3, kButtonRow - 3);
  QLinearGradient body(tile.topLeft(), tile.bottomLeft());
  if (highlighted) {
    body.setColorAt(0, QColor(200, 236, 255));
    body.setColorAt(1, QColor(118, 196, 250));
  } else {
    body.setColorAt(0, QColor(156, 216, 252));
    body.setColorAt(1, QColor(62, 154, 230));
  }
  p.setPen(QPen(highlighted ? QColor(80, 160, 226) : QColor(40, 116, 196), 1.0));
  p.setBrush(body);
  p.drawRoundedRect(tile, 8, 8);

  // Gloss: a soft white sheen over the upper half.
  QPainterPath gloss;
  const QRectF upper(tile.left() + 2, tile.top() + 1.5, tile.width() - 4, tile.height() * 0.48);
  gloss.addRoundedRect(upper, 6.5, 6.5);
  QLinearGradient sheen(upper.topLeft(), upper.bottomLeft());
  sheen.setColorAt(0, QColor(255, 255, 255, highlighted ? 200 : 170));
  sheen.setColorAt(1, QColor(255, 255, 255, 25));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawPath(gloss);

  p.save();
  p.translate(0, 1.5);
  drawButtonIcon(p, index, tile);
  p.restore();
}

QImage drawButtonRow(bool highlighted, qreal dpr) {
  QImage img = blank(372, kButtonRow, dpr);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  int left = 0;
  for (int i = 0; i < 6; ++i) {
    drawButton(p, i, left, highlighted);
    left += kButtonWidths[i];
  }
  return img;
}

// ---- stamps -------------------------------------------------------------

const QColor kStampRed(206, 28, 36);

// Knocks small specks out of the ink so the stamp looks pressed by rubber.
// The specks follow a fixed sequence, so the picture never changes.
void wearInk(QPainter& p, const QRectF& area, int count, uint32_t seed) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
  p.setPen(Qt::NoPen);
  uint32_t s = seed;
  auto next = [&s] {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / static_cast<double>(1u << 24);
  };
  for (int i = 0; i < count; ++i) {
    const QPointF at(area.left() + next() * area.width(), area.top() + next() * area.height());
    const qreal r = 0.35 + next() * 0.7;
    p.setBrush(QColor(0, 0, 0, 110 + static_cast<int>(next() * 145)));
    p.drawEllipse(at, r, r);
  }
  p.restore();
}

QFont stampFont(int pixelSize) {
  QFont f(QStringLiteral("Liberation Serif"));
  f.setPixelSize(pixelSize);
  f.setBold(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  return f;
}

QImage drawIdea(qreal dpr) {
  QImage img = blank(96, 58, dpr);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.translate(48, 29);
  p.rotate(-11);  // tilted up to the right
  const QRectF outer(-40, -18, 80, 36);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kStampRed, 3.2));
  p.drawRoundedRect(outer, 5, 5);
  p.setPen(QPen(kStampRed, 1.2));
  p.drawRoundedRect(outer.adjusted(4.5, 4.5, -4.5, -4.5), 2.5, 2.5);
  p.setFont(stampFont(21));
  p.setPen(kStampRed);
  p.drawText(outer.adjusted(0, 0, 0, 1), Qt::AlignCenter, QStringLiteral("IDEA!"));
  wearInk(p, outer.adjusted(-3, -3, 3, 3), 140, 0x1DEA);
  return img;
}

QImage drawMemo(qreal dpr) {
  QImage img = blank(59, 34, dpr);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.translate(29.5, 17);
  p.rotate(-9);
  const QRectF frame(-23, -10.5, 46, 21);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kStampRed, 2.0));
  p.drawRoundedRect(frame, 3.5, 3.5);
  QFont f = stampFont(16);
  f.setItalic(true);
  p.setFont(f);
  p.setPen(kStampRed);
  p.drawText(frame.adjusted(0, -1, 0, 0), Qt::AlignCenter, QStringLiteral("memo"));
  wearInk(p, frame.adjusted(-2, -2, 2, 2), 55, 0x3E30);
  return img;
}

// The images of one picture, one row after another (mask excluded).
QImage imageRows(Picture picture, int row, qreal dpr) {
  switch (picture) {
    case Picture::ButtonStrip:
      return drawButtonRow(row == kHighlightRow, dpr);
    case Picture::Idea:
      return drawIdea(dpr);
    case Picture::Memo:
      return drawMemo(dpr);
    case Picture::DeskPattern:
      break;
  }
  return drawDesk(dpr);
}

// Black where the image covers the surface, white elsewhere.
QImage maskOf(const QImage& image) {
  QImage mask(image.size(), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(mask.scanLine(y));
    for (int x = 0; x < image.width(); ++x) dst[x] = qAlpha(src[x]) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
  }
  return mask;
}

struct CacheKey {
  int picture, index, row;
  qreal dpr;
  bool operator==(const CacheKey&) const = default;
};

size_t qHash(const CacheKey& k, size_t seed = 0) {
  return qHashMulti(seed, k.picture, k.index, k.row, k.dpr);
}

}  // namespace

QSize stripSize(Picture picture) {
  switch (picture) {
    case Picture::DeskPattern:
      return {9, 9};
    case Picture::ButtonStrip:
      return {372, 117};
    case Picture::Idea:
      return {96, 116};
    case Picture::Memo:
      return {59, 68};
  }
  return {};
}

int rowHeight(Picture picture) {
  switch (picture) {
    case Picture::DeskPattern:
      return 9;
    case Picture::ButtonStrip:
      return kButtonRow;
    case Picture::Idea:
      return 58;
    case Picture::Memo:
      return 34;
  }
  return 0;
}

int imageCount(Picture picture) {
  return picture == Picture::ButtonStrip ? 6 : 1;
}

int imageLeft(Picture picture, int index) {
  if (picture != Picture::ButtonStrip) return 0;
  int left = 0;
  for (int i = 0; i < index && i < 6; ++i) left += kButtonWidths[i];
  return left;
}

int imageWidth(Picture picture, int index) {
  if (picture == Picture::ButtonStrip) return index >= 0 && index < 6 ? kButtonWidths[index] : 0;
  return stripSize(picture).width();
}

QImage strip(Picture picture, qreal dpr) {
  if (picture == Picture::DeskPattern) return drawDesk(dpr);
  const QSize size = stripSize(picture);
  const int rowH = rowHeight(picture);
  const int rows = size.height() / rowH;
  QImage out(qCeil(size.width() * dpr), qCeil(size.height() * dpr), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::white);
  QPainter p(&out);
  const int deviceRow = qCeil(rowH * dpr);
  QImage first;
  for (int r = 1; r < rows; ++r) {
    QImage img = imageRows(picture, r, dpr);
    img.setDevicePixelRatio(1);
    if (r == 1) first = img;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, r * deviceRow, img);
  }
  p.drawImage(0, 0, maskOf(first));
  p.end();
  out.setDevicePixelRatio(dpr);
  return out;
}

const QPixmap& image(Picture picture, int index, int row, qreal dpr) {
  static QHash<CacheKey, QPixmap> cache;
  const CacheKey key{static_cast<int>(picture), index, row, dpr};
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  static QHash<CacheKey, QImage> rows;
  const CacheKey rowKey{static_cast<int>(picture), -1, row, dpr};
  auto r = rows.find(rowKey);
  if (r == rows.end()) r = rows.insert(rowKey, imageRows(picture, row, dpr));
  const QImage& rowImage = *r;
  const QRect part(qRound(imageLeft(picture, index) * dpr), 0, qRound(imageWidth(picture, index) * dpr),
                   rowImage.height());
  QImage one = rowImage.copy(part);
  one.setDevicePixelRatio(dpr);
  return *cache.insert(key, QPixmap::fromImage(one));
}

const QPixmap& deskTile(qreal dpr) {
  static QHash<qreal, QPixmap> cache;
  auto it = cache.find(dpr);
  if (it != cache.end()) return *it;
  // A brush tile must cover whole device pixels or the stripes drift from
  // tile to tile; at a fractional ratio repeat the pattern until it does.
  int repeats = 1;
  for (int k = 1; k <= 8; ++k) {
    const qreal device = 9 * k * dpr;
    if (std::abs(device - std::round(device)) < 1e-6) {
      repeats = k;
      break;
    }
  }
  return *cache.insert(dpr, QPixmap::fromImage(drawDesk(dpr, repeats)));
}

}  // namespace tgc::pictures
