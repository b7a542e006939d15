#include "marks/markeditor.h"

#include <unordered_map>

namespace tgc {

namespace {

bool isSystemId(int32_t id) { return id == kThemeMarkId || id == kIdeaMarkId; }

}  // namespace

void MarkEditor::reloadEntries(Workbook& wb) {
  activeEntries.clear();
  dormantEntries.clear();
  // One pass over the boxes collects the usage digits of every mark id.
  std::unordered_map<int32_t, int32_t> usage;
  for (const Sheet& s : wb.sheets)
    for (const Box& b : s.boxes) {
      if (b.idea == 1) continue;
      const int digit = b.sheetType == TypeA ? 1 : b.sheetType == TypeB ? 10 : b.sheetType == TypeC ? 100 : 0;
      if (digit == 0) continue;
      int32_t& code = usage[b.mark];
      if ((code / digit) % 10 == 0) code += digit;
    }
  for (CatalogMark& m : wb.marks) {
    if (isSystemId(m.id)) continue;
    const auto it = usage.find(m.id);
    m.sheetUsage = it == usage.end() ? 0 : it->second;
    if (m.dormant == 1) {
      dormantEntries.push_back(m);
    } else {
      m.dormant = 0;
      activeEntries.push_back(m);
    }
  }
}

void MarkEditor::clear() {
  activeEntries.clear();
  dormantEntries.clear();
}

}  // namespace tgc
