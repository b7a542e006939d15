#include "core/filecommands.h"

#include <sys/stat.h>

#include "core/cp932literal.h"
#include "core/fileerror.h"
#include "core/workbookfile.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

const char* const kSaveQuestion = "データが更新されています。保存しますか？"_sj;

class FileCommandsTest : public ShellTest {
 protected:
  // A workbook file holding one sheet whose theme is `theme`.
  std::string makeWorkbookFile(const std::string& name, const std::string& theme) {
    Rig other;
    FakeAppWindow otherWindow;
    other.w.app.window = &otherWindow;
    documentStartUp(other.w, {});
    Workbook& wb = other.w.wb();
    const int pos = enterWord(wb, theme);
    for (Box& b : wb.sheets.at(0).boxes)
      if (b.column == 2 && b.row == 2) b.word = pos;
    const std::string p = path(name);
    writeBytes(p, serializeWorkbook(wb));
    return p;
  }
  std::string theme() const {
    const Workbook& wb = r.w.wb();
    if (wb.sheets.empty()) return "<no sheet>";
    for (const Box& b : wb.sheets[0].boxes)
      if (b.column == 2 && b.row == 2) return wb.wordText(b.word);
    return "<no theme box>";
  }
};

TEST_F(FileCommandsTest, TitlesOfUntitledAndSavedWorkbooks) {
  startUp();
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  modify();
  const std::string target = path(std::string("企画.tgc"));
  r.ui.files.push_back(target);
  EXPECT_EQ(saveAsCommand(r.w), SaveAsResult::Saved);
  EXPECT_EQ(r.ui.title, std::string("企画.tgc - 発想マス目ノート"));
  EXPECT_EQ(r.w.doc.hasFile, 1);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
  // The dialog offered the untitled name and the workbook filter.
  ASSERT_EQ(r.ui.fileRequests.size(), 1u);
  EXPECT_EQ(r.ui.fileRequests[0].initialName, std::string("無題"));
  EXPECT_EQ(r.ui.fileRequests[0].filter, "ThoughtGridCraft(*.tgc)|*.tgc|全て(*.*)|*.*||"_sj);
  EXPECT_EQ(r.ui.fileRequests[0].defaultExtension, "tgc");
  // And the saved file is first in the recent list.
  ASSERT_FALSE(window.menu.empty());
  EXPECT_EQ(window.menu[0].text, std::string("&1 企画"));
}

TEST_F(FileCommandsTest, NewOnUntitledModifiedWorkbook) {
  startUp();
  // Yes: Save As is shown, and no new workbook follows.
  modify();
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(path("first.tgc"));
  newWorkbook(r.w);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{kSaveQuestion});
  EXPECT_EQ(theme(), "企画"_sj);
  EXPECT_EQ(r.w.doc.hasFile, 1);
  EXPECT_TRUE(std::filesystem::exists(path("first.tgc")));

  // Cancel keeps everything.
  modify("別"_sj);
  r.ui.answers = {Answer::Cancel};
  newWorkbook(r.w);
  EXPECT_EQ(r.w.doc.modified, 1);
  EXPECT_EQ(theme(), "別"_sj);

  // No drops the changes: a fresh untitled workbook with the default catalog.
  r.ui.answers = {Answer::No};
  newWorkbook(r.w);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.w.doc.filePath, std::string("無題"));
  EXPECT_EQ(r.w.wb().marks.size(), 26u);
  EXPECT_EQ(r.w.wb().sheets.size(), 1u);
  EXPECT_EQ(r.w.marks.activeEntries.size(), 24u);
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  // The file on disk still holds what was saved.
  EXPECT_NE(readBytes(path("first.tgc")).find("企画"_sj), std::string::npos);
}

TEST_F(FileCommandsTest, NewWithFileSavesThenStartsOver) {
  startUp();
  const std::string p = makeWorkbookFile("a.tgc", "元"_sj);
  r.ui.files.push_back(p);
  openWorkbook(r.w);
  ASSERT_EQ(theme(), "元"_sj);
  modify("変更"_sj);
  r.ui.answers = {Answer::Yes};
  newWorkbook(r.w);
  EXPECT_NE(readBytes(p).find("変更"_sj), std::string::npos);
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(theme(), "");
}

