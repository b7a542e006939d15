// The four pictures of the sheet view, drawn by code so that they stay sharp
// at any device pixel ratio. Each one keeps the classic strip layout: every
// picture except the desk pattern is a column of rows, the first row a mask
// (black where the picture covers the surface, white where it does not) and
// the further rows images. Painting uses the transparent images directly.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

namespace tgc::pictures {

enum class Picture { DeskPattern, ButtonStrip, Idea, Memo };

// Logical size of the whole strip: 9 x 9, 372 x 117, 96 x 116, 59 x 68.
QSize stripSize(Picture picture);
// Height of one row of the strip (the whole picture for the desk pattern).
int rowHeight(Picture picture);
// Number of images side by side in a row (six for the button strip).
int imageCount(Picture picture);
// Left edge and width of image `index` inside a row.
int imageLeft(Picture picture, int index);
int imageWidth(Picture picture, int index);

// Rows of the button strip.
inline constexpr int kNormalRow = 1;
inline constexpr int kHighlightRow = 2;

// The whole strip, mask row included, rendered at the device pixel ratio.
QImage strip(Picture picture, qreal devicePixelRatio);

// One transparent image (row >= 1; row 0 of the desk pattern is the
// pattern itself), cached per ratio. Its devicePixelRatio is set, so it is
// drawn at its logical size.
const QPixmap& image(Picture picture, int index, int row, qreal devicePixelRatio);

// The desk pattern tile for a texture brush.
const QPixmap& deskTile(qreal devicePixelRatio);

}  // namespace tgc::pictures
