#include "core/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "core/syscalls.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

const SystemCalls& sys() {
  return systemCalls();
}

// The errno value of the call that just failed; never 0, so a failure can
// never read as success.
int lastError() {
  return errno != 0 ? errno : EIO;
}

// The public result: true on success; the errno value goes to `out`.
bool finish(int error, int* out) {
  if (out) *out = error;
  return error == 0;
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

// The file a save really writes: symbolic links are followed one at a time,
// so a link to nowhere names the file to create and the links themselves
// stay. A loop is left to the system to refuse (ELOOP).
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

// A new file in `folder`. Its name does not grow with the target's, so a
// target whose name has the longest length the file system allows still
// gets a temporary.
int createTemporary(const std::string& folder, mode_t mode, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Built with += because GCC 12 warns falsely on "literal" + std::string.
    std::string name = "/.tgc-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter.fetch_add(1));
    name += ".tmp";
    tempPath = folder + name;
    const int fd = sys().open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes `bytes` from the start of the open file, cuts it there and flushes.
int overwrite(int fd, std::string_view bytes) {
  if (::lseek(fd, 0, SEEK_SET) != 0) return lastError();
  if (int e = writeAll(fd, bytes)) return e;
  if (sys().ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return lastError();
  if (sys().fsync(fd) != 0) return lastError();
  return 0;
}

// A flushed copy of `bytes` beside the target, or in the temporary folder
// when the target's folder takes no new files.
int putAside(const std::string& target, std::string_view bytes, std::string& copyPath) {
  int fd = createTemporary(folderOf(target), 0600, copyPath);
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (!ec) fd = createTemporary(temp.string(), 0600, copyPath);
  }
  if (fd < 0) return lastError();
  int error = writeAll(fd, bytes);
  if (!error && sys().fsync(fd) != 0) error = lastError();
  if (sys().close(fd) != 0 && !error) error = lastError();
  if (error) sys().unlink(copyPath.c_str());
  return error;
}

// Writing over the existing inode, for the files a renamed new file would
// change for the worse: one with other hard links (they would keep the old
// contents), one whose owner or group a new file of this user cannot take
// (the file would change hands), and one in a folder that takes no new files.
// The old contents are read, put aside in a flushed copy, then the new bytes
// are written, cut to length and flushed. Any failure writes the old bytes
// back from memory; the copy is removed once the file holds a whole version,
// and stays only when even that restore failed (or the program died in
// between), so no moment passes without one whole copy of the old data.
int replaceInPlace(const std::string& target, const struct stat& st, std::string_view bytes) {
  const int fd = sys().open(target.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return lastError();
  std::string old;
  int error = readAll(fd, static_cast<size_t>(st.st_size), old);
  std::string copyPath;
  if (!error) error = putAside(target, old, copyPath);
  if (error) {
    sys().close(fd);
    return error;
  }
  error = overwrite(fd, bytes);
  if (sys().close(fd) != 0 && !error) error = lastError();
  if (error) {
    const int again = sys().open(target.c_str(), O_WRONLY | O_CLOEXEC, 0);
    if (again < 0) return error;
    const bool restored = overwrite(again, old) == 0;
    if (sys().close(again) != 0 || !restored) return error;
  }
  sys().unlink(copyPath.c_str());
  return error;
}

// Not an errno value: the file must be written in place.
constexpr int kNeedsInPlace = -1;

// The usual way: a complete new file renamed over the old name. 0, an errno
// value, or kNeedsInPlace when a new file cannot take the old one's place.
int replaceByRename(const std::string& target, const struct stat* old, std::string_view bytes) {
  std::string tempPath;
  // The old bits from the start: the temporary is never more open than the
  // file it replaces. A new file gets what the umask leaves of 0666.
  const int fd = createTemporary(folderOf(target), old ? (old->st_mode & 0777) : 0666, tempPath);
  if (fd < 0) {
    if (old && (errno == EACCES || errno == EPERM)) return kNeedsInPlace;
    return lastError();
  }
  int error = 0;
  if (old) {
    // Only a privileged process may give a file away, and only a member of
    // the group may give it the group: when refused, stay on the old inode.
    if (sys().fchown(fd, old->st_uid, old->st_gid) != 0) {
      error = errno == EPERM || errno == EINVAL ? kNeedsInPlace : lastError();
    } else if (sys().fchmod(fd, old->st_mode & 07777) != 0) {  // after chown, which may clear bits
      error = lastError();
    }
  }
  if (!error) error = writeAll(fd, bytes);
  // The data must be on disk before the rename makes it the file. The
  // folder is not synced afterwards: a crash then may bring back the old
  // file, which is still a whole workbook, and the save stays fast.
  if (!error && sys().fsync(fd) != 0) error = lastError();
  if (sys().close(fd) != 0 && !error) error = lastError();
  if (!error && sys().rename(tempPath.c_str(), target.c_str()) != 0) error = lastError();
  if (error) sys().unlink(tempPath.c_str());
  return error;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& out, int* error) {
  const int fd = sys().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return finish(lastError(), error);
  struct stat st;
  int e = 0;
  if (::fstat(fd, &st) != 0)
    e = lastError();
  else if (!S_ISREG(st.st_mode))
    e = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  else
    e = readAll(fd, static_cast<size_t>(st.st_size), out);
  sys().close(fd);
  return finish(e, error);
}

int mayOverwrite(const std::string& path, const struct stat& st) {
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return lastError();
  return 0;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, int* error) {
  if (path.empty()) return finish(ENOENT, error);
  const std::string target = resolveLinks(path);
  struct stat old;
  if (::stat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return finish(lastError(), error);
    return finish(replaceByRename(target, nullptr, bytes), error);
  }
  if (S_ISDIR(old.st_mode)) return finish(EISDIR, error);
  if (!S_ISREG(old.st_mode)) return finish(EINVAL, error);
  if (int refused = mayOverwrite(target, old)) return finish(refused, error);
  int e = old.st_nlink > 1 ? kNeedsInPlace : replaceByRename(target, &old, bytes);
  if (e == kNeedsInPlace) e = replaceInPlace(target, old, bytes);
  return finish(e, error);
}

}  // namespace tgc
