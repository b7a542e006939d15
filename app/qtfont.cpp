#include "app/qtfont.h"

#include <QColor>
#include <algorithm>
#include <cstdlib>

#include "app/qtconvert.h"

namespace tgc {

QFont toQFont(const FontRecord& r) {
  QFont f(fromUtf8(r.faceName));
  f.setPixelSize(std::max(1, std::abs(r.height)));
  // 0 means "any weight" in the record.
  f.setWeight(QFont::Weight(r.weight <= 0 ? 400 : std::clamp(r.weight, 1, 1000)));
  f.setItalic(r.italic != 0);
  f.setUnderline(r.underline != 0);
  f.setStrikeOut(r.strikeOut != 0);
  return f;
}

QColor toQColor(uint32_t c) {
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

uint32_t fromQColor(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

}  // namespace tgc
