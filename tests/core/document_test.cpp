#include "core/document.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "tests/support/fakes.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

using test::numbered;

void change(Document& d, const std::string& word) {
  d.recordChange();
  d.cur().addWord(word);
}

TEST(UndoRing, SixthPushWrapsAndDropsTheOldest) {
  Document d;
  for (int i = 1; i <= 6; ++i) change(d, numbered(i));
  EXPECT_EQ(d.current, 0);
  EXPECT_EQ(d.oldest, 1);
  EXPECT_EQ(d.wrapped, 1);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(d.undoStep().moved);
  EXPECT_EQ(d.current, 1);
  EXPECT_EQ(d.cur().words.size(), 1u);  // the state after the first change
  EXPECT_FALSE(d.undoStep().moved);
  EXPECT_EQ(d.current, 1);
}

TEST(UndoRing, NewChangeAfterUndoDropsRedo) {
  Document d;
  change(d, "a");
  change(d, "b");
  change(d, "c");
  d.undoStep();
  d.undoStep();
  EXPECT_TRUE(d.canRedo());
  change(d, "x");
  EXPECT_FALSE(d.canRedo());
  EXPECT_EQ(d.newest, d.current);
  ASSERT_EQ(d.cur().words.size(), 2u);
  EXPECT_EQ(d.cur().words[1].text, "x");
}

TEST(UndoRing, ViewStateTravelsWithSteps) {
  Document d;
  d.cur().sheets.resize(2);
  d.cur().currentSheet = 1;
  d.cur().cursorColumn = 4;
  d.recordChange();
  d.cur().currentSheet = 0;
  d.cur().cursorColumn = 0;
  d.undoStep();
  EXPECT_EQ(d.cur().currentSheet, 1);
  EXPECT_EQ(d.cur().cursorColumn, 4);
}

TEST(UndoRing, UndoAndRedoLeaveModifiedAlone) {
  Document d;
  change(d, "a");
  EXPECT_EQ(d.modified, 1);
  d.undoStep();
  EXPECT_EQ(d.modified, 1);
}

TEST(UndoRing, ResetMovesTheCurrentStateToSlotZero) {
  Document d;
  change(d, "a");
  change(d, "b");
  d.cur().cursorColumn = 1;
  d.resetHistory();
  EXPECT_EQ(d.current, 0);
  EXPECT_FALSE(d.canUndo());
  EXPECT_FALSE(d.canRedo());
  EXPECT_EQ(d.cur().words.size(), 2u);
  EXPECT_EQ(d.cur().cursorColumn, 1);
  EXPECT_TRUE(d.slots[2].words.empty());
  EXPECT_EQ(d.slots[3].cursorRow, 2);
}

TEST(UndoRing, ControllerTellsAboutEditorSteps) {
  test::Rig rig;
  Document& d = rig.w.doc;
  d.recordChange();
  d.cur().memoEdited = 1;
  d.recordChange();
  d.cur().markEdited = 1;
  rig.w.undo();
  rig.w.undo();
  EXPECT_EQ(rig.ui.texts(), (std::vector<std::string>{"カタログマーク編集の内容を更新前に戻しました。"_sj,
                                                      "アイデアメモの内容を更新前に戻しました。"_sj}));
  rig.ui.clearRecord();
  rig.w.redo();
  EXPECT_EQ(rig.ui.texts(), (std::vector<std::string>{"アイデアメモの内容を更新後に戻しました。"_sj}));
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Information);
  rig.w.redo();
  EXPECT_EQ(rig.ui.texts().back(), "カタログマーク編集の内容を更新後に戻しました。"_sj);
  const int before = rig.ui.repaints;
  rig.w.redo();  // at the newest state: nothing at all
  EXPECT_EQ(rig.ui.repaints, before);
}

}  // namespace
}  // namespace tgc
