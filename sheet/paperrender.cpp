#include "sheet/paperrender.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "core/docwnd.h"
#include "sheet/pagelayout.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"

namespace tgc {

namespace {

// The painter lays words out in view pixels; a font given in points would
// grow with the resolution of a printer, so it is turned into pixels as the
// screen shows it.
QFont inPixels(const QFont& font) {
  if (font.pixelSize() > 0) return font;
  QFont f = font;
  f.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
  return f;
}

}  // namespace

QSize paperSheetSize() {
  return paperRect(kPaperViewWidth, kPaperViewHeight).size();
}

void drawPaperSheet(QPainter& p, const DocWnd& w, int sheet, const QRectF& target, const QFont& textFont,
                    qreal pixelRatio) {
  const QRect paper = paperRect(kPaperViewWidth, kPaperViewHeight);
  p.save();
  p.translate(target.topLeft());
  p.scale(target.width() / paper.width(), target.height() / paper.height());
  p.translate(-paper.topLeft());
  // Stamps near the edge may reach past the paper; the paper is what prints.
  p.setClipRect(paper, Qt::IntersectClip);
  // Shrunk below a device pixel (a preview, a small page) a one-pixel grid
  // line would drop out unless it is blended in; at whole scales the lines
  // lie on pixels and stay crisp.
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  PaintContext ctx;
  ctx.paperOnly = true;
  ctx.sheet = sheet;
  ctx.textFont = inPixels(textFont);
  ctx.devicePixelRatio = pixelRatio;
  SheetPainter(p, w, kPaperViewWidth, kPaperViewHeight, ctx).paint();
  p.restore();
}

QImage paperSheetImage(const DocWnd& w, int sheet, int scale, const QFont& textFont) {
  scale = std::clamp(scale, 1, 8);
  const QSize size = paperSheetSize() * scale;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  drawPaperSheet(p, w, sheet, QRectF(QPointF(0, 0), QSizeF(size)), textFont, scale);
  return image;
}

QByteArray sheetPng(const DocWnd& w, int sheet, int scale, const QFont& textFont) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!paperSheetImage(w, sheet, scale, textFont).save(&buffer, "PNG")) return {};
  return bytes;
}

void paintSheetPages(QPainter& p, QPagedPaintDevice& device, const DocWnd& w, const std::vector<int>& sheets,
                     const PaperOptions& options) {
  // A 9-point footer in the device's own units.
  const QFont footerFont = sheetFont(QStringLiteral("ＭＳ Ｐゴシック"),
                                     std::max(1, qRound(9.0 * device.logicalDpiY() / 72)), false);
  const qreal footerHeight = QFontMetricsF(footerFont).height() * 1.2;
  const QSize paper = paperSheetSize();
  const int count = static_cast<int>(w.wb().sheets.size());
  bool first = true;
  for (int s : sheets) {
    if (!first) device.newPage();
    first = false;
    const PageLayout l =
        layoutPage(device.width(), device.height(), paper.width(), paper.height(), footerHeight);
    const qreal ratio = std::clamp(std::ceil(l.scale), 1.0, 4.0);
    drawPaperSheet(p, w, s, QRectF(l.sheet.x, l.sheet.y, l.sheet.width, l.sheet.height), options.textFont,
                   ratio);

    const PageFooter f = pageFooter(options.title.toStdString(), s + 1, count, options.date.year(),
                                    options.date.month(), options.date.day());
    const QRectF r(l.footer.x, l.footer.y, l.footer.width, l.footer.height);
    p.save();
    p.setFont(footerFont);
    p.setPen(QColor(96, 96, 96));
    const QFontMetricsF fm(footerFont);
    const QString title = fm.elidedText(QString::fromStdString(f.left), Qt::ElideRight, r.width() * 0.4);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, title);
    p.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter, QString::fromStdString(f.centre));
    p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(f.right));
    p.restore();
  }
}

QPageSize localePageSize() {
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                            : QPageSize(QPageSize::A4);
}

QByteArray sheetsPdf(const DocWnd& w, const std::vector<int>& sheets, const PaperOptions& options) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(localePageSize(), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                                     QPageLayout::Millimeter));
    writer.setResolution(600);
    writer.setTitle(options.title);
    writer.setCreator(QStringLiteral("ThoughtGridCraft"));
    QPainter p;
    if (!p.begin(&writer)) return {};
    paintSheetPages(p, writer, w, sheets, options);
    if (!p.end()) return {};
  }
  return bytes;
}

}  // namespace tgc
