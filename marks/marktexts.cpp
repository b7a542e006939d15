#include "marks/marktexts.h"

namespace tgc {

std::string markColumnText(const CatalogMark& m) {
  return m.glyph + " " + m.name;
}

std::string attributeText(int32_t attribute) {
  if (attribute == AttrElement) return "要素";
  if (attribute == AttrTransform) return "変換";
  return {};
}

std::string sheetUsageText(int32_t sheetUsage) {
  std::string out;
  if (sheetUsage % 10 == 1) out += "Ａ";
  if ((sheetUsage / 10) % 10 == 1) out += "Ｂ";
  if ((sheetUsage / 100) % 10 == 1) out += "Ｃ";
  return out;
}

std::string dormantText(int32_t dormant) {
  return dormant == 0 ? "有効" : "無効";
}

}  // namespace tgc
