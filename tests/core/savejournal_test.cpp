// Saves in place that a kill cuts off: at each step of the save, and at
// random moments in a loop, the next open finds the workbook whole (old or
// new byte for byte) and nothing left beside it.
#include "core/savejournal.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "core/fileio.h"
#include "core/syscalls.h"
#include "core/workbookfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/workbooks.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

// A workbook of `words` words, each marked with `tag`: real bytes the
// program opens.
std::string workbookBytes(int words, const std::string& tag) {
  Workbook wb;
  wb.sheets.push_back(test::gridSheet(TypeA));
  for (int i = 0; i < words; ++i) wb.addWord(tag + test::numbered(i));
  return serializeWorkbook(wb);
}

// The call of the writer at which the child dies, and whether that call
// does half its work first.
struct KillPoint {
  const char* what;
  int write;  // the nth write dies after half its bytes (0: none)
  int fsync;  // the nth fsync dies before it runs (0: none)
  bool journalComplete;
  bool rewritten;
};

int writesSeen = 0, fsyncsSeen = 0;
KillPoint point;

class SaveJournalTest : public ::testing::Test, protected test::TempDir {
 protected:
  SaveJournalTest() : TempDir("tgc-journal-") {}

  // Only the workbook and its second name may stay in the folder.
  std::vector<std::string> leftovers() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir())) {
      const std::string name = e.path().filename().string();
      if (name != "w.tgc" && name != "h.tgc") out.push_back(name);
    }
    return out;
  }
};

TEST_F(SaveJournalTest, EveryStepOfAKilledSaveIsUndoneOnOpen) {
  const std::string oldBytes = workbookBytes(400, "old"), newBytes = workbookBytes(200, "new");
  const KillPoint points[] = {
      {"while the journal is written", 1, 0, false, false},
      {"while the file is written", 2, 0, true, true},
      {"after the file was written, before it was flushed", 0, 2, true, false},
  };
  for (const KillPoint& p : points) {
    SCOPED_TRACE(p.what);
    const std::string file = write("w.tgc", oldBytes);
    fs::remove(path("h.tgc"));
    fs::create_hard_link(file, path("h.tgc"));  // so the save stays on the inode
    point = p;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      SystemCalls& t = systemCalls();
      t.write = [](int fd, const void* b, size_t n) -> ssize_t {
        if (++writesSeen != point.write) return realSystemCalls().write(fd, b, n);
        realSystemCalls().write(fd, b, n / 2);
        ::_exit(0);
      };
      t.fsync = [](int fd) {
        if (++fsyncsSeen == point.fsync) ::_exit(0);
        return realSystemCalls().fsync(fd);
      };
      writeFileAtomically(file, newBytes);
      ::_exit(1);  // the save ran to its end: the kill point was never reached
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_EQ(leftovers().size(), 1u);
    const std::string journal = path(leftovers().front());

    const std::optional<InterruptedSave> found = recoverInterruptedSave(path("h.tgc"));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->leftover, journal);
    EXPECT_EQ(found->step, p.journalComplete ? SaveStep::Overwriting : SaveStep::PuttingAside);
    EXPECT_EQ(found->rewritten, p.rewritten);
    EXPECT_EQ(found->error, 0);
    std::string now;
    ASSERT_TRUE(readWholeFile(file, now));
    EXPECT_TRUE(now == (p.journalComplete ? newBytes : oldBytes));
    EXPECT_TRUE(leftovers().empty());
    EXPECT_FALSE(recoverInterruptedSave(file).has_value());  // nothing left to find
  }
}

// A journal whose save is still running is no leftover, and a journal made
// for a file that is gone says nothing about the file that took its inode.
TEST_F(SaveJournalTest, LiveAndForeignJournalsAreNotUsed) {
  const std::string file = write("w.tgc", "whole");
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  const std::string journal = journalPath(dir().string(), st);
  write(fs::path(journal).filename().string(), "a journal being written");
  const int held = ::open(journal.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_FALSE(recoverInterruptedSave(file).has_value());
  EXPECT_TRUE(fs::exists(journal));
  ::close(held);
  // Unheld now: an incomplete journal means the file was never touched.
  const auto found = recoverInterruptedSave(file);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->step, SaveStep::PuttingAside);
  EXPECT_FALSE(fs::exists(journal));
}

// Kills at random moments while a child saves two workbooks in turn over a
// hard-linked file. The seed is printed, so a failure can be replayed.
TEST_F(SaveJournalTest, KillLoopNeverLeavesADamagedWorkbook) {
  const std::string a = workbookBytes(60000, "a"), b = workbookBytes(50000, "b");
  const std::string file = write("w.tgc", a);
  fs::create_hard_link(file, path("h.tgc"));
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delayUs(0, 30000);
  int restored = 0;
  for (int round = 0; round < 40; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int n = 0;; ++n) writeFileAtomically(path(n % 2 ? "h.tgc" : "w.tgc"), n % 2 ? a : b);
    }
    ::usleep(static_cast<useconds_t>(delayUs(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const auto found = recoverInterruptedSave(path(round % 2 ? "w.tgc" : "h.tgc"));
    restored += found && found->rewritten;
    std::string now;
    ASSERT_TRUE(readWholeFile(file, now));
    ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    Workbook opened;
    ASSERT_TRUE(readWorkbookBytes(now, opened));
    ASSERT_TRUE(leftovers().empty()) << leftovers().front();
  }
  RecordProperty("restored", restored);
}

}  // namespace
}  // namespace tgc