TEST_F(FileCommandsTest, OpenAnswers) {
  startUp();
  const std::string p = makeWorkbookFile("b.tgc", "開く"_sj);
  // Yes on an untitled workbook runs Save; cancelling its dialog ends Open.
  modify();
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(std::nullopt);
  openWorkbook(r.w);
  EXPECT_EQ(r.ui.fileRequests.size(), 1u);
  EXPECT_EQ(theme(), "企画"_sj);
  EXPECT_EQ(r.w.doc.modified, 1);
  // Cancel asks nothing more.
  r.ui.answers = {Answer::Cancel};
  openWorkbook(r.w);
  EXPECT_EQ(r.ui.fileRequests.size(), 1u);
  // No goes on to the open dialog and loads.
  r.ui.answers = {Answer::No};
  r.ui.files.push_back(p);
  openWorkbook(r.w);
  EXPECT_EQ(theme(), "開く"_sj);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(r.w.doc.hasFile, 1);
  EXPECT_EQ(r.w.wb().cursorColumn, 2);
  EXPECT_EQ(r.ui.title, "b.tgc - " + std::string("発想マス目ノート"));
  ASSERT_EQ(window.menu.size(), 1u);
  EXPECT_EQ(window.menu[0].text, "&1 b");
}

TEST_F(FileCommandsTest, SaveOfDeletedFileDoesNotWrite) {
  startUp();
  const std::string p = makeWorkbookFile("gone.tgc", "x");
  r.ui.files.push_back(p);
  openWorkbook(r.w);
  modify();
  std::filesystem::remove(p);
  r.ui.clearRecord();
  EXPECT_EQ(saveCommand(r.w), 1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ファイルが存在しません。"_sj});
  EXPECT_FALSE(std::filesystem::exists(p));
  EXPECT_EQ(r.w.doc.modified, 1);
}

TEST_F(FileCommandsTest, FailedSaveAsKeepsWorkbookModifiedAndNamed) {
  startUp();
  modify();
  r.ui.files.push_back(path("no-such-dir/x.tgc"));
  EXPECT_EQ(saveAsCommand(r.w), SaveAsResult::Failed);
  EXPECT_EQ(r.w.doc.modified, 1);
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.w.doc.filePath, std::string("無題"));
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  // Closing still offers to save.
  r.ui.answers = {Answer::Cancel};
  EXPECT_EQ(confirmClose(r.w), 1);
  EXPECT_EQ(r.ui.texts().back(), kSaveQuestion);
}

TEST_F(FileCommandsTest, SaveOverAReadOnlyFileIsRefusedAndTold) {
  startUp();
  const std::string p = makeWorkbookFile("locked.tgc", "鍵"_sj);
  r.ui.files.push_back(p);
  openWorkbook(r.w);
  ::chmod(p.c_str(), 0444);
  const std::string before = readBytes(p);
  modify();
  r.ui.clearRecord();
  EXPECT_EQ(saveCommand(r.w), 1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{saveFailedText(r.w.doc.filePath, EACCES)});
  EXPECT_EQ(readBytes(p), before);
  EXPECT_EQ(r.w.doc.modified, 1);
  // Closing keeps the window open rather than lose the changes.
  r.ui.answers = {Answer::Yes};
  EXPECT_EQ(confirmClose(r.w), 1);
}

TEST_F(FileCommandsTest, RecentEntryWithSaveQuestion) {
  startUp();
  const std::string p = makeWorkbookFile("recent.tgc", "最近"_sj);
  r.settings.writeString("Recent File List", "File1", p);
  refreshRecentList(r.w);
  // Yes on an untitled workbook: cancelling Save As leaves it open.
  modify();
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(std::nullopt);
  openRecent(r.w, 0);
  EXPECT_EQ(theme(), "企画"_sj);
  EXPECT_EQ(r.w.doc.modified, 1);
  // Yes and a completed Save As: saved, then the recent file opens.
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(path("saved.tgc"));
  openRecent(r.w, 0);
  EXPECT_NE(readBytes(path("saved.tgc")).find("企画"_sj), std::string::npos);
  EXPECT_EQ(theme(), "最近"_sj);
  EXPECT_EQ(r.w.doc.modified, 0);
  // The list now holds both, the opened file first.
  ASSERT_EQ(window.menu.size(), 2u);
  EXPECT_EQ(window.menu[0].text, "&1 recent");
  EXPECT_EQ(window.menu[1].text, "&2 saved");
  // No: changes are dropped.
  modify("捨てる"_sj);
  r.ui.answers = {Answer::No};
  openRecent(r.w, 1);
  EXPECT_EQ(theme(), "企画"_sj);
  // Cancel: nothing happens.
  modify("残す"_sj);
  r.ui.answers = {Answer::Cancel};
  openRecent(r.w, 0);
  EXPECT_EQ(theme(), "残す"_sj);
}

