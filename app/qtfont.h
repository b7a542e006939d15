// The text font record as a QFont, and the text colour as a QColor and back.
#pragma once

#include <QFont>

#include "app/fontrecord.h"

namespace tgc {

// Negative heights are character heights in pixels; positive ones cell
// heights, taken as pixel sizes as well.
QFont toQFont(const FontRecord& record);

// 0x00BBGGRR and back.
QColor toQColor(uint32_t colorRef);
uint32_t fromQColor(const QColor& color);

}  // namespace tgc
