// The word list window's state: one entry per catalog mark, the rows of the
// chosen mark (or of every idea) with their sheet numbers, the two sort
// toggles, and the jump and copy of a row. Built when the window opens and
// dropped when it closes; apart from a jump it only reads the workbook.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/workbook.h"

namespace tgc {

class DocWnd;

struct WordListRow {
  int32_t word = -1;  // position in the word pool
  int32_t mark = -1;  // the box's mark id
  int32_t reserved = 0;
  int32_t sheet = 0;  // 0-based
  int32_t assisted = 0;
  bool operator==(const WordListRow&) const = default;
};

struct MarkEntry {
  int32_t mark = -1;
  std::string text;  // CP932
};

class WordList {
 public:
  // Opening: the entries in catalog order, the entry preselected from the
  // selected box (the idea mark for an idea box), its rows, both toggles 0.
  explicit WordList(const Workbook& wb);

  const std::vector<MarkEntry>& entries() const { return entries_; }
  int selectedEntry() const { return selected_; }
  // Picks an entry (-1: none) and lists its rows in sheet and box order.
  void selectEntry(int index);

  const std::vector<WordListRow>& rows() const { return rows_; }
  bool jumpEnabled() const { return !rows_.empty(); }
  // The two columns of a row: " " + the sheet number from 1, and the word.
  std::string sheetText(int row) const;
  const std::string& wordText(int row) const;

  // A header click: column 0 sorts by sheet, column 1 by mark id; each click
  // on a column flips its toggle, the first one sorting descending.
  void sortByColumn(int column);

  // The jump to a row (-1: no row selected, which tells the person to pick
  // one). 0 after the jump.
  int jump(DocWnd& w, int row) const;
  // Ctrl+C: puts the row's word on the clipboard and says so; 1 after
  // asking for a row when none is selected.
  int copy(DocWnd& w, int row) const;

 private:
  bool validRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

  const Workbook& wb_;
  std::vector<MarkEntry> entries_;
  int selected_ = -1;
  std::vector<WordListRow> rows_;
  int toggles_[2] = {0, 0};
};

}  // namespace tgc