TEST_F(FileCommandsTest, RecentEntryThatFailsToLoadIsCleared) {
  startUp();
  const std::string good = makeWorkbookFile("good.tgc", "良"_sj);
  const std::string badBytes = readBytes(makeWorkbookFile("bad.tgc", "悪"_sj));
  // The header passes the check; the body ends early.
  writeBytes(path("bad.tgc"), badBytes.substr(0, 40));
  r.settings.writeString("Recent File List", "File1", path("bad.tgc"));
  r.settings.writeString("Recent File List", "File2", good);
  refreshRecentList(r.w);
  ASSERT_EQ(window.menu.size(), 2u);
  r.ui.clearRecord();
  openRecent(r.w, 0);
  // The fixed text first, then the file and why.
  EXPECT_EQ(r.ui.texts(),
            std::vector<std::string>{fileFailureText(
                "ファイルが存在しないか、ファイルにエラーがあります。"_sj, path("bad.tgc"), kDamagedFile)});
  EXPECT_TRUE(r.w.wb().sheets.empty());
  EXPECT_TRUE(r.w.wb().marks.empty());
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  // The failed entry's value was emptied, so the rebuild dropped it.
  EXPECT_EQ(r.settings.readString("Recent File List", "File1", ""), good);
  ASSERT_EQ(window.menu.size(), 1u);
  EXPECT_EQ(window.menu[0].text, "&1 good");
}

TEST_F(FileCommandsTest, RecentEntryRefusedByTheCheckLeavesAnUntitledWorkbook) {
  startUp();
  const std::string own = makeWorkbookFile("own.tgc", "自分"_sj);
  // A listed file that is not a workbook: the list keeps it, the check refuses it.
  const std::string junk = path("junk.tgc");
  writeBytes(junk, "this is not a workbook file at all");
  r.settings.writeString("Recent File List", "File1", junk);
  r.ui.files.push_back(own);
  openWorkbook(r.w);
  ASSERT_EQ(r.w.doc.hasFile, 1);
  modify("捨てる"_sj);
  r.ui.clearRecord();
  r.ui.answers = {Answer::No};
  openRecent(r.w, 1);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{kSaveQuestion, "ファイル形式が違います。"_sj}));
  EXPECT_TRUE(r.w.wb().sheets.empty());
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(r.w.doc.filePath, std::string("無題"));
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  // Closing asks nothing and writes nothing over either file.
  EXPECT_EQ(confirmClose(r.w), 0);
  EXPECT_EQ(readBytes(junk), "this is not a workbook file at all");
  EXPECT_NE(readBytes(own).find("自分"_sj), std::string::npos);
}

TEST_F(FileCommandsTest, FailedLoadsLeaveAnEmptyUntitledWorkbookAndSayWhy) {
  startUp();
  const std::string bytes = readBytes(makeWorkbookFile("cut.tgc", "切"_sj));
  const std::string cut = path("cut.tgc");
  writeBytes(cut, bytes.substr(0, 40));  // passes the check, fails the load
  // Open: a warning naming the file, no rebuild of the recent list.
  r.ui.clearRecord();
  const int rebuilds = window.menuRebuilds;
  r.ui.files.push_back(cut);
  openWorkbook(r.w);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{openFailedText(cut, kDamagedFile)});
  EXPECT_TRUE(r.w.wb().sheets.empty());
  EXPECT_TRUE(r.w.marks.activeEntries.empty());
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(r.w.doc.filePath, std::string("無題"));
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  EXPECT_EQ(window.menuRebuilds, rebuilds);
  // A dropped file: the same, but the list is rebuilt in any case.
  const std::string good = makeWorkbookFile("good.tgc", "良"_sj);
  openPath(r.w, good);
  ASSERT_EQ(theme(), "良"_sj);
  r.ui.clearRecord();
  openPath(r.w, cut);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{openFailedText(cut, kDamagedFile)});
  EXPECT_TRUE(r.w.wb().sheets.empty());
  EXPECT_EQ(r.w.doc.hasFile, 0);
  EXPECT_EQ(r.ui.title, std::string("無題 - 発想マス目ノート"));
  // Twice for the good file (its ending and the end of the command), once for the cut one.
  EXPECT_EQ(window.menuRebuilds, rebuilds + 3);
  ASSERT_EQ(window.menu.size(), 1u);
  EXPECT_EQ(window.menu[0].text, "&1 good");
}

TEST_F(FileCommandsTest, YesWithAFileSavesThereBeforeOpening) {
  startUp();
  const std::string own = makeWorkbookFile("own.tgc", "自分"_sj);
  const std::string other = makeWorkbookFile("other.tgc", "他"_sj);
  r.settings.writeString("Recent File List", "File1", other);
  r.ui.files.push_back(own);
  openWorkbook(r.w);
  // The recent entry: the own file is saved, then the entry opens.
  modify("一"_sj);
  r.ui.answers = {Answer::Yes};
  openRecent(r.w, 1);
  EXPECT_NE(readBytes(own).find("一"_sj), std::string::npos);
  EXPECT_EQ(theme(), "他"_sj);
  EXPECT_EQ(r.w.doc.hasFile, 1);
  // A dropped file: saved over the open file without the check.
  modify("二"_sj);
  r.ui.answers = {Answer::Yes};
  openPath(r.w, own);
  EXPECT_NE(readBytes(other).find("二"_sj), std::string::npos);
  EXPECT_EQ(theme(), "一"_sj);
  // No drops the changes.
  modify("三"_sj);
  r.ui.answers = {Answer::No};
  openPath(r.w, other);
  EXPECT_EQ(readBytes(own).find("三"_sj), std::string::npos);
  EXPECT_EQ(theme(), "二"_sj);
  // Open: Yes runs Save, which checks the file and writes it.
  modify("四"_sj);
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(own);
  openWorkbook(r.w);
  EXPECT_NE(readBytes(other).find("四"_sj), std::string::npos);
  EXPECT_EQ(theme(), "一"_sj);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
}

