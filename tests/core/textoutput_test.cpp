#include "core/textoutput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/cp932literal.h"
#include "core/fileerror.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

CatalogMark mark(int32_t id, const char* glyph, const char* name, const char* note, int32_t attribute) {
  CatalogMark m;
  m.id = id;
  m.glyph = glyph;
  m.name = name;
  m.note = note;
  m.attribute = attribute;
  return m;
}

// A full 5 x 5 sheet of empty boxes carrying mark 2, theme box with mark 0.
Sheet emptySheet(SheetType type) {
  Sheet s = test::gridSheet(type, 2);
  const int theme = type == TypeA ? 12 : 0;
  s.boxes[theme].mark = kThemeMarkId;
  return s;
}

Box& at(Sheet& s, int column, int row) {
  for (Box& b : s.boxes)
    if (b.column == column && b.row == row) return b;
  throw std::logic_error("no such box");
}

Workbook smallWorkbook() {
  Workbook wb;
  wb.marks = {mark(0, "□"_sj, "テーマ"_sj, "題"_sj, 0), mark(1, "！"_sj, "アイデア"_sj, "案"_sj, 0),
              mark(2, "∴"_sj, "部分"_sj, "ex. 箱"_sj, 1), mark(3, "＋"_sj, "増加"_sj, "", 2)};
  return wb;
}

std::string render(const Workbook& wb, OutputKind kind, OutputFormat format) {
  return renderOutput(wb, buildOutputRows(wb, kind), kind, format);
}

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TextOutputSheets, TextLayoutHasTwentyFiveLinesAndAnEmptyLine) {
  Workbook wb = smallWorkbook();
  Sheet s = emptySheet(TypeA);
  at(s, 2, 2).word = wb.addWord("傘"_sj);
  Box& idea = at(s, 3, 2);
  idea.word = wb.addWord("晴雨"_sj);
  idea.idea = 1;  // carries mark 2, shows the idea mark
  at(s, 0, 0).mark = -1;
  wb.sheets.push_back(s);

  const std::string out = render(wb, OutputKind::Sheets, OutputFormat::Text);
  std::string expected;
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) {
      if (r == 0 && c == 0) {
      } else if (r == 2 && c == 2) {
        expected += "□傘"_sj;
      } else if (r == 2 && c == 3) {
        expected += "！晴雨"_sj;
      } else {
        expected += "∴"_sj;
      }
      expected += "\r\n";
    }
  expected += "\r\n";
  EXPECT_EQ(out, expected);
}

TEST(TextOutputSheets, CsvRowsOfEmptyBoxesAreFourCommas) {
  Workbook wb = smallWorkbook();
  Sheet s = emptySheet(TypeB);
  for (Box& b : s.boxes) b.mark = -1;
  at(s, 0, 0).word = wb.addWord("鉛筆"_sj);
  at(s, 0, 0).mark = 0;
  // Box order in the list is not the grid order; output must not care.
  std::swap(s.boxes[0], s.boxes[24]);
  wb.sheets.push_back(s);
  wb.sheets.push_back(emptySheet(TypeC));
  for (Box& b : wb.sheets[1].boxes) b.mark = -1;

  const std::string out = render(wb, OutputKind::Sheets, OutputFormat::Csv);
  const std::string blank = ",,,,\r\n";
  EXPECT_EQ(out, "□鉛筆,,,,\r\n"_sj + blank + blank + blank + blank + "\r\n" + blank + blank + blank + blank +
                     blank + "\r\n");
}

