// One writer per workbook, as two programs see it: the lock question, the
// read-only mode, the question before a save over a file changed on disk,
// the look on activation, and a killed save finished on open.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "core/filecommands.h"
#include "core/fileguard.h"
#include "core/fileio.h"
#include "core/recoveryoffer.h"
#include "core/syscalls.h"
#include "core/workbookfile.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

namespace fs = std::filesystem;

class OneWriterTest : public ShellTest {
 protected:
  // The first program: a workbook saved as w.tgc, holding its lock.
  std::string savedByFirst() {
    startUp();
    modify("初版"_sj);
    r.ui.files.push_back(path("w.tgc"));
    EXPECT_EQ(saveAsCommand(r.w), SaveAsResult::Saved);
    r.ui.clearRecord();
    return path("w.tgc");
  }

  // Another program's save over the file, as `tgc build --force` makes it.
  void changeOnDisk(const std::string& file, const std::string& word) {
    Workbook wb = r.w.wb();
    wb.addWord(word);
    ASSERT_TRUE(writeFileAtomically(file, serializeWorkbook(wb)));
  }
};

struct SecondProgram {
  Rig r;
  FakeAppWindow window;
  SecondProgram() {
    r.w.app.window = &window;
    StartUpArgs args;
    documentStartUp(r.w, args);
  }
};

TEST_F(OneWriterTest, TheSecondProgramIsAskedAndReadOnlyCannotOverwrite) {
  const std::string file = savedByFirst();
  const std::string firstBytes = readBytes(file);
  SecondProgram second;
  Rig& b = second.r;
  const std::string question = lockQuestionText(file, *lockOwner(file), b.clock.now);
  EXPECT_NE(question.find("（このコンピューター）"_sj), std::string::npos);

  b.ui.answers = {Answer::Cancel};
  openPath(b.w, file);
  EXPECT_EQ(b.ui.texts(), std::vector<std::string>{question});
  EXPECT_EQ(b.w.doc.hasFile, 0);

  b.ui.answers = {Answer::Yes};  // read-only
  openPath(b.w, file);
  EXPECT_EQ(b.ui.title, "w.tgc (読み取り専用) - 発想マス目ノート");
  b.w.doc.recordChange();
  b.ui.files = {std::nullopt};
  b.ui.clearRecord();
  EXPECT_EQ(saveCommand(b.w), 1);  // Save is Save As, here cancelled
  EXPECT_EQ(b.ui.fileRequests.size(), 1u);
  b.ui.files = {file};  // and the held file is no name to save under
  EXPECT_EQ(saveAsCommand(b.w), SaveAsResult::Failed);
  ASSERT_EQ(b.ui.messages.size(), 1u);
  EXPECT_NE(b.ui.messages[0].text.find("この名前では保存できません。"_sj), std::string::npos);
  EXPECT_TRUE(readBytes(file) == firstBytes);
  b.ui.files = {path("copy.tgc")};  // another name is saved and becomes its own
  EXPECT_EQ(saveAsCommand(b.w), SaveAsResult::Saved);
  EXPECT_EQ(b.ui.title, "copy.tgc - 発想マス目ノート");
  EXPECT_EQ(lockOwner(path("copy.tgc"))->pid, ::getpid());

  b.ui.answers = {Answer::No};  // open anyway: no lock, not read-only
  b.ui.clearRecord();
  openPath(b.w, file);
  EXPECT_EQ(b.ui.texts(), std::vector<std::string>{question});
  EXPECT_EQ(b.ui.title, "w.tgc - 発想マス目ノート");
  EXPECT_FALSE(lockOwner(path("copy.tgc")).has_value());  // opening another file let it go

  newWorkbook(r.w);  // the first program lets go: the file is free
  EXPECT_FALSE(lockOwner(file).has_value());
}

TEST_F(OneWriterTest, SaveOverAFileChangedOnDiskAsks) {
  const std::string file = savedByFirst();
  const struct {
    Answer answer;
    int result;
    bool overwritten;
    size_t saveAsDialogs;
  } cases[] = {
      {Answer::Cancel, 1, false, 0},
      {Answer::No, 1, false, 1},  // save as, here cancelled
      {Answer::Yes, 0, true, 0},
  };
  for (const auto& c : cases) {
    changeOnDisk(file, "よそ"_sj);
    const std::string theirs = readBytes(file);
    modify("こちら"_sj);
    r.ui.clearRecord();
    r.ui.answers = {c.answer};
    r.ui.files = {std::nullopt};
    EXPECT_EQ(saveCommand(r.w), c.result);
    ASSERT_EQ(r.ui.messages.size(), 1u);
    EXPECT_EQ(r.ui.messages[0].text,
              "「w.tgc」は、読み込んだ後か前回保存した後に、ほかのプログラムで変更されています。\n"
              "上書きすると、その変更は失われます。"_sj);
    EXPECT_EQ(readBytes(file) != theirs, c.overwritten);
    EXPECT_EQ(r.ui.fileRequests.size(), c.saveAsDialogs);
  }
  // Saved over now: the next save asks nothing. A file gone keeps the
  // check's message.
  modify("次"_sj);
  r.ui.clearRecord();
  EXPECT_EQ(saveCommand(r.w), 0);
  EXPECT_TRUE(r.ui.messages.empty());
  fs::remove(file);
  modify("後"_sj);
  r.ui.clearRecord();
  EXPECT_EQ(saveCommand(r.w), 1);
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{"ファイルが存在しません。"_sj});
}

