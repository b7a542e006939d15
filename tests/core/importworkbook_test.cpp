#include "core/importworkbook.h"

#include <gtest/gtest.h>

#include <random>

#include "core/cp932literal.h"
#include "core/workbookfile.h"
#include "marks/defaultcatalog.h"
#include "marks/markeditor.h"
#include "marks/markproperties.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

using test::gridSheet;
using test::userMark;

// Steps 2 to 10 of the merge exactly as described, one word and one mark at
// a time, with the model's own removeWord.
void referenceMerge(Workbook& cur, Workbook imp) {
  int32_t maxId = -1;
  for (const CatalogMark& m : cur.marks) maxId = std::max(maxId, m.id);
  const int32_t markOffset = maxId + 1;
  const int32_t wordOffset = static_cast<int32_t>(cur.words.size());
  for (Sheet& s : imp.sheets)
    for (Box& b : s.boxes) {
      if (b.mark != -1) b.mark += markOffset;
      if (b.word != -1) b.word = imp.words[b.word].text.empty() ? -1 : b.word + wordOffset;
    }
  for (IdeaMemo& m : imp.memos) m.word += wordOffset;
  for (const Word& w : imp.words) cur.words.push_back(w);
  for (const Sheet& s : imp.sheets) cur.sheets.push_back(s);
  for (const IdeaMemo& m : imp.memos) cur.memos.push_back(m);
  for (int32_t i = static_cast<int32_t>(cur.words.size()) - 1; i >= wordOffset; --i) {
    for (int32_t j = 0; j < wordOffset; ++j) {
      const std::string& a = cur.words[i].text;
      if (a.empty() || cur.words[j].text.empty() || a != cur.words[j].text) continue;
      for (Sheet& s : cur.sheets)
        for (Box& b : s.boxes)
          if (b.word == i) b.word = j;
      for (IdeaMemo& m : cur.memos)
        if (m.word == i) m.word = j;
      cur.removeWord(i);
      break;
    }
  }
  for (CatalogMark m : imp.marks) {
    m.id += markOffset;
    cur.marks.push_back(m);
  }
  for (size_t i = 0; i < cur.marks.size(); ++i) {
    for (size_t j = i + 1; j < cur.marks.size();) {
      const CatalogMark &a = cur.marks[i], &b = cur.marks[j];
      if (a.glyph == b.glyph && a.name == b.name && a.attribute == b.attribute && a.dormant == b.dormant) {
        for (Sheet& s : cur.sheets)
          for (Box& box : s.boxes)
            if (box.mark == b.id) box.mark = a.id;
        cur.marks.erase(cur.marks.begin() + static_cast<long>(j));
      } else {
        ++j;
      }
    }
  }
  cur.refreshHasMemo();  // the merge always leaves hasMemo derived from the memos
}

Workbook randomWorkbook(std::mt19937& gen, int words, int sheets, int marks) {
  static const char* const texts[] = {"", "a", "b", "c", "d", "e", "山"_sj, "川"_sj, "f", "g"};
  static const char* const glyphs[] = {"○"_sj, "△"_sj, "□"_sj, "●"_sj};
  static const char* const names[] = {"x", "y", "z"};
  Workbook wb;
  for (int i = 0; i < words; ++i) wb.words.push_back({0, 0, texts[gen() % 10]});
  for (int s = 0; s < sheets; ++s) {
    Sheet sheet = gridSheet(static_cast<SheetType>(gen() % 3), -1);
    for (Box& b : sheet.boxes) {
      b.word = words == 0 || gen() % 3 == 0 ? -1 : static_cast<int32_t>(gen() % words);
      b.mark = marks == 0 || gen() % 4 == 0 ? -1 : static_cast<int32_t>(gen() % marks);
      b.idea = gen() % 5 == 0;
    }
    wb.sheets.push_back(sheet);
  }
  for (int m = 0; m < marks; ++m) {
    CatalogMark mark = userMark(m, glyphs[gen() % 4], names[gen() % 3], static_cast<int32_t>(gen() % 3));
    mark.dormant = gen() % 2;
    mark.note = std::to_string(gen() % 100);
    wb.marks.push_back(mark);
  }
  for (int i = 0; words > 0 && i < 6; ++i) wb.memos.push_back({static_cast<int32_t>(gen() % words), "memo"});
  wb.refreshHasMemo();
  return wb;
}