TEST(TextOutputLists, IdeaWordOnThreeSheetsIsListedOnceAtItsFirstPlace) {
  Workbook wb = smallWorkbook();
  const int lamp = wb.addWord("ランプ"_sj);
  const int fan = wb.addWord("扇風機"_sj);
  for (int i = 0; i < 3; ++i) {
    Sheet s = emptySheet(TypeC);
    at(s, 2, 0).word = lamp;
    at(s, 2, 0).idea = 1;
    if (i == 1) {
      at(s, 1, 0).word = fan;
      at(s, 1, 0).idea = 1;
    }
    wb.sheets.push_back(s);
  }
  // Box-list order decides within a sheet: (1,0) comes before (2,0).
  const OutputRows rows = buildOutputRows(wb, OutputKind::Ideas);
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[0], (OutputRow{lamp, 2, 0, kIdeaMarkId}));
  EXPECT_EQ(rows.rows[1], (OutputRow{fan, 1, 0, kIdeaMarkId}));
  EXPECT_EQ(render(wb, OutputKind::Ideas, OutputFormat::Text), "！ ランプ\r\n！ 扇風機\r\n"_sj);
  EXPECT_EQ(render(wb, OutputKind::Ideas, OutputFormat::Csv), "！,ランプ\r\n！,扇風機\r\n"_sj);
}

TEST(TextOutputLists, NoIdeaBoxMeansNoRowsButSheetsAlwaysHaveRows) {
  Workbook wb = smallWorkbook();
  Sheet s = emptySheet(TypeA);
  at(s, 2, 2).word = wb.addWord("机"_sj);
  wb.sheets.push_back(s);
  EXPECT_TRUE(buildOutputRows(wb, OutputKind::Ideas).empty());
  EXPECT_TRUE(buildOutputRows(wb, OutputKind::Memos).empty());
  EXPECT_FALSE(buildOutputRows(wb, OutputKind::Sheets).empty());
  wb.sheets.clear();
  EXPECT_TRUE(buildOutputRows(wb, OutputKind::Sheets).empty());
  EXPECT_TRUE(buildOutputRows(wb, OutputKind::Words).empty());
}

TEST(TextOutputLists, ThemeListReadsTheThemeBoxOfEachType) {
  Workbook wb = smallWorkbook();
  Sheet a = emptySheet(TypeA);
  at(a, 2, 2).word = wb.addWord("家"_sj);
  at(a, 0, 0).word = wb.addWord("窓"_sj);
  Sheet b = emptySheet(TypeB);
  at(b, 0, 0).word = wb.addWord("車"_sj);
  at(b, 2, 2).word = wb.addWord("道"_sj);
  wb.sheets = {a, b, emptySheet(TypeC)};
  EXPECT_EQ(render(wb, OutputKind::Themes, OutputFormat::Text), "□ 家\r\n□ 車\r\n"_sj);
}

TEST(TextOutputLists, WordListPutsUnmarkedWordsFirstWithoutGlyphOrSeparator) {
  Workbook wb = smallWorkbook();
  Sheet s = emptySheet(TypeA);
  at(s, 2, 2).word = wb.addWord("椅子"_sj);
  at(s, 1, 1).word = wb.addWord("脚"_sj);
  at(s, 1, 1).mark = 3;
  at(s, 3, 3).word = wb.addWord("背"_sj);
  at(s, 3, 3).mark = -1;
  at(s, 1, 2).word = wb.addWord("座面"_sj);  // mark 2
  at(s, 2, 1).word = 1;                      // "脚" again, listed once
  at(s, 2, 1).mark = -1;
  wb.sheets.push_back(s);
  EXPECT_EQ(render(wb, OutputKind::Words, OutputFormat::Csv), "背\r\n□,椅子\r\n∴,座面\r\n＋,脚\r\n"_sj);
}

// The exchange sort exactly as described: restart from row i after each exchange.
void literalSort(std::vector<OutputRow>& rows) {
  for (size_t i = 0; i < rows.size(); ++i) {
    for (;;) {
      size_t j = i + 1;
      while (j < rows.size() && rows[j].mark >= rows[i].mark) ++j;
      if (j == rows.size()) break;
      std::swap(rows[i], rows[j]);
    }
  }
}

