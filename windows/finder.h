// The find window's state, shared with `tgc find`: every box word and idea
// memo of a workbook prepared once for searching, the hits of a text in
// sheet and box order, their display texts and the jump to a hit. It only
// reads the workbook; the jump moves the view as the word list's does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/workbook.h"

namespace tgc {

class DocWnd;

struct FindHit {
  enum class Kind { Box, Memo };
  Kind kind = Kind::Box;
  // The box found, or for a memo the box it is listed under (the first idea
  // showing its word); -1 for a memo whose word no box shows.
  int32_t sheet = -1;
  int32_t column = -1;
  int32_t row = -1;
  int32_t word = -1;
  int32_t memo = -1;  // position in the memo list, for a memo
  std::string line;   // CP932: the memo's first line that matches
};

// What the window keeps from one opening to the next.
struct FindMemory {
  std::string text;  // UTF-8, as typed
  bool exact = false;
  int row = -1;  // the row to select when it opens again
};

class Finder {
 public:
  // Decodes and folds every word and memo: the one slow step, done when the
  // window opens so that each keystroke only compares.
  explicit Finder(const Workbook& wb);

  // The hits of `text` (UTF-8): boxes in sheet order, then by row and
  // column; each memo right after the box it is listed under, memos whose
  // word no box shows last. Folded unless `exact`; an empty text finds
  // nothing.
  void search(std::string_view text, bool exact);
  const std::vector<FindHit>& hits() const { return hits_; }
  bool searched() const { return searched_; }

  // The columns of a row, CP932: the sheet number from 1; the box's mark
  // glyph and its place, e.g. "◎ 3行2列"; the word, or for a memo
  // "WORDのメモ: LINE". Empty where a memo has no box.
  std::string sheetText(int row) const;
  std::string positionText(int row) const;
  std::string wordText(int row) const;
  // The line under the list: how many boxes and memos were found, or that
  // nothing was; empty before anything was searched.
  std::string summary() const;

  // Whether the row leads anywhere (a memo without a box does not).
  bool canJump(int row) const { return validRow(row) && hits_[row].sheet >= 0; }
  // Shows the hit's sheet with its box selected; -1 when the row leads
  // nowhere. No undo step: the view state is all that changes.
  int jump(DocWnd& w, int row) const;
  // The row selected when the window opens again after a jump from `row`:
  // the next one, the first after the last.
  int rowAfter(int row) const;

 private:
  struct PreparedBox {
    int32_t sheet, column, row, word;
    bool idea;
  };
  struct PreparedMemo {
    std::vector<std::string> lines;  // CP932
    size_t firstLine = 0;            // its first piece in the line texts
    int anchor = -1;                 // index into boxes_
  };
  // Texts as UTF-8 pieces, one after another with a NUL between them (no
  // text holds one): a keystroke runs one search through all of them
  // instead of one per text, and where a hit lies tells the piece.
  struct Pieces {
    std::string text;
    std::vector<size_t> starts;
    void add(const std::string& piece);
  };

  bool validRow(int row) const { return row >= 0 && row < static_cast<int>(hits_.size()); }
  void addMemoHit(size_t memo, size_t line);

  const Workbook& wb_;
  std::vector<PreparedBox> boxes_;   // boxes with a word, in hit order
  Pieces exactWords_, foldedWords_;  // one piece per word of the pool
  Pieces exactLines_, foldedLines_;  // one piece per line of every memo
  std::vector<size_t> lineMemo_;     // the memo of each line
  std::vector<PreparedMemo> memos_;
  std::vector<size_t> memosByAnchor_;  // memo positions, by anchor; unanchored last
  std::vector<FindHit> hits_;
  bool searched_ = false;
  int boxHits_ = 0;
  int memoHits_ = 0;
};

}  // namespace tgc
