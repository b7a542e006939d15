#include "sheet/ideasetting.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

const char* const kNoWord = "語句が入力されていないため、アイデア設定は行えません。"_sj;

TEST(IdeaSetting, TypeBAndTypeCOnlyExplainTheAutomaticFlag) {
  SheetRig t;
  t.addSheet(CreateKind::TypeC);
  t.put(1, 0, 0, "弁当箱"_sj);
  t.put(1, 2, 0, "保温"_sj, kIdeaMarkId);
  t.box(2, 0).idea = 1;
  t.select(2, 0);
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.texts().back(), "このシートでは一行目に入力すると、自動でアイデア設定を行います。"_sj);
  EXPECT_EQ(t.box(2, 0).idea, 1);
  t.addSheet(CreateKind::TypeB);
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Warning);
  EXPECT_EQ(t.ui.texts().back(), "このシートでは一列目に入力すると、自動でアイデア設定を行います。"_sj);
  EXPECT_FALSE(t.w.doc.canUndo());
}

TEST(IdeaSetting, ThemeAndEmptyBoxesAreRefused) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.select(2, 2);
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Information);
  EXPECT_EQ(t.ui.texts().back(), "テーマへのアイデア設定は行えません。"_sj);
  t.select(1, 1);
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.texts().back(), kNoWord);
  t.put(0, 1, 1, "フタ"_sj, -1);  // a word without a mark
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.texts().back(), kNoWord);
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
}

TEST(IdeaSetting, SettingAsksAndIsOneUndoStep) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj);
  t.select(1, 1);
  t.ui.answers = {Answer::Cancel};
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Confirmation);
  EXPECT_EQ(t.ui.texts().back(), "アイデア設定を行いますか？"_sj);
  EXPECT_EQ(t.box(1, 1).idea, 0);
  EXPECT_EQ(t.w.doc.modified, 0);

  t.ui.answers = {Answer::Ok};
  EXPECT_EQ(toggleIdea(t.w), 0);
  EXPECT_EQ(t.box(1, 1).idea, 1);
  EXPECT_EQ(t.w.doc.modified, 1);
  t.w.undo();
  EXPECT_EQ(t.box(1, 1).idea, 0);
  t.w.redo();
  EXPECT_EQ(t.box(1, 1).idea, 1);
}

TEST(IdeaSetting, ClearingRemovesTheWordsMemoForEverySheet) {
  SheetRig t;
  t.addSheet(CreateKind::TypeA);
  for (int s : {0, 1}) {
    t.put(s, 2, 2, s == 0 ? "弁当箱"_sj : "水筒"_sj);
    t.put(s, 1, 1, "保温"_sj);
    t.box(s, 1, 1).idea = 1;
  }
  const int word = t.wb().findWord("保温"_sj);
  t.wb().memos = {{word, "二重構造"_sj}};
  t.wb().refreshHasMemo();
  t.wb().currentSheet = 0;
  t.select(1, 1);

  t.ui.answers = {Answer::Ok, Answer::Cancel};
  EXPECT_EQ(toggleIdea(t.w), -1);
  EXPECT_EQ(t.ui.texts(), (std::vector<std::string>{"アイデア設定の解除を行いますか？"_sj,
                                                    "アイデアメモも削除されますが、続行しますか？"_sj}));
  EXPECT_EQ(t.box(1, 1).idea, 1);
  EXPECT_EQ(t.wb().memos.size(), 1u);
  EXPECT_FALSE(t.w.doc.canUndo());

  t.ui.answers = {Answer::Ok, Answer::Ok};
  EXPECT_EQ(toggleIdea(t.w), 0);
  EXPECT_EQ(t.box(1, 1).idea, 0);
  EXPECT_TRUE(t.wb().memos.empty());
  EXPECT_EQ(t.wb().words[word].hasMemo, 0);
  EXPECT_EQ(t.box(1, 1, 1).idea, 1);  // the other sheet keeps its flag

  t.w.undo();
  EXPECT_EQ(t.box(1, 1).idea, 1);
  ASSERT_EQ(t.wb().memos.size(), 1u);
  EXPECT_EQ(t.wb().words[word].hasMemo, 1);
}

}  // namespace
}  // namespace tgc::test
