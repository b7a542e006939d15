#include "core/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/fileattrs.h"
#include "core/fileprims.h"
#include "core/savejournal.h"
#include "core/syscalls.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

const SystemCalls& sys() {
  return systemCalls();
}

// The public result: true on success; the errno value goes to `out`.
bool finish(int error, int* out) {
  if (out) *out = error;
  return error == 0;
}

// Not an errno value: the file must be written in place.
constexpr int kNeedsInPlace = -1;

// The usual way: a complete new file renamed over the old name. 0, an errno
// value, or kNeedsInPlace when a new file cannot take the old one's place.
int replaceByRename(const std::string& target, const struct stat* old, std::string_view bytes) {
  // What killed saves of this file left goes first, so nothing piles up.
  removeDeadTemporaries(target);
  std::string tempPath;
  // The old bits from the start: the temporary is never more open than the
  // file it replaces. A new file gets what the umask leaves of 0666.
  const int fd =
      createTemporary(folderOf(target), temporaryTag(target), old ? (old->st_mode & 0777) : 0666, tempPath);
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
    } else if (copyAccessAttributes(target, fd) != 0) {
      // An ACL or attribute the new file cannot take: rather than change
      // who may read or write the workbook, write it in place.
      error = kNeedsInPlace;
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

bool readWholeFile(const std::string& path, std::string& out, int* error, struct stat* info) {
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
  if (info) *info = st;
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
