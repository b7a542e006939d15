#include "core/savejournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/fileio.h"
#include "core/fileprims.h"
#include "core/syscalls.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "ThoughtGridCraft save journal 1\n";

const SystemCalls& sys() {
  return systemCalls();
}

void putU64(std::string& o, uint64_t v) {
  for (int i = 0; i < 8; ++i) o.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool getU64(std::string_view& in, uint64_t& v) {
  if (in.size() < 8) return false;
  v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(static_cast<unsigned char>(in[i])) << (8 * i);
  in.remove_prefix(8);
  return true;
}

// Header: magic, the path written, the sizes and hashes of both versions;
// then the old and the new bytes.
std::string journalBytes(const std::string& target, std::string_view old, std::string_view bytes) {
  std::string j(kMagic);
  putU64(j, target.size());
  j += target;
  putU64(j, old.size());
  putU64(j, contentHash(old));
  putU64(j, bytes.size());
  putU64(j, contentHash(bytes));
  j.reserve(j.size() + old.size() + bytes.size());
  j += old;
  j += bytes;
  return j;
}

struct Journal {
  std::string target;
  std::string_view old;
  std::string_view fresh;
};

// False when the journal is cut short or torn anywhere.
bool parseJournal(std::string_view in, Journal& out) {
  if (in.substr(0, kMagic.size()) != kMagic) return false;
  in.remove_prefix(kMagic.size());
  uint64_t pathSize = 0, oldSize = 0, oldHash = 0, newSize = 0, newHash = 0;
  if (!getU64(in, pathSize) || pathSize > in.size()) return false;
  out.target = std::string(in.substr(0, pathSize));
  in.remove_prefix(pathSize);
  if (!getU64(in, oldSize) || !getU64(in, oldHash) || !getU64(in, newSize) || !getU64(in, newHash))
    return false;
  if (in.size() != oldSize + newSize) return false;
  out.old = in.substr(0, oldSize);
  out.fresh = in.substr(oldSize);
  return contentHash(out.old) == oldHash && contentHash(out.fresh) == newHash;
}

// Creates the journal, locked for the life of the descriptor. A journal of
// the same file that nobody holds is what a killed save left: the file is
// about to be written whole, so it may go.
int createJournal(const std::string& journal) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = sys().open(journal.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno != EEXIST) return -1;
      const int stale = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
      const bool dead = stale >= 0 && lockedByNobody(stale);
      if (dead) sys().unlink(journal.c_str());
      if (stale >= 0) ::close(stale);
      if (!dead) {
        errno = EBUSY;  // another program is saving this file right now
        return -1;
      }
      continue;
    }
    struct stat st;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
    sys().close(fd);
  }
  errno = EBUSY;
  return -1;
}

// The journal, flushed, beside the target or in the temporary folder when
// the target's folder takes no new files. The descriptor stays open.
int writeJournal(const std::string& target, const struct stat& st, std::string_view old,
                 std::string_view bytes, std::string& journal, int& fd) {
  journal = journalPath(folderOf(target), st);
  fd = createJournal(journal);
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (!ec) {
      journal = journalPath(temp.string(), st);
      fd = createJournal(journal);
    }
  }
  if (fd < 0) return lastError();
  int error = writeAll(fd, journalBytes(target, old, bytes));
  if (!error && sys().fsync(fd) != 0) error = lastError();
  if (error) {
    sys().unlink(journal.c_str());
    sys().close(fd);
    fd = -1;
  }
  return error;
}

int rewrite(const std::string& target, std::string_view bytes) {
  const int fd = sys().open(target.c_str(), O_WRONLY | O_CLOEXEC, 0);
  if (fd < 0) return lastError();
  int error = overwriteFile(fd, bytes);
  if (sys().close(fd) != 0 && !error) error = lastError();
  return error;
}

}  // namespace

std::string journalPath(const std::string& folder, const struct stat& st) {
  char name[64];
  std::snprintf(name, sizeof name, "/.tgc-%llx-%llx.save", static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  return folder + name;
}

int replaceInPlace(const std::string& target, const struct stat& st, std::string_view bytes) {
  const int fd = sys().open(target.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return lastError();
  std::string old;
  int error = readAll(fd, static_cast<size_t>(st.st_size), old);
  std::string journal;
  int journalFd = -1;
  if (!error) error = writeJournal(target, st, old, bytes, journal, journalFd);
  if (error) {
    sys().close(fd);
    return error;
  }
  error = overwriteFile(fd, bytes);
  if (sys().close(fd) != 0 && !error) error = lastError();
  // On failure the old contents go back; when even that fails the journal
  // stays, and the next open makes the file whole from it.
  const bool whole = !error || rewrite(target, old) == 0;
  if (whole) sys().unlink(journal.c_str());
  // Only its lock is let go here: the journal is gone or must stay.
  ::close(journalFd);
  return error;
}

std::optional<InterruptedSave> recoverInterruptedSave(const std::string& path) {
  const std::string target = resolveLinks(path);
  struct stat st;
  if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  std::vector<std::string> places = {journalPath(folderOf(target), st)};
  std::error_code ec;
  const fs::path temp = fs::temp_directory_path(ec);
  if (!ec) places.push_back(journalPath(temp.string(), st));
  for (const std::string& journal : places) {
    const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat js;
    std::string bytes;
    if (!lockedByNobody(fd) || ::fstat(fd, &js) != 0 || readAll(fd, static_cast<size_t>(js.st_size), bytes)) {
      ::close(fd);
      continue;
    }
    InterruptedSave found;
    found.leftover = journal;
    Journal j;
    if (parseJournal(bytes, j)) {
      // The journal names the file it was made for; a file that took over
      // the inode of a deleted one is none of its business.
      struct stat named;
      if (::stat(j.target.c_str(), &named) != 0 || named.st_dev != st.st_dev || named.st_ino != st.st_ino) {
        sys().unlink(journal.c_str());
        ::close(fd);
        continue;
      }
      found.step = SaveStep::Overwriting;
      std::string now;
      if (!readWholeFile(target, now) || now != j.fresh) {
        found.error = rewrite(target, j.fresh);
        found.rewritten = found.error == 0;
      }
    }
    if (found.error == 0) sys().unlink(journal.c_str());
    ::close(fd);
    return found;
  }
  return std::nullopt;
}

}  // namespace tgc
