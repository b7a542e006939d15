// The fuzz targets: each takes one input of arbitrary bytes, runs it through
// a path of the program and checks what must hold whatever the input. They
// return a description of the first broken property, or "" when all held
// (including when the input was rightly refused). libFuzzer programs
// (fuzzmain.cpp) abort on a description; the tests replay the committed
// corpus through the same functions.
#pragma once

#include <string>
#include <string_view>

namespace tgc::fuzz {

// The input as a workbook file: read as the program loads it, then every
// kind of text output, then saved and read again, which must give the same
// bytes and need no repair.
std::string checkReaderInput(std::string_view bytes);

// The input as a workbook file imported into a fixed workbook, and into
// itself: a refused import changes nothing; an accepted one leaves a
// workbook that keeps the invariants and its theme and idea marks, undo
// gives back the bytes from before, redo those from after, and a save
// reloads unchanged.
std::string checkImportInput(std::string_view bytes);

// The input as the JSON `tgc build` reads: what it accepts is written,
// read back unchanged, and its dump (`tgc dump`) builds to the same bytes
// again. JSON can state any workbook, every text as bytes, so this also
// covers dump and build of any file the reader takes.
std::string checkJsonInput(std::string_view text);

}  // namespace tgc::fuzz
