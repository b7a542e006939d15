#include "marks/markproperties.h"

#include <gtest/gtest.h>

#include "core/cp932literal.h"
#include "marks/editorcommands.h"
#include "tests/marks/marksrig.h"

namespace tgc::test {
namespace {

MarkProperties props(const std::string& glyph, const std::string& name, const std::string& note = "",
                     int attribute = AttrElement) {
  return MarkProperties{glyph, name, note, attribute};
}

// Runs one Add check with the confirmation answered OK; true when applied.
bool addAccepted(MarksRig& r, const MarkProperties& p) {
  r.ui.answers.push_back(Answer::Ok);
  const bool ok = applyMarkProperties(r.w, MarkDialogMode::Add, p) == 0;
  if (!ok) r.ui.answers.clear();
  return ok;
}

std::string lastText(const MarksRig& r) {
  return r.ui.texts().empty() ? "" : r.ui.texts().back();
}

TEST(MarkPropertiesChecks, GlyphLengthCountsCp932Bytes) {
  MarksRig r;
  openMarkEditor(r.w);
  EXPECT_TRUE(addAccepted(r, props("ab", "n1")));
  EXPECT_FALSE(addAccepted(r, props("abc", "n2")));
  EXPECT_EQ(lastText(r), "「マーク」は全角１文字もしくは半角２文字までです。"_sj);
  EXPECT_FALSE(addAccepted(r, props("◎◎"_sj, "n3")));
  EXPECT_EQ(lastText(r), "「マーク」は全角１文字もしくは半角２文字までです。"_sj);
  EXPECT_TRUE(addAccepted(r, props("◎"_sj, "n4")));
  EXPECT_TRUE(addAccepted(r, props(" ", "n5")));  // nothing is trimmed
  EXPECT_FALSE(addAccepted(r, props("", "")));
  EXPECT_EQ(lastText(r), "「マーク」が設定されていません。"_sj);
  EXPECT_EQ(r.w.wb().marks.size(), 29u);
  EXPECT_EQ(r.w.wb().marks.back().glyph, " ");
}

TEST(MarkPropertiesChecks, NameAndNoteLimits) {
  MarksRig r;
  openMarkEditor(r.w);
  EXPECT_FALSE(addAccepted(r, props("a", std::string(21, 'n'))));
  EXPECT_EQ(lastText(r), "「名称」は全角１０文字もしくは半角２０文字までです。"_sj);
  EXPECT_FALSE(addAccepted(r, props("a", "")));
  EXPECT_EQ(lastText(r), "「名称」が設定されていません。"_sj);
  EXPECT_FALSE(addAccepted(r, props("a", "n", std::string(129, 'x'))));
  EXPECT_EQ(lastText(r), "「補足」は全角６４文字もしくは半角１２８文字までです。"_sj);
  EXPECT_TRUE(addAccepted(r, props("a", "あいうえおかきくけこ"_sj, std::string(127, 'x') + "x")));
  EXPECT_EQ(r.w.wb().marks.back().note.size(), 128u);
  EXPECT_EQ(r.w.wb().marks.back().name, "あいうえおかきくけこ"_sj);
}

TEST(MarkPropertiesChecks, SystemGlyphsAndNamesAreRefusedInBothModes) {
  MarksRig r;
  openMarkEditor(r.w);
  const std::string glyphMsg = "「□」と「！」のマークはシステム固定のため使用できません。"_sj;
  const std::string nameMsg = "「テーマ」と「アイデア」の名称はシステム固定のため使用できません。"_sj;
  EXPECT_FALSE(addAccepted(r, props("！"_sj, "x")));
  EXPECT_EQ(lastText(r), glyphMsg);
  EXPECT_FALSE(addAccepted(r, props("x", "テーマ"_sj)));
  EXPECT_EQ(lastText(r), nameMsg);
  EXPECT_EQ(applyMarkProperties(r.w, MarkDialogMode::Modify, props("□"_sj, "部分"_sj), 2, 9), -1);
  EXPECT_EQ(lastText(r), glyphMsg);
  EXPECT_EQ(applyMarkProperties(r.w, MarkDialogMode::Modify, props("∴"_sj, "アイデア"_sj), 2, 9), -1);
  EXPECT_EQ(lastText(r), nameMsg);
  EXPECT_EQ(r.ui.messages.size(), 4u);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST(MarkPropertiesChecks, LookAlikesAskOncePerMarkInCatalogOrder) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  wb.marks.push_back(userMark(26, "∴"_sj, "second part", 1, 1));  // dormant counts too
  wb.marks.push_back(userMark(27, "@", "部分2"_sj, 1));
  openMarkEditor(r.w);
  const Workbook before = r.w.wb();

  EXPECT_FALSE(addAccepted(r, props("∴"_sj, "部分"_sj)));
  EXPECT_EQ(lastText(r), "同じマーク同じ名称のものが存在します。"_sj);

  // Two marks share the glyph: Yes to the first, No to the second refuses.
  r.ui.clearRecord();
  r.ui.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(applyMarkProperties(r.w, MarkDialogMode::Add, props("∴"_sj, "new")), -1);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"マークはすでに使用されています。続行しますか？"_sj,
                                                    "マークはすでに使用されています。続行しますか？"_sj}));
  EXPECT_EQ(r.w.wb(), before);

  r.ui.clearRecord();
  r.ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes, Answer::Ok};
  EXPECT_EQ(applyMarkProperties(r.w, MarkDialogMode::Add, props("∴"_sj, "部分2"_sj)), 0);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"マークはすでに使用されています。続行しますか？"_sj,
                                                    "マークはすでに使用されています。続行しますか？"_sj,
                                                    "同じ名称のものが存在します。続行しますか？"_sj,
                                                    "追加を実行します。"_sj}));
  EXPECT_EQ(r.ui.messages.back().kind, MessageKind::Confirmation);
}

