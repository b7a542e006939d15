// The program icon (a sheet of 5 x 5 boxes with the theme box highlighted)
// and the workbook document icon, drawn by code. Every standard size has its
// own whole-pixel layout, so the 16 px icon is as sharp as the 512 px one;
// the scalable SVG icons are written from the same shapes.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <vector>

namespace tgc::icons {

enum class IconKind { Program, Workbook };

// The sizes installed into the hicolor theme.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// One filled shape: a polygon when `polygon` is not empty, else a rectangle
// with rounded corners of `radius`.
struct IconShape {
  QRectF rect;
  qreal radius = 0;
  QPolygonF polygon;
  QColor colour;
};

// The shapes of the icon at `size` x `size` pixels, back to front.
std::vector<IconShape> iconShapes(IconKind kind, int size);

// The icon painted at `size` x `size` pixels on a transparent background.
QImage renderIcon(IconKind kind, int size);

// The scalable icon: an SVG document of the 256 px layout.
QByteArray iconSvg(IconKind kind);

// The program icon for windows, sharp from 16 to 256 px.
QIcon programIcon();

}  // namespace tgc::icons
