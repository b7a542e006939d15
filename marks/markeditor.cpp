#include "marks/markeditor.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <utility>

#include "marks/defaultcatalog.h"

namespace tgc {

namespace {

bool isSystemId(int32_t id) {
  return id == kThemeMarkId || id == kIdeaMarkId;
}

using IdMap = std::unordered_map<int32_t, int32_t>;

// Gives the mark at position i the id i and re-points the boxes, in one pass
// over the catalog and one over the boxes. Returns the old → new mapping;
// when an id occurred twice the first mark of it keeps the boxes.
IdMap renumberCatalog(Workbook& wb) {
  IdMap map;
  map.reserve(wb.marks.size());
  for (std::size_t i = 0; i < wb.marks.size(); ++i) {
    map.try_emplace(wb.marks[i].id, static_cast<int32_t>(i));
    wb.marks[i].id = static_cast<int32_t>(i);
  }
  for (Sheet& s : wb.sheets)
    for (Box& b : s.boxes) {
      if (b.mark == -1) continue;
      const auto it = map.find(b.mark);
      if (it != map.end()) b.mark = it->second;
    }
  return map;
}

// Returns false when nothing was selected.
bool moveEntries(std::vector<CatalogMark>& from, std::vector<CatalogMark>& to,
                 const std::vector<int>& selected, int dormant) {
  const std::vector<int> picked = normalizedSelection(selected, from.size());
  if (picked.empty()) return false;
  std::vector<CatalogMark> moved;
  moved.reserve(picked.size());
  // Each moved entry is inserted at the front in turn, so the moved block
  // ends up in reverse order at the top of the other list.
  for (auto it = picked.rbegin(); it != picked.rend(); ++it) {
    moved.push_back(from[*it]);
    moved.back().dormant = dormant;
  }
  std::vector<bool> drop(from.size(), false);
  for (int p : picked) drop[p] = true;
  std::size_t k = 0;
  for (std::size_t i = 0; i < from.size(); ++i)
    if (!drop[i]) {
      if (k != i) from[k] = std::move(from[i]);
      ++k;
    }
  from.resize(k);
  to.insert(to.begin(), moved.begin(), moved.end());
  return true;
}

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

void MarkEditor::setCurrentList(int list) {
  currentList = list == kDormantList ? kDormantList : kActiveList;
}

bool usedOnTypeBOrC(int32_t sheetUsage) {
  return (sheetUsage / 10) % 10 == 1 || (sheetUsage / 100) % 10 == 1;
}

bool markSortsBefore(const CatalogMark& a, const CatalogMark& b, bool descending) {
  if (a.attribute != b.attribute) return descending ? a.attribute > b.attribute : a.attribute < b.attribute;
  // std::string compares like memcmp, i.e. by unsigned byte: CP932 byte order.
  const int c = a.name.compare(b.name);
  return descending ? c > 0 : c < 0;
}

void MarkEditor::sortList(int list) {
  std::vector<CatalogMark>& v = entries(list);
  const bool descending = sortDescending(list) == 1;
  // Exchange sort: position i takes the first later entry that belongs
  // before it, and the search goes on. Restarting the search at i + 1 after
  // an exchange would find the same entry, since everything passed over was
  // already not before the old entry i, so one scan per position gives the
  // same order (equal entries may still be reordered by other exchanges).
  for (std::size_t i = 0; i < v.size(); ++i)
    for (std::size_t j = i + 1; j < v.size(); ++j)
      if (markSortsBefore(v[j], v[i], descending)) std::swap(v[i], v[j]);
}

bool MarkEditor::headerClick(int list, int column) {
  setCurrentList(list);
  if (column != 0) return false;
  int& flag = sortDescending(currentList);
  flag = flag == 0 ? 1 : 0;
  sortList(currentList);
  return true;
}

void recordMarkEdit(Document& doc) {
  if (doc.cur().markEdited != 0) return;
  doc.recordChange();
  doc.cur().markEdited = 1;
}

void MarkEditor::commit(Document& doc) {
  recordMarkEdit(doc);
  Workbook& wb = doc.cur();
  wb.marks.clear();
  wb.marks.reserve(2 + dormantEntries.size() + activeEntries.size());
  wb.marks.push_back(systemMark(kThemeMarkId));
  wb.marks.push_back(systemMark(kIdeaMarkId));
  wb.marks.insert(wb.marks.end(), dormantEntries.begin(), dormantEntries.end());
  wb.marks.insert(wb.marks.end(), activeEntries.begin(), activeEntries.end());

  // Sort positions rather than marks, so every entry learns its own new id
  // even where a damaged catalog held an id twice.
  std::vector<std::size_t> order(wb.marks.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return wb.marks[a].id < wb.marks[b].id; });
  std::vector<CatalogMark> sorted;
  sorted.reserve(order.size());
  std::vector<int32_t> newIdOfSource(order.size());
  for (std::size_t p = 0; p < order.size(); ++p) {
    sorted.push_back(std::move(wb.marks[order[p]]));
    newIdOfSource[order[p]] = static_cast<int32_t>(p);
  }
  wb.marks = std::move(sorted);
  renumberCatalog(wb);
  std::size_t source = 2;
  for (CatalogMark& e : dormantEntries) e.id = newIdOfSource[source++];
  for (CatalogMark& e : activeEntries) e.id = newIdOfSource[source++];
}

void sortAndRenumberCatalog(Workbook& wb, MarkEditor& editor) {
  std::stable_sort(wb.marks.begin(), wb.marks.end(),
                   [](const CatalogMark& a, const CatalogMark& b) { return a.id < b.id; });
  const IdMap map = renumberCatalog(wb);
  for (int list : {kActiveList, kDormantList})
    for (CatalogMark& e : editor.entries(list)) {
      const auto it = map.find(e.id);
      if (it != map.end()) e.id = it->second;
    }
}

std::vector<int> normalizedSelection(const std::vector<int>& selected, std::size_t size) {
  std::vector<int> out;
  out.reserve(selected.size());
  for (int p : selected)
    if (p >= 0 && static_cast<std::size_t>(p) < size) out.push_back(p);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

void MarkEditor::moveToDormant(Document& doc, const std::vector<int>& selectedActive) {
  // With nothing selected nothing moves, and no undo step is made for it.
  if (moveEntries(activeEntries, dormantEntries, selectedActive, 1)) commit(doc);
}

void MarkEditor::moveToActive(Document& doc, const std::vector<int>& selectedDormant) {
  if (moveEntries(dormantEntries, activeEntries, selectedDormant, 0)) commit(doc);
}

}  // namespace tgc
