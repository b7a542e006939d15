// Whole-file reading and crash-safe whole-file writing for the file formats
// of the program (workbooks, text output). Paths are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tgc {

// Reads the regular file at `path` into `out`. False on any error.
bool readWholeFile(const std::string& path, std::string& out);

// Replaces the file at `path` by `bytes` so that the file is always either
// the old or the new one: the bytes go to a temporary file in the same
// folder, are flushed to disk, and the temporary is renamed over the target.
// An existing file keeps its permission bits (and owner where allowed); a
// symbolic link keeps pointing at the replaced file. On failure the
// temporary is removed, the old file is untouched, and false is returned.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tgc
