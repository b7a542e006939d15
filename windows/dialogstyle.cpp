#include "windows/dialogstyle.h"

#include "sheet/sheetfonts.h"

namespace tgc {

QFont dialogFont() {
  QFont f(mapFontFace(QStringLiteral("ＭＳ Ｐゴシック")));
  f.setPointSize(11);
  return f;
}

QFont gothicFont(int pixelHeight) {
  return sheetFont(QStringLiteral("ＭＳ Ｐゴシック"), pixelHeight, false);
}

}  // namespace tgc
