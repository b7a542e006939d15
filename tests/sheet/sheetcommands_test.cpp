#include "sheet/sheetcommands.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/cp932literal.h"
#include "sheet/boxinput.h"
#include "tests/sheet/sheetrig.h"

namespace tgc::test {
namespace {

const char* const kNoActive = "有効のマークが設定されていません。"_sj;
const char* const kMemoAlsoGoes = "アイデアメモも削除されますが、続行しますか？"_sj;

std::set<int32_t> marksOf(const Sheet& s, bool (*where)(const Box&)) {
  std::set<int32_t> out;
  for (const Box& b : s.boxes)
    if (where(b)) out.insert(b.mark);
  return out;
}

TEST(CreateSheet, InitialSheetIsSilentAndLeavesTheCurrentSheet) {
  SheetRig t;
  ASSERT_EQ(t.wb().sheets.size(), 1u);
  t.wb().cursorColumn = 0;
  EXPECT_EQ(createSheet(t.w, CreateKind::Initial), 0);
  EXPECT_EQ(t.wb().sheets.size(), 2u);
  EXPECT_EQ(t.wb().currentSheet, 0);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{2, 2}));
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
  EXPECT_EQ(t.ui.repaints, 0);
  EXPECT_EQ(t.ui.focusRequests, 0);
}

TEST(CreateSheet, TypeAPlacesTheThemeAndActiveMarksAndIsOneUndoStep) {
  SheetRig t;
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeA), 0);
  ASSERT_EQ(t.wb().sheets.size(), 2u);
  EXPECT_EQ(t.wb().currentSheet, 1);
  EXPECT_EQ(t.w.doc.modified, 1);
  EXPECT_EQ(t.ui.focusRequests, 1);
  EXPECT_EQ(t.ui.waitDepth, 0);
  const Sheet& s = t.sheet(1);
  ASSERT_EQ(s.boxes.size(), 25u);
  // Record order: column by column, top to bottom.
  for (int i = 0; i < 25; ++i) {
    const Box& b = s.boxes[i];
    EXPECT_EQ(b.column, i / 5);
    EXPECT_EQ(b.row, i % 5);
    EXPECT_EQ(b.sheetType, TypeA);
    EXPECT_EQ(b.word, -1);
    EXPECT_EQ(b.mark == kThemeMarkId, i == 12);
    EXPECT_TRUE(b.mark == kThemeMarkId || (b.mark >= 2 && b.mark < 26));
  }
  // 24 boxes and 24 active marks: each is used exactly once.
  EXPECT_EQ(marksOf(s, [](const Box& b) { return b.mark != kThemeMarkId; }).size(), 24u);

  t.w.undo();
  EXPECT_EQ(t.wb().sheets.size(), 1u);
  EXPECT_EQ(t.wb().currentSheet, 0);
  t.w.redo();
  EXPECT_EQ(t.wb().sheets.size(), 2u);
  EXPECT_EQ(t.wb().currentSheet, 1);
}

TEST(CreateSheet, ThreeActiveMarksAreEachUsedOnceBeforeAnyRepeats) {
  SheetRig t;
  t.keepActive({4, 9, 20});
  t.clock.script = {700, 4242};  // one read passes lastSeedTime, one seeds
  t.clock.now = 9999;
  ASSERT_EQ(createSheet(t.w, CreateKind::TypeA), 0);
  EXPECT_EQ(t.w.rng.lastSeedTime(), 700);

  // The expected draws, straight from the generator's formula and the rule
  // that a drawn mark leaves the pool until the pool runs dry.
  uint32_t state = 4242;
  std::vector<int32_t> pool;
  std::vector<int32_t> expected;
  for (int i = 0; i < 24; ++i) {
    if (pool.empty()) pool = {4, 9, 20};
    state = state * 214013u + 2531011u;
    const int v = static_cast<int>((state >> 16) & 0x7FFF);
    const size_t k = static_cast<size_t>(v) % pool.size();
    expected.push_back(pool[k]);
    pool.erase(pool.begin() + static_cast<long>(k));
  }
  std::vector<int32_t> drawn;
  for (const Box& b : t.sheet(1).boxes)
    if (b.mark != kThemeMarkId) drawn.push_back(b.mark);
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(std::set<int32_t>(drawn.begin(), drawn.begin() + 3), (std::set<int32_t>{4, 9, 20}));
}

