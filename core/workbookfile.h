// The workbook file: its byte layout (writer and reader), the check every
// file passes before it is read or overwritten, and the save and load
// operations of the document.
//
// Layout, little-endian throughout: the magic written as a string, int32
// version, then words, sheets, marks and memos (each list as an int32 count
// and its entries) and the int32 currentSheet. Strings carry a length prefix
// of 1, 3 or 7 bytes; the reader also takes the UTF-16 form of old writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fileerror.h"
#include "core/workbook.h"

namespace tgc {

class Document;
class UiPort;

inline constexpr int32_t kWorkbookVersion = 102;
inline constexpr std::string_view kWorkbookMagic = "ThoughtGridCraft";
inline constexpr std::string_view kWorkbookExtension = ".tgc";

// The whole file for the workbook, every value written as held in memory.
std::string serializeWorkbook(const Workbook& wb);

// Reads a whole file's bytes. On success appends the words, sheets, marks and
// memos to `out` and sets out.currentSheet; on failure (wrong magic or
// version, an early end, a negative count, a string CP932 cannot hold)
// returns false and leaves `out` as it was. Values are taken as stored: no
// reference is checked here, so a dump shows the file exactly.
bool parseWorkbook(std::string_view bytes, Workbook& out);

// Whether every sheet is a complete 5 x 5 grid: 25 boxes, each cell once,
// sheet types 0..2. The rest of the program looks boxes up by cell and
// never expects a sheet of another shape, so a file failing this is refused.
bool sheetsWellFormed(const Workbook& wb);

// Makes the references of a freshly read workbook safe to follow, changing
// only values that are out of range (a file this program wrote comes back
// unchanged): a box word outside the word list and a box mark no catalog
// mark has become -1 (empty, no mark); a memo of a word outside the list is
// dropped; a currentSheet outside the sheet list becomes 0; a mark with a
// negative id gets the first free id above the system marks, its boxes
// following it. Returns the number of values repaired.
int repairReferences(Workbook& wb);

// A workbook file's bytes as the program opens them: parsed, its sheets
// checked and its references repaired. False, with `out` untouched, when
// the file is refused.
bool readWorkbookBytes(std::string_view bytes, Workbook& out);

// The pre-read check: 0 when the file at `path` (UTF-8) looks like a
// workbook of this version, else 1 after a warning. A file that cannot be
// looked at or read is refused with readFailedText (the path and the
// system's reason), so no refusal is silent. The untitled name skips the
// extension test.
int checkWorkbookFile(const std::string& path, UiPort& ui);

// Writes doc.cur() to doc.filePath: 0 on success, 1 on failure, no message;
// *error (when given) receives the errno value of a failure. Written by
// writeFileAtomically, so a failed save leaves the previous file as it was.
int saveWorkbook(Document& doc, UiPort& ui, int* error = nullptr);

// Target of loadWorkbook.
inline constexpr int kLoadOpen = 0;    // into slot 0
inline constexpr int kLoadImport = 1;  // into the import slot

// Reads doc.filePath into slot 0 (kLoadOpen) or the import slot
// (kLoadImport), which must be empty; replaces doc.filePath by the file's
// absolute canonical path. 0 on success, 1 on failure (nothing appended),
// no message; *error (when given) receives the errno value of a failed read
// or kDamagedFile. References are repaired as by repairReferences;
// malformed sheets refuse.
int loadWorkbook(Document& doc, int target, UiPort& ui, int* error = nullptr);

}  // namespace tgc
