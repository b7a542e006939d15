#include "core/workbook.h"

#include <gtest/gtest.h>

#include "tests/support/workbooks.h"

namespace tgc {
namespace {

using test::numbered;

Sheet sheetWithWords(std::initializer_list<int> words) {
  Sheet s;
  int i = 0;
  for (int w : words) {
    Box b;
    b.word = w;
    b.column = i % 5;
    b.row = i / 5;
    s.boxes.push_back(b);
    ++i;
  }
  return s;
}

// Reference: the swap chain exactly as described, one word at a time.
void removeWordBySwaps(Workbook& wb, int position) {
  for (int i = position; i + 1 < static_cast<int>(wb.words.size()); ++i) wb.swapWords(i, i + 1);
  const int last = static_cast<int>(wb.words.size()) - 1;
  std::erase_if(wb.memos, [&](const IdeaMemo& m) { return m.word == last; });
  wb.refreshHasMemo();
  wb.words.pop_back();
}

TEST(Workbook, FindAndAddCompareBytesExactly) {
  Workbook wb;
  EXPECT_EQ(enterWord(wb, "abc"), 0);
  EXPECT_EQ(enterWord(wb, "ABC"), 1);  // case differs: a new word
  EXPECT_EQ(enterWord(wb, "abc"), 0);
  EXPECT_EQ(enterWord(wb, ""), -1);
  EXPECT_EQ(wb.words.size(), 2u);
  EXPECT_EQ(wb.findWord("abc", 0), -1);
  wb.addWord("abc");
  EXPECT_EQ(wb.findWord("abc", 0), 2);
}

TEST(Workbook, RemoveWordMatchesSwapChain) {
  Workbook a;
  for (const char* t : {"w0", "w1", "w2", "w3", "w4"}) a.addWord(t);
  a.sheets.push_back(sheetWithWords({0, 2, 3, 4, -1, 2}));
  a.memos = {{1, "m1"}, {3, "m3"}, {1, "m1b"}, {4, "m4"}};
  a.refreshHasMemo();
  Workbook b = a;
  a.removeWord(1);
  removeWordBySwaps(b, 1);
  EXPECT_EQ(a, b);
  ASSERT_EQ(a.memos.size(), 2u);
  EXPECT_EQ(a.memos[0].word, 2);  // w3 moved forward
  EXPECT_EQ(a.words[2].hasMemo, 1);
  EXPECT_EQ(a.words[0].hasMemo, 0);
}

TEST(Workbook, PurgeMatchesRemovingUnusedWordsFromTheEnd) {
  Workbook a;
  for (int i = 0; i < 12; ++i) a.addWord(numbered(i));
  a.sheets.push_back(sheetWithWords({1, 5, -1, 7}));
  a.sheets.push_back(sheetWithWords({11, 5, 0}));
  a.memos = {{5, "x"}, {2, "gone"}, {11, "y"}, {3, "gone too"}};
  a.refreshHasMemo();
  Workbook b = a;
  a.purgeUnusedWords();
  for (int p = static_cast<int>(b.words.size()) - 1; p >= 0; --p) {
    bool used = false;
    for (const Sheet& s : b.sheets)
      for (const Box& box : s.boxes) used = used || box.word == p;
    if (!used) removeWordBySwaps(b, p);
  }
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.words.size(), 5u);
  EXPECT_EQ(a.words[4].text, "w11");
  ASSERT_EQ(a.memos.size(), 2u);
  EXPECT_EQ(a.wordText(a.memos[1].word), "w11");
}

TEST(Workbook, RemoveSheetKeepsOrderAndClampsCurrent) {
  Workbook wb;
  for (int i = 0; i < 3; ++i) wb.sheets.push_back(sheetWithWords({i}));
  wb.currentSheet = 2;
  EXPECT_FALSE(wb.removeSheet(2));
  EXPECT_EQ(wb.currentSheet, 1);  // the shown last sheet moves to the new last
  EXPECT_EQ(wb.sheets[1].boxes[0].word, 1);
  EXPECT_FALSE(wb.removeSheet(5));  // outside the list: ignored
  EXPECT_EQ(wb.sheets.size(), 2u);
  wb.currentSheet = 0;
  EXPECT_FALSE(wb.removeSheet(0));
  EXPECT_EQ(wb.sheets[0].boxes[0].word, 1);
  EXPECT_TRUE(wb.removeSheet(0));  // the caller creates the fresh sheet
  EXPECT_EQ(wb.currentSheet, 0);
}

TEST(Workbook, MarkByIdAndWordTextGuardRange) {
  Workbook wb;
  EXPECT_EQ(wb.markById(3), 0);
  wb.marks.push_back(CatalogMark{3, "g", "n", "", 0, 0, 1, 11});
  EXPECT_EQ(wb.markById(3), 11);
  EXPECT_EQ(wb.markById(-1), 0);
  EXPECT_EQ(wb.wordText(7), "");
  EXPECT_EQ(wb.currentSheetPtr(), nullptr);
}

}  // namespace
}  // namespace tgc