TEST(ImportMerge, FastMergeMatchesTheStepByStepMerge) {
  std::mt19937 gen(11);
  for (int round = 0; round < 150; ++round) {
    Workbook cur =
        randomWorkbook(gen, static_cast<int>(gen() % 12), 1 + gen() % 3, static_cast<int>(gen() % 7));
    Workbook imp = randomWorkbook(gen, static_cast<int>(gen() % 12), gen() % 3, static_cast<int>(gen() % 7));
    if (round % 5 == 0) std::shuffle(cur.marks.begin(), cur.marks.end(), gen);  // ids out of order
    Workbook expected = cur;
    referenceMerge(expected, imp);
    mergeImportedWorkbook(cur, imp);
    ASSERT_EQ(cur, expected) << "round " << round;
  }
}

TEST(ImportMerge, WordsAreComparedOnlyWithThoseThatWereThere) {
  Workbook cur;
  cur.addWord("既存"_sj);
  Workbook imp;
  for (const char* t : {"新"_sj, "既存"_sj, "", "新"_sj}) imp.addWord(t);
  Sheet s = gridSheet(TypeA, -1);
  for (int i = 0; i < 4; ++i) s.boxes[i].word = i;
  s.boxes[4].mark = 3;
  imp.sheets.push_back(s);
  imp.memos = {{3, "二つ目の新"_sj}, {1, "既存のメモ"_sj}};
  cur.marks.push_back(userMark(0, "□"_sj, "テーマ"_sj, 0));
  mergeImportedWorkbook(cur, imp);
  // Both "新" stay; "既存" is reused; the empty word stays in the pool unused.
  ASSERT_EQ(cur.words.size(), 4u);
  EXPECT_EQ(cur.words[1].text, "新"_sj);
  EXPECT_EQ(cur.words[2].text, "");
  EXPECT_EQ(cur.words[3].text, "新"_sj);
  const auto& b = cur.sheets[0].boxes;
  EXPECT_EQ(b[0].word, 1);
  EXPECT_EQ(b[1].word, 0);
  EXPECT_EQ(b[2].word, -1);  // empty text: the box ends up empty
  EXPECT_EQ(b[3].word, 3);
  EXPECT_EQ(b[0].mark, -1);  // no mark stays no mark
  EXPECT_EQ(b[4].mark, 4);   // mark ids shift past the largest current id
  EXPECT_EQ(cur.memos[0].word, 3);
  EXPECT_EQ(cur.memos[1].word, 0);
  EXPECT_EQ(cur.words[0].hasMemo, 1);
  EXPECT_EQ(cur.words[1].hasMemo, 0);
}

TEST(ImportLimits, CheckedInOrderWithTheirMessages) {
  Workbook cur, imp;
  cur.sheets.resize(600);
  imp.sheets.resize(401);
  cur.words.resize(24000);
  imp.words.resize(1001);
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::Sheets);
  EXPECT_EQ(importLimitMessage(ImportLimit::Sheets),
            "最大シート枚数 1000枚 を上回るため、インポートは行えませんでした。"_sj);
  imp.sheets.resize(400);
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::Words);
  EXPECT_EQ(importLimitMessage(ImportLimit::Words),
            "最大語句件数 25000件 を上回るため、インポートは行えませんでした。"_sj);
  imp.words.resize(1000);
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::None);
  EXPECT_EQ(importLimitMessage(ImportLimit::Marks),
            "最大マーク件数 1000件 を上回るため、インポートは行えませんでした。"_sj);
}

TEST(ImportLimits, MarksCheckCountsOnlyImportedMarksWithoutTwins) {
  Workbook cur, imp;
  fillDefaultCatalog(cur);
  for (int i = 0; i < 1000; ++i) imp.marks.push_back(userMark(i, "◎"_sj, std::to_string(i).c_str(), 1));
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::Marks);
  // One imported mark equal to a current one in glyph, name, attribute and
  // dormant flag brings the new marks down to 999.
  imp.marks[5] = cur.marks[7];
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::None);
  imp.marks[5].dormant = 1;
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::Marks);
  // A current catalog of 1200 marks does not count.
  imp.marks.resize(10);
  for (int i = 0; i < 1200; ++i) cur.marks.push_back(userMark(100 + i, "◇"_sj, std::to_string(i).c_str(), 2));
  EXPECT_EQ(checkImportLimits(cur, imp), ImportLimit::None);
}

TEST(ImportReport, NearDuplicatesShareAGlyphOrAName) {
  Workbook wb;
  fillDefaultCatalog(wb);
  EXPECT_FALSE(hasNearDuplicateMarks(wb));
  wb.marks.push_back(userMark(26, "∴"_sj, "別名"_sj, 1));
  EXPECT_TRUE(hasNearDuplicateMarks(wb));
  wb.marks.back() = userMark(26, "◎"_sj, "部分"_sj, 1);
  EXPECT_TRUE(hasNearDuplicateMarks(wb));
}

