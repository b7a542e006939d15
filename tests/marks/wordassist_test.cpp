#include "marks/wordassist.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/cp932literal.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

// Runs the assist once for each clock value, undoing in between, and returns
// the words placed; with the generator's formula the test knows which
// candidate each seed must pick.
std::vector<std::string> assistWithSeeds(SheetRig& t, const std::vector<int64_t>& seeds) {
  std::vector<std::string> placed;
  const int c = t.wb().cursorColumn, r = t.wb().cursorRow;
  for (int64_t seed : seeds) {
    t.clock.now = seed;
    EXPECT_EQ(wordAssist(t.w), 0);
    placed.push_back(t.text(c, r));
    t.w.undo();
  }
  return placed;
}

std::vector<std::string> expectedPicks(const std::vector<std::string>& candidates,
                                       const std::vector<int64_t>& seeds) {
  std::vector<std::string> out;
  for (int64_t seed : seeds)
    out.push_back(
        candidates[static_cast<size_t>(firstDraw(static_cast<uint32_t>(seed))) % candidates.size()]);
  return out;
}

const std::vector<int64_t> kSeeds = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, 2011, 2012};

TEST(WordAssist, SingleSheetFindsNothingAndSaysNothing) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(1, 1);
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_EQ(t.box(1, 1).word, -1);
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
}

TEST(WordAssist, RefusalsAndTheirOrder) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(2, 2);
  EXPECT_EQ(wordAssist(t.w), -1);
  EXPECT_EQ(t.ui.texts().back(), "語句アシスト：\n\nすでに語句が入力されています。"_sj);

  t.addSheet(CreateKind::TypeB);
  const int waits = t.ui.waitCount;
  t.select(0, 2);  // idea area, and the theme is still empty
  EXPECT_EQ(wordAssist(t.w), -1);
  EXPECT_EQ(t.ui.texts(),
            (std::vector<std::string>{"語句アシスト：\n\nアイデアエリアに語句アシストはできません。"_sj}));

  t.select(2, 3);
  EXPECT_EQ(wordAssist(t.w), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Warning);
  EXPECT_EQ(t.ui.texts().back(), "語句アシスト：\n\nテーマから入力してください。"_sj);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{2, 3}));
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.ui.waitCount, waits);  // refused before any work
}

TEST(WordAssist, ThemeBoxProposesOtherThemesNotOnTheSheet) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.addSheet(CreateKind::TypeB);
  t.put(1, 0, 0, "水筒"_sj);
  t.addSheet(CreateKind::TypeA);
  t.put(2, 2, 2, "鞄"_sj);
  t.put(2, 1, 1, "弁当箱"_sj);  // not a theme there: never proposed as one
  const int s = t.addSheet(CreateKind::TypeA);
  t.put(s, 0, 0, "水筒"_sj);  // already on the current sheet
  t.select(2, 2);
  EXPECT_EQ(assistWithSeeds(t, kSeeds), expectedPicks({"弁当箱"_sj, "鞄"_sj}, kSeeds));

  ASSERT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.box(2, 2).mark, kThemeMarkId);
  EXPECT_EQ(t.box(2, 2).assisted, 1);
}

struct TypeAScene : SheetRig {
  TypeAScene() {
    put(0, 2, 2, "鞄"_sj);
    put(0, 3, 3, "フタ"_sj);
    put(0, 4, 4, "アルミ"_sj, kMaterial);
    put(0, 3, 4, "丸"_sj, kShape);
    put(0, 0, 0, "木"_sj, kMaterial);  // same mark, but not next to the word
    addSheet(CreateKind::TypeA);
    put(1, 2, 2, "弁当箱"_sj);
    put(1, 1, 2, "フタ"_sj);
    box(1, 1).mark = kMaterial;
    select(1, 1);
  }
};

TEST(WordAssist, TypeAPlacesTheNeighbourWithTheSameMarkAsOneUndoStep) {
  TypeAScene t;
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.text(1, 1), "アルミ"_sj);
  EXPECT_EQ(t.box(1, 1).mark, kMaterial);
  EXPECT_EQ(t.box(1, 1).assisted, 1);
  EXPECT_EQ(t.w.doc.modified, 1);
  EXPECT_EQ(t.ui.waitDepth, 0);
  t.w.undo();
  EXPECT_EQ(t.box(1, 1).word, -1);
  EXPECT_EQ(t.box(1, 1).assisted, 0);
  EXPECT_FALSE(t.w.doc.canUndo());
  t.w.redo();
  EXPECT_EQ(t.text(1, 1), "アルミ"_sj);
  EXPECT_EQ(t.box(1, 1).assisted, 1);
}

TEST(WordAssist, TypeAFindsNothingWhenTheWordIsAlreadyOnTheSheet) {
  TypeAScene t;
  t.put(1, 4, 0, "アルミ"_sj);
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.box(1, 1).word, -1);
  EXPECT_FALSE(t.w.doc.canUndo());
}