TEST(CreateSheet, ReseedWaitsForTheClockToMove) {
  SheetRig t;  // its first sheet was seeded at 1000
  ASSERT_EQ(t.w.rng.lastSeedTime(), 1000);
  t.clock.reads = 0;
  t.clock.script = {1000, 1001, 1001, 1001, 1002, 1002};
  t.clock.now = 1002;
  createSheet(t.w, CreateKind::TypeA);
  EXPECT_EQ(t.w.rng.lastSeedTime(), 1001);
  EXPECT_EQ(t.w.rng.state(), [] {
    uint32_t s = 1001;
    for (int i = 0; i < 24; ++i) s = s * 214013u + 2531011u;
    return s;
  }());
  const auto first = t.sheet(1).boxes;
  createSheet(t.w, CreateKind::TypeA);
  EXPECT_EQ(t.w.rng.lastSeedTime(), 1002);
  EXPECT_EQ(t.clock.reads, 6);
  EXPECT_NE(t.sheet(2).boxes, first);
}

TEST(CreateSheet, ReseedGivesUpAfterTenThousandExtraReads) {
  SheetRig t;
  t.clock.now = 1000;
  createSheet(t.w, CreateKind::TypeA);  // lastSeedTime is now 1000
  t.clock.reads = 0;
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeA), 0);
  EXPECT_EQ(t.clock.reads, 1 + 10000 + 1);
}

TEST(CreateSheet, TypeBGivesEachColumnOneDistinctElementMark) {
  SheetRig t;
  t.keepActive({2, 3, 4, 5, 14});  // four elements and a transform
  ASSERT_EQ(createSheet(t.w, CreateKind::TypeB), 0);
  const Sheet& s = t.sheet(1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{0, 0}));
  EXPECT_EQ(findBox(s, 0, 0)->mark, kThemeMarkId);
  std::set<int32_t> columns;
  for (int r = 1; r < 5; ++r) EXPECT_EQ(findBox(s, 0, r)->mark, kIdeaMarkId);
  for (int c = 1; c < 5; ++c) {
    const int32_t m = findBox(s, c, 0)->mark;
    for (int r = 1; r < 5; ++r) EXPECT_EQ(findBox(s, c, r)->mark, m);
    columns.insert(m);
  }
  EXPECT_EQ(columns, (std::set<int32_t>{2, 3, 4, 5}));
  for (const Box& b : s.boxes) EXPECT_EQ(b.sheetType, TypeB);
}

TEST(CreateSheet, TypeCWithOneTransformMarkUsesItOnEveryTransformBox) {
  SheetRig t;
  t.keepActive({2, 3, 4, 5, 6, 21});
  ASSERT_EQ(createSheet(t.w, CreateKind::TypeC), 0);
  const Sheet& s = t.sheet(1);
  std::set<int32_t> firstColumn;
  for (int r = 1; r < 5; ++r) firstColumn.insert(findBox(s, 0, r)->mark);
  EXPECT_EQ(firstColumn.size(), 4u);
  EXPECT_EQ(firstColumn.count(21), 0u);
  for (int c = 1; c < 5; ++c) {
    EXPECT_EQ(findBox(s, c, 0)->mark, kIdeaMarkId);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(findBox(s, c, r)->mark, 21);
  }
  // Record order: first column, then the idea row, then row by row.
  EXPECT_EQ((GridPos{s.boxes[5].column, s.boxes[5].row}), (GridPos{1, 0}));
  EXPECT_EQ((GridPos{s.boxes[9].column, s.boxes[9].row}), (GridPos{1, 1}));
  EXPECT_EQ((GridPos{s.boxes[10].column, s.boxes[10].row}), (GridPos{2, 1}));
}

TEST(CreateSheet, PreconditionsInOrderChangeNothing) {
  SheetRig t;
  t.keepActive({2, 3, 4, 5});  // exactly four elements, no transform
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeC), -1);
  EXPECT_EQ(t.ui.texts().back(),
            "Type-C のシートでは、マーク属性の\"変換\"を１件以上登録する必要があります。"_sj);
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeB), 0);

  t.keepActive({2, 3, 4});
  t.ui.clearRecord();
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeB), -1);
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeC), -1);  // the element test comes first
  EXPECT_EQ(t.ui.texts(),
            (std::vector<std::string>{
                "Type-B のシートでは、マーク属性の\"要素\"を４件以上登録する必要があります。"_sj,
                "Type-C のシートでは、マーク属性の\"要素\"を４件以上登録する必要があります。"_sj}));
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeA), 0);

  t.keepActive({});
  t.w.doc.resetHistory();
  t.w.doc.setModified(0);
  EXPECT_EQ(createSheet(t.w, CreateKind::TypeC), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Warning);
  EXPECT_EQ(t.ui.texts().back(), kNoActive);
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
}

