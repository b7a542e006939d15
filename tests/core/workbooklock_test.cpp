// The lock file beside a workbook: what it tells another program, when it
// is stale and taken over, and where none can be made.
#include "core/workbooklock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/fileio.h"
#include "tests/support/tempdir.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

class WorkbookLockTest : public ::testing::Test, protected test::TempDir {
 protected:
  WorkbookLockTest() : TempDir("tgc-lock-") {}

  // A lock file as another program would have left it.
  void plant(const std::string& workbook, const std::string& host, int64_t pid, int64_t since) {
    std::ofstream(lockPathFor(workbook)) << "ThoughtGridCraft lock\npid=" << pid << "\nstart=0\nhost=" << host
                                         << "\nuser=yamada\nsince=" << since << "\n";
  }

  static std::string thisHost() {
    char name[256] = "";
    ::gethostname(name, sizeof name);
    return name;
  }

  // The id of a process that has ended.
  static pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
  }
};

TEST_F(WorkbookLockTest, ASecondProgramSeesTheHolderUntilItLetsGo) {
  const std::string workbook = path("企画.tgc");
  std::unique_ptr<WorkbookLock> first, second;
  ASSERT_EQ(WorkbookLock::take(workbook, first), WorkbookLock::Outcome::Taken);
  EXPECT_EQ(first->path(), path(".企画.tgc.lock"));
  LockOwner owner;
  EXPECT_EQ(WorkbookLock::take(workbook, second, &owner), WorkbookLock::Outcome::HeldByOther);
  EXPECT_FALSE(second);
  EXPECT_EQ(owner.pid, ::getpid());
  EXPECT_EQ(owner.host, thisHost());
  EXPECT_TRUE(owner.thisHost);
  EXPECT_FALSE(owner.user.empty());
  EXPECT_LE(std::abs(owner.since - static_cast<int64_t>(std::time(nullptr))), 5);
  EXPECT_EQ(lockOwner(workbook)->pid, ::getpid());
  first.reset();
  EXPECT_FALSE(fs::exists(path(".企画.tgc.lock")));
  EXPECT_FALSE(lockOwner(workbook).has_value());
  EXPECT_EQ(WorkbookLock::take(workbook, second), WorkbookLock::Outcome::Taken);
}

TEST_F(WorkbookLockTest, StaleLocksOfThisHostAreTakenOverOthersAreNot) {
  struct Case {
    const char* what;
    std::string host;
    int64_t pid;
    WorkbookLock::Outcome outcome;
  } cases[] = {
      {"a program of this host that has ended", thisHost(), endedProcess(), WorkbookLock::Outcome::Taken},
      {"a live program of this host", thisHost(), ::getppid(), WorkbookLock::Outcome::HeldByOther},
      {"another host, whatever its process", "pc-of-yamada", endedProcess(),
       WorkbookLock::Outcome::HeldByOther},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string workbook = path("w.tgc");
    plant(workbook, c.host, c.pid, 1700000000);
    std::unique_ptr<WorkbookLock> lock;
    LockOwner owner;
    EXPECT_EQ(WorkbookLock::take(workbook, lock, &owner), c.outcome);
    if (c.outcome == WorkbookLock::Outcome::HeldByOther) {
      EXPECT_EQ(owner.host, c.host);
      EXPECT_EQ(owner.user, "yamada");
      EXPECT_EQ(owner.since, 1700000000);
      // The other program's lock stays when this one gives up.
      lock.reset();
      EXPECT_TRUE(lockOwner(workbook).has_value());
    }
    fs::remove(lockPathFor(workbook));
  }
}

TEST_F(WorkbookLockTest, AFolderThatTakesNoNewFileHasNoLock) {
  std::unique_ptr<WorkbookLock> lock;
  EXPECT_EQ(WorkbookLock::take(path("missing/w.tgc"), lock), WorkbookLock::Outcome::NotPossible);
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a folder an ordinary user cannot write";
  fs::create_directory(path("ro"));
  ::chmod(dir().c_str(), 0755);
  ::chmod(path("ro").c_str(), 0555);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(42);
    std::unique_ptr<WorkbookLock> l;
    ::_exit(WorkbookLock::take(path("ro/w.tgc"), l) == WorkbookLock::Outcome::NotPossible ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 42) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace tgc
