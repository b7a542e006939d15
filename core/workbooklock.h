// One writer per workbook: a small hidden lock file beside the workbook
// names the program that has it open (user, host, process, since when), so
// a second program on this machine, or on another one sharing the folder,
// can tell before it opens the same file. A lock whose program is gone from
// this host is stale and taken over.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tgc {

// Who holds a workbook's lock. Texts are UTF-8; empty when the lock file
// could not be read.
struct LockOwner {
  std::string user;
  std::string host;
  int64_t pid = 0;
  int64_t since = 0;  // seconds since the epoch
  bool thisHost = false;
};

class WorkbookLock {
 public:
  enum class Outcome {
    Taken,        // this program now holds the lock
    HeldByOther,  // a live program (or another host) holds it
    NotPossible,  // the folder takes no lock file (read-only media...)
  };

  // Tries to take the lock of the workbook at `workbook` (links followed).
  // On HeldByOther, *owner (when given) describes the holder.
  static Outcome take(const std::string& workbook, std::unique_ptr<WorkbookLock>& out,
                      LockOwner* owner = nullptr);
  // Removes the lock file, unless another program has taken it over since.
  ~WorkbookLock();
  WorkbookLock(const WorkbookLock&) = delete;
  WorkbookLock& operator=(const WorkbookLock&) = delete;

  const std::string& path() const { return path_; }

 private:
  WorkbookLock(std::string path, std::string content)
      : path_(std::move(path)), content_(std::move(content)) {}
  std::string path_;
  std::string content_;
};

// The lock file of the workbook at `workbook`: ".NAME.lock" in its folder,
// or ".tgc-TAG.lock" where that name would be too long.
std::string lockPathFor(const std::string& workbook);

// The holder of the workbook's lock, if a live one holds it; a stale lock
// of this host is no holder.
std::optional<LockOwner> lockOwner(const std::string& workbook);

}  // namespace tgc
