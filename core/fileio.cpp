#include "core/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace tgc {
namespace {

namespace fs = std::filesystem;

bool writeAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// The file a save really replaces: the target of a symbolic link, so the
// link survives the rename.
fs::path resolveTarget(const std::string& path) {
  std::error_code ec;
  const fs::path given(path);
  if (!fs::is_symlink(fs::symlink_status(given, ec))) return given;
  fs::path real = fs::weakly_canonical(given, ec);
  return ec ? given : real;
}

// Creates a fresh temporary beside the target; -1 when the folder refuses.
int createTemporary(const fs::path& target, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Built with += because GCC 12 warns falsely on "literal" + std::string.
    std::string name = ".";
    name += target.filename().string();
    name += ".tmp-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    tempPath = (folder / name).string();
    // Mode 0666 lets the umask decide, as for any new file.
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string data;
  data.resize(static_cast<size_t>(st.st_size) + 1);  // +1 sees the end in one read
  size_t used = 0;
  bool ok = true;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    const ssize_t n = ::read(fd, data.data() + used, data.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  if (!ok) return false;
  data.resize(used);
  out = std::move(data);
  return true;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const fs::path target = resolveTarget(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;

  std::string tempPath;
  const int fd = createTemporary(target, tempPath);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes);
  if (ok && exists) {
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    // Only a privileged process may give the file away; others keep theirs.
    if (ok && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    }
  }
  // The data must be on disk before the rename makes it the file. The
  // folder is not synced afterwards: a crash then may bring back the old
  // file, which is still a whole workbook, and the save stays fast.
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tempPath.c_str());
    return false;
  }
  return true;
}

}  // namespace tgc