// Command-level tests: real files through the reader.
class ImportCommand : public ::testing::Test, public MarkEditorLauncher {
 protected:
  void SetUp() override {
    Workbook& wb = rig.w.wb();
    fillDefaultCatalog(wb);
    for (int i = 0; i < 3; ++i) wb.sheets.push_back(gridSheet(static_cast<SheetType>(i), 2 + i));
    wb.sheets[0].boxes[12].word = wb.addWord("時計"_sj);
    wb.sheets[0].boxes[12].mark = 0;
    wb.sheets[0].boxes[13].word = wb.addWord("日時計"_sj);
    wb.sheets[0].boxes[13].idea = 1;
    wb.sheets[1].boxes[0].word = 0;
    wb.memos = {{1, "影で時刻"_sj}};
    wb.refreshHasMemo();
    rig.w.doc.filePath = "/keep/open.tgc";
    rig.w.doc.fileTitle = "open";
    rig.w.marks.reloadEntries(wb);
    rig.w.markEditorLauncher = this;
  }
  void openMarkEditor() override { ++editorOpened; }

  std::string save(const Workbook& wb, const std::string& name) {
    return files.write(name + ".tgc", serializeWorkbook(wb));
  }
  int importFile(const std::string& path) {
    rig.ui.files.push_back(path);
    return importWorkbook(rig.w);
  }

  test::Rig rig;
  test::TempDir files{"tgc-import-"};
  int editorOpened = 0;
};

TEST_F(ImportCommand, SelfImportDoublesSheetsAndMemosOnly) {
  const Workbook before = rig.w.wb();
  EXPECT_EQ(importFile(save(before, "tgc_import_self")), 0);
  const Workbook& wb = rig.w.wb();
  EXPECT_EQ(wb.sheets.size(), 6u);
  EXPECT_EQ(wb.memos.size(), 2u);
  EXPECT_EQ(wb.words, before.words);
  EXPECT_EQ(wb.marks.size(), before.marks.size());
  for (size_t i = 0; i < wb.marks.size(); ++i) {
    EXPECT_EQ(wb.marks[i].id, static_cast<int32_t>(i));
    EXPECT_EQ(wb.marks[i].glyph, before.marks[i].glyph);
  }
  for (size_t s = 0; s < 3; ++s) EXPECT_EQ(wb.sheets[s + 3], before.sheets[s]);
  EXPECT_EQ(wb.memos[1], before.memos[0]);
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"インポートが完了しました。"_sj});
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(rig.ui.fileRequests[0].title, "インポート"_sj);
  EXPECT_EQ(rig.ui.fileRequests[0].defaultExtension, "tgc");
  EXPECT_EQ(rig.ui.waitDepth, 0);
  EXPECT_TRUE(rig.w.doc.importSlot().sheets.empty());
  EXPECT_EQ(rig.w.doc.filePath, "/keep/open.tgc");
  EXPECT_EQ(rig.w.doc.fileTitle, "open");
  EXPECT_EQ(rig.w.doc.modified, 1);
  EXPECT_EQ(rig.w.marks.activeEntries.size(), 24u);
}

TEST_F(ImportCommand, UndoRestoresTheWorkbookExactlyAndRedoReapplies) {
  Workbook other;
  fillDefaultCatalog(other);
  other.marks.push_back(userMark(26, "◎"_sj, "新しい印"_sj, 1));
  other.sheets.push_back(gridSheet(TypeA, 26));
  other.sheets[0].boxes[12].word = other.addWord("窓"_sj);
  const Workbook before = rig.w.wb();
  ASSERT_EQ(importFile(save(other, "tgc_import_undo")), 0);
  const Workbook after = rig.w.wb();
  EXPECT_EQ(after.marks.size(), 27u);
  EXPECT_EQ(after.sheets[3].boxes[0].mark, 26);
  rig.w.undo();
  EXPECT_EQ(rig.w.wb(), before);
  EXPECT_EQ(rig.w.marks.activeEntries.size(), 24u);
  EXPECT_FALSE(rig.w.doc.canUndo());
  rig.w.redo();
  EXPECT_EQ(rig.w.wb(), after);
  EXPECT_EQ(rig.w.marks.activeEntries.size(), 25u);
}

