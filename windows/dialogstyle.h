// The fonts the word list, idea memo and text output windows share: the
// template's font and the fonts of their lists, in the face that stands in
// for ＭＳ Ｐゴシック here.
#pragma once

#include <QFont>

namespace tgc {

// The dialogs' own font: ＭＳ Ｐゴシック, 11 points.
QFont dialogFont();
// ＭＳ Ｐゴシック at a character height in pixels, normal weight.
QFont gothicFont(int pixelHeight);

}  // namespace tgc