TEST(MarkPropertiesAdd, LimitMessageAtOneThousandMarksAndDialogAt999) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  for (int id = 26; id < 999; ++id) wb.marks.push_back(userMark(id, "g", std::to_string(id), 1));
  openMarkEditor(r.w);
  EXPECT_EQ(openAddMark(r.w), -1);  // 999: the dialog opens and is cancelled
  EXPECT_EQ(r.props.requests.size(), 1u);
  EXPECT_TRUE(r.ui.messages.empty());
  wb.marks.push_back(userMark(999, "g", "999", 1));
  EXPECT_EQ(openAddMark(r.w), -1);
  EXPECT_EQ(r.props.requests.size(), 1u);
  EXPECT_EQ(r.ui.texts(),
            (std::vector<std::string>{"最大マーク件数 1000件 を上回るため、追加は行えません。"_sj}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Warning);
}

TEST(MarkPropertiesAdd, DialogStaysOpenAfterARefusalThenAddsToTheCurrentList) {
  MarksRig r;
  openMarkEditor(r.w);
  r.w.marks.setCurrentList(kDormantList);
  r.props.inputs = {props("abc", "new"), props("ab", "new", "note", AttrTransform)};
  r.ui.answers = {Answer::Ok};
  EXPECT_EQ(openAddMark(r.w), 0);
  ASSERT_EQ(r.props.requests.size(), 1u);
  EXPECT_EQ(r.props.requests[0].mode, MarkDialogMode::Add);
  EXPECT_EQ(r.props.requests[0].initial, MarkProperties{});
  EXPECT_EQ(r.props.oks, 2);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"「マーク」は全角１文字もしくは半角２文字までです。"_sj,
                                                    "追加を実行します。"_sj, "追加が完了しました。"_sj}));
  const CatalogMark& added = r.w.wb().marks.back();
  EXPECT_EQ(added.id, 26);
  EXPECT_EQ(added.dormant, 1);
  EXPECT_EQ(added.attribute, AttrTransform);
  EXPECT_EQ(added.note, "note");
  ASSERT_EQ(r.w.marks.dormantEntries.size(), 1u);
  EXPECT_EQ(r.w.marks.dormantEntries[0].id, 26);
  openMarkEditor(r.w);
  EXPECT_EQ(positionOf(r.w.marks.dormantEntries, "new"), 0);

  r.w.undo();
  EXPECT_EQ(r.w.wb().marks.size(), 26u);
  EXPECT_TRUE(r.w.marks.dormantEntries.empty());
  r.w.redo();
  EXPECT_EQ(r.w.wb().marks.back().name, "new");
}

TEST(MarkPropertiesAdd, CancelledConfirmationKeepsTheDialogOpen) {
  MarksRig r;
  openMarkEditor(r.w);
  r.props.inputs = {props("ab", "new")};
  r.ui.answers = {Answer::Cancel};
  EXPECT_EQ(openAddMark(r.w), -1);
  EXPECT_EQ(r.w.wb().marks.size(), 26u);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"追加を実行します。"_sj}));
}

TEST(MarkPropertiesAdd, EmptyCatalogGetsIdTwoAndTheSystemMarksBack) {
  MarksRig r;
  r.w.wb().marks.clear();
  r.w.wb().sheets.clear();
  openMarkEditor(r.w);
  r.props.inputs = {props("ab", "first")};
  r.ui.answers = {Answer::Ok};
  EXPECT_EQ(openAddMark(r.w), 0);
  const Workbook& wb = r.w.wb();
  ASSERT_EQ(wb.marks.size(), 3u);
  EXPECT_EQ(wb.marks[0], systemMark(0));
  EXPECT_EQ(wb.marks[1], systemMark(1));
  EXPECT_EQ(wb.marks[2].id, 2);
  EXPECT_EQ(wb.marks[2].name, "first");
  EXPECT_EQ(r.w.marks.activeEntries[0].id, 2);
}

