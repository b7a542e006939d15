#include "sheet/sheetcommands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/cp932literal.h"
#include "sheet/boxinput.h"
#include "sheet/geometry.h"

namespace tgc {

namespace {

bool isElement(const CatalogMark& m) {
  return m.attribute == AttrElement;
}
bool isTransform(const CatalogMark& m) {
  return m.attribute == AttrTransform;
}
bool anyMark(const CatalogMark&) {
  return true;
}

// Draws marks so that none repeats on a sheet before every eligible mark has
// been used once: the pool is refilled only when it runs dry.
class MarkPool {
 public:
  MarkPool(const std::vector<CatalogMark>& active, Random& rng) : active_(active), rng_(rng) {}

  template <class Eligible>
  int32_t draw(Eligible eligible) {
    if (pool_.empty())
      for (const CatalogMark& m : active_)
        if (eligible(m)) pool_.push_back(m.id);
    const size_t index = static_cast<size_t>(rng_.next()) % pool_.size();
    const int32_t id = pool_[index];
    pool_.erase(pool_.begin() + static_cast<std::ptrdiff_t>(index));
    return id;
  }
  void empty() { pool_.clear(); }

 private:
  const std::vector<CatalogMark>& active_;
  Random& rng_;
  std::vector<int32_t> pool_;
};

Box makeBox(int column, int row, int32_t mark, SheetType type) {
  Box b;
  b.mark = mark;
  b.column = column;
  b.row = row;
  b.sheetType = type;
  return b;
}

Sheet buildSheet(SheetType type, MarkPool& pool) {
  Sheet s;
  s.boxes.reserve(kBoxesPerSheet);
  auto add = [&](int c, int r, int32_t mark) { s.boxes.push_back(makeBox(c, r, mark, type)); };
  switch (type) {
    case TypeA:
      for (int c = 0; c < kGridColumns; ++c)
        for (int r = 0; r < kGridRows; ++r) add(c, r, c == 2 && r == 2 ? kThemeMarkId : pool.draw(anyMark));
      break;
    case TypeB:
      add(0, 0, kThemeMarkId);
      for (int r = 1; r < kGridRows; ++r) add(0, r, kIdeaMarkId);
      for (int c = 1; c < kGridColumns; ++c) {
        const int32_t mark = pool.draw(isElement);
        for (int r = 0; r < kGridRows; ++r) add(c, r, mark);
      }
      break;
    case TypeC:
      add(0, 0, kThemeMarkId);
      for (int r = 1; r < kGridRows; ++r) add(0, r, pool.draw(isElement));
      pool.empty();
      for (int c = 1; c < kGridColumns; ++c) add(c, 0, kIdeaMarkId);
      for (int r = 1; r < kGridRows; ++r) {
        const int32_t mark = pool.draw(isTransform);
        for (int c = 1; c < kGridColumns; ++c) add(c, r, mark);
      }
      break;
  }
  return s;
}

SheetType typeOf(CreateKind kind) {
  switch (kind) {
    case CreateKind::TypeB:
      return TypeB;
    case CreateKind::TypeC:
      return TypeC;
    default:
      return TypeA;
  }
}

void selectTheme(Workbook& wb, SheetType type) {
  const GridPos p = themeBox(type);
  wb.cursorColumn = p.column;
  wb.cursorRow = p.row;
}

bool hasMemo(const Workbook& wb, int word) {
  return word >= 0 &&
         std::any_of(wb.memos.begin(), wb.memos.end(), [&](const IdeaMemo& m) { return m.word == word; });
}

bool confirmed(DocWnd& w, const char* text) {
  return w.ui().confirmation(text) == Answer::Ok;
}

const char* const kMemoAlsoGoes = "アイデアメモも削除されますが、続行しますか？"_sj;

}  // namespace

int createSheet(DocWnd& w, CreateKind kind) {
  const std::vector<CatalogMark>& active = w.marks.activeEntries;
  const SheetType type = typeOf(kind);
  // All tests come before any change; their order decides the message.
  if (active.empty()) {
    w.ui().warning("有効のマークが設定されていません。"_sj);
    return -1;
  }
  if (type != TypeA && std::count_if(active.begin(), active.end(), isElement) < 4) {
    w.ui().warning(std::string(type == TypeB ? "Type-B" : "Type-C") +
                   " のシートでは、マーク属性の\"要素\"を４件以上登録する必要があります。"_sj);
    return -1;
  }
  if (type == TypeC && std::none_of(active.begin(), active.end(), isTransform)) {
    w.ui().warning("Type-C のシートでは、マーク属性の\"変換\"を１件以上登録する必要があります。"_sj);
    return -1;
  }
  if (static_cast<int>(w.wb().sheets.size()) >= kMaxSheets) {
    w.ui().warning("最大シート枚数 "_sj + std::to_string(kMaxSheets) +
                   "枚 を上回るため、シートの追加はできません。"_sj);
    return 1;
  }

  WaitCursor wait(w.ui());
  const bool silent = kind == CreateKind::Initial;
  if (!silent) w.doc.recordChange();
  w.rng.reseed(w.ports.clock);
  MarkPool pool(active, w.rng);
  Workbook& wb = w.wb();
  wb.sheets.push_back(buildSheet(type, pool));
  if (!silent) wb.currentSheet = static_cast<int32_t>(wb.sheets.size()) - 1;
  selectTheme(wb, type);
  if (!silent) {
    w.ui().focusView();
    w.ui().repaint();
  }
  return 0;
}

int recreateSheetIfNone(DocWnd& w) {
  if (!w.wb().sheets.empty()) return 0;
  const int result = createSheet(w, CreateKind::TypeA);
  w.wb().currentSheet = 0;
  return result;
}

int deleteSelectedWord(DocWnd& w) {
  const Sheet* sheet = w.wb().currentSheetPtr();
  const Box* box = sheet ? findBox(*sheet, w.wb().cursorColumn, w.wb().cursorRow) : nullptr;
  if (!box || box->word < 0) return -1;
  const int word = box->word;
  if (!confirmed(w, "語句を削除しますか？"_sj)) return -1;
  if (hasMemo(w.wb(), word) && !confirmed(w, kMemoAlsoGoes)) return -1;
  w.doc.recordChange();
  assignWordToSelectedBox(w, -1);
  w.wb().purgeUnusedWords();
  w.ui().repaint();
  return 0;
}

int deleteCurrentSheet(DocWnd& w) {
  const Sheet* sheet = w.wb().currentSheetPtr();
  if (!sheet) return -1;
  if (!confirmed(w, "表示シートを削除しますか？"_sj)) return -1;
  const bool memoAtStake = std::any_of(sheet->boxes.begin(), sheet->boxes.end(),
                                       [&](const Box& b) { return b.idea == 1 && hasMemo(w.wb(), b.word); });
  if (memoAtStake && !confirmed(w, kMemoAlsoGoes)) return -1;
  w.doc.recordChange();
  const bool noneLeft = w.wb().removeSheet(w.wb().currentSheet);
  // Purged before any re-creation, so that the step which shows the workbook
  // without sheets does not keep words no box shows.
  w.wb().purgeUnusedWords();
  if (noneLeft) recreateSheetIfNone(w);
  w.ui().repaint();
  return 0;
}

int moveToSheet(DocWnd& w, SheetMove direction) {
  Workbook& wb = w.wb();
  const int before = wb.currentSheet;
  const int n = static_cast<int>(wb.sheets.size());
  bool set = false;
  switch (direction) {
    case SheetMove::Previous:
      if (before > 0) {
        wb.currentSheet = before - 1;
        set = true;
      }
      break;
    case SheetMove::Next:
      if (before + 1 < n) {
        wb.currentSheet = before + 1;
        set = true;
      }
      break;
    case SheetMove::First:
      wb.currentSheet = 0;
      set = true;
      break;
    case SheetMove::Last:
      wb.currentSheet = std::max(n - 1, 0);
      set = true;
      break;
  }
  if (set) selectTheme(wb, currentSheetType(wb));
  w.ui().repaint();
  return wb.currentSheet != before ? 0 : -1;
}

int jumpToWordListEntry(DocWnd& w, const WordListJump* entry) {
  if (!entry) {
    w.ui().plain("語句を選択してください。"_sj);
    return -1;
  }
  Workbook& wb = w.wb();
  if (entry->sheet < 0 || entry->sheet >= static_cast<int>(wb.sheets.size())) return -1;
  wb.currentSheet = entry->sheet;
  for (const Box& b : wb.sheets[entry->sheet].boxes) {
    if (b.word < 0 || b.word != entry->word) continue;
    if (b.mark == entry->mark || (entry->mark == kIdeaMarkId && b.idea == 1)) {
      wb.cursorColumn = b.column;
      wb.cursorRow = b.row;
      break;
    }
  }
  w.ui().repaint();
  return 0;
}

}  // namespace tgc
