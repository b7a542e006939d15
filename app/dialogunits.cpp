#include "app/dialogunits.h"

#include <QFontMetrics>
#include <QString>
#include <cmath>

#include "sheet/sheetfonts.h"

namespace tgc {

namespace {

// units × base / divisor, rounded half away from zero.
int scale(int units, int base, int divisor) {
  return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseWidth_ = (letters / 26 + 1) / 2;  // the average of 52, rounded
  baseHeight_ = metrics.height();
}

int DialogUnits::x(int units) const {
  return scale(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const {
  return scale(units, baseHeight_, 8);
}

QSize DialogUnits::size(int width, int height) const {
  return {x(width), y(height)};
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
  return {x(left), y(top), x(width), y(height)};
}

QFont dialogTemplateFont(const QString& face, int pointSize) {
  QFont font(mapFontFace(face));
  font.setPointSize(pointSize);
  return font;
}

}  // namespace tgc
