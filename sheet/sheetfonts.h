// The fixed fonts of the sheet view, and the mapping of the classic
// Japanese Windows faces to the fonts installed here.
#pragma once

#include <QFont>
#include <QString>

namespace tgc {

struct SheetFonts {
  QFont glyph24;  // mark glyph, first choice
  QFont glyph18;  // mark glyph, second choice
  QFont glyph15;  // mark glyph, third choice
  QFont position;
  QFont numberLabel;
  QFont title;
  QFont ideaButton;
  QFont arrow;
  QFont guideText;
  QFont guideNumber;
  QFont guideLabel;
  QFont tooltip;

  // Built once; the view paints with these for the whole run.
  static const SheetFonts& get();
};

// The installed face that stands in for a classic face name (given in
// UTF-8 or as a QString); unknown faces are returned unchanged.
QString mapFontFace(const QString& face);

// A font of the mapped face at a pixel height, bold or not.
QFont sheetFont(const QString& face, int pixelSize, bool bold);
// The same, sized by its cell height (ascent plus descent) instead.
QFont cellHeightFont(const QString& face, int cellHeight, bool bold);

// The default text font of the words: ＭＳ Ｐ明朝 (mapped), 19 px, bold.
QFont defaultWordFont();

}  // namespace tgc
