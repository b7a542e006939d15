#include "sheet/sheetfonts.h"

#include <QFontMetrics>

namespace tgc {

QString mapFontFace(const QString& face) {
  static const struct {
    const char* classic;
    const char* installed;
  } kMap[] = {
      {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},   {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"MS PGothic", "IPAPGothic"},   {"ＭＳ 明朝", "IPAPMincho"},  {"MS Mincho", "IPAPMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS PMincho", "IPAPMincho"}, {"Times New Roman", "Liberation Serif"},
  };
  for (const auto& m : kMap)
    if (face == QString::fromUtf8(m.classic)) return QString::fromUtf8(m.installed);
  return face;
}

QFont sheetFont(const QString& face, int pixelSize, bool bold) {
  QFont f(mapFontFace(face));
  f.setPixelSize(pixelSize);
  f.setWeight(bold ? QFont::Bold : QFont::Normal);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

QFont cellHeightFont(const QString& face, int cellHeight, bool bold) {
  // A cell height counts the font's leading too, so the character height is
  // the largest whose ascent plus descent still fits.
  QFont f = sheetFont(face, cellHeight, bold);
  while (f.pixelSize() > 1 && QFontMetrics(f).height() > cellHeight) f.setPixelSize(f.pixelSize() - 1);
  return f;
}

QFont defaultWordFont() {
  // The one font the view leaves to the system's default smoothing.
  QFont f = sheetFont(QStringLiteral("ＭＳ Ｐ明朝"), 19, true);
  f.setStyleStrategy(QFont::PreferDefault);
  return f;
}

const SheetFonts& SheetFonts::get() {
  static const SheetFonts fonts = [] {
    const QString gothic = QStringLiteral("ＭＳ ゴシック");
    const QString pgothic = QStringLiteral("ＭＳ Ｐゴシック");
    const QString times = QStringLiteral("Times New Roman");
    SheetFonts f;
    f.glyph24 = cellHeightFont(gothic, 24, true);
    f.glyph18 = cellHeightFont(gothic, 18, true);
    f.glyph15 = cellHeightFont(gothic, 15, true);
    f.position = sheetFont(pgothic, 28, false);
    f.numberLabel = sheetFont(times, 20, true);
    f.title = sheetFont(times, 16, true);
    f.ideaButton = sheetFont(times, 16, true);
    f.arrow = sheetFont(pgothic, 18, true);
    f.guideText = sheetFont(pgothic, 15, false);
    f.guideNumber = sheetFont(pgothic, 22, true);
    f.guideLabel = sheetFont(pgothic, 16, true);
    f.tooltip = sheetFont(pgothic, 16, false);
    return f;
  }();
  return fonts;
}

}  // namespace tgc
