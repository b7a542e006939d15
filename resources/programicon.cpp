#include "resources/programicon.h"

#include <QPainter>
#include <QString>
#include <cmath>

namespace tgc::icons {

namespace {

// The sheet view's own colours: blue lines on white paper, the selected box
// in orange.
const QColor kBlue(10, 138, 216);
const QColor kPaper(255, 255, 255);
const QColor kHighlight(242, 138, 46);
const QColor kShadow(0, 0, 0, 64);
const QColor kPageEdge(93, 107, 122);
const QColor kFold(213, 221, 230);

// A square grid of `count` x `count` boxes: outer frame, lines between the
// boxes and the box side, in pixels.
struct Grid {
  int frame, line, box;
  int side(int count) const { return count * box + (count - 1) * line + 2 * frame; }
};

// Program icon: the grid on a sheet of paper with `pad` pixels of paper
// around it and a shadow `shadow` pixels down and to the right.
struct SheetLayout {
  Grid grid;
  int pad, shadow;
  qreal radius;
};

// Workbook icon: a page with a folded corner, outline `edge` wide, and a
// 3 x 3 grid `gridBottom` pixels above its lower edge.
struct PageLayout {
  int left, top, right, bottom;
  int edge, fold;
  Grid grid;
  int gridBottom;
};

// Layouts drawn for each small size; larger sizes scale the 64 px one.
struct SizedLayouts {
  int size;
  SheetLayout sheet;
  PageLayout page;
};
const SizedLayouts kSmallLayouts[] = {
    {16, {{1, 1, 2}, 0, 0, 0}, {2, 0, 14, 16, 1, 4, {1, 1, 2}, 1}},
    {24, {{1, 1, 3}, 1, 1, 1}, {4, 1, 21, 23, 1, 6, {1, 1, 3}, 2}},
    {32, {{2, 1, 4}, 1, 2, 1.5}, {4, 1, 28, 31, 1, 8, {2, 1, 4}, 3}},
    {48, {{2, 2, 6}, 2, 2, 2.5}, {7, 2, 41, 46, 2, 12, {2, 1, 6}, 5}},
    {64, {{3, 2, 8}, 2, 2, 3}, {10, 3, 54, 61, 2, 14, {3, 2, 8}, 8}},
};

// The layout for `size`: the one drawn for it, the 64 px one scaled for
// larger sizes, else the largest smaller one (centred by the caller).
const SizedLayouts& layoutFor(int size, SizedLayouts& scaled) {
  if (size >= 64) {
    const SizedLayouts& base = kSmallLayouts[std::size(kSmallLayouts) - 1];
    const qreal k = size / 64.0;
    auto s = [k](int v) { return static_cast<int>(std::lround(v * k)); };
    const SheetLayout& a = base.sheet;
    const PageLayout& b = base.page;
    scaled = {size,
              {{s(a.grid.frame), s(a.grid.line), s(a.grid.box)}, s(a.pad), s(a.shadow), a.radius * k},
              {s(b.left),
               s(b.top),
               s(b.right),
               s(b.bottom),
               s(b.edge),
               s(b.fold),
               {s(b.grid.frame), s(b.grid.line), s(b.grid.box)},
               s(b.gridBottom)}};
    return scaled;
  }
  const SizedLayouts* best = &kSmallLayouts[0];
  for (const SizedLayouts& l : kSmallLayouts) {
    if (l.size <= size) best = &l;
  }
  return *best;
}

IconShape rect(qreal x, qreal y, qreal w, qreal h, const QColor& colour, qreal radius = 0) {
  return {QRectF(x, y, w, h), radius, {}, colour};
}

IconShape polygon(const QPolygonF& points, const QColor& colour) {
  return {{}, 0, points, colour};
}

// The grid's frame and lines in blue with the boxes on top; the centre box
// is the highlighted one.
void addGrid(std::vector<IconShape>& shapes, const Grid& g, int count, qreal x, qreal y) {
  shapes.push_back(rect(x, y, g.side(count), g.side(count), kBlue));
  auto boxLeft = [&](int col) { return x + g.frame + col * (g.box + g.line); };
  auto boxTop = [&](int row) { return y + g.frame + row * (g.box + g.line); };
  for (int row = 0; row < count; ++row) {
    for (int col = 0; col < count; ++col)
      shapes.push_back(rect(boxLeft(col), boxTop(row), g.box, g.box, kPaper));
  }
  // The highlight covers the centre box's own lines too, as the sheet view
  // frames its selected box, so it still shows at 16 px.
  const int centre = count / 2;
  shapes.push_back(rect(boxLeft(centre) - g.line, boxTop(centre) - g.line, g.box + 2 * g.line,
                        g.box + 2 * g.line, kHighlight));
}

std::vector<IconShape> programShapes(const SheetLayout& l, int size) {
  std::vector<IconShape> shapes;
  const int paper = l.grid.side(5) + 2 * l.pad;
  const int origin = (size - paper - l.shadow) / 2;
  if (l.shadow > 0) {
    shapes.push_back(rect(origin + l.shadow, origin + l.shadow, paper, paper, kShadow, l.radius));
  }
  if (l.pad > 0) shapes.push_back(rect(origin, origin, paper, paper, kPaper, l.radius));
  addGrid(shapes, l.grid, 5, origin + l.pad, origin + l.pad);
  return shapes;
}

std::vector<IconShape> workbookShapes(const PageLayout& l, int shift) {
  std::vector<IconShape> shapes;
  const qreal x0 = l.left + shift, y0 = l.top + shift, x1 = l.right + shift, y1 = l.bottom + shift;
  const qreal f = l.fold, e = l.edge, diagonal = e * std::sqrt(2.0);
  // The page outline, then its inside moved in by the edge width; on the
  // folded corner's slant that is the slant moved in by edge * sqrt(2).
  shapes.push_back(polygon({{x0, y0}, {x1 - f, y0}, {x1, y0 + f}, {x1, y1}, {x0, y1}}, kPageEdge));
  shapes.push_back(polygon({{x0 + e, y0 + e},
                            {x1 - f + e - diagonal, y0 + e},
                            {x1 - e, y0 + f - e + diagonal},
                            {x1 - e, y1 - e},
                            {x0 + e, y1 - e}},
                           kPaper));
  // The folded-over corner, light inside once it is large enough to show it.
  shapes.push_back(polygon({{x1 - f, y0}, {x1 - f, y0 + f}, {x1, y0 + f}}, kPageEdge));
  const qreal leg = f - e * (2 + std::sqrt(2.0));
  if (leg >= 2) {
    shapes.push_back(polygon(
        {{x1 - f + e, y0 + f - e - leg}, {x1 - f + e, y0 + f - e}, {x1 - f + e + leg, y0 + f - e}}, kFold));
  }
  const int side = l.grid.side(3);
  const qreal inner = (x1 - x0) - 2 * e;
  const qreal gx = x0 + e + std::floor((inner - side) / 2);
  addGrid(shapes, l.grid, 3, gx, y1 - e - l.gridBottom - side);
  return shapes;
}

QString colourText(const QColor& c) {
  return c.name(QColor::HexRgb);
}

QString number(qreal v) {
  return QString::number(v, 'g', 6);
}

}  // namespace

std::vector<IconShape> iconShapes(IconKind kind, int size) {
  SizedLayouts scaled{};
  const SizedLayouts& l = layoutFor(size, scaled);
  if (kind == IconKind::Program) return programShapes(l.sheet, size);
  // A size without a layout of its own centres the next smaller page.
  return workbookShapes(l.page, (size - l.size) / 2);
}

QImage renderIcon(IconKind kind, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (const IconShape& s : iconShapes(kind, size)) {
    p.setBrush(s.colour);
    if (!s.polygon.isEmpty()) {
      p.drawPolygon(s.polygon);
    } else if (s.radius > 0) {
      p.drawRoundedRect(s.rect, s.radius, s.radius);
    } else {
      p.drawRect(s.rect);
    }
  }
  return image;
}

QByteArray iconSvg(IconKind kind) {
  constexpr int kSize = 256;
  QString svg = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                    "viewBox=\"0 0 %1 %1\">\n")
                    .arg(kSize);
  for (const IconShape& s : iconShapes(kind, kSize)) {
    QString fill = QStringLiteral(" fill=\"%1\"").arg(colourText(s.colour));
    if (s.colour.alpha() < 255) fill += QStringLiteral(" fill-opacity=\"%1\"").arg(number(s.colour.alphaF()));
    if (!s.polygon.isEmpty()) {
      QStringList points;
      for (const QPointF& pt : s.polygon) points << number(pt.x()) + QLatin1Char(',') + number(pt.y());
      svg += QStringLiteral("  <polygon points=\"%1\"%2/>\n").arg(points.join(QLatin1Char(' ')), fill);
    } else {
      QString corner;
      if (s.radius > 0) corner = QStringLiteral(" rx=\"%1\"").arg(number(s.radius));
      svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5%6/>\n")
                 .arg(number(s.rect.x()), number(s.rect.y()), number(s.rect.width()), number(s.rect.height()),
                      corner, fill);
    }
  }
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

QIcon programIcon() {
  QIcon icon;
  for (int size : kIconSizes) {
    if (size <= 256) icon.addPixmap(QPixmap::fromImage(renderIcon(IconKind::Program, size)));
  }
  return icon;
}

}  // namespace tgc::icons