TEST_F(FileCommandsTest, FirstSaveOfAnUntitledWorkbook) {
  startUp();
  modify();
  r.ui.files.push_back(std::nullopt);
  EXPECT_EQ(saveCommand(r.w), 1);  // cancelled
  EXPECT_EQ(r.w.doc.modified, 1);
  r.ui.files.push_back(path("no-such-dir/x.tgc"));
  EXPECT_EQ(saveCommand(r.w), 1);  // failed: still untitled and modified, and told why
  EXPECT_EQ(r.w.doc.modified, 1);
  EXPECT_EQ(r.w.doc.filePath, std::string("無題"));
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{saveFailedText(path("no-such-dir/x.tgc"), ENOENT)});
  r.ui.clearRecord();
  const int focus = r.ui.focusRequests;
  r.ui.files.push_back(path("first.tgc"));
  EXPECT_EQ(saveCommand(r.w), 0);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(r.w.doc.hasFile, 1);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.ui.title, "first.tgc - " + std::string("発想マス目ノート"));
  EXPECT_EQ(r.ui.focusRequests, focus + 1);
  ASSERT_EQ(window.menu.size(), 1u);
  EXPECT_EQ(window.menu[0].text, "&1 first");
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST_F(FileCommandsTest, CloseAnswers) {
  startUp();
  EXPECT_EQ(confirmClose(r.w), 0);  // unmodified: no question
  EXPECT_TRUE(r.ui.messages.empty());
  modify();
  r.ui.answers = {Answer::Cancel};
  EXPECT_EQ(confirmClose(r.w), 1);
  EXPECT_EQ(r.w.doc.modified, 1);
  r.ui.answers = {Answer::No};
  EXPECT_EQ(confirmClose(r.w), 0);
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(std::nullopt);
  EXPECT_EQ(confirmClose(r.w), 1);  // Save As cancelled: stay open
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(path("close.tgc"));
  EXPECT_EQ(confirmClose(r.w), 0);
  EXPECT_TRUE(std::filesystem::exists(path("close.tgc")));
  // With a file, Yes saves there.
  modify("後"_sj);
  r.ui.answers = {Answer::Yes};
  EXPECT_EQ(confirmClose(r.w), 0);
  EXPECT_NE(readBytes(path("close.tgc")).find("後"_sj), std::string::npos);
}

TEST_F(FileCommandsTest, CommandLinePathIsRelativeToCurrentDirectory) {
  const std::string p = makeWorkbookFile("cmd.tgc", "起動"_sj);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  startUp("cmd.tgc");
  std::filesystem::current_path(before);
  EXPECT_EQ(theme(), "起動"_sj);
  EXPECT_EQ(r.w.doc.hasFile, 1);
  EXPECT_EQ(r.ui.title, "cmd.tgc - " + std::string("発想マス目ノート"));
  ASSERT_EQ(window.menu.size(), 1u);
  EXPECT_EQ(window.menu[0].text, "&1 cmd");
}

TEST_F(FileCommandsTest, OpenPathRefusedLeavesWorkbook) {
  startUp();
  modify();
  openPath(r.w, path("missing.tgc"));
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ファイルが存在しません。"_sj});
  EXPECT_EQ(theme(), "企画"_sj);
  EXPECT_EQ(r.w.doc.modified, 1);
}

TEST_F(FileCommandsTest, DroppedFileOnModifiedWorkbookAsksFirst) {
  startUp();
  const std::string p = makeWorkbookFile("drop.tgc", "落"_sj);
  modify();
  r.ui.answers = {Answer::Cancel};
  openPath(r.w, p);
  EXPECT_EQ(theme(), "企画"_sj);
  r.ui.answers = {Answer::Yes};
  r.ui.files.push_back(path("kept.tgc"));
  openPath(r.w, p);
  EXPECT_EQ(theme(), "落"_sj);
  EXPECT_NE(readBytes(path("kept.tgc")).find("企画"_sj), std::string::npos);
}

}  // namespace
}  // namespace tgc::test