TEST_F(ImportCommand, LookAlikeMarkIsKeptAndConsolidationOffered) {
  Workbook other;
  fillDefaultCatalog(other);
  other.marks[2].attribute = AttrTransform;  // same glyph and name, other attribute
  other.sheets.push_back(gridSheet(TypeA, 2));
  rig.ui.answers = {Answer::Yes};
  ASSERT_EQ(importFile(save(other, "tgc_import_alike")), 0);
  const Workbook& wb = rig.w.wb();
  ASSERT_EQ(wb.marks.size(), 27u);
  EXPECT_EQ(wb.marks[26].glyph, wb.marks[2].glyph);
  EXPECT_EQ(wb.marks[26].attribute, AttrTransform);
  for (const Box& b : wb.sheets[3].boxes) EXPECT_EQ(b.mark, 26);
  ASSERT_EQ(rig.ui.messages.size(), 1u);
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Question);
  EXPECT_EQ(rig.ui.messages[0].buttons, Buttons::YesNo);
  EXPECT_EQ(rig.ui.messages[0].text,
            "インポートが完了しました。\n\n\n同じマークまたは名称が存在するか、同じマークと名称なのに属性が異"
            "なるデー"
            "タが存在します。\n\nカタログマーク編集処理で「集約」を行うことをお勧めします。カタログマーク編集"
            "処理を行"
            "いますか？"_sj);
  EXPECT_EQ(editorOpened, 1);
  rig.ui.answers = {Answer::No};
  ASSERT_EQ(importFile(save(other, "tgc_import_alike")), 0);
  EXPECT_EQ(editorOpened, 1);
  EXPECT_EQ(rig.w.wb().marks.size(), 27u);  // the second time everything is a twin
}

TEST_F(ImportCommand, SheetLimitRefusesAndLeavesEverythingAlone) {
  Workbook& wb = rig.w.wb();
  while (wb.sheets.size() < 600) wb.sheets.push_back(gridSheet(TypeA, 2));
  Workbook other;
  fillDefaultCatalog(other);
  for (int i = 0; i < 401; ++i) other.sheets.push_back(gridSheet(TypeB, 3));
  const std::string big = save(other, "tgc_import_401");
  other.sheets.pop_back();
  const std::string fits = save(other, "tgc_import_400");
  const Workbook before = wb;
  EXPECT_EQ(importFile(big), -1);
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{importLimitMessage(ImportLimit::Sheets)});
  EXPECT_EQ(rig.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(rig.w.wb(), before);
  EXPECT_EQ(rig.w.doc.modified, 0);
  EXPECT_FALSE(rig.w.doc.canUndo());
  EXPECT_EQ(importFile(fits), 0);
  EXPECT_EQ(rig.w.wb().sheets.size(), 1000u);
}

TEST_F(ImportCommand, RefusedOrFaultyFilesChangeNothing) {
  const Workbook before = rig.w.wb();
  rig.ui.files.push_back(std::nullopt);
  EXPECT_EQ(importWorkbook(rig.w), 0);
  EXPECT_EQ(importFile(save(before, "tgc_import_case") + ".TGC"), -1);  // extension check
  EXPECT_EQ(rig.ui.texts(), std::vector<std::string>{"拡張子が異なります。"_sj});
  // Right magic and version, then nothing: the reader fails.
  std::string bytes = serializeWorkbook(Workbook{});
  bytes.resize(25);
  const std::string cut = files.write("tgc_import_cut.tgc", bytes);
  rig.ui.clearRecord();
  EXPECT_EQ(importFile(cut), -1);
  EXPECT_EQ(rig.ui.texts(),
            std::vector<std::string>{"ファイル異常のため、インポートは行えませんでした。"_sj});
  EXPECT_EQ(rig.w.wb(), before);
  EXPECT_EQ(rig.w.doc.filePath, "/keep/open.tgc");
  EXPECT_EQ(rig.w.doc.fileTitle, "open");
  EXPECT_EQ(rig.w.doc.modified, 0);
  EXPECT_TRUE(rig.w.doc.importSlot().words.empty());
}

TEST_F(ImportCommand, ImportCanGrowTheCatalogPastTheLimit) {
  Workbook other;
  fillDefaultCatalog(other);
  for (int i = 0; i < 999; ++i) other.marks.push_back(userMark(26 + i, "◎"_sj, std::to_string(i).c_str(), 1));
  other.sheets.push_back(gridSheet(TypeA, 1000));
  rig.ui.answers = {Answer::No};  // the 999 share a glyph
  ASSERT_EQ(importFile(save(other, "tgc_import_marks")), 0);
  EXPECT_EQ(rig.w.wb().marks.size(), 26u + 999u);
  // The file's 26 default marks merge into their twins; after renumbering
  // the file's mark 1000 has the id 1000 again.
  EXPECT_EQ(rig.w.wb().sheets[3].boxes[0].mark, 1000);
  EXPECT_EQ(rig.w.wb().marks[1000].name, "974");
  // Adding a mark by hand is refused now.
  rig.ui.clearRecord();
  EXPECT_EQ(openAddMark(rig.w), -1);
  EXPECT_EQ(rig.ui.texts(),
            std::vector<std::string>{"最大マーク件数 1000件 を上回るため、追加は行えません。"_sj});
}

}  // namespace
}  // namespace tgc
