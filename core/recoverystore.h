// The recovery folder: one subfolder per running program, locked for as long
// as that program lives, holding the last autosaved copy of its workbook and
// a small record of where the workbook belongs. Copies whose program is gone
// are found and claimed here; a live program's folder is never touched.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tgc {

struct RecoveryRecord {
  std::string originalPath;  // UTF-8; empty for an untitled workbook
  int64_t savedAt = 0;       // seconds since the epoch

  bool operator==(const RecoveryRecord&) const = default;
};

std::string formatRecoveryRecord(const RecoveryRecord& record);
std::optional<RecoveryRecord> parseRecoveryRecord(std::string_view text);

// An exclusive lock on a session folder's lock file, held until destroyed.
// The kernel drops it when the process dies however it dies, so a held lock
// means a live program and a reused process id proves nothing either way.
class FolderLock {
 public:
  FolderLock() = default;
  explicit FolderLock(int fd) : fd_(fd) {}
  FolderLock(FolderLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FolderLock& operator=(FolderLock&& other) noexcept;
  ~FolderLock();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// This program's own folder.
class RecoverySession {
 public:
  // Makes a fresh, locked folder under `root` (created when missing);
  // nullptr when the file system refuses.
  static std::unique_ptr<RecoverySession> create(const std::string& root);

  const std::string& folder() const { return folder_; }
  std::string copyPath() const;
  // The record, then the workbook, each replaced atomically: a copy is
  // never without its record. Safe to call from a worker thread.
  bool writeCopy(std::string_view workbook, const RecoveryRecord& record) const;
  // The workbook first, then its record.
  void removeCopy() const;
  // After a normal close: the folder goes, then the lock.
  void close();

 private:
  RecoverySession(std::string folder, FolderLock lock) : folder_(std::move(folder)), lock_(std::move(lock)) {}
  std::string folder_;
  FolderLock lock_;
};

// A copy left by a program that is no longer running, claimed by this one:
// while the lock is held no other program offers it.
struct LeftCopy {
  std::string folder;
  RecoveryRecord record;
  FolderLock lock;
};

// The copies under `root` whose programs are gone, newest first. Folders of
// such programs that hold no copy are removed on the way.
std::vector<LeftCopy> claimLeftCopies(const std::string& root);
bool readLeftCopy(const LeftCopy& copy, std::string& bytes);
// Removes the folder: the workbook, the record, any leftovers, the lock file
// last, so a program looking at the same time never sees a copy unlocked.
void removeLeftCopy(LeftCopy& copy);

}  // namespace tgc
