#include "marks/marktexts.h"
#include "core/cp932literal.h"

namespace tgc {

std::string markColumnText(const CatalogMark& m) {
  return m.glyph + " " + m.name;
}

std::string attributeText(int32_t attribute) {
  if (attribute == AttrElement) return "要素"_sj;
  if (attribute == AttrTransform) return "変換"_sj;
  return {};
}

std::string sheetUsageText(int32_t sheetUsage) {
  std::string out;
  if (sheetUsage % 10 == 1) out += "Ａ"_sj;
  if ((sheetUsage / 10) % 10 == 1) out += "Ｂ"_sj;
  if ((sheetUsage / 100) % 10 == 1) out += "Ｃ"_sj;
  return out;
}

std::string dormantText(int32_t dormant) {
  return dormant == 0 ? "有効"_sj : "無効"_sj;
}

}  // namespace tgc
