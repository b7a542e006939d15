// The small steps every writer of files beside a workbook shares: whole
// reads and writes through the system-call table, link resolution, the
// hidden temporaries a save makes and the cleaning of those a killed save
// left, and a content hash.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tgc {

// The errno value of the call that just failed; never 0.
int lastError();
int writeAll(int fd, std::string_view bytes);
int readAll(int fd, size_t sizeHint, std::string& out);
// Writes `bytes` from the start of the open file, cuts it there and flushes.
int overwriteFile(int fd, std::string_view bytes);

// The file a save really writes: symbolic links are followed one at a time,
// so a link to nowhere names the file to create and the links stay.
std::string resolveLinks(const std::string& path);
std::string folderOf(const std::string& path);

// 64-bit FNV-1a: tells a torn copy or a changed file from the one expected.
uint64_t contentHash(std::string_view bytes);

// A new hidden file ".tgc-TAG-PID-N.tmp" in `folder`, open for writing and
// held with an exclusive flock for as long as the descriptor is open, so a
// later save can tell a live writer's temporary from one a killed save left.
// TAG names the target (see temporaryTag); the name does not grow with the
// target's, so the longest file name still gets a temporary. -1 with errno.
int createTemporary(const std::string& folder, const std::string& tag, mode_t mode, std::string& tempPath);
// The tag of the temporaries of saves to `target`.
std::string temporaryTag(const std::string& target);
// Removes the temporaries of `target` that no live writer holds; the number
// removed.
int removeDeadTemporaries(const std::string& target);

// Tries the exclusive flock of the open file without waiting.
bool lockedByNobody(int fd);

}  // namespace tgc