TEST(TextOutputLists, FastExchangeSortGivesTheLiteralOrder) {
  std::mt19937 gen(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<OutputRow> rows(gen() % 60);
    const int range = 1 + static_cast<int>(gen() % 8);
    for (size_t i = 0; i < rows.size(); ++i)
      rows[i] = {static_cast<int32_t>(i), 0, 0, static_cast<int32_t>(gen() % range) - 1};
    std::vector<OutputRow> expected = rows;
    literalSort(expected);
    sortRowsByMark(rows);
    ASSERT_EQ(rows, expected) << "round " << round;
  }
}

TEST(TextOutputLists, MarkListWritesEveryFieldAndTheAttributeName) {
  Workbook wb = smallWorkbook();
  wb.marks[3].attribute = 7;  // anything but 1 and 2 counts as unset
  EXPECT_EQ(render(wb, OutputKind::Marks, OutputFormat::Text),
            "□ テーマ 題 未設定\r\n！ アイデア 案 未設定\r\n∴ 部分 ex. 箱 要素\r\n＋ 増加  未設定\r\n"_sj);
  const std::string csv = render(wb, OutputKind::Marks, OutputFormat::Csv);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2), "□,テーマ,題,未設定\r\n"_sj);
}

TEST(TextOutputMemos, FirstMemoPerWordTrimmedAndLineFeedsBecomeCommasInCsv) {
  Workbook wb = smallWorkbook();
  const int a = wb.addWord("案A"_sj);
  const int b = wb.addWord("案B"_sj);
  wb.memos = {{a, "一行目\n二行目\n\n"_sj}, {b, "メモ \t\r\n"_sj}, {a, "二つ目のメモ"_sj}};
  EXPECT_EQ(render(wb, OutputKind::Memos, OutputFormat::Csv), "！,案A,一行目,二行目\r\n！,案B,メモ\r\n"_sj);
  EXPECT_EQ(render(wb, OutputKind::Memos, OutputFormat::Text),
            "！ 案A\r\n一行目\n二行目\r\n\r\n！ 案B\r\nメモ\r\n\r\n"_sj);
  // A memo typed with CR LF line breaks: each break is one comma, no CR is
  // left inside the CSV record; the text format keeps the memo as it is.
  wb.memos = {{a, "一行目\r\n二行目\r\n\r\n三行目\r\n"_sj}};
  EXPECT_EQ(render(wb, OutputKind::Memos, OutputFormat::Csv), "！,案A,一行目,二行目,,三行目\r\n"_sj);
  EXPECT_EQ(render(wb, OutputKind::Memos, OutputFormat::Text),
            "！ 案A\r\n一行目\r\n二行目\r\n\r\n三行目\r\n\r\n"_sj);
  // An empty memo trims back to the word itself.
  wb.memos = {{a, "\r\n"}};
  EXPECT_EQ(render(wb, OutputKind::Memos, OutputFormat::Text), "！ 案A\r\n\r\n"_sj);
}

class TextOutputCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.w.doc.cur() = smallWorkbook();
    Workbook& wb = rig.w.wb();
    for (int i = 0; i < 3; ++i) wb.sheets.push_back(emptySheet(TypeA));
    at(wb.sheets[1], 2, 2).word = wb.addWord("本"_sj);
    path = tmp.path("tgc_textoutput_cmd.csv");
  }
  test::Rig rig;
  test::TempDir tmp{"tgc-textoutput-"};
  fs::path path;
};

