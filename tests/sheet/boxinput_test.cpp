#include "sheet/boxinput.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

const char* const kThemeFirst = "テーマから入力してください。"_sj;
const char* const kColumnRule = "この列の１行目に語句が入力されていません。\n\n１行目を入力してください。"_sj;
const char* const kRowRule = "この行の１列目に語句が入力されていません。\n\n１列目を入力してください。"_sj;

// The check refuses the selected box with `text` as its last message and
// leaves the selection on `to`.
::testing::AssertionResult refused(SheetRig& t, int mode, const std::string& text, GridPos to) {
  const int result = checkBoxInput(t.w, mode);
  const std::string shown = t.ui.texts().empty() ? std::string() : t.ui.texts().back();
  const GridPos at{t.wb().cursorColumn, t.wb().cursorRow};
  if (result == -1 && shown == text && at == to) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "result " << result << ", message \"" << shown << "\", selection ("
                                       << at.column << ", " << at.row << ")";
}

TEST(BoxInput, ThemeComesFirstAndTheSelectionMovesToIt) {
  SheetRig t;
  t.select(0, 0);
  EXPECT_FALSE(openEditor(t.w, 800, 700).has_value());
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(t.ui.messages[0].text, kThemeFirst);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{2, 2}));
  EXPECT_EQ(t.w.editor.editing, 0);
  // The theme box itself is always open.
  auto opening = openEditor(t.w, 800, 700);
  ASSERT_TRUE(opening.has_value());
  EXPECT_EQ(opening->text, "");
  EXPECT_EQ(t.w.editor.editing, 1);
}

TEST(BoxInput, TypeAAcceptsDiagonalNeighboursOnly) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(1, 1);
  auto opening = openEditor(t.w, 800, 700);
  ASSERT_TRUE(opening.has_value());
  EXPECT_EQ(opening->rect, editorRect(boxRect(computeLayout(800, 700), 1, 1)));
  closeEditor(t.w, true, "");

  t.select(0, 0);
  EXPECT_FALSE(openEditor(t.w, 800, 700).has_value());
  EXPECT_EQ(t.ui.texts().back(),
            "となりの語句が入力されていません。\n\n入力されている語句にとなりのワクに入力をしてください。（斜"
            "め方向も可）"_sj);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{0, 0}));

  // A box that already holds a word may always be edited, neighbours or not.
  t.put(0, 4, 4, "フタ"_sj);
  t.select(4, 4);
  opening = openEditor(t.w, 800, 700);
  ASSERT_TRUE(opening.has_value());
  EXPECT_EQ(opening->text, "フタ"_sj);
  // A second open while editing is ignored.
  EXPECT_FALSE(openEditor(t.w, 800, 700).has_value());
}

TEST(BoxInput, TypeBLowerBoxNeedsTheFirstRowOfItsColumn) {
  SheetRig t;
  t.addSheet(CreateKind::TypeB);
  t.select(0, 2);
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), -1);  // idea box before the theme
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{0, 0}));

  t.put(1, 0, 0, "弁当箱"_sj);
  t.ui.clearRecord();
  t.select(0, 2);
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), 0);  // idea area opens with the theme

  // Word assist's variant: prefixed message, selection stays.
  t.select(3, 2);
  EXPECT_TRUE(refused(t, kInputForAssist, std::string("語句アシスト：\n\n"_sj) + kColumnRule, {3, 2}));

  EXPECT_TRUE(refused(t, kInputForEditor, kColumnRule, {3, 0}));
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), 0);

  t.put(1, 3, 0, "フタ"_sj);
  t.select(3, 2);
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), 0);
}

TEST(BoxInput, TypeCRightBoxNeedsTheFirstColumnOfItsRow) {
  SheetRig t;
  t.addSheet(CreateKind::TypeC);
  t.put(1, 0, 0, "弁当箱"_sj);
  t.select(3, 2);
  EXPECT_TRUE(refused(t, kInputForEditor, kRowRule, {0, 2}));
  t.select(3, 0);  // idea area of Type-C
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), 0);
  t.put(1, 0, 2, "フタ"_sj);
  t.select(3, 2);
  EXPECT_EQ(checkBoxInput(t.w, kInputForEditor), 0);
}

TEST(BoxInput, CommitInTypeBIdeaAreaFlagsTheBoxButNotOnTheTheme) {
  SheetRig t;
  t.addSheet(CreateKind::TypeB);
  t.select(0, 0);
  commitBoxText(t.w, "弁当箱"_sj);
  EXPECT_EQ(t.text(0, 0), "弁当箱"_sj);
  EXPECT_EQ(t.box(0, 0).idea, 0);
  t.select(0, 2);
  commitBoxText(t.w, "保温"_sj);
  EXPECT_EQ(t.box(0, 2).idea, 1);
  EXPECT_EQ(t.w.doc.modified, 1);

  t.w.undo();
  EXPECT_EQ(t.box(0, 2).word, -1);
  EXPECT_EQ(t.box(0, 2).idea, 0);
  EXPECT_EQ(t.text(0, 0), "弁当箱"_sj);
  t.w.redo();
  EXPECT_EQ(t.text(0, 2), "保温"_sj);
  EXPECT_EQ(t.box(0, 2).idea, 1);
}

