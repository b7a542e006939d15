#include "sheet/sheetspeech.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "sheet/boxinput.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

TEST(SheetSpeech, BoxesSayTheirWordTheirMarkAndWhatElseTheyAre) {
  SheetRig t;
  t.put(0, 2, 2, "ボールペン"_sj);
  t.put(0, 1, 1, "替え芯"_sj, kShape);
  t.box(1, 1).idea = 1;
  t.wb().words[t.box(1, 1).word].hasMemo = 1;
  t.put(0, 3, 1, "インク"_sj, kIncrease);
  t.box(3, 1).assisted = 1;
  t.put(0, 1, 2, "ボール\r\nペン"_sj, kMaterial);
  t.put(0, 3, 3, "回す"_sj, kIdeaMarkId);
  t.box(3, 3).idea = 1;
  t.box(1, 3).mark = kMaterial;
  t.box(1, 3).assisted = 1;  // a flag left on an empty box says nothing

  const struct {
    int column, row;
    const char* name;
    const char* description;
  } cases[] = {
      {2, 2, "ボールペン"_sj, "□ テーマ"_sj},
      {1, 1, "替え芯"_sj, "∠ 形状、アイデア、メモあり"_sj},
      {3, 1, "インク"_sj, "∧ 増やす、語句アシスト"_sj},
      {1, 2, "ボール ペン"_sj, "√ 素材"_sj},
      {3, 3, "回す"_sj, "！ アイデア"_sj},
      {1, 3, "空欄"_sj, "√ 素材"_sj},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.column << "," << c.row);
    EXPECT_EQ(boxSpokenName(t.wb(), t.sheet(0), c.column, c.row), c.name);
    EXPECT_EQ(boxSpokenDescription(t.wb(), t.sheet(0), c.column, c.row), c.description);
  }
}

TEST(SheetSpeech, TheSheetIsItsNumberTypeAndThemeAndTheEditorNamesItsBox) {
  SheetRig t;
  EXPECT_EQ(sheetSpokenName(t.wb()), "シート 1 / 1、シートタイプＡ、テーマ未入力"_sj);
  t.put(0, 2, 2, "弁当箱"_sj);
  EXPECT_EQ(sheetSpokenName(t.wb()), "シート 1 / 1、シートタイプＡ、テーマ「弁当箱」"_sj);
  t.select(2, 2);
  EXPECT_EQ(editorSpokenName(t.wb()), "語句の入力：テーマ"_sj);
  t.box(3, 1).mark = kMaterial;
  t.select(3, 1);
  EXPECT_EQ(editorSpokenName(t.wb()), "語句の入力：2行目 4列目、√ 素材"_sj);
  t.addSheet(CreateKind::TypeC);
  EXPECT_EQ(sheetSpokenName(t.wb()), "シート 2 / 2、シートタイプＣ、テーマ未入力"_sj);
  t.wb().currentSheet = 5;
  EXPECT_EQ(sheetSpokenName(t.wb()), "シートなし"_sj);
}

TEST(SheetSpeech, ComparingSnapshotsTellsWhatToAnnounce) {
  SheetRig t;
  const SheetSpeech start = speakSheet(t.w);
  EXPECT_EQ(start.names[speechIndex(2, 2)], "空欄"_sj);

  // A word committed to the theme: that box's name and the sheet's name.
  t.select(2, 2);
  commitBoxText(t.w, "弁当箱"_sj);
  const SheetSpeech typed = speakSheet(t.w);
  SpeechChanges c = compareSpeech(start, typed);
  EXPECT_EQ(c.names, std::vector<int>{speechIndex(2, 2)});
  EXPECT_TRUE(c.descriptions.empty());
  EXPECT_TRUE(c.name);
  EXPECT_FALSE(c.sheet || c.selection || c.children);

  // A move of the selection, the guide, then another sheet.
  t.select(3, 2);
  t.w.shell.guideShown = 1;
  c = compareSpeech(typed, speakSheet(t.w));
  EXPECT_TRUE(c.selection && c.children);
  EXPECT_FALSE(c.sheet || c.name);
  EXPECT_TRUE(c.names.empty());
  t.addSheet(CreateKind::TypeB);
  c = compareSpeech(typed, speakSheet(t.w));
  EXPECT_TRUE(c.sheet && c.name && c.children);
  EXPECT_EQ(c.names, std::vector<int>{speechIndex(2, 2)});  // only the theme differed
}

}  // namespace
}  // namespace tgc::test
