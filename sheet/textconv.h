// Workbook text (CP932 bytes) to and from Qt strings, and the word-wrapped
// text blocks the sheet view draws.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <string>

class QPainter;

namespace tgc {

// Bytes that are not valid CP932 are shown one by one as Latin-1 rather
// than dropping the whole text.
QString wordToQt(const std::string& cp932);

// Characters that CP932 cannot hold are left out; the rest is converted.
// `dropped` (optional) tells whether anything was left out.
std::string qtToWord(const QString& text, bool* dropped = nullptr);

// A text laid out word-wrapped into a width. Long words that do not fit a
// line break between characters; line breaks in the text are kept.
class WrappedText {
 public:
  WrappedText(const QString& text, const QFont& font, int width);
  int height() const { return height_; }
  int lineCount() const;
  // Draws with the pen of the painter, the first line's top at `topLeft`;
  // lines below `clipBottom` are cut off.
  void draw(QPainter& p, QPoint topLeft, int clipBottom) const;

 private:
  std::unique_ptr<QTextLayout> layout_;
  int height_ = 0;
  int width_ = 0;
};

}  // namespace tgc
