#include "core/workbooklock.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/fileio.h"
#include "core/fileprims.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFirstLine = "ThoughtGridCraft lock\n";
// A lock file without readable contents this young may be one being
// written right now.
constexpr int64_t kUnreadableGraceSeconds = 10;

std::string hostName() {
  char name[HOST_NAME_MAX + 1] = "";
  if (::gethostname(name, sizeof name) != 0) return "localhost";
  name[HOST_NAME_MAX] = '\0';
  return name;
}

std::string userName() {
  struct passwd pw;
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::geteuid(), &pw, buffer, sizeof buffer, &found) == 0 && found) return found->pw_name;
  if (const char* u = std::getenv("USER")) return u;
  return std::to_string(::geteuid());
}

// The start time of a process in clock ticks since boot (field 22 of
// /proc/PID/stat), which tells a reused process id from the one that took
// the lock. 0 when unknown.
int64_t startTicks(int64_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return 0;
  const size_t close = line.rfind(')');  // the command name may hold spaces
  if (close == std::string::npos) return 0;
  std::istringstream rest(line.substr(close + 2));
  std::string field;
  for (int i = 3; i <= 22 && rest >> field; ++i) {
    if (i == 22) return std::strtoll(field.c_str(), nullptr, 10);
  }
  return 0;
}

struct LockRecord {
  LockOwner owner;
  int64_t start = 0;
};

std::string recordText(const LockRecord& r) {
  std::string t(kFirstLine);
  t += "pid=" + std::to_string(r.owner.pid) + "\n";
  t += "start=" + std::to_string(r.start) + "\n";
  t += "host=" + r.owner.host + "\n";
  t += "user=" + r.owner.user + "\n";
  t += "since=" + std::to_string(r.owner.since) + "\n";
  return t;
}

bool parseRecord(const std::string& text, LockRecord& r) {
  if (text.compare(0, kFirstLine.size(), kFirstLine) != 0) return false;
  std::istringstream in(text.substr(kFirstLine.size()));
  std::string line;
  int fields = 0;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    ++fields;
    if (key == "pid")
      r.owner.pid = std::strtoll(value.c_str(), nullptr, 10);
    else if (key == "start")
      r.start = std::strtoll(value.c_str(), nullptr, 10);
    else if (key == "host")
      r.owner.host = value;
    else if (key == "user")
      r.owner.user = value;
    else if (key == "since")
      r.owner.since = std::strtoll(value.c_str(), nullptr, 10);
    else
      --fields;
  }
  r.owner.thisHost = r.owner.host == hostName();
  return fields == 5 && r.owner.pid > 0;
}

bool processLives(const LockRecord& r) {
  if (::kill(static_cast<pid_t>(r.owner.pid), 0) != 0 && errno == ESRCH) return false;
  const int64_t now = startTicks(r.owner.pid);
  return r.start == 0 || now == 0 || now == r.start;
}

enum class Found { Nothing, Stale, Held, Unreadable };

// What the lock file at `path` says: nothing there, a stale lock, or a
// holder (in *owner).
Found examine(const std::string& path, LockOwner* owner) {
  std::string text;
  int error = 0;
  struct stat st;
  if (!readWholeFile(path, text, &error, &st)) return error == ENOENT ? Found::Nothing : Found::Unreadable;
  LockRecord r;
  if (!parseRecord(text, r)) {
    const int64_t age = static_cast<int64_t>(std::time(nullptr)) - st.st_mtim.tv_sec;
    return age > kUnreadableGraceSeconds ? Found::Stale : Found::Unreadable;
  }
  if (owner) *owner = r.owner;
  if (r.owner.thisHost && !processLives(r)) return Found::Stale;
  return Found::Held;
}

}  // namespace

std::string lockPathFor(const std::string& workbook) {
  const std::string target = resolveLinks(workbook);
  const std::string name = fs::path(target).filename().string();
  std::string lock = "." + name + ".lock";
  if (lock.size() > NAME_MAX) lock = ".tgc-" + temporaryTag(target) + ".lock";
  return folderOf(target) + "/" + lock;
}

WorkbookLock::Outcome WorkbookLock::take(const std::string& workbook, std::unique_ptr<WorkbookLock>& out,
                                         LockOwner* owner) {
  const std::string path = lockPathFor(workbook);
  LockRecord mine;
  mine.owner = {userName(), hostName(), static_cast<int64_t>(::getpid()),
                static_cast<int64_t>(std::time(nullptr)), true};
  mine.start = startTicks(mine.owner.pid);
  const std::string text = recordText(mine);
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Readable by everybody who can see the folder: the point is to be seen.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      const bool written = writeAll(fd, text) == 0;
      ::close(fd);
      if (!written) {
        ::unlink(path.c_str());
        return Outcome::NotPossible;
      }
      out.reset(new WorkbookLock(path, text));
      return Outcome::Taken;
    }
    if (errno != EEXIST) return Outcome::NotPossible;
    switch (examine(path, owner)) {
      case Found::Nothing:
        continue;
      case Found::Stale:
        ::unlink(path.c_str());
        continue;
      case Found::Held:
        return Outcome::HeldByOther;
      case Found::Unreadable:
        if (owner) *owner = LockOwner{};
        return Outcome::HeldByOther;
    }
  }
  return Outcome::NotPossible;
}

WorkbookLock::~WorkbookLock() {
  std::string now;
  if (readWholeFile(path_, now) && now == content_) ::unlink(path_.c_str());
}

std::optional<LockOwner> lockOwner(const std::string& workbook) {
  LockOwner owner;
  switch (examine(lockPathFor(workbook), &owner)) {
    case Found::Held:
      return owner;
    case Found::Unreadable:
      return LockOwner{};
    default:
      return std::nullopt;
  }
}

}  // namespace tgc