TEST(MarkPropertiesAdd, TakesTheSmallestFreeIdAboveTheSystemIds) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  wb.marks = {systemMark(0), systemMark(1), userMark(2, "a", "a", 1), userMark(4, "b", "b", 1)};
  wb.sheets.clear();
  addSheet(wb, TypeA, {{0, 0, 4}});
  openMarkEditor(r.w);
  r.ui.answers = {Answer::Ok};
  // The new mark takes id 3 and sits between the two, so the box of "b"
  // keeps showing "b" after renumbering.
  EXPECT_EQ(applyMarkProperties(r.w, MarkDialogMode::Add, props("c", "c")), 0);
  EXPECT_EQ(r.w.wb().marks[3].name, "c");
  EXPECT_EQ(r.w.wb().marks[4].name, "b");
  EXPECT_EQ(boxGlyph(r.w.wb(), 0, 0, 0), "b");
}

TEST(MarkPropertiesModify, UnchangedValuesAndOwnTextsAskNothing) {
  MarksRig r;
  openMarkEditor(r.w);
  const int pos = positionOf(r.w.marks.activeEntries, "部分"_sj);
  r.props.inputs = {props("∴"_sj, "部分"_sj, "ex. 弁当箱 -> フタ"_sj, AttrElement)};
  EXPECT_EQ(openModifyMark(r.w, {pos}), -1);
  ASSERT_EQ(r.props.requests.size(), 1u);
  EXPECT_EQ(r.props.requests[0].mode, MarkDialogMode::Modify);
  EXPECT_EQ(r.props.requests[0].initial, props("∴"_sj, "部分"_sj, "ex. 弁当箱 -> フタ"_sj, AttrElement));
  EXPECT_FALSE(r.props.requests[0].attributeLocked);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"変更箇所はありません。"_sj}));
  EXPECT_FALSE(r.w.doc.canUndo());

  r.ui.clearRecord();
  r.props.inputs = {props("∴"_sj, "部分"_sj, "new note", AttrElement)};
  r.ui.answers = {Answer::Ok};
  EXPECT_EQ(openModifyMark(r.w, {pos}), 0);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"修正を実行します。"_sj, "修正が完了しました。"_sj}));
  EXPECT_EQ(r.w.wb().findMark(2)->note, "new note");
  EXPECT_EQ(r.w.marks.activeEntries[pos].note, "new note");
}

TEST(MarkPropertiesModify, NoSelectionWarnsPerList) {
  MarksRig r;
  openMarkEditor(r.w);
  EXPECT_EQ(openModifyMark(r.w, {}), -1);
  r.w.marks.setCurrentList(kDormantList);
  EXPECT_EQ(openModifyMark(r.w, {0}), -1);
  EXPECT_TRUE(r.props.requests.empty());
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"「使用マーク」を選択してください。"_sj,
                                                    "「休止マーク」を選択してください。"_sj}));
}

TEST(MarkPropertiesModify, AttributeLockedByTypeBOrCUseButNotByTypeA) {
  MarksRig r;
  Workbook& wb = r.w.wb();
  addSheet(wb, TypeB, {{1, 0, 2}, {0, 1, 3, 1}});  // 部分 on B; カテゴリ on an idea box only
  addSheet(wb, TypeA, {{1, 1, 4}});                // メリット on A only
  openMarkEditor(r.w);
  const int part = positionOf(r.w.marks.activeEntries, "部分"_sj);
  r.props.inputs = {props("∴"_sj, "部分x"_sj, "", AttrTransform)};
  r.ui.answers = {Answer::Ok};
  EXPECT_EQ(openModifyMark(r.w, {part}), 0);
  EXPECT_TRUE(r.props.requests.back().attributeLocked);
  EXPECT_EQ(r.w.wb().findMark(2)->attribute, AttrElement);
  EXPECT_EQ(r.w.wb().findMark(2)->name, "部分x"_sj);

  for (const char* name : {"カテゴリ"_sj, "メリット"_sj}) {
    const int pos = positionOf(r.w.marks.activeEntries, name);
    const CatalogMark e = r.w.marks.activeEntries[pos];
    r.props.inputs = {props(e.glyph, e.name, e.note, AttrTransform)};
    r.ui.answers = {Answer::Ok};
    EXPECT_EQ(openModifyMark(r.w, {pos}), 0) << name;
    EXPECT_FALSE(r.props.requests.back().attributeLocked) << name;
    EXPECT_EQ(r.w.wb().findMark(e.id)->attribute, AttrTransform) << name;
  }
  EXPECT_EQ(r.w.doc.current, 1);  // all three changes are one step
}

}  // namespace
}  // namespace tgc::test
