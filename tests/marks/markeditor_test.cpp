#include "marks/markeditor.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "marks/editorcommands.h"
#include "tests/marks/marksrig.h"

namespace tgc::test {
namespace {

std::vector<std::string> names(const std::vector<CatalogMark>& list) {
  std::vector<std::string> out;
  for (const CatalogMark& m : list) out.push_back(m.name);
  return out;
}

std::vector<int32_t> ids(const std::vector<CatalogMark>& list) {
  std::vector<int32_t> out;
  for (const CatalogMark& m : list) out.push_back(m.id);
  return out;
}

TEST(MarkEditorOpen, NewWorkbookListsElementsThenTransformsByCp932Bytes) {
  MarksRig r;
  openMarkEditor(r.w);
  const auto& active = r.w.marks.activeEntries;
  ASSERT_EQ(active.size(), 24u);
  EXPECT_TRUE(r.w.marks.dormantEntries.empty());
  // Code page 932 order, not Unicode order: 用 (0x9770) comes before 利 (0x9798).
  const std::vector<std::string> elements = {"カテゴリ"_sj, "デメリット"_sj, "メリット"_sj, "形状"_sj,
                                             "時期"_sj,     "場所"_sj,       "色"_sj,       "素材"_sj,
                                             "特徴"_sj,     "部分"_sj,       "用途"_sj,     "利用者"_sj};
  const std::vector<std::string> all = names(active);
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 12), elements);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(active[i].attribute, i < 12 ? AttrElement : AttrTransform) << i;
  EXPECT_EQ(r.w.wb().markEdited, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST(MarkEditorSort, ExchangeSortGivesItsOwnOrderForEqualKeys) {
  MarkEditor ed;
  ed.activeEntries = {userMark(2, "a", "b", 1), userMark(3, "c", "a", 1), userMark(4, "d", "b", 1),
                      userMark(5, "e", "a", 1)};
  ed.sortList(kActiveList);
  // A stable sort would give 3 5 2 4; the exchanges move 2 behind 4.
  EXPECT_EQ(ids(ed.activeEntries), (std::vector<int32_t>{3, 5, 4, 2}));
}

TEST(MarkEditorSort, HeaderClickTogglesDirectionOnlyOnFirstColumn) {
  MarkEditor ed;
  ed.dormantEntries = {userMark(2, "a", "x", 0, 1), userMark(3, "b", "y", 2, 1), userMark(4, "c", "z", 2, 1)};
  EXPECT_FALSE(ed.headerClick(kDormantList, 1));
  EXPECT_EQ(ed.currentList, kDormantList);
  EXPECT_EQ(ed.dormantSortDescending, 0);
  EXPECT_EQ(ids(ed.dormantEntries), (std::vector<int32_t>{2, 3, 4}));

  EXPECT_TRUE(ed.headerClick(kDormantList, 0));  // first click: descending
  EXPECT_EQ(ed.dormantSortDescending, 1);
  EXPECT_EQ(ids(ed.dormantEntries), (std::vector<int32_t>{4, 3, 2}));
  EXPECT_TRUE(ed.headerClick(kDormantList, 0));
  EXPECT_EQ(ids(ed.dormantEntries), (std::vector<int32_t>{2, 3, 4}));
  EXPECT_EQ(ed.activeSortDescending, 0);
}

TEST(MarkEditorReload, UsageCountsNonIdeaBoxesAndActiveMarksAreNormalised) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  wb.marks[5].dormant = 7;  // anything but 1 is active
  wb.marks[6].dormant = 1;
  addSheet(wb, TypeC, {{0, 1, 2}, {1, 0, 3, 1}});
  addSheet(wb, TypeB, {{0, 1, 3, 1}, {1, 1, 4}});
  r.w.marks.reloadEntries(wb);
  EXPECT_EQ(wb.marks[2].sheetUsage, 100);
  EXPECT_EQ(wb.marks[3].sheetUsage, 0);  // idea boxes only
  EXPECT_EQ(wb.marks[4].sheetUsage, 10);
  EXPECT_EQ(wb.marks[5].dormant, 0);
  ASSERT_EQ(r.w.marks.dormantEntries.size(), 1u);
  EXPECT_EQ(r.w.marks.dormantEntries[0].id, 6);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 23u);
}

