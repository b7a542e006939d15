#include "windows/wordlist.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "core/exchangesort.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

// Two Type-A sheets. Sheet 1: ペン (theme), インク twice with 素材, 芯 an
// idea with 形状, 軸 carrying the idea mark without being an idea. Sheet 2:
// 紙 with 素材, 替え芯 an idea with 素材. Sheet 2 is shown.
struct WordListRig : SheetRig {
  WordListRig() {
    put(0, 2, 2, "ペン"_sj);
    put(0, 1, 1, "インク"_sj, kMaterial);
    put(0, 3, 1, "インク"_sj, kMaterial);
    put(0, 1, 3, "芯"_sj, kShape);
    box(0, 1, 3).idea = 1;
    put(0, 2, 1, "軸"_sj, kIdeaMarkId);
    box(0, 0, 0).mark = -1;
    addSheet(CreateKind::TypeA);
    put(1, 2, 2, "替え芯"_sj, kMaterial);
    box(1, 2, 2).idea = 1;
    put(1, 1, 2, "紙"_sj, kMaterial);
  }
  int entryOf(const WordList& list, int32_t mark) {
    for (size_t i = 0; i < list.entries().size(); ++i)
      if (list.entries()[i].mark == mark) return static_cast<int>(i);
    return -1;
  }
  // "sheet word" for each row, in list order.
  std::vector<std::string> shown(const WordList& list) {
    std::vector<std::string> out;
    for (size_t i = 0; i < list.rows().size(); ++i)
      out.push_back(list.sheetText(static_cast<int>(i)) + "|" + list.wordText(static_cast<int>(i)));
    return out;
  }
};

TEST(WordList, EntriesAndRowsOfAMarkAndOfTheIdeas) {
  WordListRig r;
  WordList list(r.wb());
  ASSERT_EQ(list.entries().size(), r.wb().marks.size());
  EXPECT_EQ(list.entries()[0].text, " □  テーマ"_sj);
  EXPECT_EQ(list.entries()[1].text, " ！  アイデア"_sj);

  list.selectEntry(r.entryOf(list, kMaterial));
  // インク twice on sheet 1; 替え芯 is an idea, so only under the idea mark.
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 1|インク"_sj, " 1|インク"_sj, " 2|紙"_sj}));
  EXPECT_TRUE(list.jumpEnabled());

  // Every idea whatever its mark; the row keeps the box's mark.
  list.selectEntry(r.entryOf(list, kIdeaMarkId));
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 1|芯"_sj, " 2|替え芯"_sj}));
  EXPECT_EQ(list.rows()[0].mark, kShape);

  // 軸 carries the idea mark without being an idea: it is in no list.
  const int shaft = r.wb().findWord("軸"_sj);
  for (size_t e = 0; e < list.entries().size(); ++e) {
    list.selectEntry(static_cast<int>(e));
    for (const WordListRow& row : list.rows()) EXPECT_NE(row.word, shaft) << "entry " << e;
  }
  list.selectEntry(-1);
  EXPECT_TRUE(list.rows().empty());
  EXPECT_FALSE(list.jumpEnabled());
}

TEST(WordList, PreselectionFollowsTheSelectedBox) {
  WordListRig r;
  struct Case {
    int sheet, column, row;
    int32_t expectedMark;  // -1: nothing selected
  };
  const Case cases[] = {
      {1, 2, 2, kIdeaMarkId},  // an idea box with 素材 opens the ideas
      {1, 1, 2, kMaterial},
      {0, 2, 1, kIdeaMarkId},  // the idea mark itself, not an idea
      {0, 0, 0, -1},           // a box without a mark
  };
  for (const Case& c : cases) {
    r.wb().currentSheet = c.sheet;
    r.select(c.column, c.row);
    WordList list(r.wb());
    const int expected = c.expectedMark < 0 ? -1 : r.entryOf(list, c.expectedMark);
    EXPECT_EQ(list.selectedEntry(), expected) << c.sheet << c.column << c.row;
    EXPECT_EQ(list.rows().empty(), expected < 0);
  }
}

TEST(WordList, HeaderClicksToggleEachColumnFirstDescending) {
  WordListRig r;
  WordList list(r.wb());
  list.selectEntry(r.entryOf(list, kMaterial));
  list.sortByColumn(0);
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 2|紙"_sj, " 1|インク"_sj, " 1|インク"_sj}));
  list.sortByColumn(0);
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 1|インク"_sj, " 1|インク"_sj, " 2|紙"_sj}));
  // The second column sorts by mark id: the ideas group by their marks.
  list.selectEntry(r.entryOf(list, kIdeaMarkId));
  list.sortByColumn(1);
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 1|芯"_sj, " 2|替え芯"_sj}));  // 形状 9 > 素材 7
  list.sortByColumn(1);
  EXPECT_EQ(r.shown(list), (std::vector<std::string>{" 2|替え芯"_sj, " 1|芯"_sj}));
  // A new opening starts with both toggles reset.
  WordList again(r.wb());
  again.selectEntry(r.entryOf(again, kMaterial));
  again.sortByColumn(0);
  EXPECT_EQ(again.rows().front().sheet, 1);
}

TEST(WordList, ExchangeSortLeavesEqualKeysInItsOwnOrder) {
  // Keys 2 1 2 1: row 0 is exchanged with row 1, then row 2 with row 3, so
  // the equal keys do not keep their order as a stable sort would.
  EXPECT_EQ(exchangeSortOrder({2, 1, 2, 1}), (std::vector<uint32_t>{1, 3, 2, 0}));
}

TEST(WordList, JumpFromEitherOfTwoRowsSelectsTheFirstBox) {
  WordListRig r;
  WordList list(r.wb());
  list.selectEntry(r.entryOf(list, kMaterial));
  // The first box of sheet 1, in stored order, that holds インク with 素材.
  const int ink = r.wb().findWord("インク"_sj);
  const Box* first = nullptr;
  for (const Box& b : r.sheet(0).boxes)
    if (!first && b.word == ink) first = &b;
  for (int row : {0, 1}) {
    r.wb().currentSheet = 1;
    r.select(0, 0);
    EXPECT_EQ(list.jump(r.w, row), 0);
    EXPECT_EQ(r.wb().currentSheet, 0);
    EXPECT_EQ((GridPos{r.wb().cursorColumn, r.wb().cursorRow}), (GridPos{first->column, first->row}));
  }
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(list.jump(r.w, -1), -1);
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Plain);
  EXPECT_EQ(r.ui.messages[0].text, "語句を選択してください。"_sj);
}

TEST(WordList, CopyPutsTheRowsWordOnTheClipboardAndSaysSo) {
  WordListRig r;
  WordList list(r.wb());
  list.selectEntry(r.entryOf(list, kMaterial));
  EXPECT_EQ(list.copy(r.w, -1), 1);
  EXPECT_FALSE(r.clipboard.content.has_value());
  EXPECT_EQ(list.copy(r.w, 2), 0);
  EXPECT_EQ(r.clipboard.content, "紙"_sj);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"項目を選択してください。"_sj,
                                                    "語句をクリップボードにコピーしました。"_sj}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(r.ui.messages[1].kind, MessageKind::Information);
}

}  // namespace
}  // namespace tgc::test
