#include "windows/ideamemo.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/cp932literal.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

// A window that runs the test's steps on the session it is given.
struct ScriptedWindow : IdeaMemoWindowPort {
  std::function<void(IdeaMemoSession&)> steps;
  int runs = 0;
  void run(IdeaMemoSession& session) override {
    ++runs;
    if (steps) steps(session);
  }
};

// Sheet 1: 傘 (theme) and 骨, an idea 折り畳み. Sheet 2: the ideas 折り畳み
// again and 透明, and the plain word 柄. 折り畳み has a memo. Sheet 2 is
// shown, its plain box 柄 selected.
struct MemoRig : SheetRig {
  MemoRig() {
    put(0, 2, 2, "傘"_sj);
    put(0, 1, 1, "骨"_sj);
    put(0, 2, 1, "折り畳み"_sj);
    box(0, 2, 1).idea = 1;
    addSheet(CreateKind::TypeA);
    put(1, 2, 2, "折り畳み"_sj);
    box(1, 2, 2).idea = 1;
    put(1, 1, 1, "透明"_sj);
    box(1, 1, 1).idea = 1;
    put(1, 3, 3, "柄"_sj);
    fold = wb().findWord("折り畳み"_sj);
    clear = wb().findWord("透明"_sj);
    wb().memos.push_back({fold, "小さく畳める"_sj});
    wb().refreshHasMemo();
    select(3, 3);
  }
  int32_t fold = -1, clear = -1;
};

TEST(IdeaMemo, RefusedWithoutIdeasAndSilentWithoutSheets) {
  SheetRig r;
  r.put(0, 2, 2, "傘"_sj);
  ScriptedWindow window;
  EXPECT_EQ(ideaMemoCommand(r.w, window), -1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{
                              "アイデアが登録されていないため、アイデアメモを起動できませんでした。"_sj});
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Warning);
  r.box(2, 2).idea = 1;
  r.wb().currentSheet = 5;  // no such sheet: nothing happens
  EXPECT_EQ(ideaMemoCommand(r.w, window), 0);
  EXPECT_EQ(window.runs, 0);
  r.wb().currentSheet = 0;
  EXPECT_EQ(ideaMemoCommand(r.w, window), 0);
  EXPECT_EQ(window.runs, 1);
}

TEST(IdeaMemo, OneWorkingMemoPerIdeaWordInFirstFoundOrder) {
  MemoRig r;
  IdeaMemoSession s(r.w);
  EXPECT_EQ(s.memos(), (std::vector<WorkingMemo>{{r.fold, "小さく畳める"_sj}, {r.clear, ""}}));
  EXPECT_EQ(s.entryTexts(), (std::vector<std::string>{" ！  折り畳み"_sj, " ！  透明"_sj}));
}

TEST(IdeaMemo, PreselectionFromTheSelectedBoxThenTheSheetsFirstIdea) {
  MemoRig r;
  struct Case {
    int sheet, column, row;
    int expected;
  };
  const Case cases[] = {
      {1, 1, 1, 1},   // the idea 透明 itself
      {0, 1, 1, 0},   // 骨 is no idea: the sheet's first idea, 折り畳み
      {1, 3, 3, -1},  // swapped below: a sheet without ideas
  };
  for (const Case& c : cases) {
    r.wb().currentSheet = c.sheet;
    r.select(c.column, c.row);
    if (c.expected < 0) {
      r.box(1, 2, 2).idea = 0;
      r.box(1, 1, 1).idea = 0;
    }
    IdeaMemoSession s(r.w);
    EXPECT_EQ(s.selected(), c.expected) << c.sheet << c.column << c.row;
    EXPECT_EQ(s.fieldEnabled(), c.expected >= 0);
  }
}

