// Autosave decisions, the interval setting, the record beside a copy, and
// which folders count as left behind by a program that is gone.
#include "core/autosave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/document.h"
#include "core/workbookfile.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"

namespace tgc::test {
namespace {

namespace fs = std::filesystem;

enum class Expect { Nothing, Write, Remove };

void addWord(Document& d, const std::string& text) {
  d.recordChange();
  d.cur().addWord(text);
}

TEST(AutosaveTest, WritesEveryDifferenceFromTheLastCopyAndFromTheCleanWorkbook) {
  Document d;
  d.cur().addWord("theme");
  Autosave autosave;
  autosave.rememberClean(d);
  uint64_t lastNumber = 0;
  const struct Step {
    const char* what;
    std::function<void()> act;
    Expect expect;
  } steps[] = {
      {"clean workbook", [] {}, Expect::Nothing},
      {"first change", [&] { addWord(d, "a"); }, Expect::Write},
      {"nothing new", [] {}, Expect::Nothing},
      // The copy above may still be on its way to disk: what changed since
      // it was handed out is written by the next look all the same.
      {"change while writing", [&] { addWord(d, "b"); }, Expect::Write},
      // Grouped editor changes alter the slot without recording a step.
      {"change without an undo step", [&] { d.cur().words.back().text += "c"; }, Expect::Write},
      {"undo", [&] { d.undoStep(); }, Expect::Write},
      {"undo back to the clean workbook", [&] { d.undoStep(); }, Expect::Remove},
      {"still clean content", [] {}, Expect::Nothing},
      {"redo", [&] { d.redoStep(); }, Expect::Write},
      {"the write failed", [&] { autosave.writeFailed(lastNumber); }, Expect::Write},
      {"a failure older than the last write", [&] { autosave.writeFailed(lastNumber - 1); }, Expect::Nothing},
      {"saved, the autosave not told", [&] { d.setModified(0); }, Expect::Remove},
      {"changed after the save", [&] { addWord(d, "d"); }, Expect::Write},
  };
  for (const Step& s : steps) {
    s.act();
    const auto job = autosave.look(d, 500);
    const Expect got = !job                                    ? Expect::Nothing
                       : job->kind == AutosaveJob::Kind::Write ? Expect::Write
                                                               : Expect::Remove;
    ASSERT_EQ(got, s.expect) << s.what;
    if (!job) continue;
    EXPECT_GT(job->number, lastNumber) << s.what;
    lastNumber = job->number;
    if (got == Expect::Write) {
      EXPECT_EQ(*job->workbook, serializeWorkbook(d.cur())) << s.what;
      EXPECT_EQ(job->record, (RecoveryRecord{"", 500})) << s.what;
    }
  }
  // Becoming clean removes the copy at once; the path of a titled workbook
  // goes into the record.
  const auto removal = autosave.cleaned();
  ASSERT_TRUE(removal);
  EXPECT_EQ(removal->kind, AutosaveJob::Kind::Remove);
  EXPECT_FALSE(autosave.cleaned());
  d.filePath = "/home/u/企画.tgc";
  addWord(d, "e");
  EXPECT_EQ(autosave.look(d, 600)->record, (RecoveryRecord{"/home/u/企画.tgc", 600}));
}

TEST(AutosaveTest, IntervalSetting) {
  const struct {
    const char* stored;  // nullptr: no value
    int seconds;
  } cases[] = {{nullptr, 60}, {"0", 0}, {"5", 5}, {"-3", 60}, {"999999", 86400}, {"abc", 60}};
  for (const auto& c : cases) {
    FakeSettings settings;
    if (c.stored) settings.values[{"Recovery", "AutosaveSeconds"}] = c.stored;
    EXPECT_EQ(autosaveSeconds(settings), c.seconds) << (c.stored ? c.stored : "missing");
  }
}

TEST(RecoveryRecordTest, RoundTripAndDamage) {
  const RecoveryRecord odd{"/a\\b\nc/企画.tgc", 1714552320};
  EXPECT_EQ(parseRecoveryRecord(formatRecoveryRecord(odd)), odd);
  EXPECT_EQ(parseRecoveryRecord(formatRecoveryRecord({"", 0})), (RecoveryRecord{"", 0}));
  const std::string good = formatRecoveryRecord(odd);
  for (const std::string& bad :
       {good.substr(0, good.size() - 1), "x" + good, std::string("ThoughtGridCraft recovery 1\npath=/a\n"),
        std::string("ThoughtGridCraft recovery 1\ntime=1x\npath=/a\n"),
        std::string("ThoughtGridCraft recovery 1\ntime=1\npath=/a\\q\n")})
    EXPECT_FALSE(parseRecoveryRecord(bad)) << bad;
}

class RecoveryStoreTest : public ::testing::Test {
 protected:
  // A session that wrote a copy and whose program then died: its lock goes
  // with it, its folder stays.
  std::string leaveCopy(const std::string& bytes, const RecoveryRecord& record) {
    auto session = RecoverySession::create(root);
    EXPECT_TRUE(session && session->writeCopy(bytes, record));
    return session->folder();
  }
  TempDir dir{"tgc-recovery-"};
  const std::string root = dir.path("state/ThoughtGridCraft/recovery");
};

TEST_F(RecoveryStoreTest, OnlyCopiesOfProgramsThatAreGoneAreClaimed) {
  auto live = RecoverySession::create(root);
  ASSERT_TRUE(live);
  ASSERT_TRUE(live->writeCopy("live", {"/live.tgc", 50}));
  const std::string older = leaveCopy("older", {"/older.tgc", 100});
  const std::string newer = leaveCopy("newer", {"", 200});
  const std::string empty = RecoverySession::create(root)->folder();  // died clean
  EXPECT_EQ(fs::status(root).permissions() & fs::perms::all, fs::perms::owner_all);

  std::vector<LeftCopy> claimed = claimLeftCopies(root);
  ASSERT_EQ(claimed.size(), 2u);
  EXPECT_EQ(claimed[0].folder, newer);
  EXPECT_EQ(claimed[0].record, (RecoveryRecord{"", 200}));
  EXPECT_EQ(claimed[1].record, (RecoveryRecord{"/older.tgc", 100}));
  std::string bytes;
  ASSERT_TRUE(readLeftCopy(claimed[1], bytes));
  EXPECT_EQ(bytes, "older");
  EXPECT_FALSE(fs::exists(empty));
  // While claimed, a second program starting now sees none of them.
  EXPECT_TRUE(claimLeftCopies(root).empty());

  removeLeftCopy(claimed[0]);
  EXPECT_FALSE(fs::exists(newer));
  claimed.clear();  // the older one is let go unanswered, and found again
  ASSERT_EQ(claimLeftCopies(root).size(), 1u);

  // The live program removes its copy on a save, and its folder on a close.
  live->removeCopy();
  EXPECT_TRUE(fs::exists(live->folder()));
  EXPECT_FALSE(fs::exists(live->copyPath()));
  const std::string liveFolder = live->folder();
  live->close();
  EXPECT_FALSE(fs::exists(liveFolder));
}

}  // namespace
}  // namespace tgc::test
