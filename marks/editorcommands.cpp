#include "marks/editorcommands.h"

#include <string>

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

namespace {

void warnNoSelection(DocWnd& w) {
  w.ui().warning(w.marks.currentList == kDormantList ? "「休止マーク」を選択してください。"_sj
                                                     : "「使用マーク」を選択してください。"_sj);
}

void repointBoxes(Workbook& wb, int32_t from, int32_t to) {
  for (Sheet& s : wb.sheets)
    for (Box& b : s.boxes)
      if (b.mark == from) b.mark = to;
}

}  // namespace

void openMarkEditor(DocWnd& w) {
  w.wb().markEdited = 0;
  w.marks.reloadEntries(w.wb());
  w.marks.sortList(kActiveList);
  w.marks.sortList(kDormantList);
}

int selectedMarkId(DocWnd& w, const std::vector<int>& selected) {
  const std::vector<CatalogMark>& list = w.marks.entries(w.marks.currentList);
  const std::vector<int> picked = normalizedSelection(selected, list.size());
  if (picked.empty()) {
    warnNoSelection(w);
    return -1;
  }
  return list[picked.front()].id;
}

int deleteSelectedMarks(DocWnd& w, const std::vector<int>& selected) {
  MarkEditor& ed = w.marks;
  std::vector<CatalogMark>& list = ed.entries(ed.currentList);
  const std::vector<int> picked = normalizedSelection(selected, list.size());
  if (picked.empty()) {
    warnNoSelection(w);
    return -1;
  }
  for (int p : picked)
    if (list[p].sheetUsage != 0) {
      w.ui().warning("シート上で使用中のため、削除は行えません。"_sj);
      return -1;
    }
  const CatalogMark& last = list[picked.back()];
  const CatalogMark* named = w.wb().findMark(last.id);
  if (named == nullptr) named = &last;
  if (w.ui().question(named->glyph + " " + named->name + " を削除しますか？"_sj, false) != Answer::Yes)
    return -1;

  for (CatalogMark& e : ed.activeEntries) e.deleteFlag = 0;
  for (CatalogMark& e : ed.dormantEntries) e.deleteFlag = 0;
  for (int p : picked) {
    recordMarkEdit(w.doc);
    list[p].deleteFlag = 1;
    // Only idea boxes can still carry the mark: they do not count as use.
    repointBoxes(w.wb(), list[p].id, kIdeaMarkId);
  }
  std::erase_if(ed.activeEntries, [](const CatalogMark& e) { return e.deleteFlag == 1; });
  std::erase_if(ed.dormantEntries, [](const CatalogMark& e) { return e.deleteFlag == 1; });
  ed.commit(w.doc);
  w.ui().information("削除が完了しました。"_sj);
  return 0;
}

void moveToDormant(DocWnd& w, const std::vector<int>& selectedActive) {
  w.marks.moveToDormant(w.doc, selectedActive);
}

void moveToActive(DocWnd& w, const std::vector<int>& selectedDormant) {
  w.marks.moveToActive(w.doc, selectedDormant);
}

void closeCheck(DocWnd& w) {
  const auto unset = [](const std::vector<CatalogMark>& v) {
    for (const CatalogMark& e : v)
      if (e.attribute == AttrUnset) return true;
    return false;
  };
  if (unset(w.marks.activeEntries) || unset(w.marks.dormantEntries))
    w.ui().information("属性が未設定のマークがあります。"_sj);
}

void closeMarkEditor(DocWnd& w) {
  closeCheck(w);
  w.ui().repaint();
}

void toggleMarkNames(DocWnd& w) {
  w.shell.markNames = w.shell.markNames == 1 ? 0 : 1;
  w.ports.settings.writeInt("View Info", "Name", w.shell.markNames);
  w.ui().repaint();
  w.ui().information(w.shell.markNames == 1 ? "マーク名を「表示」にしました。"_sj
                                            : "マーク名を「非表示」にしました。"_sj);
}

}  // namespace tgc