TEST(MarkEditorMove, TwoMarksGoReversedToTheTopOfTheDormantListAndStayAfterReopen) {
  MarksRig r;
  openMarkEditor(r.w);
  auto& ed = r.w.marks;
  ed.dormantEntries.clear();
  const int a = positionOf(ed.activeEntries, "形状"_sj), b = positionOf(ed.activeEntries, "素材"_sj);
  ASSERT_LT(a, b);
  moveToDormant(r.w, {b, a});
  EXPECT_EQ(names(ed.dormantEntries), (std::vector<std::string>{"素材"_sj, "形状"_sj}));
  EXPECT_EQ(ed.dormantEntries[0].dormant, 1);
  EXPECT_EQ(ed.activeEntries.size(), 22u);
  EXPECT_EQ(r.w.wb().findMark(7)->dormant, 1);  // 素材
  EXPECT_EQ(r.w.wb().findMark(9)->dormant, 1);  // 形状
  EXPECT_EQ(r.w.wb().findMark(8)->dormant, 0);
  EXPECT_EQ(r.w.doc.modified, 1);

  openMarkEditor(r.w);
  EXPECT_EQ(names(ed.dormantEntries), (std::vector<std::string>{"形状"_sj, "素材"_sj}));  // sorted again
  moveToActive(r.w, {1});
  EXPECT_EQ(positionOf(ed.dormantEntries, "形状"_sj), 0);
  EXPECT_EQ(positionOf(ed.activeEntries, "素材"_sj), 0);
  openMarkEditor(r.w);
  EXPECT_EQ(names(ed.dormantEntries), (std::vector<std::string>{"形状"_sj}));
  EXPECT_EQ(r.w.wb().findMark(7)->dormant, 0);
}

TEST(MarkEditorMove, NothingSelectedRecordsNothing) {
  MarksRig r;
  openMarkEditor(r.w);
  moveToDormant(r.w, {});
  moveToActive(r.w, {3});  // out of range of an empty list
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.w.doc.modified, 0);
}

TEST(MarkEditorUndo, OneOpeningIsOneUndoStepWithItsMessages) {
  MarksRig r;
  const Workbook before = r.w.wb();
  openMarkEditor(r.w);
  moveToDormant(r.w, {0, 1});
  moveToDormant(r.w, {0});
  moveToActive(r.w, {2});
  const std::vector<CatalogMark> after = r.w.wb().marks;
  EXPECT_EQ(r.w.doc.current, 1);

  r.w.undo();
  EXPECT_EQ(r.w.wb().marks, before.marks);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.w.marks.dormantEntries.size(), 0u);  // the lists follow the catalog
  EXPECT_EQ(r.ui.texts().back(), "カタログマーク編集の内容を更新前に戻しました。"_sj);
  r.w.redo();
  EXPECT_EQ(r.w.wb().marks, after);
  EXPECT_EQ(r.w.marks.dormantEntries.size(), 2u);
  EXPECT_EQ(r.ui.texts().back(), "カタログマーク編集の内容を更新後に戻しました。"_sj);

  // A second opening makes a step of its own.
  openMarkEditor(r.w);
  moveToDormant(r.w, {0});
  EXPECT_EQ(r.w.doc.current, 2);
}