TEST(CreateSheet, ThousandSheetsRefuseEveryKindWithoutAnUndoStep) {
  SheetRig t;
  t.wb().sheets.resize(kMaxSheets, t.sheet(0));
  for (CreateKind kind : {CreateKind::TypeA, CreateKind::TypeB, CreateKind::TypeC, CreateKind::Initial}) {
    t.ui.clearRecord();
    EXPECT_EQ(createSheet(t.w, kind), 1);
    EXPECT_EQ(t.ui.texts().back(), "最大シート枚数 1000枚 を上回るため、シートの追加はできません。"_sj);
  }
  EXPECT_EQ(t.wb().sheets.size(), 1000u);
  EXPECT_FALSE(t.w.doc.canUndo());
  EXPECT_EQ(t.w.doc.modified, 0);
}

TEST(DeleteWord, AsksThenClearsAndPurgesTheWordWithItsMemos) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj);
  t.put(0, 3, 3, "留め具"_sj);
  t.box(1, 1).idea = 1;
  t.wb().memos.push_back({1, "メモ"_sj});
  t.wb().refreshHasMemo();
  t.select(1, 1);

  t.ui.answers = {Answer::Cancel};
  EXPECT_EQ(deleteSelectedWord(t.w), -1);
  t.ui.answers = {Answer::Ok, Answer::Cancel};
  EXPECT_EQ(deleteSelectedWord(t.w), -1);
  EXPECT_EQ(t.ui.texts().back(), kMemoAlsoGoes);
  EXPECT_FALSE(t.w.doc.canUndo());

  t.ui.answers = {Answer::Ok, Answer::Ok};
  EXPECT_EQ(deleteSelectedWord(t.w), 0);
  EXPECT_EQ(t.box(1, 1).word, -1);
  EXPECT_EQ(t.box(1, 1).idea, 0);
  EXPECT_TRUE(t.wb().memos.empty());
  ASSERT_EQ(t.wb().words.size(), 2u);
  EXPECT_EQ(t.text(3, 3), "留め具"_sj);  // references follow the purge

  t.w.undo();
  EXPECT_EQ(t.text(1, 1), "フタ"_sj);
  EXPECT_EQ(t.wb().memos.size(), 1u);
  t.w.redo();
  EXPECT_EQ(t.box(1, 1).word, -1);

  t.ui.clearRecord();
  EXPECT_EQ(deleteSelectedWord(t.w), -1);  // empty box: no question at all
  EXPECT_TRUE(t.ui.messages.empty());
}

TEST(DeleteWord, AWordStillShownElsewhereStaysInThePool) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.put(0, 1, 1, "フタ"_sj);
  t.put(0, 1, 2, "フタ"_sj);
  t.select(1, 1);
  t.ui.answers = {Answer::Ok};
  EXPECT_EQ(deleteSelectedWord(t.w), 0);
  EXPECT_EQ(t.text(1, 2), "フタ"_sj);
  EXPECT_EQ(t.wb().words.size(), 2u);
}

TEST(DeleteSheet, OnlySheetIsReplacedInTwoUndoSteps) {
  SheetRig t;
  t.put(0, 2, 2, "弁当箱"_sj);
  t.ui.answers = {Answer::Ok};
  EXPECT_EQ(deleteCurrentSheet(t.w), 0);
  ASSERT_EQ(t.wb().sheets.size(), 1u);
  EXPECT_EQ(t.wb().currentSheet, 0);
  EXPECT_EQ(t.box(2, 2).word, -1);
  EXPECT_EQ(t.box(2, 2).mark, kThemeMarkId);
  EXPECT_TRUE(t.wb().words.empty());

  t.w.undo();
  EXPECT_TRUE(t.wb().sheets.empty());
  EXPECT_TRUE(t.wb().words.empty());
  t.w.undo();
  ASSERT_EQ(t.wb().sheets.size(), 1u);
  EXPECT_EQ(t.text(2, 2), "弁当箱"_sj);
  EXPECT_FALSE(t.w.doc.canUndo());
  t.w.redo();
  t.w.redo();
  ASSERT_EQ(t.wb().sheets.size(), 1u);
  EXPECT_EQ(t.box(2, 2).word, -1);
}

TEST(DeleteSheet, WithoutActiveMarksTheWorkbookStaysWithoutSheets) {
  SheetRig t;
  t.keepActive({});
  t.ui.answers = {Answer::Ok};
  EXPECT_EQ(deleteCurrentSheet(t.w), 0);
  EXPECT_TRUE(t.wb().sheets.empty());
  EXPECT_EQ(t.ui.texts().back(), kNoActive);
  // Nothing to delete any more, and navigation must not invent an index.
  EXPECT_EQ(deleteCurrentSheet(t.w), -1);
  EXPECT_EQ(moveToSheet(t.w, SheetMove::Next), -1);
  EXPECT_EQ(t.wb().currentSheet, 0);
}

