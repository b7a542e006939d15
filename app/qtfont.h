// The text font record as a QFont and back.
#pragma once

#include <QFont>

#include "app/fontrecord.h"

namespace tgc {

// Negative heights are character heights in pixels; positive ones cell
// heights, taken as pixel sizes as well.
QFont toQFont(const FontRecord& record);
// The fields a font dialog chooses, over the record it started from.
FontRecord fromQFont(const QFont& font, const FontRecord& base);

// 0x00BBGGRR and back.
QColor toQColor(uint32_t colorRef);
uint32_t fromQColor(const QColor& color);

}  // namespace tgc
