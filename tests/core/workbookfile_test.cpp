#include "core/workbookfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/cp932literal.h"
#include "core/document.h"
#include "core/fileio.h"
#include "marks/defaultcatalog.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string le32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return bytesOf({int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF), int(u >> 24)});
}

std::string header() {
  return std::string("\x10ThoughtGridCraft") + le32(102);
}

using test::gridSheet;

// A workbook using every field, long strings and the stored-only values.
Workbook sample() {
  Workbook wb;
  fillDefaultCatalog(wb);
  wb.addWord("山"_sj);
  wb.addWord(std::string(300, 'x'));
  wb.addWord("川"_sj);
  wb.sheets.push_back(gridSheet(TypeA, 2));
  wb.sheets.push_back(gridSheet(TypeC, 2));
  Box& b = wb.sheets[0].boxes[12];
  b.word = 0;
  b.mark = 0;
  b.idea = 1;
  b.spare = 7;
  b.assisted = 1;
  wb.sheets[1].boxes[3].word = 2;
  wb.sheets[1].boxes[4].mark = -1;
  wb.marks[5].note = std::string(70000, 'n');
  wb.marks[6].deleteFlag = 1;
  wb.memos.push_back({2, "メモ"_sj});
  wb.memos.push_back({2, ""});
  wb.refreshHasMemo();
  wb.currentSheet = 1;
  return wb;
}

// ---- byte layout -----------------------------------------------------------

TEST(WorkbookWriter, EmptyWorkbookIsHeaderAndFiveZeros) {
  const std::string bytes = serializeWorkbook(Workbook{});
  EXPECT_EQ(bytes.size(), 41u);
  EXPECT_EQ(bytes, header() + std::string(20, '\0'));
  EXPECT_EQ(bytes.substr(17, 4), bytesOf({0x66, 0, 0, 0}));
}

TEST(WorkbookWriter, WordsBoxesAndMemoLayout) {
  Workbook wb;
  wb.addWord("山"_sj);
  wb.addWord("");
  Sheet s;
  Box box;  // no word, theme mark, centre of a Type-A sheet
  box.mark = 0;
  box.column = 2;
  box.row = 2;
  s.boxes.push_back(box);
  wb.sheets.push_back(s);
  wb.memos.push_back({0, ""});
  wb.currentSheet = -3;
  const std::string expected = header() + le32(2) +                                //
                               bytesOf({0, 0, 0, 0, 1, 0, 0, 0, 2, 0x8E, 0x52}) +  // 山
                               std::string(8, '\0') +                              // empty word
                               le32(1) + le32(1) +                                 // one sheet, one box
                               bytesOf({0xFF, 0xFF, 0xFF, 0xFF}) + std::string(16, '\0') +  //
                               bytesOf({2, 0, 0, 0, 2, 0, 0, 0}) + std::string(4, '\0') +   //
                               le32(0) +                                                    // no marks
                               le32(1) + le32(0) + le32(0) +  // memo, empty text
                               le32(-3);
  EXPECT_EQ(serializeWorkbook(wb), expected);
}

TEST(WorkbookWriter, MarkEntryFieldOrder) {
  Workbook wb;
  wb.marks.push_back({7, "○"_sj, "", "n", 1, 2, 3, 110});
  const std::string expected = header() + le32(0) + le32(0) + le32(1) + le32(7) + le32(1) +
                               bytesOf({2, 0x81, 0x9B}) + le32(0) + le32(1) + bytesOf({1, 'n'}) + le32(1) +
                               le32(2) + le32(3) + le32(110) + le32(0) + le32(0);
  EXPECT_EQ(serializeWorkbook(wb), expected);
}

