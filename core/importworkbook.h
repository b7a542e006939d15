// Import of another workbook: its sheets are appended, its words join the
// pool (reusing words already there), its memos come along and its marks
// join the catalog with exact duplicates merged. One undo step.
#pragma once

#include <string>

#include "core/workbook.h"

namespace tgc {

class DocWnd;
class MarkEditor;

// Opens the catalog mark editor dialog modally; the Qt layer or a test sets
// it on DocWnd so the import report can offer consolidation.
class MarkEditorLauncher {
 public:
  virtual ~MarkEditorLauncher() = default;
  virtual void openMarkEditor() = 0;
};

enum class ImportLimit { None, Sheets, Words, Marks };

// The first limit the import would break, checked in the order sheets,
// words, marks. The marks check counts only imported marks, less those with
// a twin (equal glyph, name, attribute and dormant flag) in the catalog.
ImportLimit checkImportLimits(const Workbook& current, const Workbook& imported);
// The refusal message of a limit (CP932); empty for None.
std::string importLimitMessage(ImportLimit limit);

// The merge proper, up to and including the merge of exact duplicate marks:
// boxes, memos and marks are re-numbered, words already in `current` before
// the import are reused, the imported lists are appended. `imported` is
// consumed. The catalog is left for sortAndRenumberCatalog.
void mergeImportedWorkbook(Workbook& current, Workbook& imported);

// Two marks with the same glyph, or with the same name.
bool hasNearDuplicateMarks(const Workbook& wb);

// Everything after the file was read into the import slot: the limits, the
// merge as one undo step, the catalog renumbering and the report. Empties the
// import slot. 0 when imported, -1 after a refusal.
int importFromSlot(DocWnd& w);

// Reads the workbook at `path` (UTF-8) into the import slot and imports it.
// The file identity of the document is kept. 0 imported, -1 refused.
int importWorkbookFile(DocWnd& w, const std::string& path);

// The command: asks for the file, then importWorkbookFile.
int importWorkbook(DocWnd& w);

}  // namespace tgc
