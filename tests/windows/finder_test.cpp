#include "windows/finder.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

// Sheet 1, row by row: 蓋, フタ (theme), 鍋 (an idea), then ふた付き below.
// Sheet 2: ＦＵＴＡ (an idea) in row 1 before 鍋 (an idea) and ﾌﾀ in row 2,
// entered in another order. Memos: one of a word no box shows, 鍋's with
// ふた on its second line and フタ on its third, 蓋's (no idea shows 蓋).
struct FinderRig : SheetRig {
  FinderRig() {
    put(0, 2, 2, "フタ"_sj);
    put(0, 2, 3, "ふた付き"_sj);
    put(0, 3, 2, "鍋"_sj);
    box(0, 3, 2).idea = 1;
    put(0, 1, 2, "蓋"_sj);
    addSheet(CreateKind::TypeA);
    put(1, 2, 1, "ﾌﾀ"_sj);
    put(1, 1, 0, "鍋"_sj);
    box(1, 1, 0).idea = 1;
    put(1, 4, 0, "ＦＵＴＡ"_sj);
    box(1, 4, 0).idea = 1;
    const int32_t lone = wb().addWord("ガラス"_sj);
    wb().memos = {{lone, "ふたはガラス"_sj},
                  {wb().findWord("鍋"_sj), "重い\r\nふたが固い\r\nフタ"_sj},
                  {wb().findWord("蓋"_sj), "蓋"_sj}};
  }
};

// "sheet|column,row|word" of each hit.
std::vector<std::string> shown(const Finder& f) {
  std::vector<std::string> out;
  for (int i = 0; i < static_cast<int>(f.hits().size()); ++i) {
    const FindHit& h = f.hits()[i];
    out.push_back(f.sheetText(i) + "|" + std::to_string(h.column) + "," + std::to_string(h.row) + "|" +
                  f.wordText(i));
  }
  return out;
}

using Rows = std::vector<std::string>;

TEST(Finder, HitsInSheetAndBoxOrderWithEachMemoUnderItsFirstIdea) {
  FinderRig r;
  Finder f(r.wb());
  EXPECT_TRUE(f.summary().empty());
  struct Case {
    const char* text;
    bool exact;
    Rows rows;
    std::string summary;
  };
  const Case cases[] = {
      {"ふた",
       false,
       {"1|2,2|フタ"_sj, "1|3,2|鍋のメモ: ふたが固い"_sj, "1|2,3|ふた付き"_sj, "2|2,1|ﾌﾀ"_sj,
        "|-1,-1|ガラスのメモ: ふたはガラス"_sj},
       "語句 3 件、メモ 2 件が見つかりました。"_sj},
      {"ふた",
       true,
       {"1|3,2|鍋のメモ: ふたが固い"_sj, "1|2,3|ふた付き"_sj, "|-1,-1|ガラスのメモ: ふたはガラス"_sj},
       "語句 1 件、メモ 2 件が見つかりました。"_sj},
      // The excerpt is the first line that matches.
      {"フタ",
       true,
       {"1|2,2|フタ"_sj, "1|3,2|鍋のメモ: フタ"_sj},
       "語句 1 件、メモ 1 件が見つかりました。"_sj},
      {"futa", false, {"2|4,0|ＦＵＴＡ"_sj}, "語句 1 件が見つかりました。"_sj},
      {"futa", true, {}, "見つかりませんでした。"_sj},
      // A memo of a word no idea shows lists under the word's first box.
      {"蓋", false, {"1|1,2|蓋"_sj, "1|1,2|蓋のメモ: 蓋"_sj}, "語句 1 件、メモ 1 件が見つかりました。"_sj},
      {"固い", false, {"1|3,2|鍋のメモ: ふたが固い"_sj}, "メモ 1 件が見つかりました。"_sj},
      {"", false, {}, ""},
  };
  for (const Case& c : cases) {
    f.search(c.text, c.exact);
    EXPECT_EQ(shown(f), c.rows) << c.text << " exact " << c.exact;
    EXPECT_EQ(f.summary(), c.summary) << c.text << " exact " << c.exact;
  }
  f.search("ふた", false);
  EXPECT_EQ(f.positionText(0), "□ 3行3列"_sj);
  EXPECT_EQ(f.positionText(4), "");
}

TEST(Finder, JumpShowsTheBoxWithoutChangingTheWorkbook) {
  FinderRig r;
  const Workbook before = r.wb();
  Finder f(r.wb());
  f.search("ふた", false);
  ASSERT_EQ(f.hits().size(), 5u);
  EXPECT_EQ(f.jump(r.w, 3), 0);
  EXPECT_EQ(r.wb().currentSheet, 1);
  EXPECT_EQ(r.wb().cursorColumn, 2);
  EXPECT_EQ(r.wb().cursorRow, 1);
  EXPECT_EQ(r.ui.repaints, 1);
  // A memo jumps to the idea it is listed under.
  EXPECT_EQ(f.jump(r.w, 1), 0);
  EXPECT_EQ(r.wb().currentSheet, 0);
  EXPECT_EQ(r.wb().cursorColumn, 3);
  EXPECT_EQ(r.wb().cursorRow, 2);
  // A memo that no box shows leads nowhere.
  EXPECT_FALSE(f.canJump(4));
  EXPECT_EQ(f.jump(r.w, 4), -1);
  EXPECT_EQ(r.wb().currentSheet, 0);
  // Apart from the view, the workbook is as it was; no undo step.
  Workbook after = r.wb();
  after.currentSheet = before.currentSheet;
  after.cursorColumn = before.cursorColumn;
  after.cursorRow = before.cursorRow;
  EXPECT_EQ(after, before);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
  // The next opening selects the row after the jump, the first after the last.
  EXPECT_EQ(f.rowAfter(3), 4);
  EXPECT_EQ(f.rowAfter(4), 0);
}

}  // namespace
}  // namespace tgc::test
