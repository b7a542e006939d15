// Saving in place, so that a save cut off at any moment can be undone: the
// old and the complete new contents are first written and flushed into a
// journal beside the file, and the journal goes only once the file is
// whole again. Opening a file finishes what a killed save left.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

namespace tgc {

// Writes `bytes` over the existing file `target` (links resolved, `st` its
// state) on its own inode. 0 or the errno value; on failure the old
// contents are written back, and the journal stays only when even that
// failed, for the next open to finish.
int replaceInPlace(const std::string& target, const struct stat& st, std::string_view bytes);

// The journal of an in-place save of the file `target` (links resolved) in
// `folder`: named after the file's device and inode, so every hard link of
// the file finds it.
std::string journalPath(const std::string& folder, const struct stat& st);

// What a save that was cut off had reached when it stopped.
enum class SaveStep {
  PuttingAside,  // the journal was not complete: the file was not touched
  Overwriting,   // the journal was complete: the file may be half written
};

struct InterruptedSave {
  std::string leftover;  // the journal found
  SaveStep step = SaveStep::PuttingAside;
  bool rewritten = false;  // the file was given the saved contents again
  int error = 0;           // errno value when the file could not be made whole
};

// Looks beside the workbook at `path` (and in the temporary folder, where a
// save in a closed folder keeps its journal) for the journal of a killed
// save. A journal that was complete makes the file the new contents again
// (unless it already is); an incomplete one means the file is the old
// version. Either way the journal is removed once the file is whole. A
// journal a live save holds is left alone. Nothing found: nullopt.
std::optional<InterruptedSave> recoverInterruptedSave(const std::string& path);

}  // namespace tgc
