#include "marks/consolidation.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "marks/editorcommands.h"
#include "tests/marks/marksrig.h"

namespace tgc::test {
namespace {

// A catalog of the two system marks and the given user marks, one sheet per
// test placing them, and the editor opened on it.
struct ConsolidationRig : MarksRig {
  explicit ConsolidationRig(std::vector<CatalogMark> user) {
    Workbook& wb = w.wb();
    wb.marks = {systemMark(0), systemMark(1)};
    wb.marks.insert(wb.marks.end(), user.begin(), user.end());
    wb.sheets.clear();
  }
  void open() { openMarkEditor(w); }
};

const std::string kDone = "集約処理が完了しました。"_sj;
// The first part ends in "、" and a full-width space, 0x81 0x40 in CP932.
const std::string kUnfinished =
    "集約未完了項目があります。\n\n\nマーク属性（要素・変換）が不一致で双方がシートタイプＢまたはＣで使用され"
    "ている場合"
    "、　\n\nどちらかのマークおよび名称を変更するか、あるいは使用シートを削除した上で集約する必要があり"
    "ます。"_sj;

TEST(Consolidation, NothingToMergeWarnsAndChangesNothing) {
  MarksRig r;
  openMarkEditor(r.w);
  EXPECT_EQ(consolidate(r.w), -1);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{
                              "集約の対象データはありません。\n\n（集約は、マークあるいは名称が同一のもの"
                              "に対して行われます。）"_sj}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_TRUE(r.merge.shown.empty());
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST(Consolidation, SameNameKeepFirstMovesEveryBoxIncludingIdeaBoxes) {
  ConsolidationRig r(
      {userMark(2, "A", "same", 1), userMark(3, "B", "other", 2), userMark(4, "C", "same", 1)});
  addSheet(r.w.wb(), TypeB, {{0, 0, 0}, {1, 0, 4}, {0, 1, 4, 1}, {2, 0, 3}});
  r.open();
  const Workbook before = r.w.wb();
  r.merge.choices = {MergeChoice::KeepFirst};
  EXPECT_EQ(consolidate(r.w), 0);
  ASSERT_EQ(r.merge.shown.size(), 1u);
  EXPECT_EQ(r.merge.shown[0].first.glyph, "A");
  EXPECT_EQ(r.merge.shown[0].second.glyph, "C");
  EXPECT_TRUE(r.merge.shown[0].firstEnabled);
  EXPECT_TRUE(r.merge.shown[0].secondEnabled);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{kDone}));

  const Workbook& wb = r.w.wb();
  ASSERT_EQ(wb.marks.size(), 4u);
  EXPECT_EQ(boxGlyph(wb, 0, 1, 0), "A");
  EXPECT_EQ(boxGlyph(wb, 0, 0, 1), "A");
  EXPECT_EQ(boxGlyph(wb, 0, 2, 0), "B");
  EXPECT_EQ(boxMark(wb, 0, 2, 0), 3);
  EXPECT_EQ(wb.findMark(2)->sheetUsage, 10);  // recomputed after the merge
  ASSERT_EQ(r.w.marks.activeEntries.size(), 2u);
  EXPECT_EQ(r.w.marks.activeEntries[0].id, 2);  // reloaded: id order

  r.w.undo();
  EXPECT_EQ(r.w.wb(), before);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 3u);
  r.w.redo();
  EXPECT_EQ(r.w.wb(), wb);
}

TEST(Consolidation, KeepSecondKeepsTheSecondMarksOwnValues) {
  ConsolidationRig r({userMark(2, "A", "same", 1), userMark(3, "B", "same", 2, 1)});
  addSheet(r.w.wb(), TypeA, {{1, 1, 2}});
  r.open();
  r.merge.choices = {MergeChoice::KeepSecond};
  EXPECT_EQ(consolidate(r.w), 0);
  // An active and a dormant mark meet in the second pass, active first.
  ASSERT_EQ(r.merge.shown.size(), 1u);
  EXPECT_EQ(r.merge.shown[0].first.dormant, 0);
  EXPECT_EQ(r.merge.shown[0].second.dormant, 1);
  const Workbook& wb = r.w.wb();
  ASSERT_EQ(wb.marks.size(), 3u);
  EXPECT_EQ(wb.marks[2], (CatalogMark{2, "B", "same", "", 1, 0, 2, 1}));
  EXPECT_EQ(boxGlyph(wb, 0, 1, 1), "B");
  EXPECT_TRUE(r.w.marks.activeEntries.empty());
}

