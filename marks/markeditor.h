// The catalog mark editor's working lists. They live for the whole run and
// mirror the catalog, because sheet creation draws its marks from
// activeEntries; every change that replaces or restores the catalog reloads
// them.
//
// Selection belongs to the list controls, so the operations that act on
// selected entries take them as positions in the working list.
#pragma once

#include <vector>

#include "core/document.h"
#include "core/workbook.h"

namespace tgc {

inline constexpr int kActiveList = 0;
inline constexpr int kDormantList = 1;

class MarkEditor {
 public:
  std::vector<CatalogMark> activeEntries;
  std::vector<CatalogMark> dormantEntries;
  int currentList = kActiveList;  // 0 active, 1 dormant
  int activeSortDescending = 0;
  int dormantSortDescending = 0;

  // Recomputes sheetUsage of the user marks from the non-idea boxes, then
  // rebuilds both lists from the catalog (user marks only).
  void reloadEntries(Workbook& wb);
  void clear();

  std::vector<CatalogMark>& entries(int list) {
    return list == kDormantList ? dormantEntries : activeEntries;
  }
  const std::vector<CatalogMark>& entries(int list) const {
    return list == kDormantList ? dormantEntries : activeEntries;
  }
  int& sortDescending(int list) {
    return list == kDormantList ? dormantSortDescending : activeSortDescending;
  }

  // Makes the list (0 active, 1 dormant) the one add, modify and delete act on.
  void setCurrentList(int list);

  // Sorts one working list by attribute, then by name in byte order, in the
  // list's current direction. Changes nothing in the catalog.
  void sortList(int list);
  // A click on a column header: makes the list current; the first column
  // also toggles the list's direction and sorts. True when it sorted.
  bool headerClick(int list, int column);

  // Writes both lists back into the catalog of the current slot: the system
  // marks re-created, the entries copied, then sorted and renumbered. The
  // first change of one editor opening records the undo step.
  void commit(Document& doc);

  // ">>" and "<<": the selected entries (positions in the source list) go,
  // in list order, to the front of the other list; then commit. Nothing
  // selected: nothing happens.
  void moveToDormant(Document& doc, const std::vector<int>& selectedActive);
  void moveToActive(Document& doc, const std::vector<int>& selectedDormant);
};

// "Record the undo step if needed": the first change made while the editor
// is open records one undo step, and later changes of that opening join it.
void recordMarkEdit(Document& doc);

// The catalog's write-back steps, shared with import: sorts the catalog of
// the workbook by ascending id (stable), then gives the mark at position i the
// id i, re-pointing every box of the workbook and every entry of both working
// lists from its old id to the new one. Boxes without a mark (-1) or with an
// id no mark has stay as they are. When ids were duplicated, boxes follow the
// first mark of that id.
void sortAndRenumberCatalog(Workbook& wb, MarkEditor& editor);

// Selection positions as the operations use them: in range, ascending, once.
std::vector<int> normalizedSelection(const std::vector<int>& selected, std::size_t size);

// True when sheetUsage shows use on a Type-B or Type-C sheet (tens or
// hundreds digit 1); such a mark's attribute is fixed by those layouts.
bool usedOnTypeBOrC(int32_t sheetUsage);

// The editor's sort order: true when a belongs before b.
bool markSortsBefore(const CatalogMark& a, const CatalogMark& b, bool descending);

}  // namespace tgc
