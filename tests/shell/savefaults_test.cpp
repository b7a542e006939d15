// Saves over a good workbook while one system call of the writer fails:
// whichever it is, the file stays byte for byte what it was, nothing is left
// beside it, the person is told the file and the reason, and the workbook
// stays modified.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "core/filecommands.h"
#include "core/fileerror.h"
#include "core/fileguard.h"
#include "core/syscalls.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

enum class Call { Open, Write, Fsync, Rename, Close };

// The one call to fail: the `nth` call of that kind fails with `error`.
struct Fault {
  Call call;
  int nth;
  int error;
  int seen = 0;
  bool fired = false;
};
Fault* armed = nullptr;

bool failNow(Call call) {
  if (!armed || armed->call != call || ++armed->seen != armed->nth) return false;
  armed->fired = true;
  errno = armed->error;
  return true;
}

// Puts failing versions of the five calls into the table while it lives.
class FaultyCalls {
 public:
  FaultyCalls() {
    SystemCalls& t = systemCalls();
    t.open = [](const char* p, int flags, mode_t mode) {
      return failNow(Call::Open) ? -1 : realSystemCalls().open(p, flags, mode);
    };
    t.write = [](int fd, const void* b, size_t n) -> ssize_t {
      return failNow(Call::Write) ? -1 : realSystemCalls().write(fd, b, n);
    };
    t.fsync = [](int fd) { return failNow(Call::Fsync) ? -1 : realSystemCalls().fsync(fd); };
    t.rename = [](const char* a, const char* b) {
      return failNow(Call::Rename) ? -1 : realSystemCalls().rename(a, b);
    };
    // A failing close still releases the descriptor, as the system's does.
    t.close = [](int fd) {
      const bool fail = failNow(Call::Close);
      const int r = realSystemCalls().close(fd);
      if (!fail) return r;
      errno = armed->error;
      return -1;
    };
  }
  ~FaultyCalls() {
    systemCalls() = realSystemCalls();
    armed = nullptr;
  }
};

class SaveFaultTest : public ShellTest {
 protected:
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
      out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(SaveFaultTest, EveryFailingCallLeavesTheFileAndIsTold) {
  startUp();
  modify("元"_sj);
  const std::string file = path("good.tgc");
  r.ui.files.push_back(file);
  ASSERT_EQ(saveAsCommand(r.w), SaveAsResult::Saved);
  const std::string good = readBytes(file);
  FaultyCalls faulty;
  // A single name is replaced by a renamed new file; a file with a second
  // hard link is written in place behind a copy. Both must hold.
  for (bool linked : {false, true}) {
    if (linked) std::filesystem::create_hard_link(file, path("other-name.tgc"));
    for (Call call : {Call::Open, Call::Write, Call::Fsync, Call::Rename, Call::Close}) {
      for (int error : {ENOSPC, EIO}) {
        // Fail the first call of the kind, then the second..., until a save
        // makes no such call any more and succeeds.
        for (int nth = 1;; ++nth) {
          SCOPED_TRACE(testing::Message() << "linked " << linked << " call " << static_cast<int>(call)
                                          << " error " << error << " nth " << nth);
          writeBytes(file, good);   // the same inode: a hard link stays a link
          rememberFileOnDisk(r.w);  // as if saved by the program: Save asks nothing
          modify("新"_sj);
          const std::vector<std::string> before = names();
          r.ui.clearRecord();
          Fault fault{call, nth, error};
          armed = &fault;
          const int result = saveCommand(r.w);
          armed = nullptr;
          if (!fault.fired) {
            EXPECT_EQ(result, 0);
            EXPECT_NE(readBytes(file), good);
            if (linked) {
              EXPECT_TRUE(readBytes(path("other-name.tgc")) == readBytes(file));
            }
            EXPECT_TRUE(r.ui.messages.empty());
            break;
          }
          EXPECT_EQ(result, 1);
          EXPECT_TRUE(readBytes(file) == good);
          EXPECT_EQ(names(), before);
          EXPECT_EQ(r.w.doc.modified, 1);
          EXPECT_EQ(r.ui.texts(), std::vector<std::string>{saveFailedText(file, error)});
          ASSERT_LT(nth, 5) << "the save never stopped calling";
        }
      }
    }
  }
}

}  // namespace
}  // namespace tgc::test
