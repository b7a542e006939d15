#include "sheet/textconv.h"

#include <QPainter>
#include <QTextLine>
#include <cmath>

#include "core/cp932.h"

namespace tgc {

QString wordToQt(const std::string& cp932) {
  if (auto utf8 = cp932ToUtf8(cp932))
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
  return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
}

std::string qtToWord(const QString& text, bool* dropped) {
  if (dropped) *dropped = false;
  const QByteArray whole = text.toUtf8();
  if (auto all = utf8ToCp932(std::string_view(whole.constData(), static_cast<size_t>(whole.size()))))
    return *all;
  // Convert character by character and leave out what CP932 lacks.
  std::string out;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QByteArray one = text.mid(i, n).toUtf8();
    if (auto c = utf8ToCp932(std::string_view(one.constData(), static_cast<size_t>(one.size()))))
      out += *c;
    else if (dropped)
      *dropped = true;
    i += n;
  }
  return out;
}

WrappedText::WrappedText(const QString& text, const QFont& font, int width) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  t.replace(QLatin1Char('\n'), QChar::LineSeparator);
  t.replace(QLatin1Char('\r'), QChar::LineSeparator);
  layout_ = std::make_unique<QTextLayout>(t, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout_->setTextOption(option);
  layout_->setCacheEnabled(true);
  layout_->beginLayout();
  qreal y = 0;
  const qreal lineWidth = std::max(width, 1);
  for (;;) {
    QTextLine line = layout_->createLine();
    if (!line.isValid()) break;
    line.setLineWidth(lineWidth);
    line.setPosition(QPointF(0, y));
    y += std::ceil(line.height());
  }
  layout_->endLayout();
  height_ = static_cast<int>(y);
  width_ = width;
}

int WrappedText::lineCount() const {
  return layout_->lineCount();
}

void WrappedText::draw(QPainter& p, QPoint topLeft, int clipBottom) const {
  const int n = layout_->lineCount();
  for (int i = 0; i < n; ++i) {
    const QTextLine line = layout_->lineAt(i);
    const qreal top = topLeft.y() + line.position().y();
    if (top >= clipBottom) break;
    const bool partial = top + line.height() > clipBottom || line.naturalTextWidth() > width_;
    if (partial) {
      p.save();
      p.setClipRect(QRectF(topLeft.x(), top, width_, std::min<qreal>(line.height(), clipBottom - top)),
                    Qt::IntersectClip);
    }
    line.draw(&p, QPointF(topLeft));
    if (partial) p.restore();
  }
}

}  // namespace tgc
