// The catalog mark editor's working lists. They live for the whole run and
// mirror the catalog, because sheet creation draws its marks from
// activeEntries; every change that replaces or restores the catalog reloads
// them.
#pragma once

#include <vector>

#include "core/workbook.h"

namespace tgc {

class MarkEditor {
 public:
  std::vector<CatalogMark> activeEntries;
  std::vector<CatalogMark> dormantEntries;
  int currentList = 0;  // 0 active, 1 dormant
  int activeSortDescending = 0;
  int dormantSortDescending = 0;

  // Recomputes sheetUsage of the user marks from the non-idea boxes, then
  // rebuilds both lists from the catalog (user marks only).
  void reloadEntries(Workbook& wb);
  void clear();
};

}  // namespace tgc