TEST_F(TextOutputCommand, WritesTheFileStampsSpareAndReports) {
  rig.ui.files.push_back(path.string());
  const TextOutputChoice choice{OutputKind::Themes, OutputFormat::Csv};
  EXPECT_EQ(writeTextOutput(rig.w, choice), 0);
  EXPECT_EQ(readFile(path), "□,本\r\n"_sj);
  ASSERT_EQ(rig.ui.fileRequests.size(), 1u);
  EXPECT_EQ(rig.ui.fileRequests[0].title, "テキスト出力(ＣＳＶ)"_sj);
  EXPECT_EQ(rig.ui.fileRequests[0].filter, "カンマ区切り(*.csv)|*.csv|全て(*.*)|*.*||"_sj);
  EXPECT_EQ(rig.ui.fileRequests[0].defaultExtension, "csv");
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"テキスト出力が完了しました。"_sj});
  for (size_t s = 0; s < 3; ++s)
    for (const Box& b : rig.w.wb().sheets[s].boxes) EXPECT_EQ(b.spare, static_cast<int32_t>(s));
  EXPECT_EQ(rig.w.doc.modified, 0);
  EXPECT_FALSE(rig.w.doc.canUndo());
  EXPECT_EQ(rig.w.textOutput.remembered, choice);
}

TEST_F(TextOutputCommand, NoDataWarnsWithoutAFileDialog) {
  EXPECT_EQ(writeTextOutput(rig.w, {OutputKind::Ideas, OutputFormat::Text}), -1);
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"対象データがありません。"_sj});
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_TRUE(rig.ui.fileRequests.empty());
}

TEST_F(TextOutputCommand, CancelWritesNothingAndAFailedWriteSaysWhyAndKeepsTheOldFile) {
  rig.ui.files.push_back(std::nullopt);
  EXPECT_EQ(writeTextOutput(rig.w, {OutputKind::Sheets, OutputFormat::Text}), 0);
  EXPECT_EQ(rig.ui.fileRequests[0].title, "テキスト出力"_sj);
  EXPECT_EQ(rig.ui.fileRequests[0].defaultExtension, "txt");
  EXPECT_TRUE(rig.ui.messages.empty());

  const std::string missing = (path.parent_path() / "no_such_dir_tgc" / "out.txt").string();
  rig.ui.files.push_back(missing);
  EXPECT_EQ(writeTextOutput(rig.w, {OutputKind::Sheets, OutputFormat::Text}), 1);
  EXPECT_EQ(rig.ui.texts(),
            std::vector<std::string>{fileFailureText("テキスト出力できませんでした。"_sj, missing, ENOENT)});
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Warning);

  // A file the person protected stays as it was.
  { std::ofstream(path) << "old"; }
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  rig.ui.files.push_back(path.string());
  EXPECT_EQ(writeTextOutput(rig.w, {OutputKind::Sheets, OutputFormat::Text}), 1);
  EXPECT_EQ(readFile(path), "old");
}

// Presses the output button for each scripted choice.
class ScriptedDialog : public TextOutputDialogPort {
 public:
  void run(const TextOutputChoice& p, const std::function<void(const TextOutputChoice&)>& output,
           const std::function<void(const TextOutputChoice&)>& remember) override {
    presets.push_back(p);
    for (const TextOutputChoice& c : presses) output(c);
    if (clickMemo) remember({OutputKind::Memos, OutputFormat::Csv});
  }
  std::vector<TextOutputChoice> presses;
  std::vector<TextOutputChoice> presets;
  bool clickMemo = false;
};

TEST_F(TextOutputCommand, DialogIsPresetWithTheChoicesOfThisRun) {
  ScriptedDialog dialog;
  rig.w.textOutput.dialog = &dialog;
  dialog.presses = {{OutputKind::Words, OutputFormat::Csv}};
  rig.ui.files.push_back(path.string());
  textOutputCommand(rig.w);
  EXPECT_EQ(readFile(path), "□,本\r\n"_sj);
  dialog.presses.clear();
  dialog.clickMemo = true;
  textOutputCommand(rig.w);
  textOutputCommand(rig.w);
  ASSERT_EQ(dialog.presets.size(), 3u);
  EXPECT_EQ(dialog.presets[0], TextOutputChoice{});
  EXPECT_EQ(dialog.presets[1], (TextOutputChoice{OutputKind::Words, OutputFormat::Csv}));
  EXPECT_EQ(dialog.presets[2], (TextOutputChoice{OutputKind::Memos, OutputFormat::Csv}));
}

}  // namespace
}  // namespace tgc
