// The sheet on paper: the view's own painter without the screen's furniture
// (desk, header buttons, selection, guide), laid out as in a 1024 x 768 view
// and cut to its paper. As an image for PNG, or as pages with a footer for
// the printer and PDF.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace tgc {

class DocWnd;

// The view size the sheet is laid out in for paper.
inline constexpr int kPaperViewWidth = 1024;
inline constexpr int kPaperViewHeight = 768;

// The size of the sheet's paper in view pixels (968 x 674).
QSize paperSheetSize();

struct PaperOptions {
  QFont textFont;  // the user's word font
  QString title;   // the workbook's title, for the footer
  QDate date;      // for the footer
};

// Draws the sheet at that position scaled into `target` of the painter.
// Pictures are drawn at `pixelRatio` times their size, to stay sharp.
void drawPaperSheet(QPainter& p, const DocWnd& w, int sheet, const QRectF& target, const QFont& textFont,
                    qreal pixelRatio);

// The sheet on white at 1, 2 or 3 times its size.
QImage paperSheetImage(const DocWnd& w, int sheet, int scale, const QFont& textFont);

// The same as the bytes of a PNG file; empty when it could not be encoded.
QByteArray sheetPng(const DocWnd& w, int sheet, int scale, const QFont& textFont);

// One page per sheet, the first on the device's current page: the sheet
// scaled into the printable area, the footer below it.
void paintSheetPages(QPainter& p, QPagedPaintDevice& device, const DocWnd& w, const std::vector<int>& sheets,
                     const PaperOptions& options);

// A4, or Letter where the locale measures in inches.
QPageSize localePageSize();

// The bytes of a PDF of landscape pages of the locale's size; empty when
// the pages could not be drawn.
QByteArray sheetsPdf(const DocWnd& w, const std::vector<int>& sheets, const PaperOptions& options);

}  // namespace tgc