TEST(BoxInput, EmptyCommitClearsWordIdeaAndAssisted) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj);
  t.box(1, 1).idea = 1;
  t.box(1, 1).assisted = 1;
  t.select(1, 1);
  commitBoxText(t.w, "");
  EXPECT_EQ(t.box(1, 1).word, -1);
  EXPECT_EQ(t.box(1, 1).idea, 0);
  EXPECT_EQ(t.box(1, 1).assisted, 0);
  // The old word stays in the pool: only the deletion commands purge.
  EXPECT_EQ(t.wb().findWord("フタ"_sj), 1);
  t.w.undo();
  EXPECT_EQ(t.text(1, 1), "フタ"_sj);
  EXPECT_EQ(t.box(1, 1).idea, 1);
  EXPECT_EQ(t.box(1, 1).assisted, 1);

  // Empty text on an empty box is not a change.
  t.w.doc.resetHistory();
  t.w.doc.setModified(0);
  t.select(0, 0);
  commitBoxText(t.w, "");
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
}

TEST(BoxInput, EqualTextRecordsNothing) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(2, 2);
  commitBoxText(t.w, "弁当箱"_sj);
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
  EXPECT_EQ(t.ui.repaints, 0);
}

TEST(BoxInput, EqualWordsShareOnePoolEntryAndBytesDecide) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(1, 2);
  commitBoxText(t.w, "弁当箱"_sj);
  EXPECT_EQ(t.box(1, 2).word, t.box(2, 2).word);
  EXPECT_EQ(t.wb().words.size(), 1u);
  EXPECT_TRUE(t.w.doc.canUndo());
  t.select(3, 2);
  commitBoxText(t.w, "ＡＢＣ"_sj);
  t.select(3, 3);
  commitBoxText(t.w, "ABC");  // different width: a new word
  EXPECT_EQ(t.wb().words.size(), 3u);
  // Line breaks brought in by a paste are kept as typed.
  t.select(1, 1);
  commitBoxText(t.w, "a\r\nb");
  EXPECT_EQ(t.text(1, 1), "a\r\nb");
}

TEST(BoxInput, RetypingAnIdeaOnTypeAKeepsTheFlagAndClearsAssisted) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj);
  t.box(1, 1).idea = 1;
  t.box(1, 1).assisted = 1;
  t.select(1, 1);
  commitBoxText(t.w, "留め具"_sj);
  EXPECT_EQ(t.box(1, 1).idea, 1);
  EXPECT_EQ(t.box(1, 1).assisted, 0);
}

TEST(BoxInput, CloseCommitsUnlessCancelledAndOnlyOnce) {
  SheetRig t;
  t.select(2, 2);
  ASSERT_TRUE(openEditor(t.w, 800, 700).has_value());
  closeEditor(t.w, true, "捨てる"_sj);
  EXPECT_EQ(t.box(2, 2).word, -1);
  EXPECT_EQ(t.w.editor.editing, 0);
  EXPECT_FALSE(t.w.doc.canUndo());

  ASSERT_TRUE(openEditor(t.w, 800, 700).has_value());
  // While the widget hides itself a focus-loss close must do nothing.
  t.w.editor.closingEditor = 1;
  EXPECT_FALSE(editorClosable(t.w));
  closeEditor(t.w, false, "二重"_sj);
  EXPECT_EQ(t.w.editor.editing, 1);
  EXPECT_EQ(t.box(2, 2).word, -1);
  t.w.editor.closingEditor = 0;
  closeEditor(t.w, false, "弁当箱"_sj);
  EXPECT_EQ(t.text(2, 2), "弁当箱"_sj);
  EXPECT_EQ(t.w.editor.editing, 0);
  closeEditor(t.w, false, "また"_sj);  // already closed
  EXPECT_EQ(t.text(2, 2), "弁当箱"_sj);
}

TEST(BoxInput, EnterActionFollowsModifiersAndEditing) {
  SheetRig t;
  EXPECT_EQ(enterAction(t.w, false, false), EnterAction::OpenEditor);
  EXPECT_EQ(enterAction(t.w, true, false), EnterAction::ToggleIdea);
  EXPECT_EQ(enterAction(t.w, true, true), EnterAction::ToggleIdea);
  EXPECT_EQ(enterAction(t.w, false, true), EnterAction::None);
  t.w.editor.editing = 1;
  EXPECT_EQ(enterAction(t.w, true, true), EnterAction::CommitEdit);
}

}  // namespace
}  // namespace tgc::test
