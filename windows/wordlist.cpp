#include "windows/wordlist.h"

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/exchangesort.h"
#include "sheet/geometry.h"
#include "sheet/sheetcommands.h"
#include "windows/selectorentry.h"

namespace tgc {

WordList::WordList(const Workbook& wb) : wb_(wb) {
  entries_.reserve(wb.marks.size());
  for (const CatalogMark& m : wb.marks) entries_.push_back({m.id, selectorEntryText(m.glyph, m.name)});
  int preselect = -1;
  if (const Sheet* sheet = wb.currentSheetPtr()) {
    if (const Box* box = findBox(*sheet, wb.cursorColumn, wb.cursorRow)) {
      const int32_t mark = box->idea == 1 ? kIdeaMarkId : box->mark;
      for (size_t i = 0; i < entries_.size() && mark >= 0; ++i)
        if (entries_[i].mark == mark) {
          preselect = static_cast<int>(i);
          break;
        }
    }
  }
  selectEntry(preselect);
}

void WordList::selectEntry(int index) {
  rows_.clear();
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
  if (selected_ < 0) return;
  const int32_t mark = entries_[selected_].mark;
  for (size_t s = 0; s < wb_.sheets.size(); ++s) {
    for (const Box& b : wb_.sheets[s].boxes) {
      if (b.word < 0) continue;
      // The idea mark lists every idea whatever its mark; a box that carries
      // the idea mark without being an idea belongs to no list.
      const bool taken = mark == kIdeaMarkId ? b.idea == 1 : b.mark == mark && b.idea != 1;
      if (taken) rows_.push_back({b.word, b.mark, b.reserved, static_cast<int32_t>(s), b.assisted});
    }
  }
}

std::string WordList::sheetText(int row) const {
  if (!validRow(row)) return {};
  std::string text = " ";
  text += std::to_string(rows_[row].sheet + 1);
  return text;
}

const std::string& WordList::wordText(int row) const {
  static const std::string none;
  return validRow(row) ? wb_.wordText(rows_[row].word) : none;
}

void WordList::sortByColumn(int column) {
  if (column != 0 && column != 1) return;
  const bool descending = (toggles_[column] ^= 1) == 1;
  std::vector<int32_t> keys(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) {
    const int32_t key = column == 0 ? rows_[i].sheet : rows_[i].mark;
    keys[i] = descending ? ~key : key;  // ~ reverses the order without overflow
  }
  applyOrder(rows_, exchangeSortOrder(std::move(keys)));
}

int WordList::jump(DocWnd& w, int row) const {
  if (!validRow(row)) return jumpToWordListEntry(w, nullptr);
  const WordListJump entry{rows_[row].word, rows_[row].mark, rows_[row].sheet};
  return jumpToWordListEntry(w, &entry);
}

int WordList::copy(DocWnd& w, int row) const {
  if (!validRow(row)) {
    w.ui().warning("項目を選択してください。"_sj);
    return 1;
  }
  w.ports.clipboard.setText(wordText(row));
  w.ui().information("語句をクリップボードにコピーしました。"_sj);
  return 0;
}

}  // namespace tgc