TEST(Consolidation, ButtonsFollowAttributeAndTypeBOrCUse) {
  const CatalogMark elementOnB = [] {
    CatalogMark m = userMark(2, "X", "a", AttrElement);
    m.sheetUsage = 10;
    return m;
  }();
  CatalogMark transformOnA = userMark(3, "X", "b", AttrTransform);
  transformOnA.sheetUsage = 1;
  MergeButtons b = mergeButtons(elementOnB, transformOnA);
  EXPECT_TRUE(b.keepFirst);
  EXPECT_FALSE(b.keepSecond);
  b = mergeButtons(transformOnA, elementOnB);
  EXPECT_FALSE(b.keepFirst);
  EXPECT_TRUE(b.keepSecond);

  CatalogMark transformOnC = transformOnA;
  transformOnC.sheetUsage = 101;
  b = mergeButtons(elementOnB, transformOnC);
  EXPECT_FALSE(b.keepFirst);
  EXPECT_FALSE(b.keepSecond);

  // Same attribute, or an attribute outside 1 and 2 read as unset.
  CatalogMark unsetOnC = transformOnC;
  unsetOnC.attribute = 0;
  CatalogMark oddOnC = transformOnC;
  oddOnC.attribute = 7;
  b = mergeButtons(unsetOnC, oddOnC);
  EXPECT_TRUE(b.keepFirst && b.keepSecond);
  b = mergeButtons(elementOnB, unsetOnC);
  EXPECT_FALSE(b.keepFirst || b.keepSecond);
}

TEST(Consolidation, BlockedPairLeftWithNextEndsWithTheUnfinishedMessage) {
  ConsolidationRig r({userMark(2, "X", "a", AttrElement), userMark(3, "X", "b", AttrTransform)});
  addSheet(r.w.wb(), TypeC, {{0, 1, 2}, {1, 1, 3}});
  r.open();
  // A choice of a disabled button is not taken.
  r.merge.choices = {MergeChoice::KeepFirst};
  EXPECT_EQ(consolidate(r.w), 0);
  ASSERT_EQ(r.merge.shown.size(), 1u);
  EXPECT_FALSE(r.merge.shown[0].firstEnabled);
  EXPECT_FALSE(r.merge.shown[0].secondEnabled);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{kUnfinished}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(r.w.wb().marks.size(), 4u);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST(Consolidation, ThreeMarksOfOneNameMergeInTwoRounds) {
  ConsolidationRig r({userMark(2, "A", "same", 1), userMark(3, "B", "same", 1), userMark(4, "C", "same", 1),
                      userMark(5, "D", "x", 1)});
  addSheet(r.w.wb(), TypeA, {{0, 0, 2}, {1, 0, 3}, {2, 0, 4}, {3, 0, 5}});
  r.open();
  const Workbook before = r.w.wb();
  // Skip (A,B), keep C over A; the pass restarts and offers (B,C) at once.
  r.merge.choices = {MergeChoice::Next, MergeChoice::KeepSecond, MergeChoice::KeepFirst};
  EXPECT_EQ(consolidate(r.w), 0);
  ASSERT_EQ(r.merge.shown.size(), 3u);
  EXPECT_EQ(r.merge.shown[0].first.glyph + r.merge.shown[0].second.glyph, "AB");
  EXPECT_EQ(r.merge.shown[1].first.glyph + r.merge.shown[1].second.glyph, "AC");
  EXPECT_EQ(r.merge.shown[2].first.glyph + r.merge.shown[2].second.glyph, "BC");
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{kDone}));

  const Workbook& wb = r.w.wb();
  ASSERT_EQ(wb.marks.size(), 4u);
  EXPECT_EQ(wb.marks[2].glyph, "B");
  EXPECT_EQ(wb.marks[3].glyph, "D");
  EXPECT_EQ(wb.marks[3].id, 3);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(boxGlyph(wb, 0, c, 0), "B") << c;
  EXPECT_EQ(boxGlyph(wb, 0, 3, 0), "D");
  EXPECT_EQ(r.w.doc.current, 1);  // both merges are one undo step
  EXPECT_EQ(r.merge.reloads, 2);

  r.w.undo();
  EXPECT_EQ(r.w.wb(), before);
  EXPECT_EQ(r.ui.texts().back(), "カタログマーク編集の内容を更新前に戻しました。"_sj);
  r.w.redo();
  EXPECT_EQ(r.w.wb(), wb);
}

TEST(Consolidation, StopKeepsEarlierMergesAndSaysSo) {
  ConsolidationRig r({userMark(2, "A", "same", 1), userMark(3, "B", "same", 1), userMark(4, "Q", "q", 2, 1),
                      userMark(5, "Q", "r", 2, 1)});
  r.open();
  r.merge.choices = {MergeChoice::KeepFirst, MergeChoice::Stop};
  EXPECT_EQ(consolidate(r.w), -1);
  ASSERT_EQ(r.merge.shown.size(), 2u);
  EXPECT_EQ(r.merge.shown[1].first.name, "q");  // the third pass
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"集約処理が中断されました。"_sj}));
  EXPECT_EQ(r.w.wb().marks.size(), 5u);
  EXPECT_EQ(r.w.marks.dormantEntries.size(), 2u);
}

TEST(Consolidation, LookAlikeSearchCoversBothLists) {
  MarkEditor ed;
  ed.activeEntries = {userMark(2, "A", "a", 1), userMark(3, "B", "b", 1)};
  ed.dormantEntries = {userMark(4, "C", "c", 1, 1)};
  EXPECT_FALSE(hasLookAlikes(ed));
  ed.dormantEntries.push_back(userMark(5, "D", "a", 1, 1));
  EXPECT_TRUE(hasLookAlikes(ed));
  ed.dormantEntries.back().name = "d";
  ed.dormantEntries.back().glyph = "C";
  EXPECT_TRUE(hasLookAlikes(ed));
}

}  // namespace
}  // namespace tgc::test
