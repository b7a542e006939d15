#include "core/fileprims.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "core/syscalls.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

const SystemCalls& sys() {
  return systemCalls();
}

}  // namespace

int lastError() {
  return errno != 0 ? errno : EIO;
}

int writeAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = sys().write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    if (n == 0) return EIO;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return 0;
}

int readAll(int fd, size_t sizeHint, std::string& out) {
  std::string data;
  data.resize(sizeHint + 1);  // +1 sees the end in one read
  size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    const ssize_t n = sys().read(fd, data.data() + used, data.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  data.resize(used);
  out = std::move(data);
  return 0;
}

int overwriteFile(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return lastError();
  if (int e = writeAll(fd, bytes)) return e;
  if (sys().ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return lastError();
  if (sys().fsync(fd) != 0) return lastError();
  return 0;
}

// A loop is left to the system to refuse (ELOOP).
std::string resolveLinks(const std::string& path) {
  fs::path current(path);
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(current, ec))) break;
    const fs::path next = fs::read_symlink(current, ec);
    if (ec) break;
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return current.string();
}

std::string folderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

uint64_t contentHash(std::string_view bytes) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::string temporaryTag(const std::string& target) {
  char tag[9];
  std::snprintf(tag, sizeof tag, "%08x",
                static_cast<unsigned>(contentHash(fs::path(target).filename().string()) & 0xFFFFFFFFu));
  return tag;
}

bool lockedByNobody(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

int createTemporary(const std::string& folder, const std::string& tag, mode_t mode, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Built with += because GCC 12 warns falsely on "literal" + std::string.
    std::string name = "/.tgc-";
    name += tag;
    name += '-';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    name += ".tmp";
    tempPath = folder + name;
    const int fd = sys().open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // A cleaner may have taken the fresh file for a dead one between the
    // creation and the lock; it is gone then, and another name is tried.
    struct stat st;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
    sys().close(fd);
  }
  errno = EEXIST;
  return -1;
}

int removeDeadTemporaries(const std::string& target) {
  const std::string folder = folderOf(target);
  const std::string prefix = ".tgc-" + temporaryTag(target) + "-";
  DIR* d = ::opendir(folder.c_str());
  if (!d) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name = e->d_name;
    if (name.size() < prefix.size() + 4 || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - 4) != ".tmp")
      continue;
    const std::string p = folder + "/" + std::string(name);
    const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    // Removed while its lock is held, so the writer that might just have
    // made it sees the removal (createTemporary) rather than lose its file.
    if (lockedByNobody(fd) && sys().unlink(p.c_str()) == 0) ++removed;
    ::close(fd);
  }
  ::closedir(d);
  return removed;
}

}  // namespace tgc