TEST(DeleteSheet, AsksOnceAboutMemosOfItsIdeasAndKeepsTheShownIndexValid) {
  SheetRig t;
  t.addSheet(CreateKind::TypeA);
  t.addSheet(CreateKind::TypeA);
  t.put(2, 2, 2, "弁当箱"_sj);
  t.put(2, 1, 1, "フタ"_sj);
  t.put(2, 3, 3, "留め具"_sj);
  t.box(2, 1, 1).idea = 1;
  t.box(2, 3, 3).idea = 1;
  t.wb().memos = {{1, "a"}, {2, "b"}};
  t.put(0, 2, 2, "留め具"_sj);  // shown on sheet 0 too, so its memo survives
  ASSERT_EQ(t.wb().currentSheet, 2);

  t.ui.answers = {Answer::Ok, Answer::Cancel};
  EXPECT_EQ(deleteCurrentSheet(t.w), -1);
  EXPECT_EQ(t.wb().sheets.size(), 3u);

  t.ui.clearRecord();
  t.ui.answers = {Answer::Ok, Answer::Ok};
  EXPECT_EQ(deleteCurrentSheet(t.w), 0);
  EXPECT_EQ(t.ui.texts(), (std::vector<std::string>{"表示シートを削除しますか？"_sj, kMemoAlsoGoes}));
  EXPECT_EQ(t.wb().sheets.size(), 2u);
  EXPECT_EQ(t.wb().currentSheet, 1);
  ASSERT_EQ(t.wb().memos.size(), 1u);
  EXPECT_EQ(t.wb().wordText(t.wb().memos[0].word), "留め具"_sj);
  EXPECT_EQ(t.wb().wordText(t.box(0, 2, 2).word), "留め具"_sj);
}

TEST(MoveToSheet, EndsChangeNothingButFirstAndLastReselectTheTheme) {
  SheetRig t;
  t.addSheet(CreateKind::TypeB);
  t.addSheet(CreateKind::TypeA);
  t.w.doc.setModified(0);
  t.wb().currentSheet = 0;
  t.select(1, 3);
  EXPECT_EQ(moveToSheet(t.w, SheetMove::Previous), -1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{1, 3}));
  EXPECT_EQ(moveToSheet(t.w, SheetMove::First), -1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{2, 2}));

  EXPECT_EQ(moveToSheet(t.w, SheetMove::Next), 0);
  EXPECT_EQ(t.wb().currentSheet, 1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{0, 0}));
  EXPECT_EQ(moveToSheet(t.w, SheetMove::Last), 0);
  EXPECT_EQ(t.wb().currentSheet, 2);
  t.select(4, 4);
  EXPECT_EQ(moveToSheet(t.w, SheetMove::Next), -1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{4, 4}));
  EXPECT_EQ(moveToSheet(t.w, SheetMove::Previous), 0);
  EXPECT_EQ(t.wb().currentSheet, 1);
  EXPECT_EQ(t.ui.repaints, 6);  // every call repaints
  EXPECT_EQ(t.w.doc.modified, 0);
  EXPECT_FALSE(t.w.doc.canUndo());
}

TEST(JumpToWordList, SelectsTheFirstMatchingBoxOfTheEntrysSheet) {
  SheetRig t;
  t.addSheet(CreateKind::TypeA);
  t.put(1, 2, 2, "弁当箱"_sj);
  t.put(1, 0, 1, "フタ"_sj, kShape);
  t.put(1, 3, 1, "フタ"_sj, kMaterial);
  t.put(1, 4, 4, "フタ"_sj, kMaterial);
  t.box(1, 4, 4).idea = 1;
  t.wb().currentSheet = 0;

  EXPECT_EQ(jumpToWordListEntry(t.w, nullptr), -1);
  EXPECT_EQ(t.ui.messages.back().kind, MessageKind::Plain);
  EXPECT_EQ(t.ui.texts().back(), "語句を選択してください。"_sj);
  EXPECT_EQ(t.wb().currentSheet, 0);

  const int word = t.wb().findWord("フタ"_sj);
  WordListJump entry{word, kMaterial, 1};
  EXPECT_EQ(jumpToWordListEntry(t.w, &entry), 0);
  EXPECT_EQ(t.wb().currentSheet, 1);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{3, 1}));
  entry.mark = kIdeaMarkId;
  EXPECT_EQ(jumpToWordListEntry(t.w, &entry), 0);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{4, 4}));
  // No match any more: only the sheet changes.
  entry = {word, kIncrease, 0};
  EXPECT_EQ(jumpToWordListEntry(t.w, &entry), 0);
  EXPECT_EQ(t.wb().currentSheet, 0);
  EXPECT_EQ((GridPos{t.wb().cursorColumn, t.wb().cursorRow}), (GridPos{4, 4}));
  entry.sheet = 7;
  EXPECT_EQ(jumpToWordListEntry(t.w, &entry), -1);
  EXPECT_EQ(t.wb().currentSheet, 0);
}

}  // namespace
}  // namespace tgc::test
