// The texts the mark editor and the consolidation dialog show for a mark,
// as CP932 bytes, so the Qt layer only converts them.
#pragma once

#include <string>

#include "core/workbook.h"

namespace tgc {

// "マーク" column: the glyph, one half-width space, the name.
std::string markColumnText(const CatalogMark& m);
// "属性": "要素" for 1, "変換" for 2, empty otherwise.
std::string attributeText(int32_t attribute);
// "シート": full-width Ａ, Ｂ, Ｃ for the ones, tens and hundreds digit.
std::string sheetUsageText(int32_t sheetUsage);
// "制限": "有効" for an active mark (dormant 0), "無効" otherwise.
std::string dormantText(int32_t dormant);

}  // namespace tgc
