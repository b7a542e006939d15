// What a workbook file looked like when it was opened or last saved, so a
// change made on disk by someone else since then is noticed before a save
// writes over it.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tgc {

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  int64_t modifiedNs = 0;  // modification time in nanoseconds
  uint64_t hash = 0;       // of the contents, for changes the other facts miss
  int64_t takenNs = 0;     // when the stamp was taken

  bool operator==(const FileStamp& o) const {
    return device == o.device && inode == o.inode && size == o.size && modifiedNs == o.modifiedNs &&
           hash == o.hash;
  }
};

// The stamp of a file in state `st` holding `bytes`.
FileStamp stampOf(const struct stat& st, std::string_view bytes);

// The stamp of the file at `path` now; false when it cannot be read.
bool stampFile(const std::string& path, FileStamp& out);

enum class DiskState { Same, Changed, Missing };

// Whether the file at `path` is still the one stamped. The cheap facts
// (device, inode, size, modification time) decide, except for a file whose
// time lay within a few seconds of the stamp: a coarse clock may not have
// moved for a second write then, so its contents are compared.
DiskState compareWithDisk(const std::string& path, const FileStamp& stamp);

}  // namespace tgc
