// Drawing operations and colours shared by the sheet painter, the guide
// overlay and the tooltips.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <initializer_list>

namespace tgc::paint {

inline const QColor kLine(0, 154, 244);
inline const QColor kAccent(0, 140, 235);
inline const QColor kGlyphHover(255, 160, 64);
inline const QColor kAssisted(255, 94, 85);
inline const QColor kPressed(250, 175, 60);
inline const QColor kTooltip(255, 236, 147);
inline const QColor kGuideFill(191, 225, 255);
inline const QColor kGuideMark(98, 181, 255);
inline const QColor kPaper(255, 255, 255);

// Colour of a Windows colour value 0x00BBGGRR.
QColor fromColorRef(uint32_t colorRef);

// A rounded rectangle (corner diameter) whose 1-pixel outline lies inside
// the given box.
void drawRoundBox(QPainter& p, int left, int top, int width, int height, int corner, const QColor& outline,
                  const QColor& fill);
// Six nested rounded rectangles, each one pixel inside the previous and a
// little darker: the well an image button sits in.
void drawBevel(QPainter& p, int left, int top, int right, int bottom);
void drawPolygon(QPainter& p, std::initializer_list<QPoint> points, const QColor& colour);
void drawCircle(QPainter& p, int left, int top, int size, const QColor& colour);
// A 1-pixel rectangle outline (right and bottom exclusive) with one colour
// for the top and left sides and one for the bottom and right sides.
void drawFrame3d(QPainter& p, int left, int top, int right, int bottom, const QColor& topLeft,
                 const QColor& bottomRight);

}  // namespace tgc::paint
