// The start-up offer of the autosaved copies that programs no longer running
// left behind, and what restoring one does to the document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/recoverystore.h"

namespace tgc {

class DocWnd;

// The question for one copy (CP932): Yes restores, No discards, Cancel keeps
// it for the next start. Its date is in local time.
std::string recoveryQuestion(const RecoveryRecord& record);

// Makes the workbook in `bytes` the document's, as a modified workbook with
// no undo history that carries the original path: Save writes where the
// workbook belonged (a Save As names it when that file is gone); an
// untitled one stays untitled. False, with the document untouched, when the
// bytes are not a workbook the program can open.
bool restoreWorkbook(DocWnd& w, std::string_view bytes, const RecoveryRecord& record);

// Asks about each copy in turn. The first one restored is written into
// `own` at once (it is removed from the folders it came from only when that
// write succeeded) and ends the offer: the document holds one workbook, so
// the copies not yet asked about stay for the next start. Discarded and
// unreadable copies are removed. Returns the bytes `own` now holds as its
// copy, if any.
std::optional<std::string> offerLeftCopies(DocWnd& w, std::vector<LeftCopy>& copies,
                                           const RecoverySession* own);

}  // namespace tgc
