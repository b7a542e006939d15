#include "marks/wordassist.h"

#include <algorithm>
#include <vector>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "sheet/boxinput.h"
#include "sheet/geometry.h"

namespace tgc {

namespace {

// Membership flags indexed by word position: every lookup of the search is
// constant time, which keeps a run over a thousand sheets quick.
class WordSet {
 public:
  explicit WordSet(size_t words) : in_(words, 0) {}
  bool has(int word) const { return word >= 0 && word < static_cast<int>(in_.size()) && in_[word]; }
  void add(int word) {
    if (word >= 0 && word < static_cast<int>(in_.size())) in_[word] = 1;
  }

 private:
  std::vector<char> in_;
};

// The candidate words, in the order found, without repeats.
class Candidates {
 public:
  explicit Candidates(size_t words) : seen_(words) {}
  bool has(int word) const { return seen_.has(word); }
  void add(int word) {
    if (has(word)) return;
    seen_.add(word);
    list_.push_back(word);
  }
  const std::vector<int>& list() const { return list_; }

 private:
  WordSet seen_;
  std::vector<int> list_;
};

bool usable(const Box& b, int32_t mark) {
  return b.word >= 0 && b.mark == mark && b.idea == 0;
}

// Whether box b of the current sheet S steers the search for the box at
// (col, row).
bool isContext(const Box& b, SheetType type, int col, int row) {
  if (b.word < 0 || b.mark == kIdeaMarkId || b.idea != 0) return false;
  if (b.column == col && b.row == row) return false;
  switch (type) {
    case TypeA:
      return isAdjacent(col, row, b.column, b.row);
    case TypeB:
      return b.mark == kThemeMarkId;
    case TypeC:
      if (col == 0) return b.mark == kThemeMarkId;
      return b.column == 0 && b.row == row;
  }
  return false;
}

const Box* findAnchor(const Sheet& t, int word) {
  if (sheetTypeOf(t) == TypeB) {
    // Only a Type-B sheet's theme relates to the rest of that sheet.
    const Box* theme = findBox(t, 0, 0);
    return theme && theme->word == word ? theme : nullptr;
  }
  for (const Box& b : t.boxes)
    if (b.word == word) return &b;
  return nullptr;
}

// Whether box r of sheet T stands where T's type relates it to the anchor.
bool isRelated(const Box& r, const Box& a, SheetType type) {
  switch (type) {
    case TypeA:
      return isAdjacent(a.column, a.row, r.column, r.row);
    case TypeB:
      return r.row == 0;
    case TypeC:
      if (a.column != 0) return r.row == a.row;
      if (a.row == 0) return r.column == 0;
      return r.column == 0 || r.row == a.row;
  }
  return false;
}

std::vector<int> relatedWords(const Sheet& t, const Box& anchor, int32_t mark) {
  const SheetType type = sheetTypeOf(t);
  std::vector<int> words;
  for (const Box& r : t.boxes) {
    if (&r == &anchor || !usable(r, mark) || !isRelated(r, anchor, type)) continue;
    if (std::find(words.begin(), words.end(), r.word) == words.end()) words.push_back(r.word);
  }
  return words;
}

std::vector<int> findCandidates(const Workbook& wb, const Sheet& s, const Box& target) {
  const size_t wordCount = wb.words.size();
  WordSet onSheet(wordCount);
  for (const Box& b : s.boxes) onSheet.add(b.word);
  Candidates found(wordCount);
  const int32_t d = target.mark;

  auto otherSheets = [&](auto visit) {
    for (const Sheet& t : wb.sheets)
      if (&t != &s) visit(t);
  };

  if (d == kThemeMarkId) {
    otherSheets([&](const Sheet& t) {
      for (const Box& b : t.boxes)
        if (usable(b, kThemeMarkId) && !onSheet.has(b.word)) found.add(b.word);
    });
    return found.list();
  }

  const SheetType type = sheetTypeOf(s);
  // Below row 0 of a Type-B sheet the box takes an alternative value for its
  // column's element: what other sheets on the same theme already give is
  // excluded rather than proposed.
  const bool alternative = type == TypeB && target.row >= 1;
  WordSet excluded(wordCount);
  for (const Box& context : s.boxes) {
    if (!isContext(context, type, target.column, target.row)) continue;
    otherSheets([&](const Sheet& t) {
      const Box* anchor = findAnchor(t, context.word);
      if (!anchor) return;
      for (int word : relatedWords(t, *anchor, d)) {
        if (found.has(word)) continue;
        if (alternative)
          excluded.add(word);
        else if (!onSheet.has(word))
          found.add(word);
      }
    });
  }
  if (alternative) {
    otherSheets([&](const Sheet& t) {
      for (const Box& b : t.boxes)
        if (usable(b, d) && !excluded.has(b.word) && !onSheet.has(b.word)) found.add(b.word);
    });
  }
  return found.list();
}

}  // namespace

int wordAssist(DocWnd& w) {
  const Sheet* sheet = w.wb().currentSheetPtr();
  const int col = w.wb().cursorColumn;
  const int row = w.wb().cursorRow;
  const Box* box = sheet ? findBox(*sheet, col, row) : nullptr;
  if (box && box->word >= 0) {
    w.ui().warning("語句アシスト：\n\nすでに語句が入力されています。"_sj);
    return -1;
  }
  if (!box) return -1;
  // The idea area is checked before the input rules, so its warning wins.
  if (box->mark == kIdeaMarkId) {
    w.ui().warning("語句アシスト：\n\nアイデアエリアに語句アシストはできません。"_sj);
    return -1;
  }
  if (checkBoxInput(w, kInputForAssist) != 0) return -1;

  WaitCursor wait(w.ui());
  w.rng.reseed(w.ports.clock);
  const std::vector<int> candidates = findCandidates(w.wb(), *sheet, *box);
  if (candidates.empty()) return 0;
  const int32_t mark = box->mark;
  w.doc.recordChange();
  const int pick = candidates[static_cast<size_t>(w.rng.next()) % candidates.size()];
  Box* target = findBox(*w.wb().currentSheetPtr(), col, row);
  target->word = pick;
  target->mark = mark;
  target->assisted = 1;
  w.ui().repaint();
  return 0;
}

}  // namespace tgc
