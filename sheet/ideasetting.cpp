#include "sheet/ideasetting.h"

#include <algorithm>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "sheet/geometry.h"

namespace tgc {

int toggleIdea(DocWnd& w) {
  const Sheet* sheet = w.wb().currentSheetPtr();
  if (!sheet) return -1;
  const SheetType type = sheetTypeOf(*sheet);
  if (type == TypeB) {
    w.ui().warning("このシートでは一列目に入力すると、自動でアイデア設定を行います。"_sj);
    return -1;
  }
  if (type == TypeC) {
    w.ui().warning("このシートでは一行目に入力すると、自動でアイデア設定を行います。"_sj);
    return -1;
  }
  const int c = w.wb().cursorColumn;
  const int r = w.wb().cursorRow;
  if (GridPos{c, r} == themeBox(TypeA)) {
    w.ui().information("テーマへのアイデア設定は行えません。"_sj);
    return -1;
  }
  const Box* box = findBox(*sheet, c, r);
  if (!box || box->word < 0 || box->mark == -1) {
    w.ui().warning("語句が入力されていないため、アイデア設定は行えません。"_sj);
    return -1;
  }
  const int word = box->word;
  const bool setting = box->idea != 1;
  if (setting) {
    if (w.ui().confirmation("アイデア設定を行いますか？"_sj) != Answer::Ok) return -1;
  } else {
    if (w.ui().confirmation("アイデア設定の解除を行いますか？"_sj) != Answer::Ok) return -1;
    const auto& memos = w.wb().memos;
    const bool memo =
        std::any_of(memos.begin(), memos.end(), [&](const IdeaMemo& m) { return m.word == word; });
    if (memo && w.ui().confirmation("アイデアメモも削除されますが、続行しますか？"_sj) != Answer::Ok)
      return -1;
  }
  w.doc.recordChange();
  Box* target = findBox(*w.wb().currentSheetPtr(), c, r);
  target->idea = setting ? 1 : 0;
  // Memos belong to the word, so clearing removes them for every idea box
  // that shows it, on any sheet.
  if (!setting) w.wb().removeMemosOfWord(word);
  w.ui().repaint();
  return 0;
}

}  // namespace tgc