TEST(MarkEditorCommit, RecreatesSystemMarksAndRenumbersDenselyKeepingBoxes) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  wb.marks = {CatalogMark{0, "x", "other", "", 0, 0, 1, 0}, userMark(9, "A", "nine", 1),
              userMark(4, "B", "four", 2, 1), userMark(1, "y", "idea?", 0)};
  wb.sheets.clear();
  addSheet(wb, TypeA, {{2, 2, 0}, {1, 2, 9}, {3, 2, 4}, {0, 0, -1}});
  openMarkEditor(r.w);
  moveToDormant(r.w, {positionOf(r.w.marks.activeEntries, "nine")});

  const Workbook& out = r.w.wb();
  ASSERT_EQ(out.marks.size(), 4u);
  EXPECT_EQ(out.marks[0], systemMark(0));
  EXPECT_EQ(out.marks[1], systemMark(1));
  EXPECT_EQ(out.marks[2].name, "four");
  EXPECT_EQ(out.marks[2].id, 2);
  EXPECT_EQ(out.marks[3].name, "nine");
  EXPECT_EQ(out.marks[3].id, 3);
  EXPECT_EQ(boxGlyph(out, 0, 1, 2), "A");
  EXPECT_EQ(boxGlyph(out, 0, 3, 2), "B");
  EXPECT_EQ(boxMark(out, 0, 2, 2), 0);
  EXPECT_EQ(boxMark(out, 0, 0, 0), -1);
  EXPECT_EQ(ids(r.w.marks.dormantEntries), (std::vector<int32_t>{3, 2}));
}

TEST(MarkEditorCommit, DuplicatedIdsInADamagedCatalogEndDistinct) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  wb.marks = {systemMark(0), systemMark(1), userMark(5, "A", "a", 1), userMark(5, "B", "b", 1)};
  wb.sheets.clear();
  addSheet(wb, TypeA, {{1, 1, 5}});
  openMarkEditor(r.w);
  moveToDormant(r.w, {0});
  EXPECT_EQ(ids(r.w.wb().marks), (std::vector<int32_t>{0, 1, 2, 3}));
  std::vector<int32_t> entryIds = ids(r.w.marks.activeEntries);
  entryIds.push_back(r.w.marks.dormantEntries[0].id);
  std::sort(entryIds.begin(), entryIds.end());
  EXPECT_EQ(entryIds, (std::vector<int32_t>{2, 3}));
  EXPECT_EQ(boxMark(r.w.wb(), 0, 1, 1), 2);  // the first mark of the id keeps the box
}

TEST(SortAndRenumberCatalog, SortsByIdAndRepointsBoxesAndBothLists) {
  Workbook wb;
  wb.marks = {systemMark(0), userMark(12, "C", "c", 2), systemMark(1), userMark(3, "A", "a", 1),
              userMark(7, "B", "b", 1, 1)};
  addSheet(wb, TypeB, {{0, 0, 12}, {1, 0, 3}, {2, 0, 7}, {3, 0, 1}, {4, 0, 40}});
  MarkEditor ed;
  ed.activeEntries = {userMark(12, "C", "c", 2), userMark(3, "A", "a", 1)};
  ed.dormantEntries = {userMark(7, "B", "b", 1, 1)};
  sortAndRenumberCatalog(wb, ed);
  EXPECT_EQ(ids(wb.marks), (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(names(wb.marks), (std::vector<std::string>{"テーマ"_sj, "アイデア"_sj, "a", "b", "c"}));
  EXPECT_EQ(boxGlyph(wb, 0, 0, 0), "C");
  EXPECT_EQ(boxGlyph(wb, 0, 1, 0), "A");
  EXPECT_EQ(boxGlyph(wb, 0, 2, 0), "B");
  EXPECT_EQ(boxMark(wb, 0, 3, 0), 1);
  EXPECT_EQ(boxMark(wb, 0, 4, 0), 40);  // names no mark: left alone
  EXPECT_EQ(ids(ed.activeEntries), (std::vector<int32_t>{4, 2}));
  EXPECT_EQ(ids(ed.dormantEntries), (std::vector<int32_t>{3}));
}

}  // namespace
}  // namespace tgc::test
