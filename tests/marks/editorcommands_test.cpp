#include "marks/editorcommands.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "tests/marks/marksrig.h"

namespace tgc::test {
namespace {

TEST(DeleteMarks, RefusedForAllWhenOneSelectedMarkIsUsed) {
  MarksRig r;
  addSheet(r.w.wb(), TypeA, {{2, 2, 0}, {2, 1, 7}});  // 素材 used
  openMarkEditor(r.w);
  const Workbook before = r.w.wb();
  const int used = positionOf(r.w.marks.activeEntries, "素材"_sj);
  const int unused = positionOf(r.w.marks.activeEntries, "色"_sj);
  EXPECT_EQ(deleteSelectedMarks(r.w, {unused, used}), -1);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"シート上で使用中のため、削除は行えません。"_sj}));
  EXPECT_EQ(r.w.wb(), before);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 24u);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST(DeleteMarks, NoSelectionWarnsForTheCurrentList) {
  MarksRig r;
  openMarkEditor(r.w);
  EXPECT_EQ(deleteSelectedMarks(r.w, {}), -1);
  r.w.marks.setCurrentList(kDormantList);
  EXPECT_EQ(deleteSelectedMarks(r.w, {0}), -1);  // the dormant list is empty
  EXPECT_EQ(selectedMarkId(r.w, {}), -1);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"「使用マーク」を選択してください。"_sj,
                                                    "「休止マーク」を選択してください。"_sj,
                                                    "「休止マーク」を選択してください。"_sj}));
}

TEST(DeleteMarks, AnsweringNoChangesNothing) {
  MarksRig r;
  openMarkEditor(r.w);
  r.ui.answers = {Answer::No};
  EXPECT_EQ(deleteSelectedMarks(r.w, {0}), -1);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 24u);
  EXPECT_EQ(r.w.wb().marks.size(), 26u);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.w.doc.modified, 0);
}

// A mark on idea boxes only can go; its idea boxes show "！" afterwards, and
// every later mark keeps its boxes although its id drops by one.
TEST(DeleteMarks, IdeaBoxesFallBackToTheIdeaMarkAndLaterIdsDrop) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  const int s = addSheet(wb, TypeB, {{0, 0, 0}, {0, 1, 3, 1}, {1, 0, 4}, {1, 1, 25}, {2, 0, 2}});
  openMarkEditor(r.w);
  const Workbook before = r.w.wb();
  const int cat = positionOf(r.w.marks.activeEntries, "カテゴリ"_sj);  // id 3
  r.ui.answers = {Answer::Yes};
  EXPECT_EQ(deleteSelectedMarks(r.w, {cat}), 0);
  EXPECT_EQ(r.ui.messages[0].text, "∩ カテゴリ を削除しますか？"_sj);
  EXPECT_EQ(r.ui.messages[0].buttons, Buttons::YesNo);
  EXPECT_EQ(r.ui.texts().back(), "削除が完了しました。"_sj);

  const Workbook& after = r.w.wb();
  ASSERT_EQ(after.marks.size(), 25u);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(after.marks[i].id, i);
  EXPECT_EQ(boxMark(after, s, 0, 1), kIdeaMarkId);
  EXPECT_EQ(boxGlyph(after, s, 1, 0), "△"_sj);
  EXPECT_EQ(boxMark(after, s, 1, 0), 3);
  EXPECT_EQ(boxGlyph(after, s, 1, 1), "０"_sj);
  EXPECT_EQ(boxGlyph(after, s, 2, 0), "∴"_sj);
  EXPECT_EQ(positionOf(r.w.marks.activeEntries, "カテゴリ"_sj), -1);
  for (const CatalogMark& e : r.w.marks.activeEntries) EXPECT_EQ(after.findMark(e.id)->name, e.name);

  r.w.undo();
  EXPECT_EQ(r.w.wb(), before);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 24u);
  r.w.redo();
  EXPECT_EQ(boxMark(r.w.wb(), s, 0, 1), kIdeaMarkId);
  EXPECT_EQ(r.w.wb().marks.size(), 25u);
}

TEST(DeleteMarks, SeveralSelectedNamesTheLastAndIsOneUndoStep) {
  MarksRig r;
  openMarkEditor(r.w);
  moveToDormant(r.w, {0, 1, 2});  // カテゴリ デメリット メリット, now reversed
  r.w.marks.setCurrentList(kDormantList);
  r.ui.answers = {Answer::Yes};
  EXPECT_EQ(deleteSelectedMarks(r.w, {2, 0}), 0);
  EXPECT_EQ(r.ui.messages[0].text, "∩ カテゴリ を削除しますか？"_sj);
  ASSERT_EQ(r.w.marks.dormantEntries.size(), 1u);
  EXPECT_EQ(r.w.marks.dormantEntries[0].name, "デメリット"_sj);
  EXPECT_EQ(r.w.wb().marks.size(), 24u);
  EXPECT_EQ(r.w.doc.current, 1);
}

TEST(CloseCheck, WarnsOnceAboutUnsetAttributesInEitherList) {
  MarksRig r;
  openMarkEditor(r.w);
  closeCheck(r.w);
  EXPECT_TRUE(r.ui.messages.empty());
  r.w.marks.activeEntries[0].attribute = AttrUnset;
  r.w.marks.activeEntries[1].attribute = AttrUnset;
  closeCheck(r.w);
  r.w.marks.activeEntries[0].attribute = AttrElement;
  r.w.marks.activeEntries[1].attribute = AttrElement;
  r.w.marks.dormantEntries.push_back(test::userMark(30, "z", "z", AttrUnset, 1));
  closeCheck(r.w);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"属性が未設定のマークがあります。"_sj,
                                                    "属性が未設定のマークがあります。"_sj}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(r.ui.repaints, 0);
  closeMarkEditor(r.w);
  EXPECT_EQ(r.ui.messages.size(), 3u);
  EXPECT_EQ(r.ui.repaints, 1);
}

TEST(ToggleMarkNames, TwiceReturnsToTheFormerStateAndStoresEachValue) {
  MarksRig r;
  ASSERT_EQ(r.w.shell.markNames, 1);
  toggleMarkNames(r.w);
  EXPECT_EQ(r.w.shell.markNames, 0);
  EXPECT_EQ(r.settings.readInt("View Info", "Name", 9), 0);
  toggleMarkNames(r.w);
  EXPECT_EQ(r.w.shell.markNames, 1);
  EXPECT_EQ(r.settings.readInt("View Info", "Name", 9), 1);
  EXPECT_EQ(r.ui.repaints, 2);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"マーク名を「非表示」にしました。"_sj,
                                                    "マーク名を「表示」にしました。"_sj}));
  EXPECT_EQ(r.w.doc.modified, 0);
}

}  // namespace
}  // namespace tgc::test