TEST_F(OneWriterTest, ActivationTellsOfAChangeOnceAndOffersAReload) {
  const std::string file = savedByFirst();
  EXPECT_FALSE(fileChangedOnActivation(r.w));
  changeOnDisk(file, "追加"_sj);
  r.ui.answers = {Answer::Yes};
  EXPECT_TRUE(fileChangedOnActivation(r.w));
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{
                              "「w.tgc」が、ほかのプログラムで変更されました。\n読み込み直しますか？"_sj});
  EXPECT_FALSE(fileChangedOnActivation(r.w));  // told once per change
  reloadWorkbook(r.w);
  EXPECT_GE(r.w.wb().findWord("追加"_sj), 0);
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_EQ(lockOwner(file)->pid, ::getpid());  // the lock is kept

  modify("編集中"_sj);
  changeOnDisk(file, "もう一度"_sj);
  r.ui.clearRecord();
  EXPECT_FALSE(fileChangedOnActivation(r.w));
  EXPECT_EQ(r.ui.texts(),
            std::vector<std::string>{"「w.tgc」が、ほかのプログラムで変更されました。\n"
                                     "このまま保存しようとすると、上書きしてよいかを確認します。"_sj});
  EXPECT_FALSE(fileChangedOnActivation(r.w));
  EXPECT_EQ(r.ui.messages.size(), 1u);
}

// A restored copy takes the lock of its file, or is read-only (and says so)
// while another program holds it.
TEST_F(OneWriterTest, ARestoredCopyTakesTheLockOrIsReadOnly) {
  const std::string file = savedByFirst();
  const std::string bytes = readBytes(file);
  SecondProgram second;
  Rig& b = second.r;
  ASSERT_TRUE(restoreWorkbook(b.w, bytes, RecoveryRecord{file, 1700000000}));
  EXPECT_EQ(b.ui.title, "w.tgc (読み取り専用) - 発想マス目ノート");
  ASSERT_EQ(b.ui.messages.size(), 1u);
  EXPECT_EQ(b.ui.messages[0].text.rfind(
                "「w.tgc」は、ほかのプログラムで開かれているため、読み取り専用で復元しました。"_sj, 0),
            0u);
  newWorkbook(r.w);  // the first program lets go
  b.ui.clearRecord();
  ASSERT_TRUE(restoreWorkbook(b.w, bytes, RecoveryRecord{file, 1700000000}));
  EXPECT_EQ(b.ui.title, "w.tgc - 発想マス目ノート");
  EXPECT_TRUE(b.ui.messages.empty());
  EXPECT_EQ(lockOwner(file)->pid, ::getpid());
  // Restored again by the program that now holds the file, as when the file
  // was opened from the command line before the offer: its own lock is no
  // other program's, and it stays.
  b.ui.clearRecord();
  ASSERT_TRUE(restoreWorkbook(b.w, bytes, RecoveryRecord{file, 1700000000}));
  EXPECT_EQ(b.ui.title, "w.tgc - 発想マス目ノート");
  EXPECT_TRUE(b.ui.messages.empty());
  ASSERT_TRUE(lockOwner(file).has_value());
  EXPECT_EQ(lockOwner(file)->pid, ::getpid());
}

// A save in place whose write and whose restore both failed leaves its
// journal; the next open finishes the save from it and says so.
TEST_F(OneWriterTest, AnOpenFinishesASaveThatWasCutOff) {
  const std::string file = savedByFirst();
  fs::create_hard_link(file, path("second-name.tgc"));
  modify("最新"_sj);
  const std::string intended = serializeWorkbook(r.w.wb());
  static int writes = 0;
  writes = 0;
  systemCalls().write = [](int fd, const void* b, size_t n) -> ssize_t {
    if (++writes >= 2) {  // the file itself, then the old contents back
      errno = EIO;
      return -1;
    }
    return realSystemCalls().write(fd, b, n);
  };
  EXPECT_EQ(saveCommand(r.w), 1);
  systemCalls() = realSystemCalls();
  r.ui.answers = {Answer::No};  // the changes are dropped
  newWorkbook(r.w);
  r.ui.clearRecord();
  openPath(r.w, path("second-name.tgc"));
  EXPECT_EQ(r.ui.texts(), std::vector<std::string>{interruptedSaveText(path("second-name.tgc"), true)});
  EXPECT_TRUE(readBytes(file) == intended);
  EXPECT_GE(r.w.wb().findWord("最新"_sj), 0);
}

}  // namespace
}  // namespace tgc::test