TEST(IdeaMemo, TwoMemosInOneOpeningAreOneUndoStep) {
  MemoRig r;
  const Workbook before = r.wb();
  IdeaMemoSession s(r.w);
  s.select(0);
  s.typed("畳んで鞄に入る"_sj);
  s.select(1);
  EXPECT_EQ(s.shownText(), ""_sj);
  s.typed("中が見える\r\n"_sj);
  s.select(0);
  EXPECT_EQ(s.shownText(), "畳んで鞄に入る"_sj);  // kept while switching
  r.ui.answers = {Answer::Cancel, Answer::Yes};
  EXPECT_FALSE(s.close());  // Cancel: the window stays, nothing written
  EXPECT_EQ(r.wb(), before);
  EXPECT_TRUE(s.close());
  EXPECT_EQ(r.ui.messages.back().text, "メモが変更されています。更新しますか？"_sj);
  EXPECT_EQ(r.ui.messages.back().buttons, Buttons::YesNoCancel);
  EXPECT_EQ(r.wb().memos,
            (std::vector<IdeaMemo>{{r.fold, "畳んで鞄に入る"_sj}, {r.clear, "中が見える\r\n"_sj}}));
  EXPECT_EQ(r.wb().words[r.clear].hasMemo, 1);
  EXPECT_EQ(r.w.doc.modified, 1);
  r.ui.clearRecord();
  r.w.undo();
  EXPECT_EQ(r.wb().memos, before.memos);
  EXPECT_EQ(r.wb().words[r.clear].hasMemo, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"アイデアメモの内容を更新前に戻しました。"_sj});
}

TEST(IdeaMemo, UpdateButtonAndCloseOfOneOpeningShareTheirUndoStep) {
  MemoRig r;
  IdeaMemoSession s(r.w);
  s.update();  // nothing typed: no question
  EXPECT_TRUE(r.ui.messages.empty());
  s.select(1);
  s.typed("a"_sj);
  r.ui.answers = {Answer::Cancel, Answer::Ok};
  s.update();
  EXPECT_FALSE(r.w.doc.canUndo());
  s.update();
  EXPECT_EQ(r.ui.messages.back().text, "更新しますか？"_sj);
  EXPECT_EQ(r.ui.messages.back().buttons, Buttons::OkCancel);
  EXPECT_FALSE(s.changed());
  s.typed("ab"_sj);
  r.ui.answers = {Answer::Yes};
  EXPECT_TRUE(s.close());
  EXPECT_EQ(r.wb().memos.back().text, "ab"_sj);
  r.w.undo();
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.wb().memos.size(), 1u);
}

TEST(IdeaMemo, NoLeavesTheWorkbookUnmodifiedWhateverTheFieldHolds) {
  for (const bool unstorable : {false, true}) {
    MemoRig r;
    const Workbook before = r.wb();
    IdeaMemoSession s(r.w);
    s.typed("消える"_sj);
    if (unstorable) s.typedUnstorable();
    r.ui.answers = {Answer::No};
    EXPECT_TRUE(s.close());
    EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"メモが変更されています。更新しますか？"_sj});
    EXPECT_EQ(r.wb(), before);
    EXPECT_EQ(r.w.doc.modified, 0);
    EXPECT_FALSE(r.w.doc.canUndo());
  }
}

TEST(IdeaMemo, TextTheWorkbookCannotHoldIsRefusedOnlyWhenStored) {
  const std::string warning =
      "保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。"_sj;
  MemoRig r;
  IdeaMemoSession s(r.w);
  s.typedUnstorable();  // the only change
  EXPECT_TRUE(s.changed());
  s.update();  // refused before its question
  r.ui.answers = {Answer::Yes, Answer::Cancel};
  EXPECT_FALSE(s.close());  // Yes: refused, the window stays
  EXPECT_FALSE(s.close());  // Cancel
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{warning, "メモが変更されています。更新しますか？"_sj,
                                                    warning, "メモが変更されています。更新しますか？"_sj}));
  EXPECT_FALSE(r.w.doc.canUndo());
  s.typed("直した"_sj);  // mended: Yes stores it
  r.ui.answers = {Answer::Yes};
  EXPECT_TRUE(s.close());
  EXPECT_EQ(r.wb().memos.back().text, "直した"_sj);
}

TEST(IdeaMemo, BlankTextDeletesAMemoButOnlyEmptyTextAddsNone) {
  MemoRig r;
  IdeaMemoSession s(r.w);
  s.select(0);
  s.typed(" \r\n\t"_sj);  // trimmed empty: 折り畳み's memo goes
  s.select(1);
  s.typed(" "_sj);  // not empty: 透明 gets a memo as typed
  s.commit();
  EXPECT_EQ(r.wb().memos, (std::vector<IdeaMemo>{{r.clear, " "_sj}}));
  EXPECT_EQ(r.wb().words[r.fold].hasMemo, 0);
  EXPECT_EQ(r.wb().words[r.clear].hasMemo, 1);
}

}  // namespace
}  // namespace tgc::test