TEST(WorkbookWriter, StringPrefixForms) {
  struct Case {
    size_t length;
    std::string prefix;
  };
  const Case cases[] = {{254, bytesOf({0xFE})},
                        {255, bytesOf({0xFF, 0xFF, 0x00})},
                        {65533, bytesOf({0xFF, 0xFD, 0xFF})},
                        {65534, bytesOf({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                        {70000, bytesOf({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}};
  for (const Case& c : cases) {
    Workbook wb;
    wb.addWord(std::string(c.length, 'a'));
    const std::string bytes = serializeWorkbook(wb);
    EXPECT_EQ(bytes.substr(25 + 8, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), 41u + 8 + c.prefix.size() + c.length) << c.length;
    Workbook back;
    ASSERT_TRUE(parseWorkbook(bytes, back)) << c.length;
    EXPECT_EQ(back.words, wb.words) << c.length;
  }
}

// ---- reading -----------------------------------------------------------------

TEST(WorkbookReader, RoundTripKeepsEveryStoredField) {
  const Workbook wb = sample();
  Workbook back;
  back.cursorColumn = 4;  // not stored: left alone
  ASSERT_TRUE(parseWorkbook(serializeWorkbook(wb), back));
  EXPECT_EQ(back.words, wb.words);
  EXPECT_EQ(back.sheets, wb.sheets);
  EXPECT_EQ(back.marks, wb.marks);
  EXPECT_EQ(back.memos, wb.memos);
  EXPECT_EQ(back.currentSheet, 1);
  EXPECT_EQ(back.cursorColumn, 4);
  EXPECT_EQ(serializeWorkbook(back), serializeWorkbook(wb));
}

TEST(WorkbookReader, AppendsToWhatIsThere) {
  Workbook out;
  out.addWord("前"_sj);
  const Workbook wb = sample();
  ASSERT_TRUE(parseWorkbook(serializeWorkbook(wb), out));
  ASSERT_EQ(out.words.size(), wb.words.size() + 1);
  EXPECT_EQ(out.words[0].text, "前"_sj);
  EXPECT_EQ(out.words[1].text, "山"_sj);
  EXPECT_EQ(out.marks.size(), wb.marks.size());
}

TEST(WorkbookReader, Utf16TextIsConvertedToCp932) {
  // Word 1: short second prefix, 山 and A. Word 2: three-byte second prefix.
  std::string utf16Long;
  for (int i = 0; i < 300; ++i) utf16Long += bytesOf({0x42, 0x30});  // あ
  const std::string bytes = header() + le32(2) + le32(1) + le32(1) +
                            bytesOf({0xFF, 0xFE, 0xFF, 2, 0x71, 0x5C, 0x41, 0x00}) + le32(0) + le32(1) +
                            bytesOf({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}) + utf16Long + le32(0) + le32(0) +
                            le32(0) + le32(0);
  Workbook wb;
  ASSERT_TRUE(parseWorkbook(bytes, wb));
  ASSERT_EQ(wb.words.size(), 2u);
  EXPECT_EQ(wb.words[0].hasMemo, 1);
  EXPECT_EQ(wb.words[0].text, "山A"_sj);
  std::string a300;
  for (int i = 0; i < 300; ++i) a300 += "あ"_sj;
  EXPECT_EQ(wb.words[1].text, a300);
}

TEST(WorkbookReader, Utf16TextOutsideCp932FailsTheLoad) {
  const std::string tail = le32(0) + le32(0) + le32(0) + le32(0);
  // U+00E9 has no CP932 form; a lone high surrogate is no text at all.
  for (const std::string& units : {bytesOf({0xE9, 0x00}), bytesOf({0x00, 0xD8})}) {
    Workbook wb;
    EXPECT_FALSE(parseWorkbook(
        header() + le32(1) + le32(0) + le32(1) + bytesOf({0xFF, 0xFE, 0xFF, 1}) + units + tail, wb));
    EXPECT_TRUE(wb.words.empty());
  }
}

TEST(WorkbookReader, OnlyFlagOneIsFollowedByAString) {
  // Flags 2 and -1 mean "empty" and no string follows them.
  const std::string bytes =
      header() + le32(2) + le32(0) + le32(2) + le32(0) + le32(-1) + le32(0) + le32(0) + le32(0) + le32(5);
  Workbook wb;
  ASSERT_TRUE(parseWorkbook(bytes, wb));
  ASSERT_EQ(wb.words.size(), 2u);
  EXPECT_EQ(wb.words[0].text, "");
  EXPECT_EQ(wb.words[1].text, "");
  EXPECT_EQ(wb.currentSheet, 5);
}

TEST(WorkbookReader, EveryTruncationFailsAndLeavesTheTargetAlone) {
  const std::string bytes = serializeWorkbook(sample());
  Workbook untouched;
  untouched.addWord("前"_sj);
  // Every cut except inside the 70000-byte note, which is crossed by a stride.
  const size_t note = bytes.find(std::string(70000, 'n'));
  ASSERT_NE(note, std::string::npos);
  for (size_t cut = 0; cut<bytes.size(); cut += cut> note + 2 && cut < note + 69990 ? 97 : 1) {
    Workbook out = untouched;
    ASSERT_FALSE(parseWorkbook(std::string_view(bytes).substr(0, cut), out)) << cut;
    ASSERT_EQ(out, untouched) << cut;
  }
  Workbook out;
  EXPECT_TRUE(parseWorkbook(bytes, out));
}

TEST(WorkbookReader, HostileCountsAndLengthsFail) {
  const std::string zeros = le32(0) + le32(0) + le32(0) + le32(0);
  const std::string cases[] = {
      header() + le32(-1) + zeros,                                            // negative word count
      header() + le32(0x7FFFFFFF) + zeros,                                    // words the file cannot hold
      header() + le32(0) + le32(1) + le32(-5) + le32(0) + le32(0) + le32(0),  // negative box count
      header() + le32(0) + le32(1) + le32(0x10000000) + zeros,                // boxes past the end
      header() + le32(0) + le32(0) + le32(0x40000000) + le32(0) + le32(0),    // marks past the end
      header() + le32(0) + le32(0) + le32(0) + le32(-2) + le32(0),            // negative memo count
      header() + le32(1) + le32(0) + le32(1) + bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + zeros,
      header() + le32(1) + le32(0) + le32(1) + bytesOf({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}) + le32(-1) +
          zeros,
      header() + le32(1) + le32(0) + le32(1) + bytesOf({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}) + zeros,
      std::string("\x10ThoughtGridCraff") + le32(102) + zeros + le32(0),  // wrong magic
      std::string("\x10ThoughtGridCraft") + le32(103) + zeros + le32(0),  // wrong version
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    Workbook out;
    EXPECT_FALSE(parseWorkbook(cases[i], out)) << i;
    EXPECT_EQ(out, Workbook{}) << i;
  }
}

// ---- repair --------------------------------------------------------------------

TEST(WorkbookRepair, ValidWorkbookIsUnchanged) {
  Workbook wb = sample();
  const Workbook before = wb;
  EXPECT_EQ(repairReferences(wb), 0);
  EXPECT_EQ(wb, before);
  EXPECT_TRUE(sheetsWellFormed(wb));
}

TEST(WorkbookRepair, OutOfRangeReferencesAreRepaired) {
  Workbook wb = sample();
  wb.sheets[0].boxes[0].word = 3;  // one past the words
  wb.sheets[0].boxes[1].word = -2;
  wb.sheets[0].boxes[2].mark = 99;  // no such id
  wb.sheets[0].boxes[3].mark = -7;
  wb.memos.push_back({3, "x"});
  wb.memos.push_back({-1, "y"});
  wb.currentSheet = 2;
  EXPECT_EQ(repairReferences(wb), 7);
  EXPECT_EQ(wb.sheets[0].boxes[0].word, -1);
  EXPECT_EQ(wb.sheets[0].boxes[1].word, -1);
  EXPECT_EQ(wb.sheets[0].boxes[2].mark, -1);
  EXPECT_EQ(wb.sheets[0].boxes[3].mark, -1);
  EXPECT_EQ(wb.sheets[0].boxes[12].word, 0);  // valid values stay
  EXPECT_EQ(wb.memos.size(), 2u);
  EXPECT_EQ(wb.words[2].hasMemo, 1);
  EXPECT_EQ(wb.currentSheet, 0);
  wb.currentSheet = -1;
  EXPECT_EQ(repairReferences(wb), 1);
  EXPECT_EQ(wb.currentSheet, 0);

  // Negative mark ids take the free ids after the system marks, boxes along;
  // a box without a mark stays without one even when a mark has id -1.
  wb.marks[20].id = -5;
  wb.marks[21].id = -5;  // a duplicate stays one id
  wb.marks[22].id = -1;
  wb.sheets[1].boxes[0].mark = -5;
  wb.sheets[1].boxes[1].mark = -1;
  wb.sheets[1].boxes[2].mark = 21;  // no mark has 21 now: it does not join -5
  EXPECT_EQ(repairReferences(wb), 4);
  EXPECT_EQ(wb.marks[20].id, 20);
  EXPECT_EQ(wb.marks[21].id, 20);
  EXPECT_EQ(wb.marks[22].id, 21);
  EXPECT_EQ(wb.sheets[1].boxes[0].mark, 20);
  EXPECT_EQ(wb.sheets[1].boxes[1].mark, -1);
  EXPECT_EQ(wb.sheets[1].boxes[2].mark, -1);
}

TEST(WorkbookRepair, SheetShapeIsChecked) {
  Workbook wb = sample();
  wb.sheets[1].boxes.pop_back();
  EXPECT_FALSE(sheetsWellFormed(wb));
  wb = sample();
  wb.sheets[0].boxes[1].column = 0;  // cell (0,0) twice
  EXPECT_FALSE(sheetsWellFormed(wb));
  wb = sample();
  wb.sheets[0].boxes[24].row = 5;
  EXPECT_FALSE(sheetsWellFormed(wb));
  wb = sample();
  wb.sheets[0].boxes[4].sheetType = 3;
  EXPECT_FALSE(sheetsWellFormed(wb));
}

// ---- files ------------------------------------------------------------------------

class WorkbookFileTest : public ::testing::Test, protected test::TempDir {
 protected:
  WorkbookFileTest() : TempDir("tgc-wbfile-") {}
  static std::string read(const std::string& p) {
    std::string s;
    EXPECT_TRUE(readWholeFile(p, s));
    return s;
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The check's messages, or "" when it passed.
  std::string checkMessage(const std::string& p) {
    test::FakeUi ui;
    const int r = checkWorkbookFile(p, ui);
    EXPECT_EQ(r == 0, ui.messages.empty()) << p;
    if (ui.messages.empty()) return "";
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    return ui.messages[0].text;
  }
};

TEST_F(WorkbookFileTest, CheckAcceptsAWorkbookAndRefusesInOrder) {
  const std::string good = serializeWorkbook(sample());
  EXPECT_EQ(checkMessage(write("a.tgc", good)), "");
  EXPECT_EQ(checkMessage(write("a.TGC", good)), "拡張子が異なります。"_sj);
  EXPECT_EQ(checkMessage(write("tgc", good)), "拡張子が異なります。"_sj);
  EXPECT_EQ(checkMessage(path("missing.tgc")), "ファイルが存在しません。"_sj);
  fs::create_directory(path("folder.tgc"));
  EXPECT_EQ(checkMessage(path("folder.tgc")), "ファイルが存在しません。"_sj);
  EXPECT_EQ(checkMessage(write("empty.tgc", "")), "ファイルに形式データが存在しません。"_sj);
  for (size_t n = 1; n <= 16; ++n)
    EXPECT_EQ(checkMessage(write("short.tgc", good.substr(0, n))), "ファイル形式が違います。"_sj) << n;
  for (size_t n = 17; n <= 20; ++n)
    EXPECT_EQ(checkMessage(write("short.tgc", good.substr(0, n))), "ファイルバージョンが違います。"_sj) << n;
  EXPECT_EQ(checkMessage(write("v.tgc", good.substr(0, 17) + le32(101))),
            "ファイルバージョンが違います。"_sj);
  EXPECT_EQ(checkMessage(write("v.tgc", good.substr(0, 17) + le32(103))),
            "ファイルバージョンが違います。"_sj);
  // The length byte is not looked at, and nothing past the version is.
  EXPECT_EQ(checkMessage(write("p.tgc", std::string("\x07") + good.substr(1, 20))), "");
  EXPECT_EQ(checkMessage(write("m.tgc", std::string("\x10thoughtGridCraft") + le32(102))),
            "ファイル形式が違います。"_sj);
}

TEST_F(WorkbookFileTest, UntitledNameSkipsOnlyTheExtensionStep) {
  EXPECT_EQ(checkMessage(untitledName()), "ファイルが存在しません。"_sj);
}

TEST_F(WorkbookFileTest, SaveWritesTheCurrentSlot) {
  Document doc;
  doc.recordChange();
  doc.cur() = sample();
  doc.filePath = path("out.tgc");
  test::FakeUi ui;
  EXPECT_EQ(saveWorkbook(doc, ui), 0);
  EXPECT_EQ(read(doc.filePath), serializeWorkbook(doc.cur()));
  EXPECT_EQ(ui.waitCount, 1);
  EXPECT_EQ(ui.waitDepth, 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(entries(), std::vector<std::string>{"out.tgc"});  // no temporary left
}

TEST_F(WorkbookFileTest, SaveReplacingAFileKeepsItsModeAndLink) {
  const std::string target = write("old.tgc", "old");
  ::chmod(target.c_str(), 0640);
  fs::create_symlink("old.tgc", path("link.tgc"));
  Document doc;
  doc.cur() = sample();
  doc.filePath = path("link.tgc");
  test::FakeUi ui;
  ASSERT_EQ(saveWorkbook(doc, ui), 0);
  EXPECT_TRUE(fs::is_symlink(path("link.tgc")));
  EXPECT_EQ(read(target), serializeWorkbook(sample()));
  struct stat st;
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(WorkbookFileTest, FailedSaveLeavesTheOldFileUntouched) {
  const std::string target = write("keep.tgc", "previous contents");
  Document doc;
  doc.cur() = sample();  // far larger than the limit below
  doc.filePath = target;
  test::FakeUi ui;
  // A file-size limit makes the write itself fail, even for root.
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* previousHandler = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = saveWorkbook(doc, ui);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(read(target), "previous contents");
  EXPECT_EQ(entries(), std::vector<std::string>{"keep.tgc"});
  EXPECT_EQ(ui.waitDepth, 0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WorkbookFileTest, SaveToAnImpossiblePathFails) {
  Document doc;
  test::FakeUi ui;
  doc.filePath = path("no-such-folder/a.tgc");
  EXPECT_EQ(saveWorkbook(doc, ui), 1);
  fs::create_directory(path("d.tgc"));
  doc.filePath = path("d.tgc");
  EXPECT_EQ(saveWorkbook(doc, ui), 1);
  EXPECT_TRUE(fs::is_directory(path("d.tgc")));
  EXPECT_EQ(entries(), std::vector<std::string>{"d.tgc"});
}

TEST_F(WorkbookFileTest, LoadFillsTheTargetSlotAndTheFullPath) {
  write("wb.tgc", serializeWorkbook(sample()));
  fs::create_directory(path("sub"));
  Document doc;
  doc.filePath = (dir() / "sub" / ".." / "wb.tgc").string();
  doc.cur().cursorColumn = 1;
  test::FakeUi ui;
  ASSERT_EQ(loadWorkbook(doc, kLoadOpen, ui), 0);
  EXPECT_EQ(doc.filePath, fs::canonical(path("wb.tgc")).string());
  const Workbook expected = sample();
  EXPECT_EQ(doc.slots[0].words, expected.words);
  EXPECT_EQ(doc.slots[0].sheets, expected.sheets);
  EXPECT_EQ(doc.slots[0].marks, expected.marks);
  EXPECT_EQ(doc.slots[0].memos, expected.memos);
  EXPECT_EQ(doc.slots[0].currentSheet, 1);
  EXPECT_EQ(doc.slots[0].cursorColumn, 1);
  EXPECT_EQ(ui.waitCount, 1);
  EXPECT_EQ(ui.waitDepth, 0);

  doc.filePath = path("wb.tgc");
  ASSERT_EQ(loadWorkbook(doc, kLoadImport, ui), 0);
  EXPECT_EQ(doc.importSlot().words, expected.words);
  EXPECT_EQ(doc.slots[0].words.size(), expected.words.size());  // slot 0 untouched
}

TEST_F(WorkbookFileTest, LoadRepairsReferencesAndRefusesBrokenFiles) {
  Workbook bad = sample();
  bad.sheets[1].boxes[0].word = 500;
  bad.sheets[1].boxes[1].mark = 4000;
  bad.memos.push_back({-4, "x"});
  bad.currentSheet = 9;
  Document doc;
  test::FakeUi ui;
  doc.filePath = write("bad.tgc", serializeWorkbook(bad));
  ASSERT_EQ(loadWorkbook(doc, kLoadOpen, ui), 0);
  EXPECT_EQ(doc.cur().sheets[1].boxes[0].word, -1);
  EXPECT_EQ(doc.cur().sheets[1].boxes[1].mark, -1);
  EXPECT_EQ(doc.cur().memos.size(), sample().memos.size());
  EXPECT_EQ(doc.cur().currentSheet, 0);

  Workbook misshapen = sample();
  misshapen.sheets[0].boxes.resize(3);
  const std::string full = serializeWorkbook(sample());
  for (const std::string& bytes : {serializeWorkbook(misshapen), full.substr(0, full.size() - 1)}) {
    Document d;
    d.filePath = write("broken.tgc", bytes);
    EXPECT_EQ(loadWorkbook(d, kLoadOpen, ui), 1);
    EXPECT_EQ(d.cur(), Workbook{});
  }
  Document missing;
  missing.filePath = path("gone.tgc");
  EXPECT_EQ(loadWorkbook(missing, kLoadOpen, ui), 1);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tgc
