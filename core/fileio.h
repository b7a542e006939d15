// Whole-file reading and crash-safe whole-file writing for the file formats
// of the program (workbooks, text output). Paths are UTF-8. Failures give
// the errno value of the step that failed.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace tgc {

// Reads the regular file at `path` into `out`. False on any error, with its
// errno value in *error when given; *info gets the state of the file read.
bool readWholeFile(const std::string& path, std::string& out, int* error = nullptr,
                   struct stat* info = nullptr);

// Replaces the contents of the file at `path` by `bytes`, never leaving a
// mix of old and new:
// - A symbolic link is followed (link to link too); the file it names is
//   written and the link stays.
// - A file the user may not write is refused with EACCES before anything is
//   touched (see mayOverwrite).
// - Normally the bytes go to a temporary file in the same folder, which takes
//   the old file's owner, group, permission bits, ACL and user attributes,
//   is flushed to disk and renamed over the target. Temporaries that killed
//   saves of the same file left are removed first.
// - Where a new file cannot stand in for the old one (another hard link
//   shares its inode, the old owner, group, ACL or attributes cannot be
//   given to a new file, or the folder takes no new files) the file is
//   written in place instead, behind a journal that lets the next open
//   finish a save that was cut off (core/savejournal.h); a failure writes
//   the old contents back.
// On failure the old file is as it was, no temporary is left, false is
// returned and *error (when given) holds the errno value.
bool writeFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// 0 when a save may write over the existing file of `st`, else EACCES or the
// system's refusal (EROFS...). A file without any write permission bit is
// read-only for everybody, the superuser included: taking every write bit
// away is how people protect a file, and the system alone would let the
// superuser write it.
int mayOverwrite(const std::string& path, const struct stat& st);

}  // namespace tgc