TEST(WordAssist, IdeaBoxesNeitherSteerNorAnswer) {
  TypeAScene t;
  t.box(0, 4, 4).idea = 1;
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.box(1, 1).word, -1);

  TypeAScene u;
  u.box(1, 1, 2).idea = 1;  // the only context word is an idea
  EXPECT_EQ(wordAssist(u.w), 0);
  EXPECT_EQ(u.box(1, 1).word, -1);
}

TEST(WordAssist, OnTypeBSheetsOnlyTheThemeIsAnAnchor) {
  TypeAScene t;
  const int b = t.addSheet(CreateKind::TypeB);
  t.put(b, 0, 0, "水筒"_sj);
  t.put(b, 1, 0, "フタ"_sj, kShape);
  t.put(b, 2, 0, "紙"_sj, kMaterial);
  t.box(0, 4, 4).word = -1;  // drop the Type-A answer
  t.wb().currentSheet = 1;
  t.select(1, 1);
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.box(1, 1).word, -1);
}

// Column 2 of every Type-B sheet carries the material mark.
struct TypeBScene : SheetRig {
  TypeBScene() {
    other = addSheet(CreateKind::TypeB);
    put(other, 0, 0, "弁当箱"_sj);
    for (int r = 0; r < 5; ++r) box(other, 3, r).mark = kMaterial;
    put(other, 3, 0, "アルミ"_sj);
    put(other, 3, 2, "木"_sj);
    put(other, 0, 0 + 1, "保温"_sj, kIdeaMarkId);
    put(0, 2, 2, "鞄"_sj);
    put(0, 1, 1, "紙"_sj, kMaterial);
    put(0, 3, 3, "鉄"_sj, kMaterial);
    current = addSheet(CreateKind::TypeB);
    put(current, 0, 0, "弁当箱"_sj);
    for (int r = 0; r < 5; ++r) box(current, 2, r).mark = kMaterial;
    put(current, 1, 0, "鉄"_sj);
  }
  int other = 0;
  int current = 0;
};

TEST(WordAssist, TypeBFirstRowTakesWhatSheetsOnTheSameThemeGive) {
  TypeBScene t;
  t.select(2, 0);
  EXPECT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.text(2, 0), "アルミ"_sj);
  EXPECT_EQ(t.box(2, 0).mark, kMaterial);
  EXPECT_EQ(t.box(2, 0).idea, 0);
}

TEST(WordAssist, TypeBLowerRowsTakeAlternativesExcludingTheFirstRowValues) {
  TypeBScene t;
  t.put(t.current, 2, 0, "ガラス"_sj);
  t.select(2, 2);
  // Candidates in sheet order: 鉄 is on the sheet, アルミ is what the other
  // sheet on the same theme gives in its first row.
  EXPECT_EQ(assistWithSeeds(t, kSeeds), expectedPicks({"紙"_sj, "木"_sj}, kSeeds));
}

TEST(WordAssist, TypeCColumnZeroAnchorsUseTheirColumnAndRowLaterOnesTheirRow) {
  SheetRig t;
  const int t1 = t.addSheet(CreateKind::TypeC);
  t.put(t1, 0, 0, "弁当箱"_sj);
  t.put(t1, 0, 1, "フタ"_sj);
  t.put(t1, 0, 3, "P", kIncrease);  // column 0 of the anchor
  t.put(t1, 2, 1, "Q", kIncrease);  // row of the anchor
  t.put(t1, 2, 3, "R", kIncrease);  // neither
  const int t2 = t.addSheet(CreateKind::TypeC);
  t.put(t2, 0, 0, "水筒"_sj);
  t.put(t2, 2, 2, "フタ"_sj);
  t.put(t2, 3, 2, "S", kIncrease);
  t.put(t2, 0, 3, "U", kIncrease);  // column 0, but the anchor is not there
  const int s = t.addSheet(CreateKind::TypeC);
  t.put(s, 0, 0, "鞄"_sj);
  t.put(s, 0, 2, "フタ"_sj);
  t.box(3, 2).mark = kIncrease;
  t.select(3, 2);
  EXPECT_EQ(assistWithSeeds(t, kSeeds), expectedPicks({"P", "Q", "S"}, kSeeds));
}

TEST(WordAssist, ConsecutiveRunsInOneSecondWaitForTheClock) {
  TypeAScene t;
  t.clock.now = 3000;
  t.clock.script = {2999, 3000};
  ASSERT_EQ(wordAssist(t.w), 0);
  EXPECT_EQ(t.w.rng.lastSeedTime(), 2999);
  EXPECT_EQ(t.w.rng.state(), 3000u * 214013u + 2531011u);
}

}  // namespace
}  // namespace tgc::test
